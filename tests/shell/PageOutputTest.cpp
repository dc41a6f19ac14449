// The status-bar commands on loaded result pages (panels 10-13) and the batch
// print, on a real main window over a temporary installation.
#include "RecordFixture.h"
#include "common/PdfText.h"
#include "common/TestSupport.h"
#include "common/WidgetSupport.h"
#include "pagewindows/TestPage.h"
#include "widgets/HelpViewer.h"
#include "widgets/PrintDialog.h"
#include "batch/BatchPrint.h"
#include "shell/Commands.h"
#include "shell/EvaluationCommands.h"
#include "shell/PageOutput.h"
#include "shell/StatusPanels.h"
#include "shell/frmANZEIGEN.h"
#include "shell/frmMAIN.h"

#include <QApplication>
#include <QDialog>
#include <QTextStream>
#include <QTest>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class PageOutputTest : public ::testing::Test {
protected:
    PageOutputTest()
    {
        PageOutput::registerAll();
        main = &rf.start();
        rf.addRecord(1, QStringLiteral("B1"), true);
        rf.cnn().Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],"
                                        "[YMIN],[YMAX],[MYMX],[MX],[MY]) VALUES (1,11,1,1,11,12,10,11,0,20,0,5E-7,0,0,0)"));
        main->panels().setText(6, QStringLiteral("B1"));
        main->panels().setVisible(10, 15, true);
    }

    // A loaded page shown as the main window shows it.
    TestPage* open(const QString& name)
    {
        auto* page = new TestPage(rf.fi.session, name);
        EvaluationCommands::connectResultPage(*main, page);
        page->drawScreen();
        main->showChild(page);
        return page;
    }

    frmANZEIGEN* showDialog()
    {
        main->stbMAIN_PanelClick(10);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<frmANZEIGEN*>(w); d && d->isVisible()) return d;
        return nullptr;
    }

    QString screenshot(const QString& name) { return PageOutput::screenshotFolder(*main) + name + QStringLiteral(".bmp"); }

    RecordFixture rf;
    frmMAIN* main = nullptr;
};

} // namespace

