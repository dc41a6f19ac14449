#include "logger/LoggerFields.h"

#include <QDate>
#include <QString>
#include <QStringDecoder>
#include <QTime>
#include <charconv>
#include <cmath>
#include <cstring>

namespace logger {

namespace {

bool isBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of 1..maxDigits digits at b[pos]; advances pos.
std::optional<int> digits(Bytes b, size_t& pos, size_t minDigits, size_t maxDigits)
{
    size_t n = 0;
    int v = 0;
    while (pos + n < b.size() && n < maxDigits && isDigit(b[pos + n])) v = v * 10 + (b[pos + n++] - '0');
    if (n < minDigits) return std::nullopt;
    pos += n;
    return v;
}

bool take(Bytes b, size_t& pos, char c)
{
    if (pos >= b.size() || b[pos] != c) return false;
    ++pos;
    return true;
}

// The date at the start of b; pos ends behind it.
std::optional<qint64> dateAt(Bytes b, size_t& pos, fields::DateOrder order)
{
    size_t p = pos;
    const size_t start = p;
    const auto first = digits(b, p, 1, 4);
    if (!first || p >= b.size()) return std::nullopt;
    const char sep = b[p];
    const bool yearFirst = p - start == 4;
    // year first with - or /, day first with . or /
    if (yearFirst ? (sep != '-' && sep != '/') : (sep != '.' && sep != '/')) return std::nullopt;
    ++p;
    const auto second = digits(b, p, 1, 2);
    if (!second || !take(b, p, sep)) return std::nullopt;
    const size_t thirdStart = p;
    const auto third = digits(b, p, 1, 4);
    if (!third || (!yearFirst && p - thirdStart != 4)) return std::nullopt;
    const int y = yearFirst ? *first : *third;
    int d = yearFirst ? *third : *first, mo = *second;
    if (!yearFirst && sep == '/') {
        const bool monthFirst = order == fields::DateOrder::MonthFirst
            || (order == fields::DateOrder::Either && !QDate::isValid(y, mo, d) && QDate::isValid(y, d, mo));
        if (monthFirst) std::swap(d, mo);
    }
    // a logger's clock is never set before 1900; earlier years are misread fields
    if (y < 1900 || !QDate::isValid(y, mo, d)) return std::nullopt;
    pos = p;
    return QDate(y, mo, d).toJulianDay() * kMsPerDay;
}

std::optional<qint64> clockAt(Bytes b, size_t& pos)
{
    size_t p = pos;
    const auto h = digits(b, p, 1, 2);
    if (!h || !take(b, p, ':')) return std::nullopt;
    const auto m = digits(b, p, 2, 2);
    if (!m) return std::nullopt;
    int s = 0, ms = 0;
    if (take(b, p, ':')) {
        const auto sec = digits(b, p, 2, 2);
        if (!sec) return std::nullopt;
        s = *sec;
        if (take(b, p, '.') || take(b, p, ',')) {
            // fractions of a second: the first three digits count
            const size_t fracStart = p;
            const auto frac = digits(b, p, 1, 3);
            if (!frac) return std::nullopt;
            ms = *frac * (p - fracStart == 1 ? 100 : p - fracStart == 2 ? 10 : 1);
            while (p < b.size() && isDigit(b[p])) ++p;
        }
    }
    if (*h > 23 || *m > 59 || s > 59) return std::nullopt;
    pos = p;
    return ((*h * 60 + *m) * 60 + s) * qint64(1000) + ms;
}

} // namespace

namespace fields {

Bytes trim(Bytes b)
{
    while (!b.empty() && isBlankChar(b.front())) b.remove_prefix(1);
    while (!b.empty() && isBlankChar(b.back())) b.remove_suffix(1);
    if (b.size() >= 2 && b.front() == '"' && b.back() == '"') b = trim(b.substr(1, b.size() - 2));
    return b;
}

bool blank(Bytes b) { return trim(b).empty(); }

void split(Bytes line, char delimiter, std::vector<Bytes>& out)
{
    out.clear();
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(delimiter, start);
        if (end == Bytes::npos) {
            out.push_back(trim(line.substr(start)));
            return;
        }
        out.push_back(trim(line.substr(start, end - start)));
        start = end + 1;
    }
}

std::optional<double> number(Bytes b, bool decimalComma)
{
    b = trim(b);
    if (!b.empty() && b.front() == '+') b.remove_prefix(1);
    if (b.empty() || b.size() > 64) return std::nullopt;
    char buf[64];
    if (decimalComma && b.find(',') != Bytes::npos) {
        std::memcpy(buf, b.data(), b.size());
        for (size_t i = 0; i < b.size(); ++i)
            if (buf[i] == ',') buf[i] = '.';
        b = Bytes(buf, b.size());
    }
    // no "inf", "nan" or hexadecimal: a number starts with a digit, a sign or a point
    if (!isDigit(b.front()) && b.front() != '-' && b.front() != '.') return std::nullopt;
    double v = 0;
    const auto res = std::from_chars(b.data(), b.data() + b.size(), v);
    if (res.ec != std::errc() || res.ptr != b.data() + b.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<qint64> date(Bytes b, DateOrder order)
{
    b = trim(b);
    size_t pos = 0;
    const auto d = dateAt(b, pos, order);
    return d && pos == b.size() ? d : std::nullopt;
}

std::optional<qint64> clock(Bytes b)
{
    b = trim(b);
    size_t pos = 0;
    const auto t = clockAt(b, pos);
    return t && pos == b.size() ? t : std::nullopt;
}

std::optional<qint64> dateTime(Bytes b, DateOrder order)
{
    b = trim(b);
    size_t pos = 0;
    const auto d = dateAt(b, pos, order);
    if (!d) return std::nullopt;
    const size_t gap = pos;
    if (pos < b.size() && b[pos] == 'T') ++pos;
    else
        while (pos < b.size() && isBlankChar(b[pos])) ++pos;
    if (pos == gap) return std::nullopt;
    const auto t = clockAt(b, pos);
    return t && pos == b.size() ? std::optional<qint64>(*d + *t) : std::nullopt;
}

std::optional<std::pair<int, int>> slashedDayMonth(Bytes b)
{
    b = trim(b);
    size_t p = 0;
    const auto a = digits(b, p, 1, 2);
    if (!a || !take(b, p, '/')) return std::nullopt;
    const auto c = digits(b, p, 1, 2);
    if (!c || !take(b, p, '/')) return std::nullopt;
    const size_t yearStart = p;
    if (!digits(b, p, 4, 4) || p - yearStart != 4) return std::nullopt;
    return std::make_pair(*a, *c);
}

std::optional<int> decimals(Bytes b, bool decimalComma)
{
    b = trim(b);
    if (!number(b, decimalComma)) return std::nullopt;
    const size_t sep = b.find_first_of(decimalComma ? ".," : ".");
    if (sep == Bytes::npos) return 0;
    int n = 0;
    for (size_t i = sep + 1; i < b.size() && isDigit(b[i]); ++i) ++n;
    return n;
}

QDate toDate(qint64 ms) { return QDate::fromJulianDay(ms / kMsPerDay); }
QTime toTime(qint64 ms) { return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms % kMsPerDay)); }
qint64 fromDateTime(const QDate& d, const QTime& t) { return d.toJulianDay() * kMsPerDay + t.msecsSinceStartOfDay(); }

QString text(Bytes b)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(b.data(), static_cast<qsizetype>(b.size()));
    QString s = utf8(view);
    return utf8.hasError() ? QString::fromLatin1(view) : s;
}

} // namespace fields

Lines::Lines(Bytes data) : m_data(data)
{
    if (m_data.substr(0, 3) == Bytes("\xEF\xBB\xBF", 3)) m_pos = 3;
}

bool Lines::next(Bytes& line)
{
    if (m_pos >= m_data.size()) return false;
    // LF, CRLF, or a CR alone (old Mac exports) ends a line
    size_t end = m_pos;
    while (end < m_data.size() && m_data[end] != '\n' && m_data[end] != '\r') ++end;
    line = m_data.substr(m_pos, end - m_pos);
    m_unterminated = end == m_data.size();
    m_pos = end + 1;
    if (!m_unterminated && m_data[end] == '\r' && m_pos < m_data.size() && m_data[m_pos] == '\n') ++m_pos;
    ++m_number;
    return true;
}

} // namespace logger
