#include "shell/SummaryExport.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/ProjectSummary.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "platform/VBError.h"
#include "shell/EvaluationCommands.h"
#include "shell/MenuTree.h"
#include "shell/frmMAIN.h"
#include "widgets/WaitCursor.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

namespace SummaryExport {

namespace {

constexpr int kListedFailures = 10;

QString chooseFile(frmMAIN& main, const QString& title)
{
    Session& s = main.session();
    QFileDialog dlg(&main, title, QDir::homePath(),
                    s.tr(QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"), QStringLiteral("CSV files (*.csv);;All files (*)")));
    dlg.setObjectName(QStringLiteral("dlgUEBERSICHT"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setDefaultSuffix(QStringLiteral("csv"));
    dlg.selectFile(s.tr(QStringLiteral("%1_Uebersicht.csv"), QStringLiteral("%1_summary.csv")).arg(s.PROJEKT.isEmpty() ? QStringLiteral("TALPEX") : s.PROJEKT));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return dlg.selectedFiles().first();
}

// UTF-8 with a byte order mark, so that a spreadsheet reads umlauts right.
bool save(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

Table table(Session& s, const std::function<void(int, int)>& progress)
{
    const bool english = s.english();
    const QChar sep = english ? QLatin1Char(',') : QLatin1Char(';');
    const QChar decimal = english ? QLatin1Char('.') : QLatin1Char(',');
    Table t;
    const QVector<RecordSummary> lines = ProjectSummary::evaluateAll(s, progress);
    t.records = static_cast<int>(lines.size());
    t.text = ProjectSummary::header(sep) + QStringLiteral("\r\n");
    for (const RecordSummary& r : lines) {
        t.text += ProjectSummary::line(r, sep, decimal) + QStringLiteral("\r\n");
        if (!r.evaluated) t.failures << r.ken + QStringLiteral(": ") + r.reason;
    }
    return t;
}

void mnuUEBERSICHT_Click(frmMAIN& main)
{
    Session& s = main.session();
    const QString title = MenuTree::plainCaption(main.caption(QStringLiteral("mnuUEBERSICHT"))).remove(QStringLiteral("..."));
    vb::OnError onError(title);
    bool empty = true;
    if (!onError([&] { empty = ado::Recordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [ID]>0"), s.cnnX).Eof(); }))
        return;
    if (empty) {
        vb::MsgBox(s.tr(QStringLiteral("Das Projekt enthält keine Datensätze."), QStringLiteral("The project holds no data records.")),
                   vb::vbInformation, title);
        return;
    }
    // File stays as it was (off while a result page is shown), whatever the
    // dialogs and the disabled main window do to it on the way
    QAction* file = main.menuItem(QStringLiteral("mnuDATEI"));
    const bool fileOn = file && file->isEnabled();
    struct KeepFile {
        frmMAIN& main;
        bool on;
        ~KeepFile() { main.setMenuEnabled(QStringLiteral("mnuDATEI"), on); }
    } keepFile{main, fileOn};
    QString path;
    if (!onError([&] { path = chooseFile(main, title); }) || path.isEmpty()) return;

    Table t;
    {
        WaitCursor wait;
        EvaluationCommands::MainDisabled disabled(main);
        EvaluationCommands::showProgress(main, true);
        const bool done = onError([&] {
            t = table(s, [&main](int done, int total) {
                EvaluationCommands::setProgress(main, total > 0 ? done * 100 / total : 100);
                vb::DoEvents();
            });
        });
        EvaluationCommands::showProgress(main, false);
        if (!done) return;
    }
    if (!save(path, t.text)) {
        vb::MsgBox(s.tr(QStringLiteral("Die Datei\n%1\nkann nicht geschrieben werden."),
                        QStringLiteral("The file\n%1\ncannot be written."))
                       .arg(QDir::toNativeSeparators(path)),
                   vb::vbExclamation, title);
        return;
    }
    QString text = s.tr(QStringLiteral("Die Übersicht über %1 Datensätze wurde gespeichert:\n%2"),
                        QStringLiteral("The summary of %1 data records has been saved:\n%2"))
                       .arg(t.records)
                       .arg(QDir::toNativeSeparators(path));
    if (!t.failures.isEmpty()) {
        text += s.tr(QStringLiteral("\n\nNicht auswertbar (Zeile ohne Werte):\n"),
                     QStringLiteral("\n\nNot evaluable (line without values):\n")) +
                t.failures.mid(0, kListedFailures).join(QLatin1Char('\n'));
        if (t.failures.size() > kListedFailures) text += QStringLiteral("\n...");
    }
    vb::MsgBox(text, t.failures.isEmpty() ? vb::vbInformation : vb::vbExclamation, title);
}

} // namespace SummaryExport
