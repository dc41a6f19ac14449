// The page options dialog and the diagram settings dialogs on a real project
// database: what they show, what OK stores and redraws, what they refuse.
#include "pages/PageProject.h"
#include "common/WidgetSupport.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "pagewindows/mdiMSEITE1.h"
#include "pagewindows/mdiSEITE1.h"
#include "pagewindows/frmKONTEXT.h"
#include "pagewindows/frmKONTEXT11.h"
#include "pagewindows/frmKONTEXT110.h"
#include "graphics/PointSymbol.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "widgets/ColorDialog.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SettingsDialogs : public PageProject {
protected:
    SettingsDialogs()
    {
        // record 1, evaluated with the limits still to be found; grid lines on
        exec("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (1,'SR-B3','',1)");
        exec("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,1250,'SR 300/20',1)");
        exec("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (1,1,0,1,1)");
        for (int i = 0; i < 8; ++i) {
            exec(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST],[HKO]) VALUES (1,%1,%2,11.5,%3,40)")
                     .arg(i).arg(i ? 90 : 0).arg(300 + 40 * i));
            exec(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN],[K10],[DEHKO]) VALUES (1,%1,%2,%3,%4,0)")
                     .arg(i).arg(950 - 40 * i).arg(i ? 90 : 0).arg(i < 7 ? QString::number(3.2e-7 * (1 + 0.1 * i)) : QStringLiteral("NULL")));
        }
        // the multiple evaluation: labels on, no time grid, k10 grid
        exec("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (0,'M','',0)");
        exec("INSERT INTO [A1] ([ID],[BONEU]) VALUES (0,1)");
        exec("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11],[GITT],[GITK10]) VALUES (1,'',1,0,1)");
        page = load();
        exec("UPDATE [A1] SET [BONEU]=0 WHERE [ID]=1"); // as the evaluation command does once the page is shown
    }

    std::unique_ptr<mdiSEITE1> load()
    {
        auto p = std::make_unique<mdiSEITE1>(s);
        p->Form_Load();
        return p;
    }
    QVariant value(const QString& sql)
    {
        ado::Recordset rs(sql, s.cnnX);
        return rs.Eof() ? QVariant() : rs.Value(0);
    }
    float g0(int idObjekt, const char* column)
    {
        return value(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=%2").arg(QLatin1String(column)).arg(idObjekt)).toFloat();
    }
    int a1(const char* column) { return value(QStringLiteral("SELECT [%1] FROM [A1] WHERE [ID]=1").arg(QLatin1String(column))).toInt(); }
    QString g0Snapshot()
    {
        QStringList rows;
        ado::Recordset rs(QStringLiteral("SELECT * FROM [G0] ORDER BY [IDOBJEKT]"), s.cnnX);
        for (; !rs.Eof(); rs.MoveNext())
            for (int c = 0; c < rs.FieldCount(); ++c) rows << rs.Value(c).toString();
        return rows.join(QLatin1Char('|'));
    }
    std::unique_ptr<frmKONTEXT11> dialog11()
    {
        return std::unique_ptr<frmKONTEXT11>(static_cast<frmKONTEXT11*>(page->diagramDialog(page->picBILD11(), nullptr)));
    }
    // Whether anything is drawn on the page itself above the diagrams (the header).
    bool headerShown()
    {
        const QImage img = page->picture();
        const int bottom = page->picBILD11()->y() - 4;
        const QRgb back = img.pixel(0, 0);
        for (int y = 0; y < bottom; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != back) return true;
        return false;
    }

    // what OK redraws on screen: the sheet, Bild 11, the head and the table
    void recordScreen() { page->drawer().setScreen(&sheet, {&box11, &box12, &box13}); }

    gfx::RecordingSurface sheet, box11{110, 125}, box12{127, 7}, box13{127, 115};
    std::unique_ptr<mdiSEITE1> page;
};

} // namespace

