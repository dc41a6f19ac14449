// A record typed into the input form and saved evaluates as the same record
// built directly in a database does.
#include "mdiEINGABEFixture.h"

#include "data/Schema.h"
#include "batch/BatchEvaluate.h"

#include <QTextStream>

namespace {

struct Reading {
    const char* time;
    float det, temp, hst;
    QVariant hko;
};

// Readings of a falling-head test, one of them without a reference level.
const Reading kReadings[] = {
    {"09:00:00", 0, 9.5f, 210, 40.0f},    {"09:10:00", 10, 9.6f, 260.5f, 40.1f}, {"09:25:30", 15.5f, 9.8f, 318, QVariant()},
    {"09:50:00", 24.5f, 10.1f, 392, 40.4f}, {"10:30:00", 40, 10.4f, 470, 40.6f},  {"11:30:00", 60, 10.2f, 556.5f, 40.9f},
};

QString batch(const QString& database, int* code)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    *code = BatchEvaluate::run({QStringLiteral("evaluate"), database, QStringLiteral("--record"), QStringLiteral("B1")}, o, e);
    return out + err;
}

class EingabeBatch : public EingabeFixture {};

TEST_F(EingabeBatch, TypedRecordEvaluatesAsTheRecordBuiltInTheDatabase)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B1"));
    typeField(form->txtH(), QStringLiteral("1250"));
    typeField(form->txtN(), QStringLiteral("2"));
    typeCell(1, 1, QStringLiteral("05.05.03"));
    int row = 1;
    for (const Reading& r : kReadings) {
        if (row > 1) appendRow();
        typeCell(row, 2, QString::fromLatin1(r.time));
        typeCell(row, 4, vb::CStr(r.temp));
        typeCell(row, 5, vb::CStr(r.hst));
        if (!r.hko.isNull()) typeCell(row, 6, vb::CStr(r.hko.toFloat()));
        ++row;
    }
    appendRow(); // an empty row left at the end
    ASSERT_TRUE(form->OK(1));
    ASSERT_TRUE(ui->boxes().isEmpty());
    form.reset();

    // the same record, written straight into another project database
    testsupport::ProjectDb direct;
    ado::Connection& cnn = direct.cnn();
    direct.addRecord(1, QStringLiteral("B1"), true);
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,1250,'Typ A',2)"));
    cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,20,4,0.5,-0.01,0.0001)"));
    {
        ado::Recordset rs(QStringLiteral("SELECT * FROM [E3]"), cnn);
        int i = 0;
        for (const Reading& r : kReadings) {
            rs.AddNew();
            rs.setValue(QStringLiteral("ID"), 1);
            rs.setValue(QStringLiteral("I1"), i++);
            rs.setValue(QStringLiteral("DATUM"), vb::MakeDateTime(QDate(2003, 5, 5)));
            rs.setValue(QStringLiteral("UHRZEIT"), vb::MakeDateTime(QDate(1899, 12, 30), QTime::fromString(QString::fromLatin1(r.time))));
            rs.setValue(QStringLiteral("DET"), r.det);
            rs.setValue(QStringLiteral("TEMP"), r.temp);
            rs.setValue(QStringLiteral("HST"), r.hst);
            rs.setValue(QStringLiteral("HKO"), r.hko.isNull() ? QVariant() : QVariant(r.hko.toFloat()));
            rs.Update();
        }
    }

    int typedCode = -1, directCode = -1;
    const QString typed = batch(db.path(), &typedCode);
    const QString expected = batch(direct.path(), &directCode);
    EXPECT_EQ(directCode, BatchEvaluate::Success) << expected.toStdString();
    EXPECT_EQ(typedCode, BatchEvaluate::Success) << typed.toStdString();
    EXPECT_EQ(typed, expected);
    EXPECT_EQ(typed.count(QLatin1Char('\n')), 1 + 5); // the header and steps 0 ... K = 4
}

} // namespace
