#include "sheetcommands.h"

#include "host/texts.h"

namespace {

using C = SheetCommand;
constexpr quint8 M1 = C::Check, M3 = C::Print, M4 = C::Input, All = C::All, None = C::None;

// clang-format off
const SheetCommand kCommands[] = {
    {"mnuFile", N_("文件(&F)"), "", C::Title, All, "", "", "", None, true},
    {"mnuFSave", N_("保存(&S)"), "mnuFile", C::Command, M4, "Save", N_("保存"), "", M4, true},
    {"mnuFOutBill", N_("输出盘盈单据(&T)"), "mnuFile", C::Command, M1, "OutProBill", N_("盘盈单"), N_("输出盘盈单单据"), M1, true},
    {"mnuFOutLossBill", N_("输出盘亏单据(&L)"), "mnuFile", C::Command, M1, "OutLossBill", N_("盘亏单"), N_("输出盘亏单单据"), M1, true},
    {"mnuFSpace", "", "mnuFile", C::Separator, M1, "", "", "", None, true},
    {"mnuFPrint", N_("打印(&P)..."), "mnuFile", C::Command, M1 | M3, "Print", N_("打印"), "", M1 | M3, true},
    {"mnuFPrintPreview", N_("打印预览(&V)"), "mnuFile", C::Command, M1 | M3, "PrintPreview", N_("预览"), "", M1 | M3, true},
    {"mnuFPrintSetup", N_("打印设置(&R)..."), "mnuFile", C::Command, M1 | M3, "", "", "", None, true},
    {"mnuFStep", "", "mnuFile", C::Separator, M1, "", "", "", None, true},
    {"mnuFileOut", N_("引出(&O)..."), "mnuFile", C::Command, M1 | M4, "Export", N_("引出"), "", M4, true},
    {"mnuFileIn", N_("引入(&I)..."), "mnuFile", C::Command, M4, "Import", N_("引入"), "", M4, true},
    {"mnuFExit", N_("退出(&X)"), "mnuFile", C::Command, All, "Exit", N_("退出"), "", All, true},
    {"mnuEdit", N_("编辑(&E)"), "", C::Title, All, "", "", "", None, true},
    {"mnuEdit_Find", N_("搜索(&F)..."), "mnuEdit", C::Command, All, "Find", N_("搜索"), "", All, true},
    {"mnuEdit_Sort", N_("排序(&S)..."), "mnuEdit", C::Command, All, "Sort", N_("排序"), "", All, true},
    {"mnuEdit_Filter", N_("过滤(&L)..."), "mnuEdit", C::Command, All, "Filter", N_("过滤"), "", All, true},
    {"mnuEdit_SS", "", "mnuEdit", C::Separator, None, "", "", "", None, true},
    {"mnuASItem", "", "mnuEdit", C::Separator, M4, "", "", "", None, true},
    {"mnuAddItem", N_("添加物料(&A)"), "mnuEdit", C::Command, M4, "AddItem", N_("添加"), N_("添加物料"), M4, true},
    {"mnuSubItem", N_("删除物料(&D)"), "mnuEdit", C::Command, M4, "SubItem", N_("删除"), N_("删除物料"), M4, true},
    {"mnuEdit_DeleteRow", N_("清除数据(&D)"), "mnuEdit", C::Command, None, "Delete", N_("清除"), N_("清除(Del)"), None, false},
    {"mnuView", N_("查看(&V)"), "", C::Title, All, "", "", "", None, true},
    {"mnuVSelectBill", N_("选择单据(&B)"), "mnuView", C::Command, M4, "SelectBill", N_("选单"), N_("选择盘点期间的单据"), M4, true},
    {"mnuVHistory", N_("盘点记录(&H)"), "mnuView", C::Command, M1 | M4, "History", N_("记录"), N_("当前行的盘点记录"), None, true},
    {"mnuVSpace", "", "mnuView", C::Separator, M4, "", "", "", None, true},
    {"mnuVSelectData", N_("显示数据(&D)"), "mnuView", C::SubMenu, M1 | M3, "Show", N_("显示"), "", M1 | M3, true},
    {"mnuVSelectData_All", N_("全部数据(&A)"), "mnuVSelectData", C::Toggle, M1 | M3, "AllData", N_("全部数据"), "", M1 | M3, true},
    {"mnuVSelectData_Checked", N_("盘点数据(&P)"), "mnuVSelectData", C::Toggle, M1 | M3, "CheckedData", N_("盘点数据"), "", M1 | M3, true},
    {"mnuVSS", "", "mnuView", C::Separator, M1, "", "", "", None, true},
    {"mnuToolBar", N_("工具条(&O)"), "mnuView", C::Toggle, All, "", "", "", None, true},
    {"mnuStatusBar", N_("状态条(&S)"), "mnuView", C::Toggle, All, "", "", "", None, true},
    {"mnuViewLable", N_("工具条标签(&L)"), "mnuView", C::Toggle, All, "", "", "", None, true},
    {"mnuViewShowDeleted", N_("禁用物料参与盘点(&W)"), "mnuView", C::Toggle, All, "", "", "", None, true},
    {"mnuShowCloseProc", N_("显示已关闭的盘点方案(&C)"), "mnuView", C::Toggle, All, "", "", "", None, true},
    {"mnuAlertSame", N_("重复添加时提示(&A)"), "mnuView", C::Toggle, M4, "", "", "", None, true},
    {"mnuS2", "", "mnuView", C::Separator, M4, "", "", "", None, true},
    {"mnuView_Refresh", N_("刷新"), "mnuView", C::Command, All, "", "", "", None, true},
    {"mnuFormat", N_("格式(&O)"), "", C::Title, All, "", "", "", None, true},
    {"mnuFormatPageSetup", N_("页面设置(&G)..."), "mnuFormat", C::Command, All, "", "", "", None, false},
    {"mnuFormatTitleFont", N_("标题字体(&T)..."), "mnuFormat", C::Command, All, "", "", "", None, false},
    {"mnuFormatFont", N_("表格字体(&F)..."), "mnuFormat", C::Command, All, "", "", "", None, false},
    {"mnuFormatResetColWidth", N_("恢复预设列宽(&W)"), "mnuFormat", C::Command, All, "", "", "", None, true},
    {"mnuHelp", N_("帮助(&H)"), "", C::Title, All, "", "", "", None, true},
    {"mnuHContents", N_("帮助目录(&C)   F1"), "mnuHelp", C::Command, All, "", "", "", None, true},
    {"mnuHAbout", N_("关于诺凡(&A)..."), "mnuHelp", C::Command, All, "", "", "", None, false},
};
// clang-format on

} // namespace

