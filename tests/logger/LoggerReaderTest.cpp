// Logger files as the field exports write them: what each format yields, and
// that a broken file names its line. Also how the thinning picks readings.
#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"
#include "logger/LoggerImport.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>
#include <cmath>
#include <set>

using namespace logger;

namespace {

QString stamp(qint64 ms)
{
    return fields::toDate(ms).toString(Qt::ISODate) + QLatin1Char(' ') + fields::toTime(ms).toString(QStringLiteral("HH:mm:ss.zzz"));
}

struct FileCase {
    const char* name;
    QByteArray content;
    Format format; // detected
    const char* levelColumn;
    std::optional<Unit> unit;
    Meaning meaning;
    size_t rows;
    const char* firstTime;
    double firstLevel, lastLevel;
    double firstTemperature; // NaN: no temperature
};

const double kNone = std::nan("");

// A level logger's export: ISO-8859-1 degree sign, CRLF, a BOM, a channel
// more than needed, and a last line the logger was still writing.
const QByteArray kLevelLogger = QByteArray("\xEF\xBB\xBFSerial_number:\r\n2029787\r\nProject ID:\r\nPV-7\r\nLocation:\r\nB3\r\n"
                                           "LEVEL\r\nUNIT: m\r\nOffset: 0.000000 m\r\nTEMPERATURE\r\nUNIT: \xB0"
                                           "C\r\n\r\nDate,Time,ms,LEVEL,TEMPERATURE,CONDUCTIVITY\r\n"
                                           "2025/06/28,17:30:00,500,96.6816,21.942,0.5\r\n"
                                           "2025/06/28,17:30:01,0,96.6001,21.940,0.5\r\n"
                                           "\r\n"
                                           "2025/06/28,17:30:02,0,96.5512,21.938,0.5\r\n"
                                           "2025/06/28,17:30:0");

const std::vector<FileCase> kFiles = {
    {"level logger", kLevelLogger, Format::LevelLogger, "LEVEL", Unit::m, Meaning::WaterColumn, 3,
     "2025-06-28 17:30:00.500", 96.6816, 96.5512, 21.942},
    {"transducer, psi and feet", "Date and Time,Pressure (PSI),Temperature (C),Depth (ft)\n"
                                 "28/06/2025 17:30:05,12.113,11.2,27.941\n28/06/2025 17:30:35,12.001,11.2,27.683\n",
     Format::Transducer, "Depth (ft)", Unit::ft, Meaning::WaterColumn, 2, "2025-06-28 17:30:05.000", 27.941, 27.683, 11.2},
    {"transducer, depth to water in UTF-8", "Date Time,Level Depth To Water (m),Temperature (\xC2\xB0" "C)\n"
                                            "2025-06-28 09:00:00,3.512,9.8\n2025-06-28 09:00:10,3.498,9.8\n",
     Format::Transducer, "Level Depth To Water (m)", Unit::m, Meaning::DepthToWater, 2, "2025-06-28 09:00:00.000", 3.512,
     3.498, 9.8},
    {"semicolons and decimal commas", "Messstelle B3;;;\n\nDatum;Uhrzeit;Wasserstand [cm];Temperatur\n"
                                      "28.06.2025;17:30:00;120,5;8,1\n\n28.06.2025;17:31:00,5;118,25;\n",
     Format::Delimited, "Wasserstand [cm]", Unit::cm, Meaning::WaterColumn, 2, "2025-06-28 17:30:00.000", 120.5, 118.25, 8.1},
    {"tabs and elapsed minutes", "Zeit [min]\tAbstich [m]\n0\t1.25\n0.5\t1.5\n90\t2.75\n", Format::Delimited,
     "Abstich [m]", Unit::m, Meaning::DepthToWater, 3, "2025-01-01 00:00:00.000", 1.25, 2.75, kNone},
    {"no header, one time-stamp column", "2025-06-28T17:30:00.25,1.50\n2025-06-28T17:30:02,1.25", Format::Delimited, "2",
     std::nullopt, Meaning::WaterColumn, 2, "2025-06-28 17:30:00.250", 1.5, 1.25, kNone},
};

const qint64 kOrigin = fields::fromDateTime(QDate(2025, 1, 1), QTime(0, 0));

TEST(LoggerReader, EachFormatGivesItsTimesLevelsAndUnits)
{
    for (const FileCase& c : kFiles) {
        SCOPED_TRACE(c.name);
        LoggerImport imp;
        imp.load(c.content, Format::Auto, kOrigin);
        const Layout& l = imp.layout();
        EXPECT_EQ(l.format, c.format);
        EXPECT_EQ(l.columns.value(l.levelColumn), QString::fromUtf8(c.levelColumn));
        EXPECT_EQ(l.levelUnit, c.unit);
        EXPECT_EQ(l.meaning, c.meaning);
        const Series& s = imp.series();
        ASSERT_EQ(s.times.size(), c.rows);
        EXPECT_EQ(stamp(s.times.front()), QString::fromLatin1(c.firstTime));
        EXPECT_DOUBLE_EQ(s.levels.front(), c.firstLevel);
        EXPECT_DOUBLE_EQ(s.levels.back(), c.lastLevel);
        if (std::isnan(c.firstTemperature)) EXPECT_FALSE(s.hasTemperature);
        else EXPECT_DOUBLE_EQ(s.temperatures.front(), c.firstTemperature);
    }
}

TEST(LoggerReader, ABrokenRowNamesItsLineAndWhatWasExpected)
{
    const QByteArray header = "Datum;Uhrzeit;Pegel [m]\n28.06.2025;10:00:00;1,5\n";
    const struct {
        QByteArray content;
        Format format;
        int line;
        const char* says;
    } cases[] = {
        {header + "28.06.2025;10:00:10\n", Format::Auto, 3, "3 fields expected, 2 found"},
        {header + "31.06.2025;10:00:10;1,4\n", Format::Auto, 3, "Expected a date"},
        {header + "28.06.2025;10:00:20;1,4\n28.06.2025;10:00:10;1,3\n", Format::Auto, 4, "earlier than"},
        {header + "28.06.2025;10:00:20;n/a\n", Format::Auto, 3, "number in column \"Pegel [m]\""},
        {header, Format::LevelLogger, 0, "No header line \"Date,Time,ms,LEVEL"},
        {"only words\nand more words\n", Format::Auto, 0, "No delimiter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        LoggerImport imp;
        try {
            imp.load(c.content, c.format, kOrigin);
            imp.series();
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.line(), c.line);
            EXPECT_TRUE(e.text(true).contains(QString::fromUtf8(c.says))) << e.text(true).toStdString();
            EXPECT_FALSE(e.text(false).isEmpty());
        }
    }
}

// Field files as engineers bring them, read to h' (depth to water, no offset):
// the first and last time and h', or the refusal with its line.
struct FieldCase {
    const char* name;
    QByteArray content;
    void (*options)(LoggerImport&);
    size_t readings;
    const char *first, *last; // times, or for a refusal: the line and words it says
    double firstH, lastH;
    int refusedLine = -1; // -1: read
    int skipped = 0;      // rows without a level
};

TEST(LoggerReader, FieldFilesGiveWhatTheySayOrAreRefusedWithTheirLine)
{
    const auto none = [](LoggerImport&) {};
    const auto at20 = [](LoggerImport& i) { i.waterTemperature = 20; };
    const std::vector<FieldCase> cases = {
        {"trailing delimiter", "Datum;Zeit;Pegel;Temp\n28.06.2025;10:00:00;1,234;11,2;\n28.06.2025;10:00:10;1,250;11,2;\n",
         none, 2, "2025-06-28 10:00:00.000", "2025-06-28 10:00:10.000", 1234, 1250},
        {"bar and T [°C]", "Date and Time,Pressure (bar),T [\xC2\xB0" "C]\n2025-06-28 10:00:00,0.1,9\n2025-06-28 10:01:00,0.2,9\n",
         none, 2, "2025-06-28 10:00:00.000", "2025-06-28 10:01:00.000", 1e7 / 9806.38, 2e7 / 9806.38},
        {"unknown unit", "Date and Time,Level (furlong),Temp\n2025-06-28 10:00:00,1,9\n2025-06-28 10:01:00,2,9\n", none, 0,
         "1", "\"furlong\"", 0, 0, 1},
        {"unknown unit chosen", "Date and Time,Level (cm H20),Temp\n2025-06-28 10:00:00,1,9\n2025-06-28 10:01:00,2,9\n",
         [](LoggerImport& i) { i.conversion.unit = Unit::cm; i.unitChosen = true; }, 2, "2025-06-28 10:00:00.000",
         "2025-06-28 10:01:00.000", 10, 20},
        {"cut inside the last number", "t [s],Temp,Level [mm]\n0,11.2,45.31\n10,11.2,45.52\n20,11.2,4", none, 2,
         "2025-01-01 00:00:00.000", "2025-01-01 00:00:10.000", 45.31, 45.52},
        {"CR line ends, one reading", "Zeit [min];Abstich [m];Temp\r0;1,5;10\r", none, 0, "0", "Only one reading", 0, 0, 0},
        {"no temperature", "Zeit [h];Abstich [m]\n0;1,5\n1;1,75\n", none, 0, "0", "no temperatures", 0, 0, 0},
        {"hours, water temperature", "Zeit [h];Abstich [m]\n0;1,5\n1;1,75\n", at20, 2, "2025-01-01 00:00:00.000",
         "2025-01-01 01:00:00.000", 1500, 1750},
        {"minutes without a header", "0;1,5\n2,5;1,75\n", [](LoggerImport& i) { i.waterTemperature = 20; i.setElapsedUnit(TimeKind::ElapsedMinutes); },
         2, "2025-01-01 00:00:00.000", "2025-01-01 00:02:30.000", 1500, 1750},
        {"month first", "Date,Time,Level,Temp\n07/06/2025,10:00:00,1.5,9\n07/13/2025,09:00:00,1.75,9\n", none, 0, "3",
         "More than 24 hours", 0, 0, 3},
        {"month first, gaps allowed", "Date,Time,Level,Temp\n07/06/2025,10:00:00,1.5,9\n07/13/2025,09:00:00,1.75,9\n",
         [](LoggerImport& i) { i.setAllowGaps(true); }, 2, "2025-07-06 10:00:00.000", "2025-07-13 09:00:00.000", 1500, 1750},
        {"preamble with a date", "Messbeginn;28.06.2025;10:00:00\nDatum;Zeit;Pegel [cm];Temp\n28.06.2025;10:00:00;150;9\n"
                                 "28.06.2025;10:00:05;-;9\n28.06.2025;10:00:06;NaN;9\n28.06.2025;10:00:07;;9\n28.06.2025;10:00:10;175;9\n",
         none, 2, "2025-06-28 10:00:00.000", "2025-06-28 10:00:10.000", 1500, 1750, -1, 3},
        {"lines skipped", "99;2;3\n0;1,5;9\n10;1,75;9\n", [](LoggerImport& i) { i.setSkipLines(1); i.waterTemperature = 9; }, 2,
         "2025-01-01 00:00:00.000", "2025-01-01 00:00:10.000", 1500, 1750},
        {"an unreadable level", "Datum;Zeit;Pegel;Temp\n28.06.2025;10:00:00;1,5;9\n28.06.2025;10:00:05;err;9\n", none, 0, "3",
         "number in column \"Pegel\"", 0, 0, 3},
        {"heads below the cylinder", "Zeit [min];Abstich [m];Temp\n0;1,5;9\n1;2,5;9\n", [](LoggerImport& i) { i.pipeH = 2000; },
         0, "0", "Reading 2 (01.01.2025 00:01:00): h' = 2500 mm", 0, 0, 0},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        LoggerImport imp;
        try {
            imp.load(c.content, Format::Auto, kOrigin);
            c.options(imp);
            imp.conversion.meaning = Meaning::DepthToWater;
            const std::vector<Reading> r = imp.readings();
            ASSERT_EQ(c.refusedLine, -1) << "accepted";
            ASSERT_EQ(r.size(), c.readings);
            EXPECT_EQ(stamp(r.front().time), QString::fromLatin1(c.first));
            EXPECT_EQ(stamp(r.back().time), QString::fromLatin1(c.last));
            EXPECT_NEAR(r.front().hPrime, c.firstH, 1e-3 * c.firstH);
            EXPECT_NEAR(r.back().hPrime, c.lastH, 1e-3 * c.lastH);
            EXPECT_FALSE(std::isnan(r.back().temperature));
            EXPECT_EQ(imp.series().skippedRows, c.skipped);
        } catch (const Error& e) {
            EXPECT_EQ(e.line(), c.refusedLine) << e.text(true).toStdString();
            EXPECT_TRUE(e.text(true).contains(QString::fromUtf8(c.last))) << e.text(true).toStdString();
        }
    }
}

TEST(LoggerReader, EveryUnitGivesMillimetresOfWater)
{
    // fresh water at 4 °C (999.972 kg/m³) under standard gravity
    const double mmPerPascal = 1000.0 / (999.972 * 9.80665);
    const struct { const char* spelling; double mm; } units[] = {{"M", 1000}, {"cm", 10}, {"mm", 1}, {"feet", 12 * 25.4}, {"in", 25.4}, {"mWS", 1000}, {"cmH2O", 10},
                 {"mm H2O", 1}, {"BAR", 1e5 * mmPerPascal}, {"mbar", 100 * mmPerPascal}, {"hPa", 100 * mmPerPascal},
                 {"kPa", 1000 * mmPerPascal}, {"PSI", 6894.757293 * mmPerPascal}};
    ASSERT_EQ(unitNames().size(), static_cast<qsizetype>(std::size(units)));
    for (const auto& u : units) {
        SCOPED_TRACE(u.spelling);
        const auto unit = unitFromName(QString::fromLatin1(u.spelling));
        ASSERT_TRUE(unit.has_value());
        EXPECT_NEAR(millimetresPer(*unit), u.mm, 1e-6 * u.mm);
        EXPECT_EQ(unitFromName(unitName(*unit)), unit);
    }
}

// One reading per second for an hour, sub-second duplicates in the first minute.
std::vector<qint64> hourOfSeconds()
{
    std::vector<qint64> t;
    for (int s = 0; s < 3600; ++s) {
        t.push_back(kOrigin + s * 1000);
        if (s < 60) t.push_back(kOrigin + s * 1000 + 200);
    }
    return t;
}

TEST(LoggerThinning, KeepsOneReadingPerStepAndNeverTwoInOneSecond)
{
    const std::vector<qint64> times = hourOfSeconds();
    const auto secondsOf = [&](const std::vector<qsizetype>& kept) {
        std::vector<qint64> s;
        for (qsizetype i : kept) s.push_back((times[static_cast<size_t>(i)] - kOrigin) / 1000);
        return s;
    };
    Thinning t;
    EXPECT_EQ(t.select(times).size(), 3600u);
    t.mode = Thinning::EveryNth;
    t.every = 10;
    EXPECT_EQ(t.select(times).size(), 367u); // 12 in the doubled first minute, then every 10th second, and the last
    t.mode = Thinning::Interval;
    t.minutes = 5;
    EXPECT_EQ(secondsOf(t.select(times)).back(), 3599); // the last reading closes the test
    EXPECT_EQ(t.select(times).size(), 13u);

    t.mode = Thinning::PerDecade;
    t.perDecade = 10;
    t.start = kOrigin + 600'000; // readings before the start are dropped
    const std::vector<qint64> kept = secondsOf(t.select(times));
    EXPECT_EQ(kept.front(), 600);
    std::set<qint64> perDecade[4];
    for (size_t i = 1; i < kept.size(); ++i) {
        ASSERT_GT(kept[i], kept[i - 1]);
        perDecade[static_cast<size_t>(std::log10(static_cast<double>(kept[i] - 600)))].insert(kept[i]);
    }
    // 1-10 s: whole seconds, some steps share one or have none; then ten per decade
    EXPECT_EQ(perDecade[0].size(), 7u);
    EXPECT_EQ(perDecade[1].size(), 10u);
    EXPECT_EQ(perDecade[2].size(), 10u);
}

} // namespace
