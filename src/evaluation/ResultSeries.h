#pragma once
// One record's stored results as the result pages draw them: the A2 columns
// by reading index and the time axes computed from the readings' time
// differences. Shared by the single and the multiple page and the batch summary.
#include <QString>
#include <QVector>

namespace ado { class Connection; }

struct ResultSeries {
    qint32 id = 0;
    short N = 1;            // step width n from E2
    int AN = 0;             // number of readings in E3
    QVector<float> DETN;    // A2 rows that exist, by I1
    QVector<float> PHI;
    QVector<float> K10;     // evaluated intervals only
    QVector<float> DEHKO;
    QVector<float> T;       // hours: end of step i, one per DETN entry
    QVector<float> TM;      // hours: middle of step j, one per K10 entry

    bool hasResults() const { return !K10.isEmpty(); }
    // Reads record id from the working copy (E2, E3, A2 with that record's key).
    static ResultSeries read(ado::Connection& cnnX, qint32 id);
};
