#include "DemoData.h"

#include "data/Ado.h"
#include "data/Schema.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Standpipe {
    const char* stro;
    double d1, d2, f, a, b, c;
};

const Standpipe kStandpipes[] = {
    {"SR 300/20", 300, 20, 2, 0.60, 0.045, 0.0012},
    {"SR 300/40", 300, 40, 2, 0.60, 0.045, 0.0012},
    {"SR 500/40", 500, 40, 4, 0.85, 0.060, 0.0016},
    {"SR 200/16", 200, 16, 4, 0.45, 0.030, 0.0009},
};

struct Test {
    const char* ken;
    const char* kom;
    int standpipe;  // index into kStandpipes
    double h;       // mm, cylinder edge to pipe top
    int n;          // step width
    QDateTime start;
    int everyMinutes;
    int readings;
    double k;       // m/s, the permeability the readings follow
    double phi0;    // mm, head at the start
    bool referencePipe;
    bool active;
    int drainingReadings = 0; // the filter pack drains first: the head falls four times as fast until then
};

bool exists(ado::Connection& cnn, const QString& sql)
{
    ado::Recordset rs(sql, cnn);
    return !rs.Eof();
}

void addPresets(ado::Connection& cnn)
{
    ado::Recordset last(QStringLiteral("SELECT [I1] FROM [TALPEX_V1] ORDER BY [I1] Desc"), cnn);
    int next = last.Eof() ? 0 : last.Value(0).toInt() + 1;
    last.Close();
    for (const Standpipe& s : kStandpipes) {
        const QString stro = QString::fromUtf8(s.stro);
        if (exists(cnn, QStringLiteral("SELECT * FROM [TALPEX_V1] WHERE [STRO]='") + sqlText(stro) + QStringLiteral("'")))
            continue;
        ado::Recordset rs(QStringLiteral("SELECT * FROM [TALPEX_V1]"), cnn);
        rs.AddNew();
        rs.setValue(QStringLiteral("I1"), next++);
        rs.setValue(QStringLiteral("STRO"), stro);
        rs.setValue(QStringLiteral("D1"), s.d1);
        rs.setValue(QStringLiteral("D2"), s.d2);
        rs.setValue(QStringLiteral("F"), s.f);
        rs.setValue(QStringLiteral("A"), s.a);
        rs.setValue(QStringLiteral("B"), s.b);
        rs.setValue(QStringLiteral("C"), s.c);
        rs.Update();
        std::printf("preset %s\n", s.stro);
    }
}