TEST_F(PageOutputTest, PageListGoesByKindAndTheDialogKeepsTheNumberWithinTheCount)
{
    TestPage* multiple = open(QStringLiteral("mdiMSEITE1"));
    TestPage* single = open(QStringLiteral("mdiSEITE1"));
    EXPECT_EQ(PageOutput::pageList(*main), (QList<ResultPage*>{single, multiple}));
    EXPECT_EQ(PageOutput::frontPage(*main, PageOutput::pageList(*main)), 1);

    QPointer<frmANZEIGEN> dlg = showDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Anzeigen"));
    EXPECT_EQ(dlg->lblSEITEN[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(dlg->txtSEITE->text(), QStringLiteral("1"));
    for (auto [typed, shown] : std::initializer_list<std::pair<const char*, const char*>>{
             {"0", "1"}, {"-3", "1"}, {"abc", "1"}, {"7", "2"}, {"", "1"}, {"2", "2"}}) {
        dlg->txtSEITE->setText(QString::fromLatin1(typed));
        dlg->txtSEITE_LostFocus();
        EXPECT_EQ(dlg->txtSEITE->text(), QString::fromLatin1(shown)) << typed;
    }
    dlg->cmdOK->click();
    ASSERT_TRUE(dlg);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(multiple->parentWidget()->isVisible());
    EXPECT_TRUE(multiple->parentWidget()->isMaximized());
    EXPECT_FALSE(single->parentWidget()->isVisible());
    EXPECT_EQ(main->mdiArea()->currentSubWindow(), multiple->parentWidget());
    EXPECT_FALSE(main->panels().isVisible(10)); // the page in front hides "Anzeigen"

    // A page closed while the dialog is open can no longer be chosen.
    dlg = showDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->txtSEITE->text(), QStringLiteral("2"));
    multiple->parentWidget()->close();
    QApplication::processEvents();
    dlg->cmdOK->click();
    EXPECT_TRUE(single->parentWidget()->isVisible());
    EXPECT_EQ(PageOutput::pageList(*main).size(), 1);
}

TEST_F(PageOutputTest, EnglishCaptions)
{
    rf.fi.session.SPRACHE = 1;
    open(QStringLiteral("mdiSEITE1"));
    frmANZEIGEN* dlg = showDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Show"));
    EXPECT_EQ(dlg->lblSEITEN[0]->text(), QStringLiteral("Available Pages:"));
    EXPECT_EQ(dlg->lblSEITE->text(), QStringLiteral("Show Page Nr.: "));
    EXPECT_EQ(dlg->cmdABBRECHEN->text(), QStringLiteral("Cancel"));
    dlg->cmdABBRECHEN->click();
}

TEST_F(PageOutputTest, PrintsTheRangeTheUserChoseOnThePrinterTheUserChose)
{
    open(QStringLiteral("mdiSEITE1"));
    open(QStringLiteral("mdiMSEITE1"));
    vb::ScopedScriptedPrintDialog dialog;
    const QString all = rf.fi.root() + QStringLiteral("/alle.pdf");
    const QString second = rf.fi.root() + QStringLiteral("/zweite.pdf");
    dialog->answers = {{vb::PrintRange{true, 1, 1}, all, {}}, {vb::PrintRange{false, 2, 2}, second, {}}, {}};

    main->stbMAIN_PanelClick(11);
    ASSERT_EQ(dialog->shown.size(), 1);
    EXPECT_EQ(dialog->shown[0].maxPage, 2);
    EXPECT_EQ(dialog->shown[0].from, 2); // the page in front
    EXPECT_EQ(dialog->shown[0].to, 2);
    EXPECT_EQ(testsupport::pdfPages(all), 2);
    const QString both = testsupport::pdfText(all);
    EXPECT_LT(both.indexOf(QStringLiteral("Fusszeile mdiSEITE1")), both.indexOf(QStringLiteral("Fusszeile mdiMSEITE1")));

    main->stbMAIN_PanelClick(11);
    EXPECT_EQ(testsupport::pdfPages(second), 1);
    const QString one = testsupport::pdfText(second);
    EXPECT_TRUE(one.contains(QStringLiteral("Fusszeile mdiMSEITE1")));
    EXPECT_FALSE(one.contains(QStringLiteral("Fusszeile mdiSEITE1")));

    main->stbMAIN_PanelClick(11); // cancelled: silent
    EXPECT_EQ(dialog->shown.size(), 3);
    EXPECT_TRUE(rf.fi.ui->boxes().isEmpty());
}

TEST_F(PageOutputTest, ScreenshotGoesIntoTheProjectsJpgFolderUnderTheConfirmedName)
{
    open(QStringLiteral("mdiSEITE1"));
    const QString folder = rf.fi.projectsFolder() + QStringLiteral("/DEMO/JPG/");
    EXPECT_EQ(PageOutput::screenshotFolder(*main), folder);
    ASSERT_FALSE(QFileInfo::exists(folder));

    main->stbMAIN_PanelClick(12); // the proposed name is confirmed
    ASSERT_EQ(rf.fi.ui->boxes().size(), 1);
    EXPECT_EQ(rf.fi.ui->boxes()[0].title, QStringLiteral("KOPIE"));
    EXPECT_EQ(rf.fi.ui->boxes()[0].text,
              QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + folder + QStringLiteral("B1-1.bmp"));
    QFile bmp(folder + QStringLiteral("B1-1.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));
    const QImage image(bmp.fileName());
    EXPECT_GT(image.width(), 500);
    bmp.close();

    // an existing file is replaced only when the user says so
    const qint64 size = QFileInfo(bmp).size();
    QFile::resize(bmp.fileName(), 10);
    rf.fi.ui->clear();
    rf.fi.ui->answer(vb::vbNo);
    main->stbMAIN_PanelClick(12);
    EXPECT_EQ(QFileInfo(bmp).size(), 10);
    rf.fi.ui->answer(vb::vbYes);
    main->stbMAIN_PanelClick(12);
    EXPECT_EQ(QFileInfo(bmp).size(), size);

    // nothing for an empty answer, Cancel, or a name that leaves the folder
    rf.fi.ui->clear();
    for (const std::optional<QString>& answer : {std::optional<QString>(QString()), std::optional<QString>(),
                                                 std::optional<QString>(QStringLiteral("../B1")),
                                                 std::optional<QString>(QStringLiteral("sub/B1"))}) {
        rf.fi.ui->answerInput(answer);
        main->stbMAIN_PanelClick(12);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("B1-1.bmp")});
    EXPECT_FALSE(QFileInfo::exists(rf.fi.projectsFolder() + QStringLiteral("/DEMO/B1.bmp")));
    ASSERT_EQ(rf.fi.ui->boxes().size(), 6); // four questions, two refusals
    EXPECT_TRUE(rf.fi.ui->boxes()[5].text.contains(QStringLiteral("\"JPG\"")));
    EXPECT_EQ(rf.fi.ui->boxes()[5].icon(), vb::vbExclamation);
}

TEST_F(PageOutputTest, TheProposedScreenshotNameIsAlwaysAcceptedAndOnlyWaysOutAreRefused)
{
    struct Case {
        const char* text;
        const char* toolTip;
        const char* proposed;
    };
    for (const Case& c : {Case{"B1", "", "B1-1"}, Case{"B1,...", "B1, B2", "B1_B2-1"}, Case{"..", "", "..-1"},
                          Case{"a/b,...", "a/b, c\\d, 0123456789, 0123456789, 0123456789, XYZ", "a_b_c_d_0123456789_0123456789_0123456789-1"}}) {
        const QString proposed = PageOutput::proposedName(QString::fromLatin1(c.text), QString::fromLatin1(c.toolTip));
        EXPECT_EQ(proposed, QString::fromLatin1(c.proposed));
        EXPECT_TRUE(PageOutput::refusedName(proposed, 3).isEmpty()) << c.proposed;
    }
    for (const char* refused : {"..", "../B1", "sub/B1", "sub\\B1", "/B1"})
        EXPECT_FALSE(PageOutput::refusedName(QString::fromLatin1(refused), 3).isEmpty()) << refused;

    // several records: the default answer is saved under the proposed name
    open(QStringLiteral("mdiMSEITE1"));
    main->panels().setText(6, QStringLiteral("B1,..."));
    main->panels().setToolTip(6, QStringLiteral("B1, B2"));
    main->stbMAIN_PanelClick(12);
    EXPECT_EQ(rf.fi.ui->boxes().size(), 1); // the question only
    EXPECT_TRUE(QFileInfo::exists(screenshot(QStringLiteral("B1_B2-1"))));
}

TEST_F(PageOutputTest, DialogsAlreadyOpenAreShownInsteadOfAnotherCopy)
{
    TestPage* page = open(QStringLiteral("mdiSEITE1"));
    auto visible = [](const char* className) {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->isVisible() && QLatin1String(w->metaObject()->className()) == QLatin1String(className);
        return n;
    };
    main->stbMAIN_PanelClick(10);
    QTest::keyClick(page, Qt::Key_S, Qt::ControlModifier); // Ctrl+S is panel 10 as well
    EXPECT_EQ(visible("frmANZEIGEN"), 1);
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(3, page->height() / 2));
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(3, page->height() / 2));
    EXPECT_EQ(visible("frmKONTEXT"), 1);
}

