#pragma once
// A session whose working-copy connection cnnX is open on a fresh project
// database in a temporary folder, with scripted message boxes.
#include "common/TestSupport.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

class DataFixture : public ::testing::Test {
protected:
    DataFixture()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        path = dir.file(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(path);
        s.cnnX.OpenFile(path);
    }
    ~DataFixture() override { vb::SetDecimalSeparator(QStringLiteral(",")); }

    void addRecord(long id, const QString& ken, bool akt) { testsupport::addRecord(s.cnnX, id, ken, akt); }
    // Rows of a statement, all columns joined by "|" per row.
    QStringList rows(const QString& sql)
    {
        ado::Recordset rs(sql, s.cnnX);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs.FieldCount(); ++i) {
                const QVariant v = rs.Value(i);
                cells << (v.isNull() ? QStringLiteral("NULL") : vb::CStr(v));
            }
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    testsupport::TempDir dir;
    QString path;
    Session s;
    vb::ScopedScriptedUi ui;
};
