#pragma once
// The division of one diagram axis: limits found from the data, snapped into
// the list of admissible limits, the range chosen from the list of admissible
// ranges, and the ticks, grid ticks and label count for that range.
#include <QVector>

namespace gfx {

// The five lists of one axis (ELXMIN, ELXDIFF, ELXIT, ELXGIT, ELXZL).
struct AxisLists {
    QVector<float> MIN;   // ascending admissible limits
    QVector<float> DIFF;  // ascending admissible ranges
    QVector<short> IT;    // tick intervals per range
    QVector<short> GIT;   // grid intervals per range (0 = no grid)
    QVector<short> ZL;    // labelled intervals per range (0 = no labels)
};

struct AxisScale {
    QVector<float> ticks;      // world units; logarithms on a logarithmic axis
    QVector<float> gridTicks;  // logarithmic axis: where the grid lines go
    short N = 0;               // tick intervals (linear axis)
    short grid = 0;
    short labels = 0;
};

class AxisDivision {
public:
    // Base-10 logarithm for v > 0, 0 otherwise.
    static float log10or0(float v);
    // Rounds a half to the even neighbour.
    static int roundEven(double v);
    // Where a logarithmic axis from lo to hi (logarithms) is labelled: at the
    // given ends and decades; over fewer than three decades also at 2 ... 9,
    // or else at 2 and 5 times the powers of ten, the denser whose labels
    // stay labelSpan (in logarithms) apart; a subdivision closer to an end is
    // left out. Ascending, no place twice.
    static QVector<float> logarithmicLabels(float lo, float hi, const QVector<float>& decades, double labelSpan);

    // Divides one axis. MIN/MAX come in as stored (or as found so far) and go
    // out as used. With |nr| = 1 automatic limits start at the first data value;
    // unless nr is 1 or 2 the maximum becomes MIN + the chosen range (linear).
    // On a logarithmic axis data <= 0 are not taken into the limits.
    // Limit, range and tick lists too short for the chosen entry raise error 9
    // (grid and label lists count as 0 there); no tick interval raises 11.
    static AxisScale divide(float& MIN, float& MAX, const AxisLists& lists, bool logarithmic, bool autoMin,
                            bool autoMax, short nr, const QVector<float>& data);
};

} // namespace gfx