namespace {
QStringList* g_warnings = nullptr;
}

TEST_F(PageOutputTest, ClosingThePagesRemovesEachWindowOnce)
{
    open(QStringLiteral("mdiSEITE1"));
    open(QStringLiteral("mdiMSEITE1"));
    QStringList warnings;
    g_warnings = &warnings;
    const QtMessageHandler before = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
        if (g_warnings) g_warnings->append(m);
    });
    main->stbMAIN_PanelClick(15);
    QApplication::processEvents();
    open(QStringLiteral("mdiSEITE1"));
    rf.fi.ui->answer(vb::vbNo); // nothing to save
    main->closeAs(vbAppWindows); // the end of the run
    QApplication::processEvents();
    qInstallMessageHandler(before);
    g_warnings = nullptr;
    EXPECT_TRUE(PageOutput::pageList(*main).isEmpty());
    EXPECT_FALSE(warnings.join(QLatin1Char('\n')).contains(QStringLiteral("removeSubWindow"))) << warnings.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PageOutputTest, WordTransferWritesAnOpenDocumentAndSaysSoWhenNoWordProcessorStarts)
{
    open(QStringLiteral("mdiSEITE1"));
    vb::ScopedScriptedHelp help;
    main->stbMAIN_PanelClick(13);
    ASSERT_EQ(help->documents.size(), 1);
    const QString doc = help->documents[0];
    EXPECT_EQ(QFileInfo(doc).absolutePath(), rf.fi.projectsFolder() + QStringLiteral("/DEMO"));
    EXPECT_TRUE(doc.endsWith(QStringLiteral(".odt")));
    QFile f(doc);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("PK")); // an OpenDocument package
    EXPECT_TRUE(bytes.contains("application/vnd.oasis.opendocument.text"));
    EXPECT_TRUE(rf.fi.ui->boxes().isEmpty());

    help->documentsOpen = false;
    main->stbMAIN_PanelClick(13);
    ASSERT_EQ(help->documents.size(), 2);
    EXPECT_NE(help->documents[1], doc); // the first document is kept
    ASSERT_EQ(rf.fi.ui->boxes().size(), 1);
    EXPECT_EQ(rf.fi.ui->boxes()[0].title, QStringLiteral("Word"));
    EXPECT_TRUE(rf.fi.ui->boxes()[0].text.contains(help->documents[1])) << rf.fi.ui->boxes()[0].text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(help->documents[1]));
}

