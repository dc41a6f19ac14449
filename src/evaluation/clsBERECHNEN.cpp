#include "evaluation/clsBERECHNEN.h"

#include "data/Schema.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "evaluation/RecordInput.h"
#include "evaluation/StepCalculation.h"
#include "evaluation/VbArithmetic.h"
#include "graphics/Interpolation.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <QVariantList>
#include <cmath>
#include <memory>
#include <optional>

namespace {

const QString kTitle = QStringLiteral("Auswerten");

std::unique_ptr<clsDATEN> dataAccess(Session& s, const QString& table)
{
    auto d = std::make_unique<clsDATEN>(s);
    d->setETABELLE(table);
    return d;
}

// K10 and DEHKO end one row before PHI and DETN: the last row keeps them empty.
QVariantList withEmptyLastRow(const QVector<float>& values)
{
    QVariantList list;
    list.reserve(values.size() + 1);
    for (float v : values) list.append(v);
    list.append(QVariant());
    return list;
}

} // namespace

void clsBERECHNEN::progress(int value) const
{
    if (m_progress) m_progress(value);
}

bool clsBERECHNEN::BERECHNUNG()
{
    // the failures of the steps in the session's language, a head that is no head named
    const bool english = m_s.english();
    const QString prefix = english ? QStringLiteral("VB-Error: ") : QStringLiteral("VB-Fehler: ");
    vb::OnError onError(kTitle, prefix);
    onError.setText([english, prefix](const vb::VBError& e) {
        QString text = vb::OnError::text(prefix, e.Number(), vbmath::describe(e.Number(), e.Description(), english));
        if (e.Number() == 5)
            text += english ? QStringLiteral("\n(A level h' is not above the lower edge of the steel cylinder: h' >= H.)")
                            : QStringLiteral("\n(Ein Wasserstand h' liegt nicht über der Unterkante des Stahlzylinders: h' >= H.)");
        return text;
    });

    // The data-access objects, all bound to the current record. E1 and A1 are
    // neither read nor written here.
    std::unique_ptr<clsDATEN> E1, E2, E3, A1, A2, V1;
    if (!onError([&] {
            E1 = dataAccess(m_s, QStringLiteral("E1"));
            E2 = dataAccess(m_s, QStringLiteral("E2"));
            E3 = dataAccess(m_s, QStringLiteral("E3"));
            A1 = dataAccess(m_s, QStringLiteral("A1"));
            A2 = dataAccess(m_s, QStringLiteral("A2"));
            V1 = dataAccess(m_s, schema::kPresetsTable);
            V1->setEBOV(true);
            V1->setESPID(QString());
        }))
        return false;
    if (!E2 || !E3 || !A2 || !V1) return false; // nothing to work with

    EvaluationInput in;
    progress(10);
    if (!RecordInput::read(*E2, *E3, *V1, onError, in)) return false;
    progress(50);

    EvaluationSteps out;
    switch (StepCalculation::run(in, onError, out)) {
    case StepCalculation::Outcome::Cancelled:
        return false;
    case StepCalculation::Outcome::BadStepWidth:
        // Without a step width no step can be formed; one message instead of a failure per step.
        vb::MsgBox(m_s.tr(QStringLiteral("Die Schrittweite n ist kleiner als 1.\nDer Datensatz kann nicht ausgewertet werden!"),
                                QStringLiteral("The step width n is less than 1.\nThe data record cannot be evaluated!")),
                   vb::vbExclamation | vb::vbOKOnly, kTitle);
        return false;
    case StepCalculation::Outcome::TooFewReadings: {
        // Nothing to compute; old results of the record must not be shown as its results.
        bool removed = false;
        progress(80);
        onError([&] { removed = A2->LOESCHEN({}); });
        progress(100);
        return removed;
    }
    case StepCalculation::Outcome::Computed:
        break;
    }

    // Results, rows I1 = 0 ... K.
    progress(80);
    const bool written = writeResults(*A2, out, onError);
    if (written) progress(100);
    return written;
}

bool clsBERECHNEN::writeResults(clsDATEN& A2, const EvaluationSteps& out, vb::OnError& onError)
{
    // One transaction for all columns; what was written stays also when a
    // failure box is cancelled.
    std::optional<ado::Transaction> tx;
    if (!onError([&] { tx.emplace(A2.connection()); })) return false;
    const auto finish = [&](bool result) {
        if (onError.cancelled()) { // leaving after Cancel: keep what was written
            try {
                tx->commit();
            } catch (const vb::VBError&) {
            }
            return false;
        }
        bool committed = false;
        onError([&] {
            tx->commit();
            committed = true;
        });
        return committed && result;
    };

    // The record's old rows go first, so a shorter evaluation leaves no stale
    // steps; then the new rows are numbered and each column is written into
    // them in I1 order.
    const Keys byRow{{"I1"}};
    const int K = out.K();
    QVector<qint16> rows(K + 1);
    for (int i = 0; i <= K; ++i) rows[i] = static_cast<qint16>(i);
    const std::function<bool()> writes[] = {
        [&] { return A2.LOESCHEN({}); },
        [&] { return A2.DVTIF(QStringLiteral("I1"), rows, byRow); },
        [&] { return A2.DVTSF(QStringLiteral("PHI"), out.PHI, byRow); },
        [&] { return A2.DVTSF(QStringLiteral("DETN"), out.DETN, byRow); },
        [&] { return A2.DVTVF(QStringLiteral("K10"), withEmptyLastRow(out.K10), byRow); },
        [&] { return A2.DVTVF(QStringLiteral("DEHKO"), withEmptyLastRow(out.DEHKO), byRow); },
    };
    // A failed write has shown its "Datenfehler" box; the others still run, but
    // incomplete results are not reported as written.
    bool allWritten = true;
    for (const auto& write : writes)
        if (!onError([&] { allWritten = write() && allWritten; })) return finish(false);
    return finish(allWritten);
}

double clsBERECHNEN::LOG10(double x) { return x > 0 ? std::log10(x) : 0; }

float clsBERECHNEN::LININT(float x1, float x2, float x, float y1, float y2) { return gfx::LININT(x1, x2, x, y1, y2); }
