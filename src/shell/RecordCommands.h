#pragma once
// The File menu's record commands, the compaction of the Tools menu and the
// status-bar commands that end input on the input form (panel 8 saves,
// panel 9 discards). The main window runs them through the command table
// under their control names; each runs inside the failure box of its item.
class frmMAIN;

namespace RecordCommands {

// Plugs the commands and the selection dialog frmAUSWAHL into the command table.
void registerAll();

void mnuNEU_Click(frmMAIN& main);
void mnuOEFFNEN_Click(frmMAIN& main);
void mnuAUSWAHL_Click(frmMAIN& main);
void mnuLOESCHEN_Click(frmMAIN& main);
void mnuSPEICHERN_Click(frmMAIN& main);
void mnuKOMPRIMIEREN_Click(frmMAIN& main);
void saveInputData(frmMAIN& main);    // panel 8
void discardInputData(frmMAIN& main); // panel 9

} // namespace RecordCommands