TEST_F(PageOutputTest, TheEvaluatedPagePrintsOnPaperWithoutTouchingItsStoredScales)
{
    EvaluationCommands::registerAll();
    rf.cnn().Execute(QStringLiteral("DELETE FROM [G0]"));
    const float hst[] = {10, 20, 25, 28};
    for (int i = 0; i < 4; ++i)
        rf.cnn().Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST],[HKO]) VALUES (1,%1,%2,10,%3,5)")
                             .arg(i).arg(i == 0 ? 0 : 30).arg(hst[i]));
    main->menuItem(QStringLiteral("mnuNEUBERECHNEN"))->trigger();
    ASSERT_EQ(PageOutput::pageList(*main).size(), 1);
    ResultPage* page = PageOutput::pageList(*main)[0];
    auto scales = [&] {
        QStringList rows;
        for (ado::Recordset rs(QStringLiteral("SELECT * FROM [G0] ORDER BY [IDOBJEKT]"), rf.cnn()); !rs.Eof(); rs.MoveNext())
            for (const char* c : {"IDOBJEKT", "XMIN", "XMAX", "YMIN", "YMAX", "MX", "MY"})
                rows << rs.Value(QString::fromLatin1(c)).toString();
        return rows;
    };
    const QStringList before = scales();
    ASSERT_FALSE(before.isEmpty());

    vb::ScopedScriptedPrintDialog dialog;
    const QString with = rf.fi.root() + QStringLiteral("/mit.pdf"), without = rf.fi.root() + QStringLiteral("/ohne.pdf");
    dialog->answers = {{vb::PrintRange{}, with, {}}, {vb::PrintRange{}, without, {}}};
    main->stbMAIN_PanelClick(11);
    page->KONTEXT(0, 0, 0xFFFFFF, 0xFFFFFF);
    main->stbMAIN_PanelClick(11);
    EXPECT_TRUE(rf.fi.ui->boxes().isEmpty()) << rf.fi.ui->boxes().value(0).text.toStdString();
    EXPECT_EQ(scales(), before);

    const QString full = testsupport::pdfText(with), bare = testsupport::pdfText(without);
    for (const char* t : {"Zeitverlauf des Durchlässigkeitsbeiwertes", "n = 1"}) {
        EXPECT_TRUE(full.contains(QString::fromUtf8(t))) << t;
        EXPECT_TRUE(bare.contains(QString::fromUtf8(t))) << t;
    }
    EXPECT_TRUE(full.contains(QStringLiteral("Bearbeiter")));
    EXPECT_TRUE(full.contains(QStringLiteral("Datensatz B1")));
    EXPECT_FALSE(bare.contains(QStringLiteral("Bearbeiter")));
    EXPECT_FALSE(bare.contains(QStringLiteral("Seite 1")));
    EXPECT_TRUE(full.contains(QStringLiteral("Seite 1")));
    EXPECT_FALSE(bare.contains(QStringLiteral("Datensatz B1")));
}

