// Control and grid transfers of clsDATEN on real widgets (offscreen) and files.
#include "data/DataFixture.h"
#include "widgets/ControlData.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace {

class Controls : public DataFixture {
protected:
    Controls()
    {
        addRecord(1, "Pegel 1", true);
        d = std::make_unique<ControlData>(s);
    }
    std::unique_ptr<ControlData> d;
};

TEST_F(Controls, TextBoxLabelCheckAndOptionRoundTrip)
{
    QLineEdit txt;
    txt.setText("Erster Versuch");
    ASSERT_TRUE(d->DFTT("KOM", &txt));
    txt.clear();
    ASSERT_TRUE(d->DTFT("KOM", &txt));
    EXPECT_EQ(txt.text(), "Erster Versuch");

    QLabel lbl;
    lbl.setProperty("Index", 3);
    d->setETABELLE("A1");
    ASSERT_TRUE(d->DFTLI("GITT", &lbl));
    ASSERT_TRUE(d->DTFL("GITT", &lbl));
    EXPECT_EQ(lbl.text(), "3");
    QLabel named;
    named.setObjectName("lblX_7");
    ASSERT_TRUE(d->DFTLI("GITK10", &named));
    EXPECT_EQ(rows("SELECT [GITT],[GITK10] FROM [A1]"), QStringList{"3|7"});

    QCheckBox chk;
    chk.setChecked(true);
    ASSERT_TRUE(d->DFTC("BILD14AN", &chk));
    chk.setChecked(false);
    ASSERT_TRUE(d->DTFC("BILD14AN", &chk));
    EXPECT_TRUE(chk.isChecked());
    EXPECT_EQ(rows("SELECT [BILD14AN] FROM [A1]"), QStringList{"1"});

    QWidget box;
    QRadioButton a("a", &box), b("b", &box);
    a.setChecked(true);
    ASSERT_TRUE(d->DVTB("BONEU", false));
    ASSERT_TRUE(d->DTFO("BONEU", &a));
    EXPECT_FALSE(a.isChecked()) << "an exclusive option button is switched off too";
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Controls, NullLeavesTheControlNoRowEmptiesIt)
{
    QLineEdit txt;
    txt.setText("bleibt");
    ASSERT_TRUE(d->DTFT("KOM", &txt)) << "KOM is null";
    EXPECT_EQ(txt.text(), "bleibt");
    d->setESPIDW(77);
    ASSERT_TRUE(d->DTFT("KOM", &txt));
    EXPECT_EQ(txt.text(), "");
    QCheckBox chk;
    chk.setChecked(true);
    ASSERT_TRUE(d->DTFC("AKT", &chk));
    EXPECT_FALSE(chk.isChecked());
    QListWidget lst;
    ASSERT_TRUE(d->DTFI("KEN", &lst));
    EXPECT_EQ(lst.count(), 0) << "adding members add nothing without a value";
}

