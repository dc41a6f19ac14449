#include "shell/RecordCommands.h"

#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "shell/Commands.h"
#include "shell/Compaction.h"
#include "shell/EingabeForm.h"
#include "shell/InputMode.h"
#include "shell/MenuTree.h"
#include "shell/ModalTag.h"
#include "data/RecordStore.h"
#include "widgets/WaitCursor.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

namespace RecordCommands {

namespace {
const QString kSelectionDialog = QStringLiteral("frmAUSWAHL");
constexpr double kCompactionThresholdMB = 10.0;
constexpr int kCompactionHelpContext = 34;

QString title(frmMAIN& main, const QString& item) { return MenuTree::plainCaption(main.caption(item)); }

// Shows the selection dialog in mode; the tag it leaves ("OK" when confirmed).
QString chooseRecords(frmMAIN& main, const QString& mode)
{
    main.session().TAG = mode; // the dialog reads its mode when it loads
    return ModalTag::show(Commands::createDialog(kSelectionDialog, main), main.session(), mode);
}

void clearRecordPanel(frmMAIN& main)
{
    main.panels().setText(6, QStringLiteral("-"));
    main.panels().setToolTip(6, QString());
}
} // namespace

void registerAll()
{
    Commands::setHandler(QStringLiteral("mnuNEU"), mnuNEU_Click);
    Commands::setHandler(QStringLiteral("mnuOEFFNEN"), mnuOEFFNEN_Click);
    Commands::setHandler(QStringLiteral("mnuAUSWAHL"), mnuAUSWAHL_Click);
    Commands::setHandler(QStringLiteral("mnuLOESCHEN"), mnuLOESCHEN_Click);
    Commands::setHandler(QStringLiteral("mnuSPEICHERN"), mnuSPEICHERN_Click);
    Commands::setHandler(QStringLiteral("mnuKOMPRIMIEREN"), mnuKOMPRIMIEREN_Click);
    Commands::setHandler(Commands::panelCommand(8), saveInputData);
    Commands::setHandler(Commands::panelCommand(9), discardInputData);
    Commands::setDialog(kSelectionDialog, [](frmMAIN& owner) { return new frmAUSWAHL(owner.session(), &owner); });
    RecordInputForm::setFactory([](frmMAIN& main) { return std::make_unique<EingabeForm>(main); });
}

void mnuNEU_Click(frmMAIN& main)
{
    InputMode& input = InputMode::of(main);
    input.show(RecordInputForm::create(main));
    clearRecordPanel(main);
    input.enter();
}

void mnuOEFFNEN_Click(frmMAIN& main)
{
    Session& s = main.session();
    long id = 0;
    for (;;) {
        if (chooseRecords(main, ModalTag::kOpen) != ModalTag::kOK) return;
        const QVector<long> ids = RecordStore::openableIds(s.cnnX);
        if (ids.size() == 1) {
            id = ids.first();
            break;
        }
        const QString warning = ids.isEmpty()
                                    ? s.tr(QStringLiteral("Es gibt keinen aktuellen Datensatz!"), QStringLiteral("There is no selected file!"))
                                    : s.tr(QStringLiteral("Es kann nur ein aktueller Datensatz geöffnet werden!"),
                                           QStringLiteral("Only one file can be opened!"));
        if (vb::MsgBox(warning, vb::vbOKCancel | vb::vbExclamation, title(main, QStringLiteral("mnuOEFFNEN"))) != vb::vbOK) {
            main.DATENSATZANZEIGE(); // the dialog has changed the active records
            return;
        }
    }

    WaitCursor wait;
    InputMode& input = InputMode::of(main);
    input.show(RecordInputForm::create(main));
    vb::DoEvents();
    main.DATENSATZANZEIGE();
    // The form is open from here on: whatever loading does, input mode is
    // entered, so the form can be closed through panel 9.
    vb::OnError onError(title(main, QStringLiteral("mnuOEFFNEN")));
    onError([&] {
        if (RecordInputForm* form = input.form()) form->OEFFNEN(id);
    });
    vb::DoEvents();
    input.enter();
}

void mnuAUSWAHL_Click(frmMAIN& main)
{
    Session& s = main.session();
    if (chooseRecords(main, ModalTag::kSelect) != ModalTag::kOK) return;
    // A new selection of several records makes the stored multiple evaluation stale.
    if (RecordStore::activeCount(s.cnnX) >= 2) RecordStore::removeMultipleEvaluation(s.cnnX);
    main.DATENSATZANZEIGE();
    s.GEAENDERT = true;
}

void mnuLOESCHEN_Click(frmMAIN& main)
{
    Session& s = main.session();
    if (chooseRecords(main, ModalTag::kDelete) != ModalTag::kOK) return;
    const QString caption = title(main, QStringLiteral("mnuLOESCHEN"));
    for (const RecordKey& record : RecordStore::activeRecords(s.cnnX)) {
        const QString question = s.tr(QStringLiteral("Datensatz ") + record.ken + QStringLiteral(" wird gelöscht!"),
                                      QStringLiteral("File ") + record.ken + QStringLiteral(" will be deleted!"));
        if (vb::MsgBox(question, vb::vbOKCancel | vb::vbExclamation, caption) == vb::vbOK)
            schema::deleteRecord(s.cnnX, record.id);
    }
    main.DATENSATZANZEIGE();
    s.GEAENDERT = true;
}

void mnuSPEICHERN_Click(frmMAIN& main)
{
    Session& s = main.session();
    const double size = Compaction::megabytes(s.fso.FileSize(s.XMDBPFAD()));
    if (size > kCompactionThresholdMB) {
        const QString mb = vb::CStr(size);
        const int answer = vb::MsgBox(s.tr(QStringLiteral("Datenbank hat ") + mb + QStringLiteral(" MB erreicht! \n") +
                                               QStringLiteral("Soll die Datei komprimiert werden?"),
                                           QStringLiteral("Database reaches ") + mb + QStringLiteral(" MB! \n") +
                                               QStringLiteral("Do you want to compact the file?")),
                                      vb::vbYesNo | vb::vbQuestion | vb::vbMsgBoxHelpButton,
                                      title(main, QStringLiteral("mnuSPEICHERN")), main.helpFile(), kCompactionHelpContext);
        if (answer == vb::vbYes) mnuKOMPRIMIEREN_Click(main);
    }
    // A failed Save leaves the project database as it was, and GEAENDERT set.
    main.saveWorkingCopy();
}

void mnuKOMPRIMIEREN_Click(frmMAIN& main)
{
    Session& s = main.session();
    const QString caption = title(main, QStringLiteral("mnuKOMPRIMIEREN"));
    vb::OnError onError(caption);
    Compaction::Result result;
    onError([&] {
        WaitCursor wait;
        result = Compaction(s).run();
    });
    // After a failure there is nothing to report: W and cnnX are as they were.
    if (onError.failed()) return;
    vb::MsgBox(Compaction::report(result, s.SPRACHE), vb::vbOKOnly | vb::vbInformation, caption);
}

void saveInputData(frmMAIN& main)
{
    Session& s = main.session();
    InputMode& input = InputMode::of(main);
    RecordInputForm* form = input.form();
    if (!form) return;
    const QString ken = form->KEN();
    // Neither the panel nor Ctrl+S lets the designation field check itself.
    if (ken.trimmed().isEmpty()) {
        vb::MsgBox(s.tr(QStringLiteral("Datensatzkennzeichnung fehlt!"), QStringLiteral("File name is missing!")),
                   vb::vbOKOnly | vb::vbExclamation, s.tr(QStringLiteral("Datenfehler"), QStringLiteral("Data error")));
        return;
    }
    const QString panelText = main.panels().text(8);
    const auto outcome = RecordStore::saveInput(
        s.cnnX, ken,
        [&] {
            return vb::MsgBox(s.tr(QStringLiteral("Soll der vorhandene Datensatz ") + ken + QStringLiteral(" überschrieben werden?"),
                                   QStringLiteral("Do you want to overwrite the file") + ken + QStringLiteral("?")),
                              vb::vbYesNo | vb::vbQuestion, panelText) == vb::vbYes;
        },
        [&](long id) { return form->OK(id); });
    // Declined or not stored: input mode stays, the user corrects the input.
    if (outcome != RecordStore::SaveOutcome::Saved) return;
    main.DATENSATZANZEIGE();
    s.GEAENDERT = true;
    input.unload();
}

void discardInputData(frmMAIN& main)
{
    InputMode::of(main).unload();
    // New cleared the record panel; the active records are unchanged.
    main.DATENSATZANZEIGE();
}

} // namespace RecordCommands
