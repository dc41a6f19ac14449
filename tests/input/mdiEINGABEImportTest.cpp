// Readings imported into the input form from a logger file: stored as the
// batch command stores them, replaced only after a Yes, and a broken file
// leaves the grid alone.
#include "common/LoggerFiles.h"
#include "batch/BatchImport.h"
#include "input/frmIMPORT.h"
#include "platform/System.h"
#include "mdiEINGABEFixture.h"

#include <QFile>
#include <QLabel>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

class EingabeImport : public EingabeFixture {
protected:
    EingabeImport()
    {
        // the dialog remembers its settings per user: none from an earlier run
        for (const char* key : {"Bedeutung", "Einheit", "Sensortiefe", "Offset", "Ausduennen", "Anzahl"})
            vb::SaveSetting(QStringLiteral("TALPEX"), QStringLiteral("Import"), QString::fromLatin1(key), QString());
    }
    QString file(const QString& name, const QByteArray& content) { return testsupport::writeFile(db.dir().file(name), content); }
    // "Importieren...": `fill` works the dialog; OK when it returns true, else Cancel.
    void importThroughDialog(const std::function<bool(frmIMPORT&)>& fill)
    {
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<frmIMPORT*>(QApplication::activeModalWidget());
            if (!dlg) return ADD_FAILURE() << "no import dialog";
            if (fill(*dlg)) click(dlg->cmdOK());
            if (dlg->isVisible()) dlg->reject();
        });
        click(form->cmdIMPORT());
    }
    bool fillFallingHead(frmIMPORT& dlg, const QString& path)
    {
        EXPECT_TRUE(dlg.setFile(path));
        typeField(dlg.txtSENSOR(), QStringLiteral("2500"));
        typeField(dlg.txtSTART(), QStringLiteral("28.06.2025 10:00:00"));
        return true;
    }
    QStringList stored(long id)
    {
        QStringList rows;
        ado::Recordset rs(QStringLiteral("SELECT [I1],[DATUM],[UHRZEIT],[DET],[TEMP],[HST],[HKO] FROM [E3] WHERE [ID]=%1 ORDER BY [I1]").arg(id),
                          session.cnnX);
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList row;
            for (int c = 0; c < 7; ++c) row << rs.Value(c).toString();
            rows << row.join(QLatin1Char('|'));
        }
        return rows;
    }

    testsupport::FallingHeadLog log{.seconds = 600};
};

TEST_F(EingabeImport, ImportedReadingsAreStoredAsTheBatchCommandStoresThem)
{
    const QString path = file(QStringLiteral("B7.csv"), log.levelLogger());
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B7"));
    typeField(form->txtH(), QStringLiteral("1500"));
    QString count;
    importThroughDialog([&](frmIMPORT& dlg) {
        fillFallingHead(dlg, path);
        count = dlg.lblERGEBNIS()->text();
        return true;
    });
    EXPECT_EQ(count, QStringLiteral("Ergibt %1 Messwerte.").arg(dataRows()));
    EXPECT_EQ(cell(1, 2), QStringLiteral("10:00:00"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("10:00:01"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("0"));
    EXPECT_EQ(cell(dataRows(), 4), QStringLiteral("10,0"));
    EXPECT_EQ(cell(dataRows(), 6), QString());
    ASSERT_TRUE(form->OK(1));

    testsupport::addRecord(session.cnnX, 2, QStringLiteral("B8"), false);
    QString out, err;
    QTextStream o(&out), e(&err);
    ASSERT_EQ(BatchImport::run({QStringLiteral("import"), db.path(), QStringLiteral("--record"), QStringLiteral("B8"),
                                QStringLiteral("--file"), path, QStringLiteral("--per-decade"), QStringLiteral("10"),
                                QStringLiteral("--sensor-depth"), QStringLiteral("2500"), QStringLiteral("--start"),
                                QStringLiteral("2025-06-28 10:00:00")},
                               o, e),
              0)
        << err.toStdString();
    EXPECT_EQ(stored(2), stored(1));
    EXPECT_EQ(stored(1).size(), dataRows());
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(EingabeImport, ReplacingAsksFirstAndABrokenFileLeavesTheGridAlone)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B7"));
    typeCell(1, 2, QStringLiteral("10:00"));
    typeCell(1, 5, QStringLiteral("120"));
    const QString broken = file(QStringLiteral("B8.csv"), log.levelLogger().replace("2025/06/28,10:00:05", "2025/06/31,10:00:05"));
    importThroughDialog([&](frmIMPORT& dlg) { return fillFallingHead(dlg, broken); });
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_TRUE(ui->boxes()[0].text.startsWith(QStringLiteral("Zeile 78: Erwartet wird ein Datum"))) << ui->boxes()[0].text.toStdString();
    EXPECT_EQ(dataRows(), 1);
    EXPECT_EQ(cell(1, 5), QStringLiteral("120,0"));

    const QString good = file(QStringLiteral("B7.csv"), log.levelLogger());
    ui->clear();
    ui->answer(vb::vbNo);
    importThroughDialog([&](frmIMPORT& dlg) { return fillFallingHead(dlg, good); });
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Vorhandene Messwerte ersetzen?"));
    EXPECT_EQ(dataRows(), 1);

    ui->answer(vb::vbYes);
    importThroughDialog([&](frmIMPORT& dlg) { return fillFallingHead(dlg, good); });
    EXPECT_GT(dataRows(), 20);
    EXPECT_EQ(cell(1, 2), QStringLiteral("10:00:00"));
}

TEST_F(EingabeImport, AFileWithoutTemperaturesTakesTheWaterTemperatureTyped)
{
    const QString path = file(QStringLiteral("B9.csv"), log.withoutTemperatures());
    openForm();
    typeField(form->txtH(), QStringLiteral("1500"));
    QString shown;
    importThroughDialog([&](frmIMPORT& dlg) {
        fillFallingHead(dlg, path);
        shown = dlg.lblERGEBNIS()->text();
        typeField(dlg.txtWASSERTEMP(), QStringLiteral("20"));
        return true;
    });
    EXPECT_TRUE(shown.contains(QStringLiteral("Wassertemperatur [°C] angeben"))) << shown.toStdString();
    EXPECT_EQ(cell(1, 4), QStringLiteral("20,0"));
    EXPECT_EQ(cell(dataRows(), 4), QStringLiteral("20,0"));

    // the next import starts from the sensor depth used last; a depth that puts h' below H is refused
    QString refused;
    importThroughDialog([&](frmIMPORT& dlg) {
        EXPECT_EQ(dlg.txtSENSOR()->text(), QStringLiteral("2500"));
        dlg.setFile(path);
        typeField(dlg.txtWASSERTEMP(), QStringLiteral("20"));
        typeField(dlg.txtSENSOR(), QStringLiteral("4500"));
        refused = dlg.lblERGEBNIS()->text();
        return false;
    });
    EXPECT_TRUE(refused.contains(QStringLiteral("Bitte die Sensortiefe"))) << refused.toStdString();
}

} // namespace
