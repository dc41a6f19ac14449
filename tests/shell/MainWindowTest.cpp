// The main window over a temporary frame installation: start screen, about
// box, closing; offscreen.
#include "FrameInstallation.h"

#include "shell/Commands.h"
#include "shell/StatusBar.h"
#include "shell/frmINFO.h"
#include "shell/frmMAIN.h"
#include "shell/mdiAUTOSTART.h"

#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Commands::clear(); }
    void TearDown() override { Commands::clear(); }

    std::unique_ptr<frmMAIN> start(const QString& language = QStringLiteral("de"))
    {
        fi.sys->language = language;
        auto w = std::make_unique<frmMAIN>(fi.session);
        EXPECT_TRUE(w->load());
        return w;
    }

    FrameInstallation fi;
};

TEST_F(MainWindowTest, ShowsTheStartScreenAndThePanels)
{
    auto w = start();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvalis"));
    ASSERT_NE(w->startScreen(), nullptr);
    EXPECT_EQ(w->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(w->startScreen()->isVisible());
    ASSERT_NE(w->pgbBERECHNEN(), nullptr);
    EXPECT_FALSE(w->pgbBERECHNEN()->isVisible());
    EXPECT_EQ(w->stbMAIN()->panelWidget(2)->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(w->stbMAIN()->panelWidget(4)->text(), QStringLiteral("TALPEX"));
    EXPECT_EQ(w->stbMAIN()->panelWidget(6)->text(), QStringLiteral("-"));
    for (int n = 8; n <= 15; ++n) EXPECT_FALSE(w->stbMAIN()->panelWidget(n)->isVisible()) << n;
    EXPECT_EQ(w->startScreen()->lblKOPF(2)->text().left(14), QStringLiteral("Vorsitzender: "));
    EXPECT_EQ(w->startScreen()->lblVERSION()->text(), QStringLiteral("Version Jänner 2002"));
    EXPECT_EQ(w->startScreen()->lblTITEL()->text(), QStringLiteral("Pervatum"));
}

TEST_F(MainWindowTest, StartScreenInEnglish)
{
    auto w = start(QStringLiteral("en"));
    mdiAUTOSTART* a = w->startScreen();
    EXPECT_TRUE(a->lblKOPF(2)->text().startsWith(QStringLiteral("Head of Found.: ")));
    EXPECT_TRUE(a->lblKOPF(3)->text().startsWith(QStringLiteral("Phone: ")));
    EXPECT_TRUE(a->lblKOPF(3)->text().contains(QStringLiteral(", E-Mail: ")));
    EXPECT_EQ(a->lblVERSION()->text(), QStringLiteral("Version January 2002"));
    EXPECT_FALSE(a->pgbBERECHNEN()->isVisible());
}

TEST_F(MainWindowTest, StartScreenLayoutFollowsTheWindow)
{
    auto w = start();
    mdiAUTOSTART* a = w->startScreen();
    const int W = a->width(), H = a->height();
    const QLabel* title = a->lblTITEL();
    EXPECT_NEAR(title->x() + title->width() / 2, W / 2, 1);
    EXPECT_NEAR(title->y(), (H - title->height()) / 2.75, 1);
    EXPECT_EQ(a->pgbBERECHNEN()->width(), W / 4);
    EXPECT_LT(a->pgbBERECHNEN()->y(), a->lblVERSION()->y());
}

TEST_F(MainWindowTest, StartScreenCannotBeClosedByTheUser)
{
    auto w = start();
    QMdiSubWindow* sub = w->mdiArea()->subWindowList().first();
    EXPECT_FALSE(sub->close());
    w->mdiArea()->closeAllSubWindows();
    EXPECT_EQ(w->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(w->startScreen()->isVisible());
}

TEST_F(MainWindowTest, ClosingFromTheCloseBoxCleansUpAndStartsTheFrame)
{
    fi.createFrameProgram();
    auto w = start();
    w->closeAs(vbFormControlMenu);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_EQ(fi.sys->started, QStringList{fi.root() + QStringLiteral("/MORVANT")});
}

TEST_F(MainWindowTest, QuitAsksToSaveAndCopiesBack)
{
    fi.createFrameProgram();
    auto w = start();
    FrameInstallation::addRecord(fi.workingCopy(), 3, QStringLiteral("Q3"), true);
    fi.session.GEAENDERT = true;
    fi.ui->answer(vb::vbYes);
    w->menuItem(QStringLiteral("mnuBEENDEN"))->trigger();
    ASSERT_EQ(fi.ui->boxes().size(), 1);
    EXPECT_EQ(fi.ui->boxes()[0].title, QStringLiteral("Beenden"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.projectDb(), QStringLiteral("Q3")));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_TRUE(fi.sys->started.isEmpty()); // Quit does not return to the frame program
}

TEST_F(MainWindowTest, CancelledSaveQuestionKeepsTheWindow)
{
    auto w = start();
    fi.session.GEAENDERT = true;
    fi.ui->answer(vb::vbCancel);
    w->menuItem(QStringLiteral("mnuSCHLIESSEN"))->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(fi.workingCopy()));
    fi.ui->answer(vb::vbNo);
    w->closeAs(vbFormControlMenu);
    EXPECT_FALSE(w->isVisible());
}

TEST(AboutBox, ShowsMakerAndProgram)
{
    frmINFO de(3);
    EXPECT_EQ(de.windowTitle(), QStringLiteral("Info zu TALPEX"));
    EXPECT_TRUE(de.lblGEO(3)->text().startsWith(QStringLiteral("Vorsitzender: ")));
    EXPECT_TRUE(de.lblGEO(4)->text().startsWith(QStringLiteral("Telefon: ")));
    EXPECT_TRUE(de.lblGEO(5)->text().startsWith(QStringLiteral("Fax: ")));
    EXPECT_EQ(de.lblINFO(0)->text(), QStringLiteral("Orvalis"));
    EXPECT_EQ(de.lblINFO(1)->text(), QStringLiteral("Pervatum"));
    EXPECT_EQ(de.lblINFO(4)->text(), QStringLiteral("Version Jänner 2002"));
    EXPECT_TRUE(de.lblINFO(6)->text().startsWith(QStringLiteral("Programmentwicklung: ")));
    EXPECT_EQ(de.cmdSCHLIESSEN()->text(), QStringLiteral("Schließen"));
    frmINFO en(1);
    EXPECT_EQ(en.windowTitle(), QStringLiteral("Info of TALPEX"));
    EXPECT_TRUE(en.lblGEO(3)->text().startsWith(QStringLiteral("Head of Found.: ")));
    EXPECT_EQ(en.cmdSCHLIESSEN()->text(), QStringLiteral("Done"));
    EXPECT_TRUE(en.lblINFO(6)->text().startsWith(QStringLiteral("Program developed by: ")));
}

TEST(AboutBox, CreditsAreCutAtTheFirstCommaFromPositionFifty)
{
    EXPECT_EQ(frmINFO::creditsLine(QStringLiteral("P: "), QStringLiteral("A, B")), QStringLiteral("P: A, B"));
    const QString names = QString(48, QLatin1Char('x')) + QStringLiteral(", yyyy, zzzz"); // comma at 49
    EXPECT_EQ(frmINFO::creditsLine(QString(), names), QString(48, QLatin1Char('x')) + QStringLiteral(", yyyy ..."));
    const QString at50 = QString(49, QLatin1Char('x')) + QStringLiteral(", y"); // comma at 50
    EXPECT_EQ(frmINFO::creditsLine(QString(), at50), QString(49, QLatin1Char('x')) + QStringLiteral(" ..."));
    const QString noComma = QString(60, QLatin1Char('x'));
    EXPECT_EQ(frmINFO::creditsLine(QString(), noComma), noComma);
}

} // namespace
