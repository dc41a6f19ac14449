#pragma once
// Plugs the exchange dialogs into the main window's command table.
namespace Exchange {
void registerAll();
}
