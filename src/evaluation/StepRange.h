#pragma once
// The steps an engineer reports a test's permeability over, and what is
// reported: mean, standard deviation and coefficient of variation of k10 over
// the range. Steps are numbered from 1 as in the evaluation: step i ends at
// reading i + s and its k10 is K10(i - 1). A k10 of 0 (not evaluable) is left
// out and counted.
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

struct StepRange {
    int first = 1;
    int last = 0; // inclusive; last < first: no step

    bool contains(int step) const { return step >= first && step <= last; }
    bool isEmpty() const { return last < first; }
    int count() const { return isEmpty() ? 0 : last - first + 1; }

    // The range stored with a record (VON, BIS; null = from the first / to
    // the last step) over `steps` evaluated steps. A stored range that these
    // steps no longer hold falls back to all of them.
    static StepRange resolve(const QVariant& von, const QVariant& bis, int steps);
    // "A-B" as typed on a command line, checked against nothing yet.
    static std::optional<StepRange> parse(const QString& text);
    // A range chosen by the user: nullopt when it is out of order or leaves
    // 1 ... steps.
    static std::optional<StepRange> checked(int first, int last, int steps);
};

struct StepSummary {
    StepRange range;
    int steps = 0;       // steps of the range with k10 > 0
    int unevaluable = 0; // steps of the range with k10 = 0
    double mean = 0, sd = 0, cv = 0;

    // Over k10 (one value per step, K10(0) first) within the range.
    static StepSummary of(const QVector<float>& k10, const StepRange& range);
};
