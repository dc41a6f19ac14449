#pragma once
// VB's Format function: numbers by a format picture ("####0", "#0.00",
// "###0.0#", "0E-##", "0.0E-##", sections "pos;neg;zero", quoted literals,
// "%", thousands grouping) and dates by a date picture ("dd/mm/yy",
// "hh:mm:ss"). Numbers are rounded half away from zero on their decimal digits
// (15 significant digits for doubles, 7 for singles, as VB sees them), and the
// output uses the session's decimal separator.
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace vb {

QString Format(double value, const QString& picture);
QString Format(float value, const QString& picture);
// "/" is the date separator of the session (".", or "/" with a "." decimal
// separator), ":" the time separator; "mm" right after an hour means minutes.
QString Format(const QDateTime& value, const QString& picture);
// Numbers, dates and numeric or date texts by their type; other texts
// unchanged; an empty value gives "". An empty picture gives CStr.
QString Format(const QVariant& value, const QString& picture);

} // namespace vb