TEST_F(Controls, ListAndComboBoxes)
{
    QListWidget lst;
    ASSERT_TRUE(d->DFTI("KOM", &lst)) << "no entry selected stores null";
    EXPECT_EQ(rows("SELECT [KOM] FROM [E1]"), QStringList{"NULL"});
    lst.addItems({"x", "y", "z"});
    lst.setCurrentRow(2);
    ASSERT_TRUE(d->DFTIS("KOM", &lst));
    ASSERT_TRUE(d->DTFI("KOM", &lst));
    EXPECT_EQ(lst.count(), 4);
    EXPECT_EQ(lst.item(3)->text(), "z");

    d->setETABELLE("E2");
    ASSERT_TRUE(d->DVTI("N", 1));
    ASSERT_TRUE(d->DTFIL("N", &lst));
    EXPECT_EQ(lst.currentRow(), 1);
    QListWidget empty;
    ASSERT_TRUE(d->DTFIL("N", &empty)) << "an empty list keeps its index";

    // Standpipe types fill a drop-down list; the stored type is selected.
    d->setETABELLE("TALPEX_V1");
    d->setESPID("");
    ASSERT_TRUE(d->DVTTF("STRO", {"Typ B", "Typ A", "Typ C"}, {{"I1"}}));
    QComboBox cbo;
    cbo.addItem("alt");
    ASSERT_TRUE(d->DTFMM("STRO", &cbo, {{"STRO"}}));
    EXPECT_EQ(cbo.count(), 4) << "the list is not cleared first";
    EXPECT_EQ(cbo.itemText(1), "Typ A");

    d->setETABELLE("E2");
    d->setESPID("ID");
    ASSERT_TRUE(d->DVTT("STRO", "Typ C"));
    ASSERT_TRUE(d->DTFMT("STRO", &cbo));
    EXPECT_EQ(cbo.currentText(), "Typ C");
    ASSERT_TRUE(d->DVTT("STRO", "typ c"));
    ASSERT_TRUE(d->DTFMT("STRO", &cbo));
    EXPECT_EQ(cbo.currentIndex(), -1) << "no entry equal to the value: none selected";
    ASSERT_TRUE(d->DFTMS("STRO", &cbo));
    EXPECT_EQ(rows("SELECT [STRO] FROM [E2]"), QStringList{"NULL"});

    QComboBox edit;
    edit.setEditable(true);
    ASSERT_TRUE(d->DVTT("STRO", "frei"));
    ASSERT_TRUE(d->DTFMT("STRO", &edit));
    EXPECT_EQ(edit.currentText(), "frei");
    edit.setEditText("geändert");
    ASSERT_TRUE(d->DFTMT("STRO", &edit));
    EXPECT_EQ(rows("SELECT [STRO] FROM [E2]"), QStringList{"geändert"});

    EXPECT_FALSE(d->DTFMM("NICHTDA", &cbo));
    EXPECT_EQ(ui->boxes().last().text, "Werte der Spalte NICHTDA der Tabelle E2 eingelesen werden!");
    EXPECT_EQ(ui->boxes().last().buttons(), vb::vbOKCancel);
    ui->clear();

    cbo.setCurrentIndex(2);
    ASSERT_TRUE(d->DFTML("N", &cbo));
    cbo.setCurrentIndex(0);
    ASSERT_TRUE(d->DTFML("N", &cbo));
    EXPECT_EQ(cbo.currentIndex(), 2);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Controls, TextThatDoesNotConvertFailsWithDatenfehler)
{
    d->setETABELLE("E2");
    ASSERT_TRUE(d->DVTS("H", 100.0f));
    QLineEdit txt;
    txt.setText("zehn");
    EXPECT_FALSE(d->DFTTT("H", &txt));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "Datenfehler");
    EXPECT_EQ(ui->boxes()[0].text, "Wert zehn kann nicht in die Spalte H der Tabelle E2 gespeichert werden!");
    EXPECT_EQ(ui->boxes()[0].icon(), vb::vbExclamation);
    EXPECT_EQ(rows("SELECT [H] FROM [E2]"), QStringList{"100"}) << "nothing lost";

    txt.setText("70000");
    EXPECT_FALSE(d->DFTTT("N", &txt)) << "16-bit overflow";
    txt.setText(" 12,5 ");
    EXPECT_TRUE(d->DFTTT("H", &txt));
    txt.setText("7.25");
    EXPECT_TRUE(d->DFTTT("N", &txt));
    EXPECT_EQ(rows("SELECT [H],[N] FROM [E2]"), QStringList{"12,5|7"});
    txt.setText("1.000,5");
    EXPECT_FALSE(d->DFTTT("H", &txt)) << "no thousands grouping";

    QLineEdit out;
    d->setETABELLE("E1");
    EXPECT_FALSE(d->DTFT("GIBTESNICHT", &out));
    EXPECT_EQ(ui->boxes().last().text, "Wert  kann nicht aus der Spalte GIBTESNICHT der Tabelle E1 eingelesen werden!");
}

class GridColumn : public Controls {
protected:
    GridColumn()
    {
        d->setETABELLE("E3");
        grid.setCols(4);
        grid.setRows(2);
    }
    void fill(const QStringList& col1)
    {
        grid.setRows(1 + static_cast<int>(col1.size()));
        for (int i = 0; i < col1.size(); ++i) grid.setTextMatrix(i + 1, 1, col1[i]);
    }
    vb::FlexGrid grid;
};

