// Printing a result page into a PDF file, read back with poppler's tools.
#include "common/PdfText.h"
#include "common/TestSupport.h"
#include "data/Schema.h"
#include "graphics/RecordingSurface.h"
#include "pages/PagePrinter.h"
#include "TestPage.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class Print : public ::testing::Test {
protected:
    Print()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        const QString db = dir.file(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(db);
        s.cnnX.OpenFile(db);
        s.cnnX.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (1,'B1',1)"));
        s.cnnX.Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],"
                                      "[YMIN],[YMAX],[MYMX],[MX],[MY]) VALUES (1,11,1,1,11,12,10,11,0,0,0,0,0,0,0)"));
        page = std::make_unique<TestPage>(s);
        page->drawer().rescale = -1; // as after an evaluation: the limits come from the data
        page->drawScreen();
        page->drawer().rescale = 0;
    }

    QList<double> g0()
    {
        ado::Recordset rs(QStringLiteral("SELECT [XMIN],[XMAX],[YMIN],[YMAX],[MX],[MY] FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=11"), s.cnnX);
        QList<double> v;
        for (int c = 0; c < 6; ++c) v.append(rs.Value(c).toDouble());
        return v;
    }

    bool print(const QString& pdf)
    {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        return page->DRUCKEN(*printer);
    }

    testsupport::TempDir dir;
    Session s;
    vb::ScopedScriptedUi ui;
    std::unique_ptr<TestPage> page;
};

} // namespace

TEST_F(Print, OneA4LandscapeSheetWithThePageTextsAndTheScreenScalesUntouched)
{
    const QList<double> before = g0();
    ASSERT_NE(before[4], 0.0); // the screen stored its scale factors
    const QString pdf = dir.file(QStringLiteral("seite1.pdf"));
    ASSERT_TRUE(print(pdf));
    EXPECT_TRUE(ui->boxes().isEmpty());

    const QString info = testsupport::pdfInfo(pdf);
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12][.0-9]* x 595")))) << info.toStdString();
    const QString text = testsupport::pdfText(pdf);
    for (const char* t : {"Zeitverlauf des Durchlässigkeitsbeiwertes", "n = 3", "* nicht auswertbar", "Kennzeichnung B1",
                          "Kopfzeile Projekt DEMO", "Fusszeile mdiSEITE1", "t [h]"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t << "\n" << text.toStdString();
    EXPECT_EQ(g0(), before);
}

TEST_F(Print, WithoutHeaderAndFooterOnlyTheDiagramsArePrintedAndTheScreenFollows)
{
    page->KONTEXT(0, 0, 0xFFFFFF, 0xFFFFFF);
    const QString pdf = dir.file(QStringLiteral("ohne.pdf"));
    ASSERT_TRUE(print(pdf));
    const QString text = testsupport::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("n = 3")));
    EXPECT_FALSE(text.contains(QStringLiteral("Kopfzeile")));
    EXPECT_FALSE(text.contains(QStringLiteral("Fusszeile")));
    EXPECT_EQ(page->HBOKF(), 0);
}

TEST_F(Print, CancelInTheFailureBoxPrintsNothingOfThePageOkPrintsTheRest)
{
    page->drawer().failOnPaper = QStringLiteral("BILD11");
    ui->answer(vb::vbCancel);
    const QString cancelled = dir.file(QStringLiteral("cancelled.pdf"));
    EXPECT_FALSE(print(cancelled));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Drucken von Seite 1"));
    EXPECT_TRUE(ui->boxes()[0].text.startsWith(QStringLiteral("VB-Error: 5"))) << ui->boxes()[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cancelled));

    ui->answer(vb::vbOK);
    const QString resumed = dir.file(QStringLiteral("resumed.pdf"));
    EXPECT_TRUE(print(resumed));
    const QString text = testsupport::pdfText(resumed);
    EXPECT_TRUE(text.contains(QStringLiteral("* nicht auswertbar")));
    EXPECT_FALSE(text.contains(QStringLiteral("n = 3")));
}

