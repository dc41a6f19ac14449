#pragma once
// What a PDF file says, read back with poppler's command-line tools.
#include <QProcess>
#include <QRegularExpression>
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

// The number of pages; 0 when the file cannot be read.
inline int pdfPages(const QString& pdf)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pdfInfo(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace testsupport
