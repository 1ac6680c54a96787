#include "windows.h"

#include "additions/ui/frmadditem.h"
#include "erp/ui/billviewer.h"
#include "erp/ui/complexqtyeditor.h"

#include "erp/complexqty.h"
#include "host/hostcomponents.h"
#include "host/sharedstate.h"
#include "import/countimport.h"
#include "reconcile/ui/frmselect.h"
#include "sheet/ui/frmfilter.h"
#include "sheet/ui/frmmain.h"
#include "sheet/ui/frmrecount.h"
#include "snapshot/ui/backupinvdialog.h"
#include "snapshot/ui/backuptypedialog.h"
#include "snapshot/ui/chkstockprocwindow.h"

namespace erp {

namespace {

// sp_CalComplexQty of the count sheet, over the shared connection.
std::optional<QString> calComplexQty(int itemId, const QString &units, double quantity, const QString &unit)
{
    AppConnection *c = shared().connection;
    return c ? CalComplexQty(*c, itemId, units, quantity, unit) : std::nullopt;
}

} // namespace

void registerWindows(WindowRegistry &windows)
{
    // One line per window, added with the window.
    windows.add(QStringLiteral("frmBackupInv"), &BackupInvDialog::open);
    windows.add(QStringLiteral("FrmBackupType"), &BackupTypeDialog::open);
    windows.add(QStringLiteral("frmChkStockProc"), &ChkStockProcWindow::open);
    windows.add(QStringLiteral("frmMain"), [](const QVariantMap &args) { return FrmMain::open(args, &calComplexQty); });
    windows.add(QStringLiteral("frmAddItem"), &FrmAddItem::open);
    windows.add(QStringLiteral("frmSelect"), &FrmSelect::open);
    windows.add(QStringLiteral("frmFilter"), &FrmFilter::open);
    windows.add(QStringLiteral("frmRecount"), &FrmRecount::open);
    ComplexQtyEditor::registerOpener(windows);
    BillViewer::registerOpener(windows);
    countimport::registerOperation(windows);
}

} // namespace erp
