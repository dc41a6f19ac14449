#include "widgets/HelpViewer.h"

#include "platform/ServiceSlot.h"

#include "platform/VBError.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vb {

void HelpService::showHelp(const QString& file, int context, const QString& title)
{
    static QPointer<HelpViewer> viewer;
    if (!viewer) {
        viewer = new HelpViewer;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer->showContext(file, context);
    viewer->setWindowTitle(title);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

bool HelpService::openDocument(const QString& path)
{
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

using HelpSlot = ServiceSlot<HelpService>;

HelpService& help() { return HelpSlot::get(); }

std::unique_ptr<HelpService> setHelp(std::unique_ptr<HelpService> service) { return HelpSlot::set(std::move(service)); }

ScopedScriptedHelp::ScopedScriptedHelp() { m_help = HelpSlot::install<ScriptedHelp>(m_prev); }

ScopedScriptedHelp::~ScopedScriptedHelp() { setHelp(std::move(m_prev)); }

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

void HelpViewer::showContext(const QString& file, int context)
{
    if (file != m_file) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) Raise(errFileNotFound, QStringLiteral("File not found: ") + file);
        m_browser->setHtml(QString::fromUtf8(f.readAll()));
        m_browser->document()->setMetaInformation(QTextDocument::DocumentUrl,
                                                  QUrl::fromLocalFile(QFileInfo(file).absolutePath() + QLatin1Char('/')).toString());
        m_file = file;
    }
    if (context > 0) m_browser->scrollToAnchor(anchor(context));
    else m_browser->verticalScrollBar()->setValue(0);
}

} // namespace vb
