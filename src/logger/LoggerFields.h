#pragma once
// The small parsers under every logger format, on raw bytes so a file of a
// million lines is read without a QString per field. Times are kept as
// milliseconds on the Julian-day scale (day number × 86 400 000 + time of day),
// which needs no time zone and no QDateTime per row.
#include <QtGlobal>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QDate;
class QTime;
class QString;

namespace logger {

using Bytes = std::string_view;
constexpr qint64 kMsPerDay = 86'400'000;

namespace fields {

// Without surrounding blanks and double quotes.
Bytes trim(Bytes b);
bool blank(Bytes b);
// Splits a line at the delimiter into trimmed fields (out is reused).
void split(Bytes line, char delimiter, std::vector<Bytes>& out);

// A number with a decimal point, or a decimal comma when allowed; an optional
// sign and exponent.
std::optional<double> number(Bytes b, bool decimalComma);
// How a date with slashes and the year last is read: dd/MM/yyyy, MM/dd/yyyy,
// or either (to recognise a date before the file's order is known).
enum class DateOrder { DayFirst, MonthFirst, Either };
// yyyy-MM-dd, yyyy/MM/dd, dd.MM.yyyy or dd/MM/yyyy (MM/dd/yyyy by order), as
// milliseconds at midnight.
std::optional<qint64> date(Bytes b, DateOrder order = DateOrder::DayFirst);
// HH:mm[:ss[.zzz]] as milliseconds since midnight.
std::optional<qint64> clock(Bytes b);
// A date and a time in one field, apart by blanks or a 'T'.
std::optional<qint64> dateTime(Bytes b, DateOrder order = DateOrder::DayFirst);
// The first two numbers of a date "a/b/yyyy" (the only kind whose order is in
// doubt); none for other fields.
std::optional<std::pair<int, int>> slashedDayMonth(Bytes b);
// The number of digits after the decimal separator of a number; none when the
// field is no number.
std::optional<int> decimals(Bytes b, bool decimalComma);

// Back to Qt types (whole milliseconds).
QDate toDate(qint64 ms);
QTime toTime(qint64 ms);
qint64 fromDateTime(const QDate& d, const QTime& t);

// A line's text: UTF-8 when it is valid UTF-8, else ISO-8859-1.
QString text(Bytes b);

} // namespace fields

// Walks the lines of a file: LF, CRLF or CR alone, a UTF-8 byte-order mark skipped.
// Line numbers count from 1, as an editor shows them.
class Lines {
public:
    explicit Lines(Bytes data);
    // The next line without its line break; false at the end.
    bool next(Bytes& line);
    int number() const { return m_number; }
    // Whether the line last returned ended without a line break (a line the
    // logger may still have been writing).
    bool unterminated() const { return m_unterminated; }

private:
    Bytes m_data;
    size_t m_pos = 0;
    int m_number = 0;
    bool m_unterminated = false;
};

} // namespace logger
