#pragma once
// Which logged readings become readings of the record. A record holds at most
// 32 767 readings, and its times are whole seconds, so at most one reading per
// second is kept: the evaluation needs a time span for every step. Readings
// before the start time are dropped; elapsed time counts from the start time.
// The last reading is always kept: it closes the test.
#include <QtGlobal>
#include <optional>
#include <vector>

namespace logger {

struct Thinning {
    enum Mode { All, EveryNth, Interval, PerDecade };
    Mode mode = All;
    int every = 1;         // EveryNth: every N-th reading from the start
    double minutes = 1;    // Interval: the first reading of every M minutes
    int perDecade = 10;    // PerDecade: K readings per decade of elapsed time (from 1 s on)
    std::optional<qint64> start; // ms on the Julian-day scale; none: the first reading

    // The indexes of the kept readings, ascending. times: ms on the
    // Julian-day scale, not decreasing.
    std::vector<qsizetype> select(const std::vector<qint64>& times) const;
};

// A time rounded to the whole second the record stores.
inline qint64 wholeSecond(qint64 ms) { return (ms + 500) / 1000 * 1000; }

} // namespace logger
