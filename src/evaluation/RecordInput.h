#pragma once
// What the evaluation reads of one record: its parameters and readings (E2,
// E3) and its standpipe's constants (presets), read through clsDATEN so that
// a failure shows the same boxes wherever the evaluation runs.
#include <QString>

class Session;
class clsDATEN;
struct EvaluationInput;
namespace vb { class OnError; }

namespace RecordInput {

// Through data-access objects already bound to a record (E2, E3) and to the
// presets (V1). False when a failure box was cancelled. When standpipe is
// given it gets the record's standpipe type and known whether the presets
// hold a row of it.
struct Standpipe {
    QString type;
    bool known = false;
};
bool read(clsDATEN& E2, clsDATEN& E3, clsDATEN& V1, vb::OnError& onError, EvaluationInput& in,
          Standpipe* standpipe = nullptr);
// Record id of session s.
bool read(Session& s, qint32 id, vb::OnError& onError, EvaluationInput& in, Standpipe* standpipe = nullptr);

} // namespace RecordInput
