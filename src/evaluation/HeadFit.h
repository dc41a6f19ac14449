#pragma once
// The straight line through ln(head) against time over a record's range of
// steps, the other way a falling-head test is evaluated: its slope gives k,
// reduced to 10 °C by counting time at the viscosity of 10 °C, with a 95 %
// confidence interval and R². Computed in double precision from the readings
// and the reference levels the evaluation used.
#include "evaluation/StepRange.h"

#include <QVector>

struct EvaluationInput;

class HeadFit {
public:
    // in: the record's readings and constants; hk: the reference levels the
    // evaluation used (EvaluationSteps::hk, readings 0 ... m); range: steps
    // numbered from 1, step i spanning readings i-1 ... i+s.
    static HeadFit of(const EvaluationInput& in, const QVector<float>& hk, const StepRange& range);

    StepRange range;
    int r0 = 0, r1 = -1;     // readings of the range
    int points = 0;          // readings the line runs through (head > 0)
    int leftOut = 0;         // readings of the range with a head <= 0

    bool evaluable = false;  // a falling line through at least two points
    double k10 = 0;          // m/s
    bool hasInterval = false; // at least three points
    double low = 0, high = 0; // 95 % confidence limits of k10
    double r2 = 0;
    // Slopes of the first and the second half of the points differ by more
    // than 30 % of the whole range's slope.
    bool curved = false;

    // Per reading 0 ... m: hours since the first reading, and the corrected
    // head relative to the head at r0 (0 where the head is <= 0).
    QVector<double> hours;
    QVector<double> relativeHead;
    // Per reading r0 ... r1: the fitted line, relative like relativeHead.
    QVector<double> fittedHead;

    // The viscosity of water at 10 °C relative to that at tm °C, as the
    // evaluation computes it for a step.
    static double viscosityRatio(double tm);
    // Student's t quantile for probability p (0.5 ... 1) and dof degrees of freedom.
    static double studentT(double p, int dof);
};