void addRecord(ado::Connection& cnn, const Test& t)
{
    const QString ken = QString::fromUtf8(t.ken);
    if (exists(cnn, QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]='") + sqlText(ken) + QStringLiteral("'"))) return;
    ado::Recordset last(QStringLiteral("SELECT * FROM [E1] ORDER BY [ID] Desc"), cnn);
    const int id = last.Eof() ? 1 : last.Value(QStringLiteral("ID")).toInt() + 1;
    last.Close();
    const Standpipe& s = kStandpipes[t.standpipe];

    ado::Transaction tx(cnn);
    ado::Recordset e1(QStringLiteral("SELECT * FROM [E1]"), cnn);
    e1.AddNew();
    e1.setValue(QStringLiteral("ID"), id);
    e1.setValue(QStringLiteral("KEN"), ken);
    e1.setValue(QStringLiteral("KOM"), QString::fromUtf8(t.kom));
    e1.setValue(QStringLiteral("AKT"), t.active);
    e1.Update();
    ado::Recordset e2(QStringLiteral("SELECT * FROM [E2]"), cnn);
    e2.AddNew();
    e2.setValue(QStringLiteral("ID"), id);
    e2.setValue(QStringLiteral("H"), t.h);
    e2.setValue(QStringLiteral("STRO"), QString::fromUtf8(s.stro));
    e2.setValue(QStringLiteral("N"), t.n);
    e2.Update();

    // The head falls as in a falling-head test: phi = phi0 * exp(-k f r1 t / r2^2).
    const double r1 = s.d1 / 2000.0, r2 = s.d2 / 2000.0;
    const double rate = t.k * s.f * r1 / (r2 * r2);
    ado::Recordset e3(QStringLiteral("SELECT * FROM [E3]"), cnn);
    for (int i = 0; i < t.readings; ++i) {
        const QDateTime when = t.start.addSecs(60LL * t.everyMinutes * i);
        const double seconds = 60.0 * t.everyMinutes * i;
        const double temp = std::round((11.0 + 1.8 * std::sin(i / 6.0)) * 10.0) / 10.0;
        const double wobble = ((i * 7) % 3) - 1; // reading scatter of a millimetre
        const double draining = 3.0 * rate * 60.0 * t.everyMinutes * std::min(i, t.drainingReadings);
        const double phi = t.phi0 * std::exp(-rate * seconds - draining);
        e3.AddNew();
        e3.setValue(QStringLiteral("ID"), id);
        e3.setValue(QStringLiteral("I1"), i);
        e3.setValue(QStringLiteral("DATUM"), when.date());
        e3.setValue(QStringLiteral("UHRZEIT"), when.time());
        e3.setValue(QStringLiteral("DET"), i == 0 ? 0 : t.everyMinutes);
        e3.setValue(QStringLiteral("TEMP"), temp);
        e3.setValue(QStringLiteral("HST"), std::round(t.h - phi + wobble));
        if (t.referencePipe) e3.setValue(QStringLiteral("HKO"), std::round(20.0 + 0.15 * i + (temp - 11.0)));
        e3.Update();
    }
    tx.commit();
    std::printf("record %s (%d readings)\n", t.ken, t.readings);
}

const Test kTests[] = {
    {"B1", "Sickerversuch Baufeld Nord, Schurf 1", 0, 1250, 2,
     QDateTime(QDate(2002, 5, 14), QTime(8, 30), Qt::UTC), 10, 25, 3.0e-8, 950, true, true},
    {"B2", "Sickerversuch Baufeld Nord, Schurf 2", 1, 1180, 1,
     QDateTime(QDate(2002, 5, 14), QTime(9, 15), Qt::UTC), 15, 21, 1.2e-7, 900, false, false},
    {"S3", "Versickerungsbecken Süd, Sohle", 2, 1400, 3,
     QDateTime(QDate(2002, 5, 15), QTime(7, 45), Qt::UTC), 20, 19, 2.0e-8, 1100, false, false},
    {"B4", "Sickerversuch Baufeld Nord, Schurf 4 (Filterkies)", 0, 1250, 1,
     QDateTime(QDate(2002, 5, 16), QTime(8, 0), Qt::UTC), 10, 24, 3.0e-8, 950, false, false, 6},
};
const Test kSecondTests[] = {
    {"K1", "Kanaltrasse West, Schacht 1", 3, 1320, 2,
     QDateTime(QDate(2002, 6, 3), QTime(8, 0), Qt::UTC), 10, 22, 5.0e-8, 1000, true, true},
    {"K2", "Kanaltrasse West, Schacht 2", 0, 1210, 1,
     QDateTime(QDate(2002, 6, 3), QTime(10, 30), Qt::UTC), 12, 18, 8.0e-9, 920, false, false},
};

} // namespace

void addDemoData(const QString& presetsDb, const QString& projectDb, const QString& secondDb)
{
    ado::Connection presets;
    presets.OpenFile(presetsDb);
    addPresets(presets);
    ado::Connection project;
    project.OpenFile(projectDb);
    schema::upgradeProject(project); // a demo set up by an older version
    for (const Test& t : kTests) addRecord(project, t);
    if (secondDb.isEmpty()) return;
    QDir().mkpath(QFileInfo(secondDb).absolutePath());
    if (!QFileInfo::exists(secondDb)) schema::createProjectDatabase(secondDb);
    ado::Connection second;
    second.OpenFile(secondDb);
    schema::upgradeProject(second);
    for (const Test& t : kSecondTests) addRecord(second, t);
}