TEST_F(SettingsDialogs, RescaledLimitsShowAndALimitOutsideTheListSurvivesOk)
{
    auto dlg = dialog11();
    ASSERT_TRUE(dlg);
    // the limits the scale computation just stored are the selected entries
    for (auto [combo, stored] : {std::pair{dlg->cboXMIN(), g0(11, "XMIN")}, std::pair{dlg->cboXDIFF(), g0(11, "XMAX") - g0(11, "XMIN")},
                                 std::pair{dlg->cboYMIN(), g0(11, "YMIN")}, std::pair{dlg->cboYDIFF(), g0(11, "YMAX") - g0(11, "YMIN")}}) {
        EXPECT_GE(combo->currentIndex(), 0) << combo->objectName().toStdString();
        EXPECT_NEAR(vb::ParseNumber(combo->currentText()).value(), stored, 1e-5 * std::abs(stored));
    }
    EXPECT_EQ(dlg->cboYMIN()->count(), 23);
    EXPECT_EQ(dlg->cboZMIN()->count(), 57);

    // a time axis of 0.5 to 13 h is not in the lists; OK keeps it
    s.cnnX.Execute(QStringLiteral("UPDATE [G0] SET [XMIN]=0.5,[XMAX]=13 WHERE [IDOBJEKT]=11"));
    dlg = dialog11();
    EXPECT_EQ(dlg->cboXMIN()->currentIndex(), -1);
    EXPECT_EQ(dlg->cboXMIN()->currentText(), QStringLiteral("0,5"));
    EXPECT_EQ(dlg->cboXDIFF()->currentText(), QStringLiteral("12,5"));
    dlg->cboZMIN()->setEditText(QStringLiteral("100"));
    dlg->cboZDIFF()->setEditText(QStringLiteral("400"));
    const QImage before = page->picBILD11()->picture();
    dlg->cmdOK()->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(ui->boxes().isEmpty());
    EXPECT_FLOAT_EQ(g0(11, "XMIN"), 0.5f);
    EXPECT_FLOAT_EQ(g0(11, "XMAX"), 13.0f);
    // Bild 14 shares the time axis and has its own level limits; both rows get new scale factors
    EXPECT_FLOAT_EQ(g0(14, "XMIN"), 0.5f);
    EXPECT_FLOAT_EQ(g0(14, "XMAX"), 13.0f);
    EXPECT_FLOAT_EQ(g0(14, "YMIN"), 100.0f);
    EXPECT_FLOAT_EQ(g0(14, "YMAX"), 500.0f);
    EXPECT_FLOAT_EQ(g0(14, "RL"), 11.0f); // a row 14 without layout takes the one of row 11
    // redrawn with the kept limits, which also come back after closing and reopening the page
    EXPECT_NE(page->picBILD11()->picture(), before);
    EXPECT_NE(g0(11, "MX"), 0.0f);
    page.reset();
    page = load();
    EXPECT_FLOAT_EQ(g0(11, "XMIN"), 0.5f);
    EXPECT_FLOAT_EQ(g0(11, "XMAX"), 13.0f);
    dlg = dialog11();
    EXPECT_EQ(dlg->cboXMIN()->currentText(), QStringLiteral("0,5"));
    EXPECT_EQ(dlg->cboZDIFF()->currentText(), QStringLiteral("400"));
}

TEST_F(SettingsDialogs, RefusedLimitsAndAFailedWriteStoreNothing)
{
    const QString before = g0Snapshot();
    const QImage picture = page->picBILD11()->picture();
    auto dlg = dialog11();
    dlg->cboYDIFF()->setEditText(QStringLiteral("1E-6x"));
    dlg->chkGITT()->setChecked(false);
    dlg->cmdOK()->click();
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(ui->boxes()[0].text.contains(QStringLiteral("\"1E-6x\" ist keine Zahl")));
    EXPECT_NE(dlg->result(), QDialog::Accepted);

    s.SPRACHE = 1;
    dlg->cboYDIFF()->setEditText(QStringLiteral("1E-6"));
    dlg->cboXDIFF()->setEditText(QStringLiteral("0"));
    dlg->cmdOK()->click();
    ASSERT_EQ(ui->boxes().size(), 2);
    EXPECT_EQ(ui->boxes()[1].title, QStringLiteral("Data error"));
    EXPECT_TRUE(ui->boxes()[1].text.contains(QStringLiteral("greater than 0")));
    QString message;
    EXPECT_FALSE(frmKONTEXT11::limitsOf(s, QStringLiteral("k10"), QStringLiteral("0"), QStringLiteral("1E-6"), true, message));
    EXPECT_TRUE(message.contains(QStringLiteral("logarithmic")));

    // a write that fails half-way leaves G0 as it was
    dlg->cboXDIFF()->setEditText(QStringLiteral("20"));
    s.cnnX.Execute(QStringLiteral("ALTER TABLE [A1] RENAME TO [A1X]"));
    dlg->cmdOK()->click();
    EXPECT_GT(ui->boxes().size(), 2);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(g0Snapshot(), before);
    EXPECT_EQ(page->picBILD11()->picture(), picture);
    EXPECT_EQ(s.cnnX.transactionDepth(), 0);
}

