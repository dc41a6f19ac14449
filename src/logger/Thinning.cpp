#include "logger/Thinning.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace logger {

namespace {

// The bucket a reading falls into: one reading is kept per bucket.
qint64 bucket(const Thinning& t, qsizetype index, qint64 elapsedMs)
{
    switch (t.mode) {
    case Thinning::All: return index;
    case Thinning::EveryNth: return index / std::max(1, t.every);
    case Thinning::Interval: {
        const double width = std::max(t.minutes, 1.0 / 60.0) * 60000.0;
        return static_cast<qint64>(std::floor(static_cast<double>(elapsedMs) / width));
    }
    case Thinning::PerDecade:
        // The start itself, then K buckets per decade of seconds; a little
        // slack keeps a reading exactly on a bucket edge in the later bucket.
        if (elapsedMs < 1000) return elapsedMs <= 0 ? std::numeric_limits<qint64>::min() : -1;
        return static_cast<qint64>(std::floor(std::max(1, t.perDecade) * std::log10(elapsedMs / 1000.0) + 1e-9));
    }
    return index;
}

} // namespace

std::vector<qsizetype> Thinning::select(const std::vector<qint64>& times) const
{
    std::vector<qsizetype> kept;
    if (times.empty()) return kept;
    const auto first = start ? std::lower_bound(times.begin(), times.end(), *start) - times.begin() : 0;
    if (first >= static_cast<qsizetype>(times.size())) return kept;
    const qint64 origin = start ? *start : times[static_cast<size_t>(first)];
    std::optional<qint64> lastBucket;
    qint64 lastSecond = 0;
    for (qsizetype i = first; i < static_cast<qsizetype>(times.size()); ++i) {
        const qint64 t = times[static_cast<size_t>(i)];
        const qint64 b = bucket(*this, i - first, t - origin);
        if (lastBucket && b <= *lastBucket) continue;
        if (!kept.empty() && wholeSecond(t) == lastSecond) continue;
        kept.push_back(i);
        lastBucket = b;
        lastSecond = wholeSecond(t);
    }
    // the end of the test is kept whatever the buckets say
    const auto last = static_cast<qsizetype>(times.size()) - 1;
    if (kept.back() != last && wholeSecond(times.back()) != lastSecond) kept.push_back(last);
    return kept;
}

} // namespace logger
