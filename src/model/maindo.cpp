#include "maindo.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/loginprops.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

namespace {

const QString backupStocksSql = QStringLiteral(
    R"(SELECT DISTINCT t1.FName, t1.FItemID, t1.FNumber
         FROM t_Stock t1 INNER JOIN ICInvBackup t2 ON t1.FItemID = t2.FStockID
        ORDER BY t1.FNumber)");

const QString settingsFile = QStringLiteral("StockCheck.ini");

} // namespace

MainDo::MainDo()
{
    if (SettingsStore *settings = shared().components.settings.get())
        settings->setFileName(settingsFile);
    ParseProps(GetPropsString());
    shared().enableMtoPlanMode = ReadEnableMtoPlanMode();
}

MainDo::~MainDo() = default;

Recordset MainDo::GetBackupStockList() const
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    return conn->Execute(backupStocksSql);
}

void MainDo::Show(int mode, int option)
{
    SharedState &s = shared();
    if (s.showFilterBeforeCheck) {
        // the dialog says whether it was cancelled; a stale answer must not count
        s.filterCancelled = false;
        if (!OpenWindow(QStringLiteral("frmFilter"), {{ArgShowType, mode}, {ArgOption, option}}))
            return;
        if (s.filterCancelled)
            return;
    } else {
        s.filterSettings.clear();
    }

    const Recordset stocks = GetBackupStockList();
    if (!stocks.isOpen() || stocks.isEmpty()) {
        if (s.ui) {
            const QString details = s.connection ? s.connection->lastError().detailed() : QString();
            s.ui->message(LoadText("仓库数据还未备份,请备份仓库数据!"), HostUi::Icon::Information,
                          stocks.isOpen() ? QString() : details);
        }
        return;
    }

    s.showType = mode;
    OpenWindow(QStringLiteral("frmMain"), {{ArgShowType, mode}, {ArgModal, mode != 4}});
}