TEST_F(SettingsDialogs, CheckingTheLevelOverlayClearsBothGridOptions)
{
    auto dlg = dialog11();
    EXPECT_TRUE(dlg->chkGITT()->isChecked());
    EXPECT_TRUE(dlg->fraPHI()->isHidden());
    dlg->chkPHI()->click();
    EXPECT_FALSE(dlg->fraPHI()->isHidden());
    for (QWidget* w : {static_cast<QWidget*>(dlg->chkGITT()), static_cast<QWidget*>(dlg->chkGITK10()),
                       static_cast<QWidget*>(dlg->lblK()), static_cast<QWidget*>(dlg->lbl10())})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(dlg->chkGITT()->isChecked());
    EXPECT_FALSE(dlg->chkGITK10()->isChecked());
    // never drawn, the overlay is offered the range a rescale finds for the
    // heads 670 ... 950 mm: from 650 (the list's step below 670) over 300
    EXPECT_EQ(dlg->cboZMIN()->currentText(), QStringLiteral("650"));
    EXPECT_EQ(dlg->cboZDIFF()->currentText(), QStringLiteral("300"));
    dlg->cmdOK()->click();
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    EXPECT_FLOAT_EQ(g0(14, "YMIN"), 650);
    EXPECT_FLOAT_EQ(g0(14, "YMAX"), 950);
    EXPECT_EQ(a1("BILD14AN"), 1);
    EXPECT_EQ(a1("GITT"), 0);
    EXPECT_EQ(a1("GITK10"), 0);
    // unchecked again: the grid boxes are free, still unchecked
    dlg = dialog11();
    EXPECT_TRUE(dlg->chkPHI()->isChecked());
    dlg->chkPHI()->click();
    EXPECT_TRUE(dlg->chkGITT()->isEnabled());
    EXPECT_TRUE(dlg->fraPHI()->isHidden());
}

TEST_F(SettingsDialogs, EvaluatedStepsAreCheckedBeforeAnythingIsStored)
{
    auto dlg = dialog11();
    ASSERT_EQ(dlg->cboVON()->count(), 7);
    EXPECT_EQ(dlg->cboVON()->itemText(3), QStringLiteral("4 – Nr. 4 – 6,00 h")); // the step, the reading it ends at, its time
    EXPECT_EQ(dlg->cboVON()->currentIndex(), 0);
    EXPECT_EQ(dlg->cboBIS()->currentIndex(), 6);
    const QString before = g0Snapshot();
    for (const auto& [von, bis] : {std::pair{"5", "2"}, std::pair{"0", "3"}, std::pair{"2", "8"}, std::pair{"x", "3"}}) {
        dlg->cboVON()->setEditText(QLatin1String(von));
        dlg->cboBIS()->setEditText(QLatin1String(bis));
        dlg->cmdOK()->click();
        ASSERT_EQ(ui->boxes().size(), 1) << von << "-" << bis;
        EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
        ui->clear();
    }
    EXPECT_TRUE(value(QStringLiteral("SELECT [VON] FROM [A1] WHERE [ID]=1")).isNull());
    EXPECT_EQ(g0Snapshot(), before);
    // steps 4 to the last: the last is kept as "to the last"
    recordScreen();
    dlg->cboVON()->setCurrentIndex(3);
    dlg->cboBIS()->setCurrentIndex(6);
    dlg->cmdOK()->click();
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    EXPECT_EQ(a1("VON"), 4);
    EXPECT_TRUE(value(QStringLiteral("SELECT [BIS] FROM [A1] WHERE [ID]=1")).isNull());
    EXPECT_EQ(page->drawer().stepRange().first, 4);
    // the table at once: its foot over steps 4 to 7, reading 2 grey
    int grey = 0;
    for (const gfx::DrawCall& c : box13.texts()) grey += c.color == gfx::QBColor(8) && c.text == QStringLiteral("2");
    EXPECT_TRUE(box13.allText().contains(QStringLiteral("Schritte 4–7")) && grey > 0) << box13.allText().toStdString();
}

