// The help viewer loads the HTML help file and finds the anchors of help contexts.
#include "common/TestSupport.h"
#include "widgets/HelpViewer.h"
#include "platform/VBError.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

TEST(HelpViewer, ShowsTheFileAtTheContextAnchor)
{
    testsupport::TempDir dir;
    QFile f(dir.file(QStringLiteral("TALPEX.hlp")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray html = "<html><body><h1>Inhalt</h1>";
    for (int i = 0; i < 200; ++i) html += "<p>Zeile</p>";
    html += "<h2><a name=\"hc22\"></a>Berechnen</h2><p>Text</p>";
    for (int i = 0; i < 200; ++i) html += "<p>Zeile</p>";
    html += "</body></html>";
    f.write(html);
    f.close();

    vb::HelpViewer viewer;
    viewer.resize(400, 300);
    viewer.show();
    viewer.showContext(f.fileName(), 22);
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("Berechnen")));
    EXPECT_GT(viewer.browser()->verticalScrollBar()->value(), 0);
    viewer.showContext(f.fileName(), 0);
    EXPECT_EQ(viewer.browser()->verticalScrollBar()->value(), 0);
}

TEST(HelpViewer, MissingFileRaisesFileNotFound)
{
    vb::HelpViewer viewer;
    try {
        viewer.showContext(QStringLiteral("/nonexistent/TALPEX.hlp"), 0);
        FAIL() << "no error raised";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.Number(), vb::errFileNotFound);
    }
}

} // namespace
