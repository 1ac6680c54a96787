#include "shelloperations.h"

#include "host/hostcomponents.h"
#include "host/texts.h"

bool ShellOperation::isAvailable(const WindowRegistry &windows) const
{
    return windows.has(window);
}

const QList<ShellOperation> &shellOperations()
{
    static const QList<ShellOperation> operations = {
        {QStringLiteral("BackupCheckData"), QStringLiteral("frmBackupInv"), N_("备份盘点数据"),
         N_("为选定的仓库拍下账面库存，开始一次盘点。")},
        {QStringLiteral("DisChkStockProc"), QStringLiteral("frmChkStockProc"), N_("盘点方案"),
         N_("查看、改名、备注或删除盘点方案，也可以在这里新建盘点。")},
        {QStringLiteral("PrintCheckBook"), QStringLiteral("frmMain"), N_("打印盘点表"),
         N_("盘点前打印盘点表，供盘点人员在仓库里填写。")},
        {QStringLiteral("CheckDataInput"), QStringLiteral("frmMain"), N_("录入盘点数据"),
         N_("录入实盘数量，添加没有账存的物料，或从表格文件引入。")},
        {QStringLiteral("CheckDataCheck"), QStringLiteral("frmMain"), N_("编制盘点报告"),
         N_("核对盘盈盘亏，计入快照后的单据，生成盘盈单和盘亏单。")},
    };
    return operations;
}
