#pragma once
// The numerical core of the evaluation: the readings, parameters and standpipe
// constants of one record in, the evaluation steps out. No database and no
// window, so it can be driven and checked on its own.
#include <QVector>

namespace vb { class OnError; }

// What the evaluation reads for one record (readings 0 ... m).
struct EvaluationInput {
    float H = 0;            // mm, lower edge of the steel cylinder to the pipe top
    int N = 0;              // step width n
    QVector<float> DET;     // min, time since the previous reading
    QVector<float> TEMP;    // °C
    QVector<float> HST;     // mm, h': water level below the pipe top
    QVector<float> HKO;     // mm, level in the reference pipe (0 where empty)
    bool hkoFirstEmpty = false; // the first reading has no HKO: levels come from a, b, c
    float A = 0, B = 0, C = 0;  // correction function hkorr(T) = a - b*T + c*T^2
    float D1 = 0, D2 = 0;       // mm, diameters of the steel cylinder and the standpipe
    float F = 0;                // flow factor: 2 hemispherical, 4 spherical

    int m() const { return static_cast<int>(TEMP.size()) - 1; }
};

// The working arrays after a run; with s = n - 1 and K = m - s:
// PHI and DETN hold 0 ... K, the others 0 ... K-1.
struct EvaluationSteps {
    QVector<float> hk;      // reference levels used, 0 ... m
    QVector<float> TM;      // mean temperature of the step
    QVector<float> ETA;     // viscosity at TM relative to 10 °C
    QVector<float> DEHKO;   // change of the reference level
    QVector<float> DETN;    // time span
    QVector<float> PHI;     // head above the lower edge of the cylinder
    QVector<float> K10;     // permeability reduced to 10 °C; 0 = not evaluable

    int K() const { return static_cast<int>(PHI.size()) - 1; }
};

class StepCalculation {
public:
    enum class Outcome {
        Computed,         // out holds the steps
        TooFewReadings,   // fewer than n + 1 readings: nothing to compute
        BadStepWidth,     // n < 1: no step can be formed
        Cancelled,        // a failure box was answered with Cancel
    };

    // Runs every statement through onError: a failing statement (division by
    // zero, overflow, logarithm of a non-positive ratio) shows the failure box
    // and, on OK, leaves its target at 0 and goes on with the next statement.
    static Outcome run(const EvaluationInput& in, vb::OnError& onError, EvaluationSteps& out);
};
