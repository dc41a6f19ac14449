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
    QString file(const QString& name, const QByteArray& content)
    {
        QFile f(db.dir().file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        return f.fileName();
    }
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
    // Keeps what the dialog then says in `shown`.
    bool fillFallingHead(frmIMPORT& dlg, const QString& path)
    {
        EXPECT_TRUE(dlg.setFile(path));
        typeField(dlg.txtSENSOR(), QStringLiteral("2500"));
        typeField(dlg.txtSTART(), QStringLiteral("28.06.2025 10:00:00"));
        shown = dlg.lblERGEBNIS()->text();
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
    QString shown;
};

TEST_F(EingabeImport, ImportedReadingsAreStoredAsTheBatchCommandStoresThem)
{
    const QString path = file(QStringLiteral("B7.csv"), log.levelLogger());
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B7"));
    typeField(form->txtH(), QStringLiteral("1500"));
    importThroughDialog([&](frmIMPORT& dlg) { return fillFallingHead(dlg, path); });
    EXPECT_EQ(shown, QStringLiteral("Ergibt %1 Messwerte.").arg(dataRows()));
    // times of the first rows, elapsed 0, the logged temperature, no reference level
    EXPECT_EQ((QStringList{cell(1, 2), cell(2, 2), cell(1, 3), cell(dataRows(), 4), cell(dataRows(), 6)}),
              (QStringList{QStringLiteral("10:00:00"), QStringLiteral("10:00:01"), QStringLiteral("0"), QStringLiteral("10,0"), QString()}));
    ASSERT_TRUE(form->OK(1));

    testsupport::addRecord(session.cnnX, 2, QStringLiteral("B8"), false);
    QString out, err;
    QTextStream o(&out), e(&err);
    using S = QString;
    ASSERT_EQ(BatchImport::run({S("import"), db.path(), S("--record"), S("B8"), S("--file"), path, S("--per-decade"), S("10"),
                                S("--sensor-depth"), S("2500"), S("--start"), S("2025-06-28 10:00:00")}, o, e), 0) << err.toStdString();
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
    const QString path = file(QStringLiteral("B9.csv"), log.levelLogger().replace(",TEMPERATURE", "").replace(",10.000", ""));
    openForm();
    typeField(form->txtH(), QStringLiteral("1500"));
    importThroughDialog([&](frmIMPORT& dlg) {
        fillFallingHead(dlg, path);
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
