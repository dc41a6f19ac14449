#pragma once
// Conversions of the VB runtime that depend on the session: text to number
// with the launch context's decimal separator, VB date serials, CStr.
#include <QDateTime>
#include <QString>
#include <optional>

namespace vb {

// The decimal separator of the launch context (DEZIMALPUNKT); "," until set.
void SetDecimalSeparator(const QString& sep);
QString DecimalSeparator();

// Text to number: optional sign, digits, the decimal separator or ".", an
// optional exponent; surrounding blanks ignored; no thousands grouping.
std::optional<double> ParseNumber(const QString& text);

// VB date serial: days since 30.12.1899, the time as the fraction of a day.
// Date-times are handled in UTC so no daylight-saving gap shifts a value.
double DateToSerial(const QDateTime& dt);
QDateTime SerialToDate(double serial);
QDateTime MakeDateTime(const QDate& d, const QTime& t = QTime(0, 0));

// Dates are read day first: 12.03.03, 12.03.2003, 12/03/03, 2003-03-12; times
// as 10:15 or 10:15:00; a date and a time may stand together. Two-digit years
// follow VB's window (00-29 -> 20xx, 30-99 -> 19xx). A time alone gives the
// zero date 30.12.1899. Impossible dates (31.02.03) give nullopt.
std::optional<QDateTime> ParseDateTime(const QString& text);
bool IsDate(const QString& text);

// CStr of a single (7 significant digits) and of a double (15), with the
// decimal separator of the session: 0.0001 -> "0,0001", 1E-05 -> "1E-05".
QString CStr(float v);
QString CStr(double v);
// CStr of a variant: numbers as above, dates as dd.mm.yyyy / hh:mm:ss, bool as "Wahr"/"Falsch".
QString CStr(const QVariant& v);

// VB's CInt / CLng: round half to even; nullopt when out of range.
std::optional<qint16> ToInt16(double v);
std::optional<qint32> ToInt32(double v);

} // namespace vb