TEST_F(GridColumn, ColumnRoundTripAndShrink)
{
    fill({"0", "1", "2", "3", "4"});
    ASSERT_TRUE(d->DFTFM("I1", &grid, "1", {{"I1"}}));
    fill({"1,5", "", " 3 ", "4", "5"});
    ASSERT_TRUE(d->DFTFM("HKO", &grid, "1", {{"I1"}}));
    EXPECT_EQ(rows("SELECT [I1],[HKO] FROM [E3] ORDER BY [I1]"), (QStringList{"0|1,5", "1|NULL", "2|3", "3|4", "4|5"}));

    vb::FlexGrid back;
    back.setCols(4);
    back.setRows(2);
    back.setTextMatrix(2 - 1, 2, "alt");
    ASSERT_TRUE(d->DTFFM("HKO", &back, "2", {{"I1"}}));
    EXPECT_EQ(back.Rows(), 6);
    EXPECT_EQ(back.TextMatrix(1, 2), "1,5");
    EXPECT_EQ(back.TextMatrix(2, 2), "") << "null leaves the cell, the row still advances";
    EXPECT_EQ(back.TextMatrix(5, 2), "5");

    fill({"9", "8", "7"});
    ASSERT_TRUE(d->DFTFM("HKO", &grid, "1", {{"I1"}}));
    EXPECT_EQ(rows("SELECT [I1],[HKO] FROM [E3] ORDER BY [I1]"), (QStringList{"0|9", "1|8", "2|7"}))
        << "three values overwrite rows 1 to 3 and delete rows 4 and 5";
}

TEST_F(GridColumn, StartRowFollowsZnr)
{
    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (1,0,10),(1,1,11)");
    ASSERT_TRUE(d->DTFF("HST", &grid, "3", {{"I1"}}, 2));
    EXPECT_EQ(grid.Rows(), 5) << "rows start at ZNR + 1 when the fixed rows are fewer";
    EXPECT_EQ(grid.TextMatrix(3, 3), "10");
    EXPECT_EQ(grid.TextMatrix(4, 3), "11");
}

TEST_F(GridColumn, EmptyRecordDisablesAndDisabledGridDeletes)
{
    grid.setBackColorFixed(QColor(200, 200, 200));
    ASSERT_TRUE(d->DTFFM("HST", &grid, "1", {{"I1"}}));
    EXPECT_FALSE(grid.Enabled());
    EXPECT_EQ(grid.BackColor(), QColor(200, 200, 200));

    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (1,0,10),(1,1,11),(2,0,5)");
    ASSERT_TRUE(d->DTFFM("HST", &grid, "1", {{"I1"}}));
    EXPECT_TRUE(grid.Enabled());
    EXPECT_EQ(grid.BackColor(), vb::SystemWindowBackground());

    grid.setEnabled(false);
    ASSERT_TRUE(d->DFTFM("HST", &grid, "1", {{"I1"}}));
    EXPECT_EQ(rows("SELECT [ID] FROM [E3]"), QStringList{"2"}) << "only the record's rows are deleted";
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(GridColumn, BadCellFailsWholeTransferWithGridMessage)
{
    fill({"1", "2"});
    ASSERT_TRUE(d->DFTFM("HST", &grid, "1", {{"I1"}}));
    grid.setIndex(1);
    fill({"3", "x4", "5"});
    ui->answer(vb::vbCancel);
    EXPECT_FALSE(d->DFTFM("HST", &grid, "1", {{"I1"}}));
    ASSERT_EQ(ui->boxes().size(), 1);
    const auto& box = ui->boxes()[0];
    EXPECT_EQ(box.title, "Datenfehler");
    EXPECT_EQ(box.buttons(), vb::vbOKCancel);
    EXPECT_TRUE(box.text.startsWith("Werte der Spalte HST der Tabelle E3 können nicht in die Spalte 1\n"
                                    "der FlexGrid-Tabelle 1 geschrieben werden!\nVB-Error: 13\n"))
        << box.text.toStdString();
    EXPECT_EQ(rows("SELECT [HST] FROM [E3] ORDER BY [I1]"), (QStringList{"1", "2"})) << "the table keeps its rows";

    EXPECT_FALSE(d->DTFFM("HST", &grid, "9", {{"I1"}}));
    EXPECT_TRUE(ui->boxes().last().text.contains("der FlexGrid-Tabelle 1 eingelesen werden!\nVB-Error: 381"));
}

TEST_F(GridColumn, WriterJoinsAnOpenTransaction)
{
    fill({"1", "2"});
    {
        ado::Transaction tx(s.cnnX);
        ASSERT_TRUE(d->DFTFM("HST", &grid, "1", {{"I1"}}));
        ASSERT_TRUE(d->DVTS("DET", 3.0f, {{"I1", 9}}));
        // no commit: both transfers are undone together
    }
    EXPECT_EQ(rows("SELECT count(*) FROM [E3]"), QStringList{"0"});
    EXPECT_EQ(s.cnnX.transactionDepth(), 0);
}

} // namespace
