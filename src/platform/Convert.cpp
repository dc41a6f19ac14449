#include "platform/Convert.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <QVariant>
#include <cmath>

namespace vb {

namespace {
QString& decimalSep()
{
    static QString s = QStringLiteral(",");
    return s;
}
const QDate kEpoch(1899, 12, 30);
} // namespace

void SetDecimalSeparator(const QString& sep) { decimalSep() = sep.isEmpty() ? QStringLiteral(".") : sep; }
QString DecimalSeparator() { return decimalSep(); }

std::optional<double> ParseNumber(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    const QString sep = decimalSep();
    if (sep != QLatin1String(".")) {
        if (t.contains(sep) && t.contains(QLatin1Char('.'))) return std::nullopt;
        t.replace(sep, QStringLiteral("."));
    }
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!re.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QDateTime MakeDateTime(const QDate& d, const QTime& t) { return QDateTime(d, t, Qt::UTC); }

double DateToSerial(const QDateTime& dt)
{
    const QDateTime u = dt.timeSpec() == Qt::UTC ? dt : QDateTime(dt.date(), dt.time(), Qt::UTC);
    const double days = static_cast<double>(kEpoch.daysTo(u.date()));
    const double frac = u.time().msecsSinceStartOfDay() / 86400000.0;
    return days + frac;
}

QDateTime SerialToDate(double serial)
{
    const double day = std::floor(serial);
    double frac = serial - day;
    qint64 ms = std::llround(frac * 86400000.0);
    qint64 d = static_cast<qint64>(day);
    if (ms >= 86400000) { ms -= 86400000; ++d; }
    // Round to whole seconds: stored times are second-exact, the float noise is not.
    ms = (ms + 500) / 1000 * 1000;
    if (ms >= 86400000) { ms -= 86400000; ++d; }
    return QDateTime(kEpoch.addDays(d), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::UTC);
}

namespace {
std::optional<QDate> parseDate(const QString& s)
{
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{1,4})$"));
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    int d, m, y;
    if (auto mm = ymd.match(s); mm.hasMatch()) {
        y = mm.captured(1).toInt(); m = mm.captured(2).toInt(); d = mm.captured(3).toInt();
    } else if (auto mm2 = dmy.match(s); mm2.hasMatch()) {
        d = mm2.captured(1).toInt(); m = mm2.captured(2).toInt(); y = mm2.captured(3).toInt();
        if (mm2.captured(3).size() <= 2) y += (y < 30) ? 2000 : 1900;
    } else {
        return std::nullopt;
    }
    const QDate date(y, m, d);
    if (!date.isValid() || y < 100) return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const auto m = re.match(s);
    if (!m.hasMatch()) return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!t.isValid()) return std::nullopt;
    return t;
}
} // namespace

std::optional<QDateTime> ParseDateTime(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 1) {
        if (auto d = parseDate(parts[0])) return MakeDateTime(*d);
        if (auto t = parseTime(parts[0])) return MakeDateTime(kEpoch, *t);
        return std::nullopt;
    }
    if (parts.size() == 2) {
        auto d = parseDate(parts[0]);
        auto t = parseTime(parts[1]);
        if (d && t) return MakeDateTime(*d, *t);
    }
    return std::nullopt;
}

bool IsDate(const QString& text) { return ParseDateTime(text).has_value(); }

namespace {
QString cstr(double v, int digits)
{
    if (v == 0) return QStringLiteral("0");
    if (!std::isfinite(v)) return std::isnan(v) ? QStringLiteral("NaN") : (v > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf"));
    QString s = QString::number(v, 'e', digits - 1); // d.ddddde+XX
    const int epos = s.indexOf(QLatin1Char('e'));
    QString mant = s.left(epos);
    const int exp = s.mid(epos + 1).toInt();
    if (mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0'))) mant.chop(1);
        if (mant.endsWith(QLatin1Char('.'))) mant.chop(1);
    }
    QString out;
    if (exp < -4 || exp >= digits) { // VB: 0.0001 stays fixed, 1E-05 and 1.234568E+07 do not
        out = mant + QStringLiteral("E") + (exp < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
              QString::number(std::abs(exp)).rightJustified(2, QLatin1Char('0'));
    } else {
        out = QString::number(v, 'f', std::max(0, digits - 1 - exp));
        if (out.contains(QLatin1Char('.'))) {
            while (out.endsWith(QLatin1Char('0'))) out.chop(1);
            if (out.endsWith(QLatin1Char('.'))) out.chop(1);
        }
    }
    return out.replace(QLatin1Char('.'), decimalSep());
}
} // namespace

QString CStr(float v) { return cstr(static_cast<double>(v), 7); }
QString CStr(double v) { return cstr(v, 15); }

QString CStr(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return QString();
    switch (v.typeId()) {
    case QMetaType::Float: return CStr(v.toFloat());
    case QMetaType::Double: return CStr(v.toDouble());
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        const bool hasDate = dt.date() != kEpoch;
        const bool hasTime = dt.time() != QTime(0, 0);
        QStringList parts;
        if (hasDate || !hasTime) parts << dt.date().toString(QStringLiteral("dd.MM.yyyy"));
        if (hasTime) parts << dt.time().toString(QStringLiteral("hh:mm:ss"));
        return parts.join(QLatin1Char(' '));
    }
    default: return v.toString();
    }
}

std::optional<qint16> ToInt16(double v)
{
    if (!std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v); // FE_TONEAREST: half to even
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<qint16>(r);
}

std::optional<qint32> ToInt32(double v)
{
    if (!std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<qint32>(r);
}

} // namespace vb