TEST_F(Print, TwoPagesOnOneDocumentBecomeTwoSheets)
{
    TestPage second(s, QStringLiteral("mdiMSEITE1"));
    const QString pdf = dir.file(QStringLiteral("zwei.pdf"));
    {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        PagePrinter document(*printer);
        EXPECT_TRUE(page->DRUCKEN(document));
        EXPECT_TRUE(second.DRUCKEN(document));
        EXPECT_TRUE(document.finish());
    }
    EXPECT_EQ(testsupport::pdfPages(pdf), 2);
}

// The scales on paper follow the paper's diagram size; the stored ones stay the screen's.
TEST_F(Print, PaperScalesAreComputedForThePaperAndNotStored)
{
    const QList<double> before = g0();
    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    clsGRAFIK g(s);
    g.setEID(1);
    g.setEIDOBJEKT(11);
    g.setEOBJEKT(&paper);
    g.setELX(124);
    g.setELY(141);
    g.setELXMIN({0, 10, 20});
    g.setELXDIFF({10, 20});
    g.setELYMIN({0, 1e-6f});
    g.setELYDIFF({1e-6f});
    g.SKALEN(0);
    EXPECT_FLOAT_EQ(g.MX(), (g.XMAX() - g.XMIN()) / (124 - 11 - 12));
    EXPECT_FLOAT_EQ(g.MY(), (g.YMAX() - g.YMIN()) / (141 - 10 - 11));
    EXPECT_NE(g.MX(), static_cast<float>(before[4])); // the screen's diagram is narrower
    EXPECT_EQ(g0(), before);
}

TEST_F(Print, KeysForwardToThePanelsAndTheQuitCommand)
{
    QList<int> panels;
    int quits = 0;
    page->panelCommand = [&](int n) { panels.append(n); };
    page->quitCommand = [&] { ++quits; };
    page->show();
    for (auto [key, mods] : std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_A, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier},
             {Qt::Key_P, Qt::ControlModifier}, {Qt::Key_S, Qt::ControlModifier}, {Qt::Key_W, Qt::ControlModifier},
             {Qt::Key_Q, Qt::AltModifier}, {Qt::Key_P, Qt::NoModifier}})
        QTest::keyClick(page.get(), key, mods);
    EXPECT_EQ(panels, (QList<int>{15, 14, 12, 11, 10, 13}));
    EXPECT_EQ(quits, 1);
}

namespace {

// A page over three sheets that can fail while the third is drawn; no window.
class ThreeSheetPage : public TestDrawer {
public:
    explicit ThreeSheetPage(Session& s) : TestDrawer(s) { useOffscreenScreen(96 / 25.4); }
    int printSheets(gfx::Surface&) override { return 3; }
    void KOPFFUSSZEILE(short mode, gfx::Surface* object) override
    {
        TestDrawer::KOPFFUSSZEILE(mode, object);
        if (mode == 1) object->Print(QStringLiteral("Blatt %1 von %2").arg(printSheet() + 1).arg(printSheetCount()));
        if (mode == 1 && failOnSheet == printSheet()) vb::Raise(5, QStringLiteral("Testfehler"));
    }
    int failOnSheet = -1;
};

} // namespace

TEST_F(Print, APageOverSeveralSheetsGoesOutWholeOrNotAtAll)
{
    ThreeSheetPage three(s);
    const QString pdf = dir.file(QStringLiteral("drei.pdf"));
    ASSERT_TRUE(three.print(*gfx::PrinterSurface::pdfWriter(pdf)));
    EXPECT_EQ(testsupport::pdfPages(pdf), 3);
    const QString text = testsupport::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Blatt 3 von 3")));
    EXPECT_EQ(text.count(QStringLiteral("n = 3")), 1); // the diagrams only on the first sheet
    EXPECT_EQ(three.printSheet(), 0);
    EXPECT_EQ(three.printSheetCount(), 1);

    three.failOnSheet = 2;
    ui->answer(vb::vbCancel);
    const QString cancelled = dir.file(QStringLiteral("abgebrochen.pdf"));
    EXPECT_FALSE(three.print(*gfx::PrinterSurface::pdfWriter(cancelled)));
    EXPECT_EQ(ui->boxes().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(cancelled));
}
