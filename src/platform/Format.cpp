#include "platform/Format.h"

#include "platform/Convert.h"
#include "platform/System.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace vb {

namespace {

// ---------------------------------------------------------------- pictures

// One element of a number picture.
struct Tok {
    enum Kind { Zero, Hash, Point, Comma, Exp, Lit } kind;
    QString text;       // Lit: the literal; Exp: "+" or "-"
};

// Splits a picture into its ";" sections (quotes and escapes respected).
QStringList sections(const QString& pic)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (int i = 0; i < pic.size(); ++i) {
        const QChar c = pic[i];
        if (c == QLatin1Char('"')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('\\') && i + 1 < pic.size()) {
            cur += c;
            cur += pic[++i];
            continue;
        }
        if (!quoted && c == QLatin1Char(';')) {
            out << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    out << cur;
    return out;
}

QList<Tok> tokenize(const QString& pic, bool& percent)
{
    QList<Tok> toks;
    bool point = false, exp = false;
    percent = false;
    for (int i = 0; i < pic.size(); ++i) {
        const QChar c = pic[i];
        if (c == QLatin1Char('"')) {
            const int end = pic.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? pic.size() : end;
            toks.append(Tok{Tok::Lit, pic.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < pic.size()) toks.append(Tok{Tok::Lit, QString(pic[++i])});
        } else if (c == QLatin1Char('0')) {
            toks.append(Tok{Tok::Zero, {}});
        } else if (c == QLatin1Char('#')) {
            toks.append(Tok{Tok::Hash, {}});
        } else if (c == QLatin1Char('.') && !point && !exp) {
            point = true;
            toks.append(Tok{Tok::Point, {}});
        } else if (c == QLatin1Char(',') && !exp) {
            toks.append(Tok{Tok::Comma, {}});
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !exp && i + 1 < pic.size() &&
                   (pic[i + 1] == QLatin1Char('+') || pic[i + 1] == QLatin1Char('-'))) {
            exp = true;
            toks.append(Tok{Tok::Exp, QString(pic[++i])});
        } else {
            if (c == QLatin1Char('%')) percent = true;
            toks.append(Tok{Tok::Lit, QString(c)});
        }
    }
    return toks;
}

bool isDigitTok(const Tok& t) { return t.kind == Tok::Zero || t.kind == Tok::Hash; }

// ---------------------------------------------------------------- digits

// A non-negative number as significant decimal digits: value = 0.<d> * 10^exp.
struct Digits {
    QString d;
    int exp = 0;
};

Digits digitsOf(double a, int significant)
{
    Digits r;
    if (a == 0) return r;
    const QString s = QString::number(a, 'e', significant - 1); // d.ddddde-XX
    const int e = s.indexOf(QLatin1Char('e'));
    r.d = s.left(e).remove(QLatin1Char('.'));
    r.exp = s.mid(e + 1).toInt() + 1;
    while (r.d.endsWith(QLatin1Char('0'))) r.d.chop(1);
    return r;
}

// Keeps the first n digits, rounding half away from zero on the next one; a
// carry past the first digit raises the exponent (9.6 -> 10).
void roundTo(Digits& v, int n)
{
    if (n >= v.d.size()) return;
    if (n < 0) {
        v.d.clear();
        return;
    }
    const bool up = v.d[n] >= QLatin1Char('5');
    v.d.truncate(n);
    if (up) {
        int i = n - 1;
        while (i >= 0 && v.d[i] == QLatin1Char('9')) v.d[i--] = QLatin1Char('0');
        if (i < 0) {
            v.d.prepend(QLatin1Char('1'));
            ++v.exp;
        } else {
            v.d[i] = QChar(v.d[i].unicode() + 1);
        }
    }
    while (v.d.endsWith(QLatin1Char('0'))) v.d.chop(1);
}

QString thousandsSeparator() { return DecimalSeparator() == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(","); }

// Fills the integer placeholders from the right; surplus digits go before the
// leftmost placeholder.
QString fillInteger(const QList<Tok>& toks, QString digits, bool group)
{
    int zeros = 0;
    for (const Tok& t : toks) zeros += t.kind == Tok::Zero;
    while (digits.size() < zeros) digits.prepend(QLatin1Char('0'));
    if (group) {
        const QString sep = thousandsSeparator();
        for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, sep);
        // grouped digits are placed as one block at the leftmost placeholder
        QString out;
        bool placed = false;
        for (const Tok& t : toks) {
            if (t.kind == Tok::Lit) out += t.text;
            else if (isDigitTok(t) && !placed) { out += digits; placed = true; }
        }
        return out;
    }
    int firstDigit = -1;
    for (int i = 0; i < toks.size(); ++i)
        if (isDigitTok(toks[i])) { firstDigit = i; break; }
    QString out;
    int pos = digits.size();
    for (int i = toks.size() - 1; i >= 0; --i) {
        const Tok& t = toks[i];
        if (t.kind == Tok::Lit) {
            out.prepend(t.text);
        } else if (isDigitTok(t)) {
            if (i == firstDigit) {
                out.prepend(digits.left(pos));
                pos = 0;
            } else if (pos > 0) {
                out.prepend(digits[--pos]);
            }
        }
    }
    if (firstDigit < 0) out.prepend(digits);
    return out;
}

// Fills the decimal placeholders from the left.
QString fillDecimals(const QList<Tok>& toks, const QString& digits)
{
    QString out;
    int pos = 0;
    for (const Tok& t : toks) {
        if (t.kind == Tok::Lit) out += t.text;
        else if (isDigitTok(t) && pos < digits.size()) out += digits[pos++];
    }
    return out;
}

struct Parts {
    QList<Tok> intToks, decToks, expToks;
    bool hasPoint = false;
    bool hasExp = false;
    QString expSign;
    bool group = false;
};

Parts split(const QList<Tok>& toks)
{
    Parts p;
    int stage = 0;
    for (int i = 0; i < toks.size(); ++i) {
        const Tok& t = toks[i];
        if (t.kind == Tok::Point) { p.hasPoint = true; stage = 1; continue; }
        if (t.kind == Tok::Exp) { p.hasExp = true; p.expSign = t.text; stage = 2; continue; }
        if (t.kind == Tok::Comma) {
            if (stage == 0) {
                // a comma between placeholders groups thousands
                bool before = false, after = false;
                for (int j = 0; j < i; ++j) before |= isDigitTok(toks[j]);
                for (int j = i + 1; j < toks.size() && toks[j].kind != Tok::Point && toks[j].kind != Tok::Exp; ++j)
                    after |= isDigitTok(toks[j]);
                p.group |= before && after;
            }
            continue;
        }
        (stage == 0 ? p.intToks : stage == 1 ? p.decToks : p.expToks).append(t);
    }
    return p;
}

int count(const QList<Tok>& toks, Tok::Kind k)
{
    int n = 0;
    for (const Tok& t : toks) n += t.kind == k;
    return n;
}

QString decimalsText(Digits v, int from, int maxDec, int minDec)
{
    // digits of the fraction: positions from the point onwards
    QString frac;
    for (int i = 0; i < maxDec; ++i) {
        const int idx = from + i;
        frac += (idx >= 0 && idx < v.d.size()) ? v.d[idx] : QLatin1Char('0');
    }
    while (frac.size() > minDec && frac.endsWith(QLatin1Char('0'))) frac.chop(1);
    return frac;
}

// Formats |value| by one section; sets zero when the rounded result is 0.
QString formatSection(double a, int significant, const QString& section, bool& zero)
{
    bool percent = false;
    const Parts p = split(tokenize(section, percent));
    if (percent) a *= 100;
    Digits v = digitsOf(a, significant);
    const int maxDec = count(p.decToks, Tok::Zero) + count(p.decToks, Tok::Hash);
    const int minDec = count(p.decToks, Tok::Zero);
    const QString sep = DecimalSeparator();
    QString out;

    if (p.hasExp) {
        const int intDigits = count(p.intToks, Tok::Zero) + count(p.intToks, Tok::Hash);
        int shownExp = 0;
        if (!v.d.isEmpty()) {
            roundTo(v, intDigits + maxDec);
            shownExp = v.exp - intDigits;
        }
        zero = v.d.isEmpty();
        QString intPart = v.d.left(intDigits);
        while (!intPart.isEmpty() && intPart.size() < intDigits) intPart += QLatin1Char('0');
        if (zero) intPart.clear();
        out = fillInteger(p.intToks, intPart, p.group);
        if (p.hasPoint) out += sep + fillDecimals(p.decToks, decimalsText(v, intDigits, maxDec, minDec));
        QString e = QString::number(std::abs(shownExp));
        const int expZeros = std::max(1, count(p.expToks, Tok::Zero));
        while (e.size() < expZeros) e.prepend(QLatin1Char('0'));
        out += QStringLiteral("E");
        if (shownExp < 0) out += QLatin1Char('-');
        else if (p.expSign == QLatin1String("+")) out += QLatin1Char('+');
        // exponent placeholders take the digits; literals after them follow
        QList<Tok> expDigits, expTail;
        for (const Tok& t : p.expToks) (isDigitTok(t) && expTail.isEmpty() ? expDigits : expTail).append(t);
        out += e + fillDecimals(expTail, QString());
        return out;
    }

    roundTo(v, v.exp + maxDec);
    zero = v.d.isEmpty();
    QString intPart;
    for (int i = 0; i < v.exp; ++i) intPart += i < v.d.size() ? v.d[i] : QLatin1Char('0');
    out = fillInteger(p.intToks, intPart, p.group);
    if (p.hasPoint) out += sep + fillDecimals(p.decToks, decimalsText(v, v.exp, maxDec, minDec));
    return out;
}

QString formatNumber(double value, const QString& picture, int significant)
{
    if (!std::isfinite(value)) return CStr(value);
    if (picture.isEmpty()) return significant <= 7 ? CStr(static_cast<float>(value)) : CStr(value);
    const QStringList secs = sections(picture);
    QString sec = secs[0];
    bool ownSign = false; // the negative section writes its own sign
    if (value < 0 && secs.size() >= 2 && !secs[1].isEmpty()) {
        sec = secs[1];
        ownSign = true;
    } else if (value == 0 && secs.size() >= 3 && !secs[2].isEmpty()) {
        sec = secs[2];
    }
    bool zero = false;
    const QString body = formatSection(std::abs(value), significant, sec, zero);
    // a value that rounds to zero shows no sign
    if (value < 0 && !ownSign && !zero) return QLatin1Char('-') + body;
    return body;
}

// ---------------------------------------------------------------- dates

QString dateSeparator() { return DecimalSeparator() == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral("/"); }

struct DTok {
    QChar letter; // d m y h n s, 'a' for AM/PM, 0 for a literal
    int n = 0;
    QString text;
};

QList<DTok> tokenizeDate(const QString& pic)
{
    QList<DTok> toks;
    for (int i = 0; i < pic.size(); ++i) {
        const QChar c = pic[i];
        const QChar l = c.toLower();
        if (c == QLatin1Char('"')) {
            const int end = pic.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? pic.size() : end;
            toks.append(DTok{QChar(), 0, pic.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < pic.size()) toks.append(DTok{QChar(), 0, QString(pic[++i])});
        } else if (pic.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            toks.append(DTok{QLatin1Char('a'), 0, pic.mid(i, 5)});
            i += 4;
        } else if (QStringLiteral("dmyhns").contains(l)) {
            int n = 1;
            while (i + 1 < pic.size() && pic[i + 1].toLower() == l) { ++n; ++i; }
            toks.append(DTok{l, n, {}});
        } else if (c == QLatin1Char('/')) {
            toks.append(DTok{QChar(), 0, dateSeparator()});
        } else {
            toks.append(DTok{QChar(), 0, QString(c)});
        }
    }
    // "m" right after an hour or right before seconds means minutes
    for (int i = 0; i < toks.size(); ++i) {
        if (toks[i].letter != QLatin1Char('m') || toks[i].n > 2) continue;
        int prev = i - 1, next = i + 1;
        while (prev >= 0 && toks[prev].letter.isNull()) --prev;
        while (next < toks.size() && toks[next].letter.isNull()) ++next;
        if ((prev >= 0 && toks[prev].letter == QLatin1Char('h')) ||
            (next < toks.size() && toks[next].letter == QLatin1Char('s')))
            toks[i].letter = QLatin1Char('n');
    }
    return toks;
}

QString pad(int v, int n) { return QString::number(v).rightJustified(n, QLatin1Char('0')); }

} // namespace

QString Format(double value, const QString& picture) { return formatNumber(value, picture, 15); }
QString Format(float value, const QString& picture) { return formatNumber(static_cast<double>(value), picture, 7); }

QString Format(const QDateTime& value, const QString& picture)
{
    if (picture.isEmpty()) return CStr(QVariant(value));
    const QLocale loc(sys().localeLanguage());
    const QDate d = value.date();
    const QTime t = value.time();
    bool twelve = false;
    const QList<DTok> toks = tokenizeDate(picture);
    for (const DTok& k : toks) twelve |= k.letter == QLatin1Char('a');
    QString out;
    for (const DTok& k : toks) {
        switch (k.letter.unicode()) {
        case 'd':
            if (k.n <= 2) out += pad(d.day(), k.n);
            else if (k.n == 3) out += loc.dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else out += loc.dayName(d.dayOfWeek(), QLocale::LongFormat);
            break;
        case 'm':
            if (k.n <= 2) out += pad(d.month(), k.n);
            else if (k.n == 3) out += loc.monthName(d.month(), QLocale::ShortFormat);
            else out += loc.monthName(d.month(), QLocale::LongFormat);
            break;
        case 'y':
            if (k.n == 1) out += QString::number(d.dayOfYear());
            else if (k.n == 2) out += pad(d.year() % 100, 2);
            else out += pad(d.year(), 4);
            break;
        case 'h': {
            int h = t.hour();
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            out += pad(h, std::min(k.n, 2));
            break;
        }
        case 'n': out += pad(t.minute(), std::min(k.n, 2)); break;
        case 's': out += pad(t.second(), std::min(k.n, 2)); break;
        case 'a': {
            const bool pm = t.hour() >= 12;
            const bool upper = k.text[0].isUpper();
            const QString s = pm ? QStringLiteral("PM") : QStringLiteral("AM");
            out += upper ? s : s.toLower();
            break;
        }
        default: out += k.text;
        }
    }
    return out;
}

QString Format(const QVariant& value, const QString& picture)
{
    if (value.isNull() || !value.isValid()) return QString();
    switch (value.typeId()) {
    case QMetaType::Float: return Format(value.toFloat(), picture);
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Format(value.toDouble(), picture);
    case QMetaType::Bool: return Format(value.toBool() ? -1.0 : 0.0, picture);
    case QMetaType::QDateTime: return Format(value.toDateTime(), picture);
    case QMetaType::QDate: return Format(MakeDateTime(value.toDate()), picture);
    case QMetaType::QTime: return Format(MakeDateTime(QDate(1899, 12, 30), value.toTime()), picture);
    default: break;
    }
    const QString text = value.toString();
    if (picture.isEmpty()) return text;
    if (const auto n = ParseNumber(text)) return Format(*n, picture);
    if (const auto dt = ParseDateTime(text)) return Format(*dt, picture);
    return text;
}

} // namespace vb
