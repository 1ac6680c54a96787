#pragma once

class WindowRegistry;

namespace erp {

// Registers the opener of every window the widget layer provides ("frmBackupInv",
// "frmChkStockProc", "frmMain", ...). The shell calls it at start-up; an entry
// operation whose window is not registered stays disabled in the shell.
void registerWindows(WindowRegistry &windows);

} // namespace erp
