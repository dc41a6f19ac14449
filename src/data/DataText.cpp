#include "data/DataText.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "platform/Convert.h"

#include <QLocale>

namespace datatext {

namespace {
QString number(double d) { return QString::number(d, 'g', QLocale::FloatingPointShortest); }
} // namespace

QString sqlLiteral(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return QStringLiteral("Null");
    switch (v.typeId()) {
    case QMetaType::QString:
    case QMetaType::QChar:
    case QMetaType::QByteArray: return QLatin1Char('\'') + sqlText(v.toString()) + QLatin1Char('\'');
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Float: return number(static_cast<double>(v.toFloat()));
    case QMetaType::Double: return number(v.toDouble());
    case QMetaType::QDateTime: return number(vb::DateToSerial(v.toDateTime()));
    case QMetaType::QDate: return number(vb::DateToSerial(vb::MakeDateTime(v.toDate())));
    default: return v.toString();
    }
}

QString toText(const QVariant& v) { return v.isNull() ? QString() : vb::CStr(v); }
qint16 toInt16(const QVariant& v) { return v.isNull() ? 0 : static_cast<qint16>(ado::convertForColumn(v, ado::ColType::Int16).toInt()); }
qint32 toInt32(const QVariant& v) { return v.isNull() ? 0 : ado::convertForColumn(v, ado::ColType::Int32).toInt(); }
float toSingle(const QVariant& v) { return v.isNull() ? 0.0f : ado::convertForColumn(v, ado::ColType::Single).toFloat(); }
double toDouble(const QVariant& v) { return v.isNull() ? 0.0 : ado::convertForColumn(v, ado::ColType::Double).toDouble(); }
bool toBool(const QVariant& v) { return !v.isNull() && ado::convertForColumn(v, ado::ColType::Bool).toBool(); }
QDateTime toDate(const QVariant& v)
{
    return v.isNull() ? vb::SerialToDate(0.0) : ado::convertForColumn(v, ado::ColType::Date).toDateTime();
}

} // namespace datatext
