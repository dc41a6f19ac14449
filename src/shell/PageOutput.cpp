#include "shell/PageOutput.h"

#include "data/Session.h"
#include "pages/PagePrinter.h"
#include "pagewindows/ResultPage.h"
#include "platform/Convert.h"
#include "widgets/HelpViewer.h"
#include "platform/MsgBox.h"
#include "widgets/OpenDialog.h"
#include "widgets/PrintDialog.h"
#include "platform/System.h"
#include "platform/VBError.h"
#include "shell/Commands.h"
#include "shell/StatusPanels.h"
#include "widgets/WaitCursor.h"
#include "shell/frmANZEIGEN.h"
#include "shell/frmMAIN.h"

#include <QPrinter>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextImageFormat>
#include <QUrl>
#include <cmath>

namespace PageOutput {

namespace {

const QString kScreenshotTitle = QStringLiteral("KOPIE");
constexpr long errPathFileAccess = 75;
constexpr long errCannotCreateObject = 429;

// The window that holds a page: its MDI frame, or the page itself.
QWidget* frameOf(ResultPage* page)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    return sub ? static_cast<QWidget*>(sub) : page;
}

// The project's folder (the panel shows the project's name).
QString projectFolder(frmMAIN& main)
{
    return QDir(main.session().PROJEKTSPFAD).filePath(main.panels().text(2));
}

ResultPage* pageInFront(frmMAIN& main, const QList<ResultPage*>& pages)
{
    return pages.isEmpty() ? nullptr : pages.at(frontPage(main, pages) - 1);
}

} // namespace

void registerAll()
{
    Commands::setHandler(Commands::panelCommand(10), showPages);
    Commands::setHandler(Commands::panelCommand(11), printPages);
    Commands::setHandler(Commands::panelCommand(12), saveScreenshot);
    Commands::setHandler(Commands::panelCommand(13), sendToWordProcessor);
}

QList<ResultPage*> pageList(frmMAIN& main)
{
    static const QStringList kinds = {QStringLiteral("mdiESEITE"), QStringLiteral("mdiSEITE"),
                                      QStringLiteral("mdiPSEITE"), QStringLiteral("mdiMSEITE")};
    QList<ResultPage*> pages;
    const QList<QMdiSubWindow*> windows = main.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (const QString& kind : kinds) {
        for (QMdiSubWindow* sub : windows) {
            auto* page = qobject_cast<ResultPage*>(sub->widget());
            if (page && page->objectName().contains(kind, Qt::CaseInsensitive) && !pages.contains(page))
                pages.append(page);
        }
    }
    return pages;
}

int frontPage(frmMAIN& main, const QList<ResultPage*>& pages)
{
    QMdiSubWindow* front = main.mdiArea()->currentSubWindow();
    for (qsizetype i = 0; front && i < pages.size(); ++i)
        if (pages[i]->parentWidget() == front) return static_cast<int>(i) + 1;
    return 1;
}

int normalisePage(const QString& text, int count)
{
    const std::optional<double> v = vb::ParseNumber(text);
    if (!v || !std::isfinite(*v)) return 1;
    const double clamped = std::clamp(std::nearbyint(*v), 1.0, static_cast<double>(std::max(count, 1)));
    return static_cast<int>(clamped);
}

void bringToFront(frmMAIN& main, const QList<ResultPage*>& pages, int n)
{
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (i != n - 1) frameOf(pages[i])->hide();
    ResultPage* page = pages.at(n - 1);
    QWidget* frame = frameOf(page);
    frame->showMaximized();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) main.mdiArea()->setActiveSubWindow(sub);
    page->show();
}

void showPages(frmMAIN& main)
{
    if (vb::raiseOpenDialog<frmANZEIGEN>(&main)) return;
    auto* dialog = new frmANZEIGEN(main);
    dialog->show();
}

void printPages(frmMAIN& main)
{
    QList<ResultPage*> pages = pageList(main);
    if (pages.isEmpty()) return;
    const int count = static_cast<int>(pages.size());
    const int p = frontPage(main, pages);
    auto printer = ResultPage::defaultPrinter();
    const std::optional<vb::PrintRange> range = vb::printDialog().choose(*printer, 1, count, p, p, &main);
    if (!range) return; // a cancelled dialog is no failure
    const int from = range->all ? 1 : std::clamp(range->from, 1, count);
    const int to = range->all ? count : std::clamp(range->to, from, count);

    WaitCursor wait;
    QList<QPointer<ResultPage>> chosen;
    for (int n = from; n <= to; ++n) chosen.append(pages[n - 1]);
    PagePrinter document(*printer);
    for (const QPointer<ResultPage>& page : chosen)
        if (page) page->DRUCKEN(document);
    document.finish();
}

QString screenshotFolder(frmMAIN& main) { return projectFolder(main) + QStringLiteral("/JPG/"); }

