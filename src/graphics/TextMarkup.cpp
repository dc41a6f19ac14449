#include "graphics/TextMarkup.h"

#include "platform/Convert.h"

namespace gfx {

bool TextMarkup::convertNumber(QString& text)
{
    const int e = text.indexOf(QLatin1Char('E'));
    if (e < 0 || !vb::ParseNumber(text)) return false;
    const QString tail = text.mid(e + 1);
    text = text.left(e) + QStringLiteral("*10{h,") + QString::number(tail.size()) + QLatin1Char('}') + tail;
    return true;
}

QString TextMarkup::greek(const QString& symbolText)
{
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    QString out = symbolText;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z') c = QChar(upper[u - 'A']);
        else if (u >= 'a' && u <= 'z') c = QChar(lower[u - 'a']);
    }
    return out;
}

QString TextMarkup::character(int code)
{
    static const char16_t cp1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    if (code < 32 || code > 255) return QString(); // control codes draw nothing
    if (code >= 0x80 && code < 0xA0) return QString(QChar(cp1252[code - 0x80]));
    return QString(QChar(static_cast<char16_t>(code)));
}

QVector<TextRun> TextMarkup::parse(const QString& text)
{
    QVector<TextRun> runs;
    QString plain;
    auto flushPlain = [&] {
        if (!plain.isEmpty()) runs.append({TextRun::Plain, plain});
        plain.clear();
    };
    int i = 0;
    while (i < text.size()) {
        const QChar ch = text[i];
        const int comma = ch == QLatin1Char('{') ? text.indexOf(QLatin1Char(','), i + 1) : -1;
        const int close = comma >= 0 ? text.indexOf(QLatin1Char('}'), comma + 1) : -1;
        if (close < 0) {
            plain += ch;
            ++i;
            continue;
        }
        flushPlain();
        const QString code = text.mid(i + 1, comma - i - 1).trimmed();
        bool ok = false;
        int n = text.mid(comma + 1, close - comma - 1).trimmed().toInt(&ok);
        if (!ok || n < 0) n = 0;
        i = close + 1;
        if (code == QLatin1String("c")) {
            runs.append({TextRun::Char, character(n)});
            continue;
        }
        const QString part = text.mid(i, n);
        i += part.size();
        if (part.isEmpty()) continue;
        if (code == QLatin1String("t")) runs.append({TextRun::Sub, part});
        else if (code == QLatin1String("h")) runs.append({TextRun::Sup, part});
        else if (code == QLatin1String("g")) runs.append({TextRun::Greek, greek(part)});
        else if (code == QLatin1String("gt")) runs.append({TextRun::GreekSub, greek(part)});
        else if (code == QLatin1String("gh")) runs.append({TextRun::GreekSup, greek(part)});
        else if (code == QLatin1String("s")) runs.append({TextRun::Lowered, part});
        else runs.append({TextRun::Plain, part}); // an unknown code changes nothing
    }
    flushPlain();
    return runs;
}

} // namespace gfx
