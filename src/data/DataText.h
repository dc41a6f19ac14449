#pragma once
// Value conversions of the data-transfer layer: the text form of a value inside
// an SQL text, and a stored value converted into a typed variable as VB's
// implicit conversions do (raising 13 type mismatch or 6 overflow).
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace datatext {

// Text: quoted with ' doubled; numbers with "." and all their digits; booleans
// true/false; dates as their serial; null as Null.
QString sqlLiteral(const QVariant& v);

// Null converts as the empty value: 0, false, "", the zero date.
QString toText(const QVariant& v);
qint16 toInt16(const QVariant& v);
qint32 toInt32(const QVariant& v);
float toSingle(const QVariant& v);
double toDouble(const QVariant& v);
bool toBool(const QVariant& v);
QDateTime toDate(const QVariant& v);

} // namespace datatext