QString proposedName(const QString& panelText, const QString& panelToolTip)
{
    // Several records: the panel shortens their list, its tooltip holds it whole.
    const bool several = panelText.endsWith(QStringLiteral(",...")) && !panelToolTip.isEmpty();
    QString name = several ? panelToolTip.split(QStringLiteral(", ")).join(QLatin1Char('_')) : panelText;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    constexpr int kLongest = 40;
    return name.left(kLongest) + QStringLiteral("-1");
}

QString refusedName(const QString& name, short sprache)
{
    // the name is one path component inside the folder: no separator, no way up
    if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && name != QLatin1String(".."))
        return QString();
    return Session::tr(sprache,
                       QStringLiteral("Der Dateiname darf weder \"/\" noch \"\\\" enthalten noch \"..\" sein: "
                                      "Bildschirmkopien werden nur im Ordner \"JPG\" des Projekts gespeichert."),
                       QStringLiteral("The file name must not contain \"/\" or \"\\\" nor be \"..\": screenshots are "
                                      "saved in the project's folder \"JPG\" only."));
}

void saveScreenshot(frmMAIN& main)
{
    Session& s = main.session();
    const QString folder = screenshotFolder(main);
    if (!QDir().mkpath(folder)) vb::Raise(vb::errPathNotFound, QStringLiteral("Pfad nicht gefunden: ") + folder);
    const QString proposed = proposedName(main.panels().text(6), main.panels().toolTip(6));
    const std::optional<QString> answer = vb::InputBox(
        QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + folder + proposed +
            QStringLiteral(".bmp"),
        kScreenshotTitle, proposed);
    if (!answer || answer->isEmpty()) return;
    if (const QString why = refusedName(*answer, s.SPRACHE); !why.isEmpty()) {
        vb::MsgBox(why, vb::vbExclamation, kScreenshotTitle);
        return;
    }
    const QString file = folder + *answer + QStringLiteral(".bmp");
    if (QFileInfo::exists(file)) {
        const QString ask = s.tr(QStringLiteral("Die Datei \"%1\" existiert bereits. Soll sie ersetzt werden?"),
                                 QStringLiteral("The file \"%1\" already exists. Replace it?"))
                                .arg(file);
        if (vb::MsgBox(ask, vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2, kScreenshotTitle) != vb::vbYes) return;
    }

    WaitCursor wait;
    ResultPage* page = pageInFront(main, pageList(main));
    QWidget* window = page ? frameOf(page) : main.mdiArea()->currentSubWindow();
    if (!window) return;
    vb::DoEvents();
    const QImage image = window->grab().toImage();
    if (!image.save(file, "BMP")) vb::Raise(errPathFileAccess, QStringLiteral("Pfad-/Dateizugriffsfehler: ") + file);
    vb::DoEvents();
}

void sendToWordProcessor(frmMAIN& main)
{
    Session& s = main.session();
    ResultPage* page = pageInFront(main, pageList(main));
    if (!page) return;
    WaitCursor wait;

    QTextDocument document;
    QTextCursor cursor(&document);
    for (gfx::PictureBox* box : page->pictureBoxes()) {
        cursor.insertText(box->objectName());
        cursor.insertBlock();
        const QImage image = box->picture().copy(0, 0, box->width(), box->height());
        const QUrl name(QStringLiteral("talpex://") + box->objectName());
        document.addResource(QTextDocument::ImageResource, name, image);
        QTextImageFormat picture;
        picture.setName(name.toString());
        picture.setWidth(image.width());
        picture.setHeight(image.height());
        cursor.insertImage(picture);
        cursor.insertBlock();
    }

    // a new document beside the project database; nothing of the user's is overwritten
    const QString folder = projectFolder(main);
    if (!QDir().mkpath(folder)) vb::Raise(vb::errPathNotFound, QStringLiteral("Pfad nicht gefunden: ") + folder);
    QString base = main.panels().text(6);
    base.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    QString file;
    for (int n = 1; file.isEmpty() || QFileInfo::exists(file); ++n)
        file = QDir(folder).filePath(base + QStringLiteral("-%1.odt").arg(n));
    QTextDocumentWriter writer(file, "odf");
    if (!writer.write(&document))
        vb::Raise(errPathFileAccess, QStringLiteral("Pfad-/Dateizugriffsfehler: ") + file);
    if (!vb::help().openDocument(file))
        vb::Raise(errCannotCreateObject,
                  s.tr(QStringLiteral("Es kann kein Textverarbeitungsprogramm gestartet werden. Das Dokument liegt "
                                      "zum Öffnen bereit: %1"),
                       QStringLiteral("No word processor can be started. The document is ready to be opened: %1"))
                      .arg(file));
}

} // namespace PageOutput