TEST_F(SettingsDialogs, PageOptionsWithoutHeaderFooterAndColours)
{
    vb::ScopedScriptedColors colours;
    EXPECT_TRUE(headerShown());
    QPointer<QDialog> d = page->pageDialog(nullptr);
    auto* dlg = static_cast<frmKONTEXT*>(d.data());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Kontextmenü Seite 1"));
    dlg->show();
    EXPECT_TRUE(dlg->chkBOKF()->isChecked());
    EXPECT_TRUE(dlg->chkBOKFS()->isEnabled());

    dlg->chkBOKF()->click();
    EXPECT_FALSE(dlg->chkBOKFS()->isChecked());
    EXPECT_FALSE(dlg->chkBOKFS()->isEnabled());
    colours->answer(0x00FFFF);
    dlg->cmdFARBEN(1)->click();
    dlg->cmdFARBEN(0)->click(); // cancelled: the page colour stays
    ASSERT_EQ(colours->shown().size(), 2);
    EXPECT_EQ(colours->shown()[0].initial, 0xFFFFFF);
    dlg->cmdOK()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
    EXPECT_EQ(page->HBOKF(), 0);
    EXPECT_EQ(page->HBOKFS(), 0);
    EXPECT_FALSE(headerShown());
    for (gfx::PictureBox* box : page->pictureBoxes()) EXPECT_EQ(box->BackColor, 0x00FFFF);
    EXPECT_EQ(page->BackColor, 0xFFFFFF);

    // opened on that page: both unchecked, numbering disabled; Esc changes nothing
    d = page->pageDialog(nullptr);
    dlg = static_cast<frmKONTEXT*>(d.data());
    dlg->show();
    EXPECT_FALSE(dlg->chkBOKF()->isChecked());
    EXPECT_FALSE(dlg->chkBOKFS()->isChecked());
    EXPECT_FALSE(dlg->chkBOKFS()->isEnabled());
    EXPECT_EQ(dlg->cdlFARBEN(1).Color, 0x00FFFF);
    dlg->chkBOKF()->click();
    QTest::keyClick(dlg->chkBOKF(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
    EXPECT_EQ(page->HBOKF(), 0);
}

TEST_F(SettingsDialogs, PageOptionsKeysAndAPageClosedMeanwhile)
{
    QPointer<QDialog> d = page->pageDialog(nullptr);
    auto* dlg = static_cast<frmKONTEXT*>(d.data());
    int quits = 0, helps = 0;
    dlg->quitCommand = [&] { ++quits; };
    dlg->helpCommand = [&] { ++helps; };
    dlg->show();
    dlg->chkBOKF()->setFocus();
    QTest::keyClick(dlg->chkBOKF(), Qt::Key_Return);
    EXPECT_EQ(dlg->focusWidget(), dlg->chkBOKFS()); // Enter moves on like Tab
    EXPECT_TRUE(dlg->chkBOKF()->isChecked());
    QTest::keyClick(dlg, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(dlg, Qt::Key_F1);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(helps, 1);

    // the page goes away while the dialog is open: Ctrl+S just closes it
    dlg->chkBOKF()->click();
    page.reset();
    QTest::keyClick(dlg, Qt::Key_S, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
}

TEST_F(SettingsDialogs, MultiplePageSwitchesAreStoredAndRedrawn)
{
    EXPECT_EQ(page->diagramDialog(page->picBILD13(), nullptr), nullptr);
    mdiMSEITE1 multi(s);
    multi.Form_Load();
    const QImage before = multi.picBILD110()->picture();
    std::unique_ptr<QDialog> d(multi.diagramDialog(multi.picBILD120(), nullptr));
    auto* dlg = qobject_cast<frmKONTEXT110*>(d.get());
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(dlg->chkBESCHR()->isChecked());
    EXPECT_FALSE(dlg->chkGITT()->isChecked());
    EXPECT_TRUE(dlg->chkGITK10()->isChecked());
    dlg->chkBESCHR()->click();
    dlg->chkGITT()->click();
    dlg->cmdOK()->click();
    EXPECT_EQ(value(QStringLiteral("SELECT [BESCHR11] || [GITT] || [GITK10] FROM [M1] WHERE [IDM]=1")).toString(), QStringLiteral("011"));
    EXPECT_NE(multi.picBILD110()->picture(), before); // time grid drawn, label gone
}

TEST_F(SettingsDialogs, RightClickOnTheDiagramSetsItsAxes)
{
    page->show();
    const QString opened = testsupport::onModalDialog(
        [&] { QTest::mouseClick(page->picBILD11(), Qt::RightButton, {}, QPoint(60, 60)); },
        [](QWidget* w) {
            auto* dlg = qobject_cast<frmKONTEXT11*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            dlg->cboXMIN()->setCurrentText(QStringLiteral("0"));
            dlg->cboXDIFF()->setCurrentText(QStringLiteral("20"));
            dlg->cboYMIN()->setCurrentText(QStringLiteral("1E-08"));
            dlg->cboYDIFF()->setCurrentText(QStringLiteral("9,9E-07"));
            dlg->cmdOK()->click();
        });
    ASSERT_EQ(opened, QStringLiteral("frmKONTEXT11"));
    EXPECT_FLOAT_EQ(g0(11, "XMAX"), 20.0f);
    EXPECT_FLOAT_EQ(g0(11, "YMIN"), 1e-8f);
    EXPECT_NEAR(g0(11, "YMAX"), 1e-6, 1e-12);
    // the reopened page draws the diagram just as it was redrawn
    const QImage redrawn = page->picBILD11()->picture();
    page.reset();
    page = load();
    EXPECT_EQ(page->picBILD11()->picture(), redrawn);
}

TEST_F(SettingsDialogs, MultiplePageOnALogarithmicAxisDrawsBothDiagramsAndKeepsTheTick)
{
    mdiMSEITE1 multi(s);
    multi.Form_Load();
    gfx::RecordingSurface box110(117.5, 125), box120(117.5, 125);
    multi.drawer().setScreen(&sheet, {&box110, &box120});
    for (bool reopened : {false, true}) {
        std::unique_ptr<QDialog> d(multi.diagramDialog(multi.picBILD110(), nullptr));
        auto* dlg = qobject_cast<frmKONTEXT110*>(d.get());
        EXPECT_EQ(dlg->chkLOGK10()->isChecked(), reopened);
        if (!reopened) dlg->chkLOGK10()->click();
        dlg->cmdOK()->click();
        EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    }
    // both diagrams: decades on the axis, the record's curve and point inside the plot
    for (const gfx::RecordingSurface* box : {&box110, &box120}) {
        EXPECT_TRUE(box->allText().contains(QStringLiteral("1*10-7")) && box->allText().contains(QStringLiteral("t [h]")));
        int inside = 0;
        for (const gfx::DrawCall& c : box->calls())
            inside += c.color == gfx::QBColor(gfx::symbolColourIndex(0)) && c.kind != gfx::DrawCall::Text && c.a.y() > 10 && c.a.y() < 114;
        EXPECT_GT(inside, 0) << box->allText().toStdString();
    }
}

// The log head with its fitted line: offered with the overlay only, stored in
// A1, drawn on its own logarithmic axis over Bild 11's time axis, and the
// straight line's k10 below the table foot.
TEST_F(SettingsDialogs, LogHeadWithFittedLineIsStoredAndDrawnWithItsLineInTheFoot)
{
    recordScreen();
    auto dlg = dialog11();
    EXPECT_FALSE(dlg->chkLOGPHI()->isEnabled());
    dlg->chkPHI()->click();
    ASSERT_TRUE(dlg->chkLOGPHI()->isEnabled());
    dlg->chkLOGPHI()->click();
    dlg->cboVON()->setCurrentIndex(3);
    dlg->cmdOK()->click();
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    EXPECT_EQ(a1("LOGPHI"), 1);

    // heads 950 - 40 i mm relative to reading 3 (830 mm): 1.14 ... 0.81 on decades
    for (const char* c : {"XMIN", "XMAX"}) EXPECT_FLOAT_EQ(g0(15, c), g0(11, c)) << c;
    EXPECT_GT(g0(15, "YMIN"), 0);
    EXPECT_LE(g0(15, "YMIN"), 0.8f);
    EXPECT_GE(g0(15, "YMAX"), 1.15f);
    EXPECT_EQ(g0(14, "YMIN"), 650); // the linear overlay's limits stay

    const HeadFit fit = page->drawer().fit();
    ASSERT_TRUE(fit.evaluable);
    EXPECT_EQ(fit.r0, 3);
    EXPECT_EQ(fit.points, 5);
    const QString foot = box13.allText();
    EXPECT_TRUE(foot.contains(QStringLiteral("Gerade (ln")) && foot.contains(QStringLiteral(" m/s, 95 %: ")) &&
                foot.contains(QStringLiteral("R² = 0,9")))
        << foot.toStdString();

    dlg = dialog11();
    EXPECT_TRUE(dlg->chkLOGPHI()->isChecked());
}
