#pragma once
// The evaluation of one data record: reads the record's parameters and
// readings and the standpipe's constants, computes the evaluation steps and
// writes them to A2. Works on the current record (the first active one) of
// the session's project.
// A caller creates one object per evaluation, calls BERECHNUNG once and
// releases it.
#include <functional>

class clsDATEN;
class Session;
struct EvaluationSteps;
namespace vb { class OnError; }

class clsBERECHNEN {
public:
    // Receives the progress values 10, 50, 80 and 100 of BERECHNUNG; the start
    // screen connects its progress bar pgbBERECHNEN here.
    using ProgressHook = std::function<void(int)>;

    explicit clsBERECHNEN(Session& s, ProgressHook progress = {}) : m_s(s), m_progress(std::move(progress)) {}

    void setProgressHook(ProgressHook progress) { m_progress = std::move(progress); }

    // True when the results were written, also when a failure box was answered
    // with OK; false after Cancel or when the step width is below 1. Too few
    // readings write nothing and give true.
    bool BERECHNUNG();

    // y = y2 - (y2 - y1) * (x2 - x) / (x2 - x1); x2 = x1 shows "Division durch Null!" and gives 0.
    static float LININT(float x1, float x2, float x, float y1, float y2);
    // Decimal logarithm; 0 for x <= 0.
    static double LOG10(double x);

private:
    void progress(int value) const;
    static bool writeResults(clsDATEN& A2, const EvaluationSteps& out, vb::OnError& onError);

    Session& m_s;
    ProgressHook m_progress;
};