quint8 SheetCommand::modeBit(SheetMode mode)
{
    switch (mode) {
    case SheetMode::Check:
        return Check;
    case SheetMode::PrintBook:
        return Print;
    case SheetMode::Entry:
        break;
    }
    return Input;
}

QString SheetCommand::captionIn(SheetMode mode) const
{
    // the second data view of the count book holds the rows with book stock
    if (mode == SheetMode::PrintBook && qstrcmp(menu, "mnuVSelectData_Checked") == 0)
        return LoadText("账存数据");
    return *caption ? LoadText(caption) : QString();
}

QString SheetCommand::toolCaptionIn(SheetMode mode) const
{
    if (mode == SheetMode::PrintBook && qstrcmp(menu, "mnuVSelectData_Checked") == 0)
        return LoadText("账存数据");
    return *toolCaption ? LoadText(toolCaption) : QString();
}

namespace sheetcommands {

std::span<const SheetCommand> all()
{
    return kCommands;
}

const SheetCommand *find(const QString &name)
{
    for (const SheetCommand &c : kCommands)
        if (name.compare(QLatin1String(c.menu), Qt::CaseInsensitive) == 0 ||
            (*c.tool && name.compare(QLatin1String(c.tool), Qt::CaseInsensitive) == 0))
            return &c;
    return nullptr;
}

QString notYetTip()
{
    return LoadText("尚未提供");
}

} // namespace sheetcommands
