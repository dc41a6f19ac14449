#pragma once
// Record header rows for tests and benchmarks.
#include "data/Ado.h"

#include <QString>

namespace testsupport {

// Adds a record header row (E1); a null comment stays null.
inline void addRecord(ado::Connection& cnn, long id, const QString& ken, bool akt, const QString& kom = QString())
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1]"), cnn);
    rs.AddNew();
    rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
    rs.setValue(QStringLiteral("KEN"), ken);
    if (!kom.isNull()) rs.setValue(QStringLiteral("KOM"), kom);
    rs.setValue(QStringLiteral("AKT"), akt);
    rs.Update();
}

} // namespace testsupport
