#pragma once
// A level logger's export of a falling-head test, for tests and benchmarks:
// the water column above a sensor below the pipe top, logged every second.
// The head above the cylinder edge, phi = H - h', rests for a while and then
// falls as phi0 * exp(-rate * t) from the start time on.
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <cmath>
#include <cstdio>

namespace testsupport {

struct FallingHeadLog {
    double rate = 1e-3;        // 1/s
    double phi0 = 1000;        // mm at the start
    double h = 1500;           // mm, H of the record
    double sensorDepth = 2500; // mm below the pipe top
    int before = 60;           // seconds at rest before the start
    int seconds = 3000;        // seconds logged from the start
    QDateTime start{QDate(2025, 6, 28), QTime(10, 0, 0)};

    QByteArray levelLogger() const
    {
        QByteArray out = "Serial_number:\r\n2029787\r\nProject ID:\r\nDEMO\r\nLocation:\r\nB7\r\nLEVEL\r\nUNIT: m\r\n"
                         "TEMPERATURE\r\nUNIT: \xB0" "C\r\n\r\nDate,Time,ms,LEVEL,TEMPERATURE\r\n";
        out.reserve(out.size() + (before + seconds + 1) * 48);
        char line[96];
        for (int s = -before; s <= seconds; ++s) {
            const double phi = s < 0 ? 0.2 * phi0 : phi0 * std::exp(-rate * s);
            const double column = sensorDepth - (h - phi); // mm of water above the sensor
            const QDateTime t = start.addSecs(s);
            const QDate d = t.date();
            const QTime c = t.time();
            const int n = std::snprintf(line, sizeof line, "%04d/%02d/%02d,%02d:%02d:%02d,0,%.7f,10.000\r\n", d.year(),
                                        d.month(), d.day(), c.hour(), c.minute(), c.second(), column / 1000.0);
            out.append(line, n);
        }
        return out;
    }
    // the same log without its temperature column
    QByteArray withoutTemperatures() const { return levelLogger().replace(",TEMPERATURE", "").replace(",10.000", ""); }
    // k of the standpipe d1 = 100 mm, d2 = 50 mm, f = 4 for this rate: phi
    // falls as exp(-k * (d1/2000) * f * t / (d2/2000)^2).
    double k() const { return rate * 0.025 * 0.025 / (0.05 * 4); }
};

// A file to import, written whole; its path, or nothing when it cannot be written.
inline QString writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? path : QString();
}

} // namespace testsupport
