#pragma once
// A frame installation in a temporary folder for the exchange tests: project
// "A" (current, working copy open as cnnX) and project "B" beside it, the
// database folder with its setting, scripted message boxes.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QVariantList>
#include <gtest/gtest.h>

struct ExchangeFixture : ::testing::Test {
    testsupport::TempDir dir;
    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    Session s;
    ado::Connection other; // project B

    QString root() const { return dir.path(); }
    QString projects() const { return root() + QStringLiteral("/PROJEKTE"); }
    QString folder(const QString& project) const { return projects() + QLatin1Char('/') + project; }
    QString dolmir() const { return root() + QStringLiteral("/DATEN/DOLMIR.mdb"); }

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root() + QStringLiteral("/config"));
        for (const char* f : {"/TALPEX", "/DATEN", "/PROJEKTE/A", "/PROJEKTE/B", "/PROJEKTE/LEER"}) QDir().mkpath(root() + QString::fromLatin1(f));
        vb::SaveSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), root() + QStringLiteral("/DATEN"));
        s.programFolder = root() + QStringLiteral("/TALPEX");
        s.BENUTZER = QStringLiteral("TESTER");
        s.PROJEKTSPFAD = projects();
        s.PROJEKT = QStringLiteral("A");
        s.BEARBEITER = QStringLiteral("Ing. Berta Test");
        schema::createProjectDatabase(s.projectDatabasePath());
        QFile::copy(s.projectDatabasePath(), s.XMDBPFAD());
        s.cnnX.OpenFile(s.XMDBPFAD());
        schema::createProjectDatabase(folder(QStringLiteral("B")) + QStringLiteral("/TALPEX.mdb"));
        other.OpenFile(folder(QStringLiteral("B")) + QStringLiteral("/TALPEX.mdb"));
    }

    // A record with its input, readings and, when results > 0, an evaluation
    // of that many A2 rows (the last one without K10) and a diagram row.
    static void addRecord(ado::Connection& cnn, int id, const QString& ken, const QString& kom, int readings, int results = 0)
    {
        ado::Transaction tx(cnn);
        auto row = [&](const QString& table, const QList<std::pair<const char*, QVariant>>& values) {
            ado::Recordset rs(QStringLiteral("SELECT * FROM [%1] WHERE [ID]=%2").arg(table).arg(id), cnn);
            rs.AddNew();
            rs.setValue(QStringLiteral("ID"), id);
            for (const auto& [name, v] : values) rs.setValue(QString::fromLatin1(name), v);
            rs.Update();
        };
        row(QStringLiteral("E1"), {{"KEN", ken}, {"KOM", kom.isEmpty() ? QVariant() : QVariant(kom)}, {"AKT", false}});
        row(QStringLiteral("E2"), {{"H", 1250.5}, {"STRO", QStringLiteral("SR 300/20")}, {"N", 2}});
        for (int i = 0; i < readings; ++i)
            row(QStringLiteral("E3"), {{"I1", i}, {"DATUM", QDate(2002, 5, 14).addDays(i / 100)}, {"UHRZEIT", QTime(8, 30).addSecs(60 * (i % 100))},
                                       {"DET", i ? 10 : 0}, {"TEMP", 11.5 + i % 7}, {"HST", 300.25 + i}, {"HKO", i % 3 ? QVariant(20 + i) : QVariant()}});
        if (results > 0) {
            row(QStringLiteral("A1"), {{"BONEU", false}, {"BILD14AN", -1}, {"GITT", 0}, {"GITK10", -1}});
            for (int i = 0; i < results; ++i)
                row(QStringLiteral("A2"), {{"I1", i}, {"PHI", 900.0 - i}, {"DETN", 10.0 * i},
                                           {"K10", i + 1 < results ? QVariant(1.5e-8 * (i + 1)) : QVariant()}, {"DEHKO", 0.5}});
            row(QStringLiteral("G0"), {{"IDOBJEKT", 11}, {"OX", 1}, {"OY", 1}, {"XMIN", 0.0}, {"XMAX", 250.0}, {"MX", 0.0}});
        }
        tx.commit();
    }

    // The rows of a record in a table, by column name, without the ID.
    static QList<QVariantMap> rows(ado::Connection& cnn, const QString& table, int id)
    {
        QList<QVariantMap> out;
        ado::Recordset rs(QStringLiteral("SELECT * FROM [%1] WHERE [ID]=%2").arg(table).arg(id), cnn);
        for (; !rs.Eof(); rs.MoveNext()) {
            QVariantMap m;
            for (int i = 0; i < rs.FieldCount(); ++i)
                if (rs.Fields(i).Name() != QLatin1String("ID")) m.insert(rs.Fields(i).Name(), rs.Value(i));
            out.append(m);
        }
        return out;
    }

    static int count(ado::Connection& cnn, const QString& sql)
    {
        ado::Recordset rs(sql, cnn);
        return static_cast<int>(rs.RecordCount());
    }

    // The information system as the frame program creates it.
    void createDolmir()
    {
        ado::Connection c;
        QFile f(dolmir());
        f.open(QIODevice::WriteOnly);
        f.close();
        c.OpenFile(dolmir());
        c.Execute(QStringLiteral("CREATE TABLE [E0] ([ID] INTEGER, [DATUM] DATETIME, [QART] SMALLINT, [PROJ] TEXT, [QUELLE] TEXT, [BEARBEITER] TEXT)"));
        c.Execute(QStringLiteral("CREATE TABLE [E1] ([ID] INTEGER, [KEN] TEXT, [KOM] TEXT)"));
        c.Execute(QStringLiteral("CREATE TABLE [E4_1] ([ID] INTEGER, [KF] FLOAT4)"));
    }

    const QList<vb::ScriptedUi::Box>& boxes() { return ui->boxes(); }
};
