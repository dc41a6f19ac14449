#pragma once
// Calculate Multiple of the Evaluate menu: builds the multiple evaluation of
// the active records and shows its page "MSeite 1".
class frmMAIN;

namespace MultipleEvaluation {

// Plugs the command into the command table.
void registerAll();

void mnuMBERECHNEN_Click(frmMAIN& main);

} // namespace MultipleEvaluation
