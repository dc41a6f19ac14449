#pragma once
// What the evaluation reads of one record: its parameters and readings (E2,
// E3) and its standpipe's constants (presets), read through clsDATEN so that
// a failure shows the same boxes wherever the evaluation runs.
#include <QtGlobal>

class Session;
class clsDATEN;
struct EvaluationInput;
namespace vb { class OnError; }

namespace RecordInput {

// Through data-access objects already bound to a record (E2, E3) and to the
// presets (V1). False when a failure box was cancelled.
bool read(clsDATEN& E2, clsDATEN& E3, clsDATEN& V1, vb::OnError& onError, EvaluationInput& in);
// Record id of session s.
bool read(Session& s, qint32 id, vb::OnError& onError, EvaluationInput& in);

} // namespace RecordInput
