#pragma once
// What a PDF file says, read back with poppler's command-line tools.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

inline QString runTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the PDF in the order it was drawn (keeps the blanks of short texts).
inline QString pdfText(const QString& pdf) { return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}); }

// "Pages: 1", "Page size: ..." and the other lines of pdfinfo.
inline QString pdfInfo(const QString& pdf) { return runTool(QStringLiteral("pdfinfo"), {pdf}); }

} // namespace testsupport