TEST_F(PageOutputTest, RightClickOnTheDiagramOpensItsSettingsModallyAClickOnThePageItsOptions)
{
    EvaluationCommands::registerAll();
    for (int i = 0; i < 4; ++i)
        rf.cnn().Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST],[HKO]) VALUES (1,%1,%2,10,%3,5)")
                             .arg(i).arg(i == 0 ? 0 : 30).arg(10 + 5 * i));
    main->menuItem(QStringLiteral("mnuNEUBERECHNEN"))->trigger();
    ASSERT_EQ(PageOutput::pageList(*main).size(), 1);
    ResultPage* page = PageOutput::pageList(*main)[0];
    gfx::PictureBox* diagram = page->pictureBoxes().value(0);
    ASSERT_TRUE(diagram);
    ASSERT_TRUE(std::unique_ptr<QDialog>(page->diagramDialog(diagram, main)));

    QWidget* owner = nullptr;
    const QString modal = testsupport::onModalDialog(
        [&] { QTest::mouseClick(diagram, Qt::RightButton, {}, QPoint(20, 20)); },
        [&](QWidget* w) {
            owner = w->parentWidget();
            w->close();
        });
    EXPECT_EQ(modal, QStringLiteral("frmKONTEXT11"));
    EXPECT_EQ(owner, main);

    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(3, page->height() / 2));
    QWidget* options = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QString::fromLatin1(w->metaObject()->className()) == QLatin1String("frmKONTEXT") && w->isVisible()) options = w;
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->isModal());
    options->close();
}

// ---- talpex-batch print

namespace {

using testsupport::fileHash;

class BatchPrintTest : public ::testing::Test {
protected:
    BatchPrintTest()
    {
        sys->language = QStringLiteral("de");
        ado::Connection& cnn = db.cnn();
        cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,50,4,1,0.1,0.01)"));
        for (long id : {1, 2, 3}) {
            db.addRecord(id, QStringLiteral("B%1").arg(id), false);
            cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,1000,'Typ A',1)").arg(id));
            for (int i = 0; i < 4; ++i)
                cnn.Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST]) VALUES (%1,%2,%3,10,%4)")
                                .arg(id).arg(i).arg(i * 10).arg(200 + 50 * i + 10 * id));
        }
    }

    // Stands in for the program's pages: notes what it was built on.
    BatchPrint::PageFactory factory()
    {
        return [this](Session& s, bool multiple) -> std::unique_ptr<PageDrawer> {
            built.multiple = multiple;
            built.active.clear();
            for (ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true ORDER BY [ID]"), s.cnnX); !rs.Eof(); rs.MoveNext())
                built.active << rs.Value(0).toInt();
            built.resultRows = static_cast<int>(ado::Recordset(QStringLiteral("SELECT * FROM [A2]"), s.cnnX).RecordCount());
            built.multipleRows = static_cast<int>(ado::Recordset(QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1"), s.cnnX).RecordCount());
            s.cnnX.Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],"
                                          "[YMIN],[YMAX],[MYMX],[MX],[MY]) VALUES (1,11,1,1,11,12,10,11,0,20,0,5E-7,0,0,0)"));
            auto page = std::make_unique<TestDrawer>(s, multiple ? QStringLiteral("mdiMSEITE1") : QStringLiteral("mdiSEITE1"));
            page->useOffscreenScreen(96 / 25.4);
            page->drawScreen();
            if (failOnPaper) {
                // The batch answers the failure box on paper with Cancel: the sheet is abandoned.
                page->failOnPaper = QStringLiteral("BILD11");
            }
            return page;
        };
    }

    int run(QStringList args, bool programPages = false)
    {
        QString o, e;
        QTextStream out(&o), err(&e);
        const int code = BatchPrint::run(args, out, err, programPages ? BatchPrint::PageFactory() : factory());
        errors = e;
        return code;
    }

    struct {
        bool multiple = false;
        QList<long> active;
        int resultRows = 0, multipleRows = 0;
    } built;
    bool failOnPaper = false;
    vb::ScopedScriptedSystem sys;
    testsupport::ProjectDb db;
    QString errors;
};

} // namespace

