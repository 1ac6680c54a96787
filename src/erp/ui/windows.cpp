#include "windows.h"

#include "host/hostcomponents.h"
#include "snapshot/ui/backupinvdialog.h"
#include "snapshot/ui/backuptypedialog.h"
#include "sheet/ui/frmmain.h"

namespace erp {

void registerWindows(WindowRegistry &windows)
{
    // One line per window, added with the window.
    windows.add(QStringLiteral("frmBackupInv"), &BackupInvDialog::open);
    windows.add(QStringLiteral("FrmBackupType"), &BackupTypeDialog::open);
    windows.add(QStringLiteral("frmMain"), &FrmMain::open);
}

} // namespace erp
