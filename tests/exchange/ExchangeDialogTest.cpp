// The exchange dialogs on real project files: the other project's list, the
// tag left for the main window, and the export to the information system.
#include "ExchangeFixture.h"

#include "exchange/InfExport.h"
#include "exchange/frmEXPIMP.h"
#include "exchange/frmEXPINF.h"
#include "shell/ModalTag.h"

#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace {

QStringList texts(QListWidget* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

using ExpImpTest = ExchangeFixture;

TEST_F(ExpImpTest, AFolderWithoutAUsableProjectLeavesNoProjectToCopyWith)
{
    addRecord(other, 1, QStringLiteral("B1"), QString(), 1);
    // An empty file is a database without records tables: no project.
    ASSERT_TRUE(QDir().mkpath(folder(QStringLiteral("KAPUTT"))) && QFile(folder(QStringLiteral("KAPUTT")) + QStringLiteral("/TALPEX.mdb")).open(QIODevice::WriteOnly));
    frmEXPIMP dlg(s);
    EXPECT_EQ(texts(dlg.lstIMP()), QStringList{QStringLiteral("<leer>")});
    EXPECT_EQ(dlg.fraIMP()->title(), QStringLiteral("Aktuelles Projekt: A"));
    dlg.dirEXP_Change(folder(QStringLiteral("B")));
    EXPECT_EQ(texts(dlg.lstEXP()), QStringList{QStringLiteral("B1 ()")});
    EXPECT_EQ(dlg.fraEXP()->title(), QStringLiteral("Projekt B"));

    for (const QString& f : {folder(QStringLiteral("LEER")), folder(QStringLiteral("A")), root() + QStringLiteral("/BENUTZER/TESTER"),
                             folder(QStringLiteral("KAPUTT"))}) {
        dlg.dirEXP_Change(folder(QStringLiteral("B")));
        dlg.dirEXP_Change(f);
        EXPECT_EQ(dlg.lstEXP()->count(), 0) << f.toStdString();
        EXPECT_EQ(dlg.fraEXP()->title(), QStringLiteral("Externes Projekt"));
        // Neither button reaches project B any more.
        dlg.cmdEXP()->click();
        dlg.cmdIMP()->click();
    }
    ASSERT_EQ(boxes().size(), 9); // two a folder, and the database without records
    EXPECT_EQ(boxes()[8].text, QStringLiteral("Kein externes Projekt ausgewählt!"));
}

TEST_F(ExpImpTest, OpeningAnotherProjectMarksTheCurrentOneChanged)
{
    addRecord(s.cnnX, 1, QStringLiteral("A1"), QStringLiteral("eins"), 2);
    addRecord(s.cnnX, 2, QStringLiteral("A2"), QString(), 2);
    s.TAG.clear();
    auto* dlg = new frmEXPIMP(s);
    dlg->dirEXP_Change(folder(QStringLiteral("LEER")));
    dlg->cmdSCHLIESSEN()->click();
    delete dlg;
    EXPECT_EQ(s.TAG, QString());

    dlg = new frmEXPIMP(s);
    dlg->dirEXP_Change(folder(QStringLiteral("B")));
    EXPECT_EQ(texts(dlg->lstEXP()), QStringList{QStringLiteral("<leer>")});
    // An export alone also counts; the "<leer>" line refers to nothing.
    dlg->lstIMP()->item(1)->setSelected(true);
    dlg->cmdEXP()->click();
    EXPECT_EQ(texts(dlg->lstEXP()), QStringList{QStringLiteral("A2 ()")});
    dlg->lstEXP()->item(0)->setSelected(true);
    ui->answer(vb::vbOK);
    dlg->cmdIMP()->click(); // A2 exists here: warned and skipped
    EXPECT_EQ(boxes().size(), 1);
    dlg->cmdSCHLIESSEN()->click();
    delete dlg;
    EXPECT_EQ(s.TAG, ModalTag::kOK);
    EXPECT_EQ(count(other, QStringLiteral("SELECT * FROM [E3] WHERE [ID]=1")), 2);
}

using ExpInfTest = ExchangeFixture;

TEST_F(ExpInfTest, CreatesOverwritesAndRefusesARecordWithoutResults)
{
    createDolmir();
    addRecord(s.cnnX, 0, QStringLiteral("M"), QStringLiteral("Mehrfachauswertung"), 0, 2);
    addRecord(s.cnnX, 1, QStringLiteral("B1"), QStringLiteral("Schurf 1"), 5, 4);
    addRecord(s.cnnX, 2, QStringLiteral("B2"), QString(), 5);
    addRecord(s.cnnX, 3, QStringLiteral("B3"), QStringLiteral("Schurf 3"), 5, 3);
    QProgressBar bar;
    frmEXPINF dlg(s, &bar);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(texts(dlg.lstPROJ()), (QStringList{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")}));
    EXPECT_EQ(dlg.lstINF()->count(), 0);
    ado::Connection inf;
    inf.OpenFile(dolmir());
    auto infRows = [&] { return count(inf, QStringLiteral("SELECT * FROM [E0]")) + count(inf, QStringLiteral("SELECT * FROM [E1]"))
                                + count(inf, QStringLiteral("SELECT * FROM [E4_1]")); };

    // Without a selection in the left list nothing is written.
    dlg.cmdUEBERNEHMEN()->click();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"));

    // New: K10 of the last evaluated interval (the last row has none).
    dlg.lstPROJ()->setCurrentRow(0);
    ui->answer(vb::vbYes);
    dlg.cmdUEBERNEHMEN()->click();
    EXPECT_EQ(boxes()[1].text, QStringLiteral("Neuen Datensatz anlegen ?"));
    ASSERT_EQ(texts(dlg.lstINF()), QStringList{QStringLiteral("B1")});
    ado::Recordset e0(QStringLiteral("SELECT * FROM [E0]"), inf);
    ASSERT_EQ(e0.RecordCount(), 1);
    EXPECT_EQ(e0.Value(QStringLiteral("ID")).toInt(), 1);
    EXPECT_EQ(e0.Value(QStringLiteral("PROJ")).toString(), QStringLiteral("A"));
    EXPECT_EQ(e0.Value(QStringLiteral("QUELLE")).toString(), QStringLiteral("IG"));
    EXPECT_EQ(e0.Value(QStringLiteral("QART")).toInt(), 0);
    EXPECT_EQ(e0.Value(QStringLiteral("BEARBEITER")).toString(), QStringLiteral("Ing. Berta Test"));
    EXPECT_EQ(e0.Value(QStringLiteral("DATUM")).toDateTime().date(), QDate::currentDate());
    EXPECT_FLOAT_EQ(ado::Recordset(QStringLiteral("SELECT [KF] FROM [E4_1] WHERE [ID]=1"), inf).Value(0).toFloat(), 4.5e-8f);

    // Overwrite the selected entry with B3; clicking it again switches back to "new".
    dlg.lstINF_Click(0);
    dlg.lstPROJ()->setCurrentRow(2);
    ui->answer(vb::vbYes);
    dlg.cmdUEBERNEHMEN()->click();
    EXPECT_EQ(boxes()[2].text, QStringLiteral("Ausgewählten Datensatz überschreiben ?"));
    EXPECT_EQ(infRows(), 3);
    EXPECT_EQ(ado::Recordset(QStringLiteral("SELECT [KOM] FROM [E1] WHERE [ID]=1"), inf).Value(0).toString(), QStringLiteral("Schurf 3"));
    EXPECT_FLOAT_EQ(ado::Recordset(QStringLiteral("SELECT [KF] FROM [E4_1] WHERE [ID]=1"), inf).Value(0).toFloat(), 3.0e-8f);
    dlg.lstINF_Click(0);
    ui->answer(vb::vbNo);
    dlg.cmdUEBERNEHMEN()->click();
    EXPECT_EQ(boxes()[3].text, QStringLiteral("Neuen Datensatz anlegen ?"));

    // A record without results is refused before anything is written.
    dlg.lstPROJ()->setCurrentRow(1);
    dlg.cmdUEBERNEHMEN()->click();
    ASSERT_EQ(boxes().size(), 5);
    EXPECT_EQ(boxes()[4].text, QStringLiteral("Datensatz B2 ist nicht ausgewertet!"));
    EXPECT_EQ(infRows(), 3);
    EXPECT_EQ(dlg.lstINF()->count(), 1);
}

TEST_F(ExpInfTest, MissingInformationSystemIsReportedAndTheDialogDoesNotShow)
{
    s.SPRACHE = 1;
    frmEXPINF dlg(s, nullptr);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Informationssystem DOLMIR ist nicht installiert!"));
    EXPECT_EQ(boxes()[0].icon(), vb::vbExclamation);
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(dlg.cmdUEBERNEHMEN()->text(), QStringLiteral("Apply"));
}

} // namespace