TEST_F(BatchPrintTest, OneRecordIsEvaluatedOnACopyAndPrintedAsItsPage)
{
    const QByteArray before = fileHash(db.path());
    const QString pdf = db.dir().file(QStringLiteral("B2.pdf"));
    ASSERT_EQ(run({QStringLiteral("print"), db.path(), QStringLiteral("--record"), QStringLiteral("B2"),
                   QStringLiteral("--pdf"), pdf}), 0) << errors.toStdString();
    EXPECT_FALSE(built.multiple);
    EXPECT_EQ(built.active, QList<long>{2});
    EXPECT_EQ(built.resultRows, 4); // evaluated before the page was built
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    EXPECT_TRUE(testsupport::pdfText(pdf).contains(QStringLiteral("Fusszeile mdiSEITE1")));
    EXPECT_EQ(fileHash(db.path()), before);
}

TEST_F(BatchPrintTest, SeveralRecordsMakeTheMultiplePage)
{
    const QByteArray before = fileHash(db.path());
    const QString pdf = db.dir().file(QStringLiteral("M.pdf"));
    ASSERT_EQ(run({QStringLiteral("print"), db.path(), QStringLiteral("--records"), QStringLiteral("B3,B1,B2"),
                   QStringLiteral("--pdf"), pdf}), 0) << errors.toStdString();
    EXPECT_TRUE(built.multiple);
    EXPECT_EQ(built.active, (QList<long>{1, 2, 3}));
    EXPECT_EQ(built.resultRows, 12);
    EXPECT_EQ(built.multipleRows, 1);
    EXPECT_TRUE(testsupport::pdfText(pdf).contains(QStringLiteral("Fusszeile mdiMSEITE1")));

    // the program's own multiple page: both diagrams, every curve labelled
    ASSERT_EQ(run({QStringLiteral("print"), db.path(), QStringLiteral("--records"), QStringLiteral("B3,B1,B2"),
                   QStringLiteral("--pdf"), pdf}, true), 0) << errors.toStdString();
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    const QString text = testsupport::pdfText(pdf);
    for (const char* t : {"Zeitverläufe der Durchlässigkeitsbeiwerte", "Durchlässigkeitsbeiwerte für die letzten Ablesungen",
                          "B1", "B2", "B3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t << "\n" << text.toStdString();
    EXPECT_EQ(fileHash(db.path()), before);
}

TEST_F(BatchPrintTest, BadArgumentsAndFailedEvaluationsGiveTheEvaluateExitCodes)
{
    const QString pdf = db.dir().file(QStringLiteral("x.pdf"));
    const QString p = db.path();
    EXPECT_EQ(run({QStringLiteral("print"), p, QStringLiteral("--record"), QStringLiteral("B9"), QStringLiteral("--pdf"), pdf}), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("no record 'B9'")));
    EXPECT_EQ(run({QStringLiteral("print"), p, QStringLiteral("--record"), QStringLiteral("B1")}), 2);
    EXPECT_EQ(run({QStringLiteral("print"), p, QStringLiteral("--record"), QStringLiteral("B1"), QStringLiteral("--records"),
                   QStringLiteral("B1,B2"), QStringLiteral("--pdf"), pdf}), 2);
    EXPECT_EQ(run({QStringLiteral("print"), db.dir().file(QStringLiteral("nichts.mdb")), QStringLiteral("--record"),
                   QStringLiteral("B1"), QStringLiteral("--pdf"), pdf}), 2);
    EXPECT_EQ(run({QStringLiteral("print"), p, QStringLiteral("--record"), QStringLiteral("B1"), QStringLiteral("--pdf"),
                   db.dir().file(QStringLiteral("fehlt/x.pdf"))}), 2);
    db.cnn().Execute(QStringLiteral("UPDATE [E2] SET [STRO]='Typ X' WHERE [ID]=1")); // no such standpipe
    EXPECT_EQ(run({QStringLiteral("print"), p, QStringLiteral("--record"), QStringLiteral("B1"), QStringLiteral("--pdf"), pdf}), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("'Typ X'"))) << errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(BatchPrintTest, TheOutputIsNeverAnInputAndIsReplacedOnlyByAFinishedPage)
{
    const QByteArray project = fileHash(db.path());
    const QStringList print{QStringLiteral("print"), db.path(), QStringLiteral("--record"), QStringLiteral("B1"), QStringLiteral("--pdf")};
    EXPECT_EQ(run(print + QStringList{db.dir().path() + QStringLiteral("/./TALPEX.mdb")}), 2);
    // A page that fails on paper leaves the previous file; a good one replaces it.
    const QString pdf = db.dir().file(QStringLiteral("B1.pdf"));
    ASSERT_TRUE(QFile::copy(db.path(), pdf));
    failOnPaper = true;
    EXPECT_EQ(run(print + QStringList{pdf}), 3);
    EXPECT_EQ(fileHash(pdf), project);
    failOnPaper = false;
    ASSERT_EQ(run(print + QStringList{pdf}), 0) << errors.toStdString();
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    EXPECT_EQ(fileHash(db.path()), project);
}

TEST_F(BatchPrintTest, SeiteOneOnPaperCarriesTheTitleTheStepTheDesignationAndTheFootnote)
{
    // reading 2 did not fall: that interval cannot be evaluated
    db.cnn().Execute(QStringLiteral("UPDATE [E3] SET [HST]=270 WHERE [ID]=2 AND [I1]=2"));
    const QString pdf = db.dir().file(QStringLiteral("B2.pdf"));
    ASSERT_EQ(run({QStringLiteral("print"), db.path(), QStringLiteral("--record"), QStringLiteral("B2"),
                   QStringLiteral("--pdf"), pdf}, true), 0) << errors.toStdString();
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    EXPECT_TRUE(testsupport::pdfInfo(pdf).contains(QStringLiteral("Page size:       842 x 595 pts (A4)")));
    const QString text = testsupport::pdfText(pdf);
    for (const char* t : {"Zeitverlauf des Durchlässigkeitsbeiwertes", "n = 1", "* nicht auswertbar", "B2", "Bearbeiter"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t << "\n" << text.toStdString();
}

TEST_F(BatchPrintTest, TheMultiplePageKeepsItsStoredAxisAndComment)
{
    // as the program leaves the project: B1 to B3 compared on decades, with a comment
    db.cnn().Execute(QStringLiteral("UPDATE [E1] SET [AKT]=true"));
    db.addRecord(0, QStringLiteral("M"), false, QStringLiteral("Mehrfachauswertung"));
    db.cnn().Execute(QStringLiteral("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11],[LOGK10]) VALUES (1,'Vergleich Baufeld',1,1)"));
    const QString pdf = db.dir().file(QStringLiteral("M.pdf"));
    for (const char* records : {"B1,B2,B3", "B3,B1"}) { // those records, and two of them
        ASSERT_EQ(run({QStringLiteral("print"), db.path(), QStringLiteral("--records"), QLatin1String(records), QStringLiteral("--pdf"), pdf}, true), 0)
            << errors.toStdString();
        const QString text = testsupport::pdfText(pdf);
        // both diagrams over the decade with its subdivisions, which a linear axis would not all show
        for (const char* label : {"Vergleich Baufeld", "1*10\n-7", "2*10\n-7", "5*10\n-7", "1*10\n-6"})
            EXPECT_GE(text.count(QLatin1String(label)), 1) << records << " " << label << text.toStdString();
    }
}
