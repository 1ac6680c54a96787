<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>StockCheck</name>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>盘点数量</source>
        <translation>Counted Qty</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>调整数量</source>
        <translation>Adjustment Qty</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>数量(辅助)</source>
        <translation>Qty (secondary)</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>保质期</source>
        <translation>Shelf life</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>“%1”应为不小于0的整数。</source>
        <translation>"%1" must be a whole number not less than 0.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>“%1”不是数字。</source>
        <translation>"%1" is not a number.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。</source>
        <translation>Quantity out of range: "%1" cannot exceed 9,999,999,999.9999 either way.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>“%1”不能为负数。</source>
        <translation>"%1" cannot be negative.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>“%1”最多只能有%2位小数。</source>
        <translation>"%1" can have at most %2 decimal places.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>读取物料失败。</source>
        <translation>The item could not be read.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>物料代码在基础资料中不存在或被禁用，是否重新输入?</source>
        <translation>The item code does not exist in the master data or is disabled. Enter it again?</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>请先选择物料!</source>
        <translation>Choose an item first!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>计量单位不存在，请输入！</source>
        <translation>The unit does not exist; please enter one!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此仓库不存在，请重新输入!</source>
        <translation>This warehouse does not exist; please enter it again!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>该仓库中不存在此仓位或为非明细仓位，请重新输入!</source>
        <translation>This bin does not exist in the warehouse or is not a detail bin; please enter it again!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>辅助属性在此物料中不存在!</source>
        <translation>The auxiliary property does not exist for this item!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料启用了序列号管理，计划跟踪号必须为空！</source>
        <translation>This item is managed by serial numbers; the MTO number must be empty!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>仓库不存在，请输入！</source>
        <translation>The warehouse does not exist; please enter one!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>必须输入物料！</source>
        <translation>An item must be entered!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采用批次管理请输入批次！</source>
        <translation>This item is managed by batch; please enter the batch!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此仓库采用仓位管理请输入仓位！</source>
        <translation>This warehouse is managed by bins; please enter the bin!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采用保质期管理请输入保质期信息！</source>
        <translation>This item is managed by shelf life; please enter the shelf-life data!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采辅助属性管理请输入辅助属性！</source>
        <translation>This item is managed by auxiliary properties; please enter the auxiliary property!</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/app/cli_count.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。</source>
        <translation>This row has been recounted: its actual qty is the recount, and its counted qty can no longer be changed here.</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>添加物料失败，盘点数据没有改变。</source>
        <translation>The item could not be added; the count data is unchanged.</translation>
    </message>
    <message>
        <location filename="../src/additions/snapshotrowappend.cpp"/>
        <source>添加物料基本单位与辅助计量单位盘盈盘亏方向不一致，添加失败！</source>
        <translation>The base unit and the secondary unit of the item show a gain and a loss in opposite directions; the item was not added.</translation>
    </message>
    <message>
        <location filename="../src/additions/snapshotrowappend.cpp"/>
        <source>已有相同记录，保存后将会累加盘点数量，是否继续？</source>
        <translation>The same record already exists; saving will add the counted qty to it. Continue?</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>物料代码:</source>
        <translation>Item code:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>物料名称:</source>
        <translation>Item name:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>规格型号:</source>
        <translation>Specification:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>计量单位:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓库代码:</source>
        <translation>Warehouse code:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>仓库名称:</source>
        <translation>Warehouse name:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓位代码:</source>
        <translation>Bin code:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓位名称:</source>
        <translation>Bin name:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>批    次:</source>
        <translation>Batch:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>计划跟踪号:</source>
        <translation>MTO number:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>生产/采购日期:</source>
        <translation>Production/purchase date:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>保 质 期:</source>
        <translation>Shelf life:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>辅助属性:</source>
        <translation>Auxiliary property:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>单位(辅助):</source>
        <translation>Unit (secondary):</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>盘点数量:</source>
        <translation>Counted qty:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>调整数量:</source>
        <translation>Adjustment qty:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>数量(辅助):</source>
        <translation>Qty (secondary):</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>备    注:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>添加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <location filename="../src/snapshot/ui/dialogbuttons.h"/>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>退出(&amp;E)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>缺少物料代码（--item）或仓库代码（--stock）</source>
        <translation>The item code (--item) or the warehouse code (--stock) is missing</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>--kfdate：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--kfdate: "%1" is not a date of the form YYYY-MM-DD</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <source>缺少盘点数量（--qty）</source>
        <translation>The counted qty (--qty) is missing</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>请给出 --qty 数量（可加 --base）或 --composite 综合单位数量，两者只能用一个</source>
        <translation>Give either a quantity with --qty (optionally with --base) or a composite quantity with --composite, not both</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>--add 只能与 --qty（行的单位）一起使用</source>
        <translation>--add only goes with --qty (in the row's unit)</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>--composite：“%1”不是这一物料的综合单位数量</source>
        <translation>--composite: "%1" is not a composite quantity of this item</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>保存盘点数据失败：</source>
        <translation>Saving the count data failed: </translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/app/cli_recount.cpp"/>
        <location filename="../src/app/cli_sheet.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>读取盘点数据失败。</source>
        <translation>Reading the count data failed.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>方案%1，物料%2，仓库%3，仓位“%4”，批次“%5”，计划跟踪号“%6”，生产/采购日期“%7”，保质期%8天，辅助属性“%9”</source>
        <translation>process %1, item %2, warehouse %3, bin "%4", batch "%5", MTO number "%6", production/purchase date "%7", shelf life %8 days, auxiliary property "%9"</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>找不到盘点记录：</source>
        <translation>No count row was found: </translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>符合条件的盘点记录不止一条：</source>
        <translation>More than one count row matches: </translation>
    </message>
    <message>
        <location filename="../src/app/cli_cyclecount.cpp"/>
        <source>请给出 --per-stock 或者 --all 之一</source>
        <translation>Give either --per-stock or --all</translation>
    </message>
    <message>
        <location filename="../src/app/cli_documents.cpp"/>
        <source>没有需要输出的单据。</source>
        <translation>There is no document to make.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>没有引出组件。</source>
        <translation>No export component is available.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <source>已引出%1条记录到%2</source>
        <translation>Exported %1 records to %2</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <source>没有可引出的数据。</source>
        <translation>There is no data to export.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_history.cpp"/>
        <source>读取盘点记录失败：</source>
        <translation>Reading the count entries failed: </translation>
    </message>
    <message>
        <location filename="../src/app/cli_import.cpp"/>
        <source>须指定一个要引入的文件</source>
        <translation>Name one file to import</translation>
    </message>
    <message>
        <location filename="../src/app/cli_import.cpp"/>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入错误提示</source>
        <translation>Import errors</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>数据库已经初始化，没有做任何修改。</source>
        <translation>The database is already set up; nothing was changed.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>已创建数据库表并生成演示数据：%1 条库存记录，%2 个物料，%3 张单据，用时 %4 秒。</source>
        <translation>Created the tables and generated the demo data: %1 stock records, %2 items, %3 documents in %4 seconds.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>可登录的用户：demo（无密码）、%1（密码 123456）、%2（密码 654321，只能查看原料仓库）、administrator（密码 admin）。</source>
        <translation>Users who can log in: demo (no password), %1 (password 123456), %2 (password 654321, sees the raw material warehouse only), administrator (password admin).</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>您没有修改盘点参数的权限。</source>
        <translation>You are not allowed to change the count parameters.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>盘点实存数量默认等于账存数量时不能使用盲盘。</source>
        <translation>Blind counting cannot be used while actual qty defaults to book qty.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>系统参数保存失败：</source>
        <translation>The system parameter could not be saved: </translation>
    </message>
    <message>
        <location filename="../src/app/cli_post.cpp"/>
        <source>缺少单据数量（--documents N）</source>
        <translation>The number of documents is missing (--documents N)</translation>
    </message>
    <message>
        <location filename="../src/app/cli_post.cpp"/>
        <source>--date：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--date: "%1" is not a date of the form YYYY-MM-DD</translation>
    </message>
    <message>
        <location filename="../src/app/cli_processes.cpp"/>
        <source>请给出 --name、--remark 或者 --delete 之一</source>
        <translation>Give --name and/or --remark, or --delete</translation>
    </message>
    <message>
        <location filename="../src/app/cli_reconcile.cpp"/>
        <source>请给出 --list，或 --mark / --unmark 单据内码，两者只能用一种</source>
        <translation>Give --list, or --mark / --unmark with document internal IDs, not both</translation>
    </message>
    <message>
        <location filename="../src/app/cli_reconcile.cpp"/>
        <source>这一行没有这些单据：%1</source>
        <translation>This row has no such documents: %1</translation>
    </message>
    <message>
        <location filename="../src/app/cli_retailresults.cpp"/>
        <source>该盘点方案还有未审核的零售盘点单，只计入已审核的。</source>
        <translation>This count process still has retail count documents that are not approved; only approved ones are merged.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_retailresults.cpp"/>
        <source>计入零售盘点结果失败：</source>
        <translation>The retail count results could not be merged:</translation>
    </message>
    <message>
        <location filename="../src/app/cli_sheet.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>盲盘时不能查看账存数据。</source>
        <translation>While counting blind, the rows with book stock cannot be shown.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>缺少要盘点的仓库（--stocks 仓库内码,...）</source>
        <translation>The warehouses to count are missing (--stocks WAREHOUSE_ID,...)</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>--cutoff：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--cutoff: "%1" is not a date of the form YYYY-MM-DD</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>--brands 和 --categories 只能用一个</source>
        <translation>Use either --brands or --categories, not both</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>读不到系统启用日期，不能备份！</source>
        <translation>Cannot read the system start date; cannot back up!</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <location filename="../src/snapshot/cutoffsnapshot.cpp"/>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>没有可用的数据，不能备份！</source>
        <translation>There is no data to back up!</translation>
    </message>
    <message>
        <location filename="../src/app/cli_stocks.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>不能读取%1列表。</source>
        <translation>Cannot read the %1 list.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_stocks.cpp"/>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>仓库</source>
        <translation>Warehouse</translation>
    </message>
    <message>
        <location filename="../src/app/cli_users.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>用户（编号 %1）不存在。</source>
        <translation>The user (ID %1) does not exist.</translation>
    </message>
    <message>
        <location filename="../src/app/cli_users.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>读取用户资料失败：</source>
        <translation>Reading the users failed: </translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 应为正整数：%2</source>
        <translation>%1 must be a positive whole number: %2</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 应为 0 或正整数：%2</source>
        <translation>%1 must be 0 or a positive whole number: %2</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1：“%2”应为以逗号分隔的内码</source>
        <translation>%1: "%2" should be internal IDs separated by commas</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1：“%2”不是数字</source>
        <translation>%1: "%2" is not a number</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库还没有初始化，请先运行 stockcheck-cli init。</source>
        <translation>The database has not been set up yet; run stockcheck-cli init first.</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>不认识的参数：%1</source>
        <translation>Unknown argument: %1</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 后面缺少值</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少数据库地址（--db sqlite:文件 或 --db postgresql://...）</source>
        <translation>The database is missing (--db sqlite:FILE or --db postgresql://...)</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少操作员（--user 用户内码）</source>
        <translation>The operator is missing (--user USER_ID)</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少盘点方案（--process 盘点方案内码）</source>
        <translation>The count process is missing (--process PROCESS_ID)</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>用户 %1 不存在</source>
        <translation>The user %1 does not exist</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>盘点方案 %1 不存在</source>
        <translation>The count process %1 does not exist</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>用法：</source>
        <translation>Usage: </translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录</source>
        <translation>Log In</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点</source>
        <translation>Stock Count</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>用户(&amp;U):</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>密码(&amp;P):</source>
        <translation>&amp;Password:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>语言(&amp;L):</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>重新读取用户列表</source>
        <translation>Read the list of users again</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库</source>
        <translation>Database</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 文件</source>
        <translation>SQLite file</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>PostgreSQL 服务器</source>
        <translation>PostgreSQL server</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>文件(&amp;F):</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>服务器(&amp;H):</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库名(&amp;D):</source>
        <translation>&amp;Database name:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库用户:</source>
        <translation>Database user:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库密码:</source>
        <translation>Database password:</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录(&amp;O)</source>
        <translation>Log &amp;In</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/ui/dialogbuttons.h"/>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>选择数据库文件</source>
        <translation>Choose the Database File</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 数据库 (*.db *.sqlite *.sqlite3);;所有文件 (*)</source>
        <translation>SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请选择数据库文件。</source>
        <translation>Please choose the database file.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库文件不存在：%1</source>
        <translation>The database file does not exist: %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请填写 PostgreSQL 数据库的名称。</source>
        <translation>Please enter the name of the PostgreSQL database.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>请输入用户名。</source>
        <translation>Please enter the user name.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>切换用户或数据库(&amp;U)...</source>
        <translation>Switch &amp;User or Database...</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>盘点(&amp;C)</source>
        <translation>&amp;Count</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>工具条</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>一次盘点的过程：先为要盘点的仓库备份盘点数据，拍下账面库存；打印盘点表交给盘点人员；清点之后录入盘点数据；最后编制盘点报告，核对盘盈盘亏，生成盘盈单和盘亏单。</source>
        <translation>How a count goes: first back up the count data of the warehouses to be counted, which takes a snapshot of the book stock; print the count sheet for the people who count; after counting, enter the count data; finally prepare the count report, check the gains and losses, and generate the gain and loss documents.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>数据库：%1</source>
        <translation>Database: %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>用户：%1</source>
        <translation>User: %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点 - %1</source>
        <translation>Stock Count - %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>尚未提供</source>
        <translation>Not available yet</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>（尚未提供）</source>
        <translation>(not available yet)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点：备份账面库存，打印盘点表，录入实盘数量，核对差异并生成盘盈单和盘亏单。</source>
        <translation>Stock count: back up the book stock, print the count sheet, enter the counted quantities, check the differences and generate the gain and loss documents.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shell.cpp"/>
        <source>操作失败：%1</source>
        <translation>The operation failed: %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>备份盘点数据</source>
        <translation>Back Up Count Data</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>为选定的仓库拍下账面库存，开始一次盘点。</source>
        <translation>Take a snapshot of the book stock of the chosen warehouses and start a count.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>盘点方案</source>
        <translation>Count Processes</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>查看、改名、备注或删除盘点方案，也可以在这里新建盘点。</source>
        <translation>View, rename, annotate or delete count processes, or start a new count from here.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>打印盘点表</source>
        <translation>Print Count Sheet</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>盘点前打印盘点表，供盘点人员在仓库里填写。</source>
        <translation>Before counting, print the count sheet for the people counting in the warehouse to fill in.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>录入盘点数据</source>
        <translation>Enter Count Data</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>录入实盘数量，添加没有账存的物料，或从表格文件引入。</source>
        <translation>Enter the counted quantities, add items that have no book stock, or import them from a spreadsheet.</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>编制盘点报告</source>
        <translation>Prepare Count Report</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>核对盘盈盘亏，计入快照后的单据，生成盘盈单和盘亏单。</source>
        <translation>Check gains and losses, include the documents posted after the snapshot, and generate the gain and loss documents.</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>该物料没有可用的计量单位</source>
        <translation>The item has no usable unit of measure</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>综合单位数量不能为负数：%1</source>
        <translation>The composite quantity cannot be negative: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>综合单位数量格式不正确：%1</source>
        <translation>The composite quantity is not written correctly: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>单位“%1”不属于该物料的计量单位组</source>
        <translation>The unit "%1" does not belong to the item's unit group</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>“%1”的数量只能是整数：%2</source>
        <translation>The quantity in "%1" must be a whole number: %2</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>“%1”的数量最多只能有%2位小数：%3</source>
        <translation>The quantity in "%1" can have at most %2 decimal places: %3</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>数据库中已经有物料数据，没有生成演示数据。</source>
        <translation>The database already holds items; no demo data was generated.</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>演示数据的规模无效：%1</source>
        <translation>The size of the demo data is not valid: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>生成演示数据失败：</source>
        <translation>Generating the demo data failed: </translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘盈单</source>
        <translation>Gain Doc</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘亏单</source>
        <translation>Loss Doc</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <source>单据类型%1不正确。</source>
        <translation>Document kind %1 is not valid.</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <source>%1已生成%2张：%3</source>
        <translation>%1: %2 made (%3)</translation>
    </message>
    <message>
        <location filename="../src/erp/laterpostings.cpp"/>
        <source>没有未结束的盘点方案，无处过账单据</source>
        <translation>No open count process holds a position to post documents to</translation>
    </message>
    <message>
        <location filename="../src/erp/laterpostings.cpp"/>
        <source>过账单据失败：%1</source>
        <translation>Posting the documents failed: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>客户</source>
        <translation>Customers</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>部门</source>
        <translation>Departments</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>职员</source>
        <translation>Employees</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>供应商</source>
        <translation>Suppliers</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>商品类别</source>
        <translation>Goods Categories</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>品牌</source>
        <translation>Brands</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>全名</source>
        <translation>Full Name</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>物料</source>
        <translation>Items</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>规格型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>计量单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>换算率</source>
        <translation>Conversion Rate</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>仓位</source>
        <translation>Bin</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>仓位组</source>
        <translation>Bin Group</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>批次</source>
        <translation>Batch</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>库存数量</source>
        <translation>Stock Quantity</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>辅助属性</source>
        <translation>Auxiliary Property</translation>
    </message>
    <message>
        <location filename="../src/erp/schema.cpp"/>
        <source>创建数据库表失败：</source>
        <translation>Creating the database tables failed: </translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>不能写入文件%1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <source>引出文件须为 .xlsx 或 .csv 格式。</source>
        <translation>The export file must be an .xlsx or a .csv file.</translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <source>不能创建工作表。</source>
        <translation>Cannot create the worksheet.</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1审核完成。</source>
        <translation>Document %1 approved.</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>找不到单据%1。</source>
        <translation>Document %1 was not found.</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1已审核。</source>
        <translation>Document %1 is already approved.</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1已作废，不能审核。</source>
        <translation>Document %1 is cancelled and cannot be approved.</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>审核单据%1失败。</source>
        <translation>Document %1 could not be approved.</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”不存在，请重新输入。</source>
        <translation>The user "%1" does not exist. Please enter it again.</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”已被禁用，请与系统管理员联系。</source>
        <translation>The user "%1" is disabled. Please contact the system administrator.</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>密码不正确，请重新输入。</source>
        <translation>The password is not correct. Please enter it again.</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>密码加密失败，密码没有修改。</source>
        <translation>The password could not be encrypted; it was not changed.</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>保存密码失败：</source>
        <translation>Saving the password failed: </translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据编号</source>
        <translation>Document number</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据日期</source>
        <translation>Document date</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据类型</source>
        <translation>Document type</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>分录数</source>
        <translation>Entries</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>基本单位数量</source>
        <translation>Base unit qty</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>审核</source>
        <translation>Approve</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>物料代码</source>
        <translation>Item Code</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>物料名称</source>
        <translation>Item Name</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>计划跟踪号</source>
        <translation>MTO Number</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>生产/采购日期</source>
        <translation>Production/Purchase Date</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>数量</source>
        <translation>Qty</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>辅助数量</source>
        <translation>Secondary qty</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单价</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>金额</source>
        <translation>Amount</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>盘点单据</source>
        <translation>Count documents</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>审核(&amp;A)</source>
        <translation>&amp;Approve</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>盘点综合单位数量</source>
        <translation>Counted Composite Quantity</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量不能为负数。</source>
        <translation>The quantity in "%1" cannot be negative.</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量只能是整数。</source>
        <translation>The quantity in "%1" must be a whole number.</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量最多只能有%2位小数。</source>
        <translation>The quantity in "%1" can have at most %2 decimal places.</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>综合单位数量超出允许的范围：%1</source>
        <translation>The composite quantity is out of range: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>合计：%1 %2</source>
        <translation>Total: %1 %2</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>主题：%1</source>
        <translation>Topic: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>这个主题还没有帮助页。</source>
        <translation>There is no help page for this topic yet.</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>诺凡提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>选择%1</source>
        <translation>Choose %1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>代码、名称或助记码</source>
        <translation>Code, name or mnemonic code</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查找(&amp;F):</source>
        <translation>&amp;Find:</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查询失败：%1</source>
        <translation>The search failed: %1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>只显示前 %1 条，请输入更多文字缩小范围</source>
        <translation>Showing the first %1 only; type more to narrow the list</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>共 %1 条</source>
        <translation>%1 in all</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址缺少文件路径：%1</source>
        <translation>The database address has no file path: %1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址无效：%1</source>
        <translation>The database address is not valid: %1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>不支持的数据库地址：%1（应为 sqlite:文件 或 postgresql://...）</source>
        <translation>Unsupported database address: %1 (use sqlite:FILE or postgresql://...)</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 SQLite 数据库驱动。</source>
        <translation>The SQLite database driver is missing.</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件所在的目录不存在：%1</source>
        <translation>The folder of the database file does not exist: %1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法打开数据库文件 %1：%2</source>
        <translation>Cannot open the database file %1: %2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 已损坏或不是数据库文件：%2</source>
        <translation>The database file %1 is damaged or not a database: %2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 是只读的或被占用，不能写入：%2</source>
        <translation>The database file %1 is read-only or in use and cannot be written: %2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 PostgreSQL 数据库驱动。</source>
        <translation>The PostgreSQL database driver is missing.</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法连接 PostgreSQL 数据库 %1：%2</source>
        <translation>Cannot connect to the PostgreSQL database %1: %2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>模式名称无效：%1</source>
        <translation>The schema name is not valid: %1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法使用模式 %1：%2</source>
        <translation>Cannot use the schema %1: %2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <location filename="../src/host/sysparams.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>数据库没有连接。</source>
        <translation>The database is not connected.</translation>
    </message>
    <message>
        <location filename="../src/host/openwindow.cpp"/>
        <source>此功能尚未提供</source>
        <translation>This function is not available yet</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据导入失败[</source>
        <translation>Import failed for [</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]笔，原因[重复], 明细如下：</source>
        <translation>] records, reason [duplicate], details:</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]行号[</source>
        <translation>] line numbers [</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]物料代码[</source>
        <translation>] item code [</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]物料名称[</source>
        <translation>] item name [</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据导入成功[</source>
        <translation>Imported successfully: [</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]笔!</source>
        <translation>] records!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>未填盘点数量[%1]笔，未引入。</source>
        <translation>No counted qty in [%1] records; not imported.</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据引入完毕!</source>
        <translation>Import finished!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入Excel文件不合法，第11列不是计划跟踪号，请确认!</source>
        <translation>The import file is not valid: column 11 is not the MTO number. Please check!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入Excel文件不合法，第11列不是生产/采购日，请确认!</source>
        <translation>The import file is not valid: column 11 is not the production/purchase date. Please check!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>第%1条记录基本单位与辅助计量单位盘盈盘亏方向不一致!</source>
        <translation>Record %1: the base unit and the secondary unit show gain and loss in different directions!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>第%1条记录已经复盘，实存数量以复盘数量为准，没有引入。</source>
        <translation>Record %1 was already recounted; its actual quantity is the recount, so it was not imported.</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入失败，盘点数据没有改变：%1</source>
        <translation>The import failed; the count data is unchanged: %1</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>错误原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>没有可引入的盘点方案。</source>
        <translation>There is no count process to import into.</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>不能打开文件：%1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <source>文件不是有效的UTF-8或GB18030文本。</source>
        <translation>The file is not valid UTF-8 or GB18030 text.</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <location filename="../src/import/sheetreader.cpp"/>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>第%1行的列数过多（超过%2列）。</source>
        <translation>Line %1 has too many columns (more than %2).</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <source>CSV文件第%1行的引号没有结束。</source>
        <translation>A quotation mark in line %1 of the CSV file is not closed.</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列是错误值%3，请改正后再引入。</source>
        <translation>Record %1: column %2 holds the error value %3; correct it and import again.</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列的文字过长（最多%3个字符）。</source>
        <translation>Record %1: the text in column %2 is too long (at most %3 characters).</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列应为数字：%3</source>
        <translation>Record %1: column %2 should be a number: %3</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录的生产/采购日期不正确：%2</source>
        <translation>Record %1: the production/purchase date is not valid: %2</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>指定引入Excel文件不存在，请重新选择!</source>
        <translation>The chosen import file does not exist. Please choose again!</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件是空的。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件不是.xls、.xlsx或.csv格式的表格。</source>
        <translation>The file is not a spreadsheet in .xls, .xlsx or .csv format.</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件行数过多（超过%1行）。</source>
        <translation>The file has too many lines (more than %1).</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>第%1行的单元格文字过长（超过%2个字符）。</source>
        <translation>A cell in line %1 is too long (more than %2 characters).</translation>
    </message>
    <message>
        <location filename="../src/import/xlsreader.cpp"/>
        <source>文件不是有效的.xls工作簿，可能已损坏或不完整。</source>
        <translation>The file is not a valid .xls workbook; it may be damaged or incomplete.</translation>
    </message>
    <message>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>文件不是有效的.xlsx工作簿，可能已损坏或不完整。</source>
        <translation>The file is not a valid .xlsx workbook; it may be damaged or incomplete.</translation>
    </message>
    <message>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>文件解压后过大，超出引入的限制。</source>
        <translation>The file expands to more than the import allows.</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>保存盘点数据失败：%1</source>
        <translation>Saving the count failed: %1</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>没有找到这条盘点记录。</source>
        <translation>This count row was not found.</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>没有可以撤销的扫描。</source>
        <translation>There is no scan to undo.</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>上次扫描的这条盘点记录在数据库中已不存在（可能已被其他用户删除），不能撤销。</source>
        <translation>The count record of the last scan no longer exists in the database (another user may have deleted it); the scan cannot be undone.</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>操作</source>
        <translation>Action</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位盘点数量</source>
        <translation>Counted Qty (Base Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位盘点数量</source>
        <translation>Counted Qty (Secondary Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>起始数</source>
        <translation>Starting figure</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>录入</source>
        <translation>Entered</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>累加</source>
        <translation>Added</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>撤销累加</source>
        <translation>Add undone</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>复盘</source>
        <translation>Recount</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料</source>
        <translation>Add item</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>零售盘点结果</source>
        <translation>Retail count result</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>选择单据</source>
        <translation>Select Documents</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetexport.cpp"/>
        <source>盘点表</source>
        <translation>Count Sheet</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>命令行</source>
        <translation>Command line</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>零售单</source>
        <translation>Retail receipt</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>手持终端 %1</source>
        <translation>Handheld %1</translation>
    </message>
    <message>
        <location filename="../src/model/countrowcheck.cpp"/>
        <source>账存数量为负且实存数量小于账存数量，盘点数据未能成功保存，请检查数据！</source>
        <translation>The book quantity is negative and the actual quantity is below it; the count data was not saved. Please check the data!</translation>
    </message>
    <message>
        <location filename="../src/model/countrowcheck.cpp"/>
        <source>基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！</source>
        <translation>The base unit and the secondary unit show a gain and a loss in opposite directions; the count data was not saved. Please check the data!</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>仓库代码</source>
        <translation>Warehouse Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位代码</source>
        <translation>Bin Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助属性代码</source>
        <translation>Aux. Property Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>保质期(天)</source>
        <translation>Shelf Life (Days)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位代码</source>
        <translation>Base Unit Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位</source>
        <translation>Base Unit</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位账存数量</source>
        <translation>Book Qty (Base Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位实存数量</source>
        <translation>Actual Qty (Base Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>单位代码</source>
        <translation>Unit Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条形码</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <source>账存数量</source>
        <translation>Book Qty</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>实存数量</source>
        <translation>Actual Qty</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助单位代码</source>
        <translation>Secondary Unit Code</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位</source>
        <translation>Secondary Unit</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位账存数量</source>
        <translation>Book Qty (Secondary Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位实存数量</source>
        <translation>Actual Qty (Secondary Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位调整数量</source>
        <translation>Adjustment Qty (Secondary Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位ID</source>
        <translation>Secondary Unit ID</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助属性ID</source>
        <translation>Aux. Property ID</translation>
    </message>
    <message>
        <location filename="../src/model/maindo.cpp"/>
        <source>该单据的模版丢失，请更新ICChatBillTitle:SQL</source>
        <translation>The template of this document is missing; please update ICChatBillTitle:SQL</translation>
    </message>
    <message>
        <location filename="../src/model/maindo.cpp"/>
        <source>仓库数据还未备份,请备份仓库数据!</source>
        <translation>The warehouse data has not been backed up yet. Please back up the warehouse data!</translation>
    </message>
    <message>
        <location filename="../src/model/maindo_bills.cpp"/>
        <source>组件%1未注册。</source>
        <translation>Component %1 is not registered.</translation>
    </message>
    <message>
        <location filename="../src/model/maindo_bills.cpp"/>
        <source>盘点单据输出不成功:</source>
        <translation>The count documents could not be generated: </translation>
    </message>
    <message>
        <location filename="../src/model/maindo_rows.cpp"/>
        <source>合计</source>
        <translation>Total</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>初盘数量</source>
        <translation>First Count Qty</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>基本单位差异数量</source>
        <translation>Difference (Base Unit)</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>复盘数量</source>
        <translation>Recount Qty</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>复盘数量不能为负数。</source>
        <translation>The recount quantity cannot be negative.</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。</source>
        <translation>This count row no longer exists in the database (someone else may have deleted it) and was not saved.</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>这一行还没有盘点，不能复盘。</source>
        <translation>This row has not been counted yet and cannot be recounted.</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>这一行的单位没有换算系数，不能复盘。</source>
        <translation>The unit of this row has no conversion rate; it cannot be recounted.</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>升序</source>
        <translation>Ascending</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>降序</source>
        <translation>Descending</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序类型不能为空!</source>
        <translation>Row %1: the sort direction is empty!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序字段不能为空!</source>
        <translation>Row %1: the sort field is empty!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[名称]列数据不完整！</source>
        <translation>Row %1: the [Name] column is incomplete!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[比较]列数据不完整！</source>
        <translation>Row %1: the [Comparison] column is incomplete!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[逻辑]列数据不完整！</source>
        <translation>Row %1: the [Logic] column is incomplete!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[名称]列的“%2”不是可选的字段！</source>
        <translation>Row %1: "%2" in the [Name] column is not one of the fields offered!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[比较]列的“%2”不是可选的比较方式！</source>
        <translation>Row %1: "%2" in the [Comparison] column is not one of the comparisons offered!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[逻辑]列的“%2”不是可选的逻辑！</source>
        <translation>Row %1: "%2" in the [Logic] column is not one of the logic words offered!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序字段“%2”不是可选的字段！</source>
        <translation>Row %1: the sort field "%2" is not one of the fields offered!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”应写作 字段:比较:比较值[:逻辑]</source>
        <translation>Write the condition "%1" as field:comparison:value[:logic]</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的比较方式不是可选的比较方式（%2）</source>
        <translation>The comparison of the condition "%1" is not one of the comparisons offered (%2)</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>排序“%1”应写作 字段:asc|desc</source>
        <translation>Sort "%1" must be written as FIELD:asc|desc</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>选中标志</source>
        <translation>Selected</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>事务类型</source>
        <translation>Transaction Type</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单据号码</source>
        <translation>Document No.</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>辅助单位</source>
        <translation>Secondary Unit</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>请单击选中标志列来选定要计算的单据</source>
        <translation>Click the Selected column to choose the documents to calculate</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>没有设置盘点方案信息!</source>
        <translation>The count process information is not set!</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>读取单据失败：%1</source>
        <translation>Reading the documents failed: %1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单据%1已被其他盘点方案选中，计算失败！</source>
        <translation>Document %1 has been selected by another count process; calculation failed!</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>盘点记录未能保存，计算失败！</source>
        <translation>The count record could not be saved; calculation failed!</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>盘点记录未能保存，计算失败：%1</source>
        <translation>The count record could not be saved; calculation failed: %1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>计算失败：%1</source>
        <translation>Calculation failed: %1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>不允许账存数量为负且实存数量小于账存数量，计算失败！</source>
        <translation>The book qty is negative and the actual qty would be below it; calculation failed!</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>与物料%1相关的单据</source>
        <translation>Documents of item %1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算(&amp;C)</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条(&amp;O)</source>
        <translation>T&amp;oolbar</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>状态条(&amp;L)</source>
        <translation>Status Bar(&amp;L)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条标签(&amp;L)</source>
        <translation>Toolbar &amp;Labels</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>关于诺凡(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>盘点期间单据的选择与计算</source>
        <translation>Choosing and calculating the documents posted during a count</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算实存数量</source>
        <translation>Calculate the actual qty</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>参数不正确：</source>
        <translation>Invalid argument: </translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>数据库中没有盘点表，请先建立数据库（stockcheck-cli init）。</source>
        <translation>The database has no count tables; set it up first (stockcheck-cli init).</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>不能在 %1 上监听。</source>
        <translation>Cannot listen on %1.</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>stockcheck-server 在 http://%1:%2/ 上服务。</source>
        <translation>stockcheck-server serves on http://%1:%2/.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>数量超出数据库允许的范围</source>
        <translation>The quantity is beyond what the database can hold</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>数据不符合数据库的约束条件</source>
        <translation>The data breaks a constraint of the database</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>这条盘点记录正被其他用户修改，请稍后再保存</source>
        <translation>Another user is changing this count row; save again later</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>文字超过数据库允许的长度</source>
        <translation>A text is longer than the database allows</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>行号</source>
        <translation>Row</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>错误类型</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>第%1行（物料 %2，仓库 %3，仓位 %4）在您读取之后已被%5于%6修改（%7，来自%8），盘点数量现为 %9。

是：保存您输入的数量 %10；否：采用对方的数量；取消：这次不保存。</source>
        <translation>Row %1 (item %2, warehouse %3, bin %4) was changed by %5 at %6 after you read it (%7, from %8); its counted qty is now %9.

Yes: save the qty you entered, %10; No: take the other qty; Cancel: do not save now.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>盘点数据已经修改，是否保存？</source>
        <translation>The count data has changed. Save it?</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>正在保存数据,请稍候...</source>
        <translation>Saving the data, please wait...</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>盘点错误数据提示</source>
        <translation>Count Data Errors</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>是否真的要删除此项物料？</source>
        <translation>Do you really want to delete this item?</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>不能删除有账存余额的物料</source>
        <translation>An item with a book balance cannot be deleted</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>删除物料失败：%1</source>
        <translation>Deleting the item failed: %1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>物料盘点报告单</source>
        <translation>Item Count Report</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>打印物料盘点表</source>
        <translation>Print Item Count Sheet</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/sheetexport.cpp"/>
        <source>物料盘点表</source>
        <translation>Item Count Sheet</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>不能读取用户的数据权限。</source>
        <translation>Cannot read the user's data permissions.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>方案数据已超过一万条，数据操作可能比较慢</source>
        <translation>The process has more than ten thousand rows; working with it may be slow</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有 0 条记录</source>
        <translation>The warehouses hold 0 records</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有%1条记录</source>
        <translation>The warehouses hold %1 records</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>手持终端盘点中：%1 人</source>
        <translation>Counted from handhelds: %1 people</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>账存日期:</source>
        <translation>Book date: </translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>已保存%1行盘点数据</source>
        <translation>Saved %1 rows of count data</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>已保存：%1 %2，盘点数量 %3 %4</source>
        <translation>Saved: %1 %2, counted qty %3 %4</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>找不到条形码为%1的物料</source>
        <translation>No item has the barcode %1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：%2</source>
        <translation>Barcode %1: %2</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>条形码%1对应%2行，当前为其中第%3行：%4 %5；再次扫描转到下一行</source>
        <translation>Barcode %1 matches %2 rows; this is row %3 of them: %4 %5. Scan it again for the next row</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>盘点记录的单位不能更改。</source>
        <translation>The unit of a count row cannot be changed.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>盘点记录的单位不能更改；按其他单位的数量请在“盘点综合单位数量”中按F8录入。</source>
        <translation>The unit of a count row cannot be changed; to enter a quantity in other units, press F8 in "Counted Composite Quantity".</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>引出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)</source>
        <translation>Excel workbook (*.xlsx);;CSV file (*.csv)</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_find.cpp"/>
        <source>请输入要搜索的字符!</source>
        <translation>Please enter the text to find!</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_find.cpp"/>
        <source>你已搜索完全部记录，但没有找到相应的内容!是否重新搜索?</source>
        <translation>All records have been searched and nothing more was found! Search again from the start?</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>请先选择一行盘点数据。</source>
        <translation>Select a count row first.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>这一行还没有盘点记录：它的数量是备份时的数量。</source>
        <translation>This row has no count entries yet: its quantities are those of the snapshot.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>盘点记录</source>
        <translation>Count Entries</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>读取盘点记录失败。</source>
        <translation>Reading the count entries failed.</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>选择引入的Excel文件</source>
        <translation>Choose the spreadsheet file to import</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>Excel 文件 (*.xls *.xlsx *.csv);;所有文件 (*)</source>
        <translation>Excel files (*.xls *.xlsx *.csv);;All files (*)</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加：每次扫描给对应的行累加数量并立即保存</source>
        <translation>Scan to add: each scan adds the quantity to its row and stores it at once</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加已关闭</source>
        <translation>Scan to add is off</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>每次扫描的数量“%1”不是大于零的数字</source>
        <translation>The quantity per scan "%1" is not a number above zero</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>还有没保存的盘点数据，请先处理后再扫描</source>
        <translation>Some counts are not saved yet; deal with them before scanning</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1对应%2行，累加到哪一行？</source>
        <translation>Barcode %1 is on %2 rows. Add to which one?</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>生产日期</source>
        <translation>Production date</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：没有累加</source>
        <translation>Barcode %1: nothing added</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加没有保存：%1</source>
        <translation>The scan was not stored: %1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：%2 累加%3，现为%4 %5</source>
        <translation>Barcode %1: %2 plus %3, now %4 %5</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>撤销没有保存：%1</source>
        <translation>The undo was not stored: %1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>已撤销上次扫描：%1 现为%2 %3</source>
        <translation>Last scan undone: %1 now %2 %3</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>已撤销上次扫描</source>
        <translation>Last scan undone</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>当前期间已经关账，不能新增当前及以前期间单据。</source>
        <translation>The current period is closed: no documents can be added in it or in earlier periods.</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>正在输出盘点单据,请稍候...</source>
        <translation>Generating the count documents, please wait...</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>输出盘点单必须在本期间起始日期之后!</source>
        <translation>Count documents can only be generated after the start date of the current period!</translation>
    </message>
    <message>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>数量超出允许的范围：数量的绝对值不能超过9,999,999,999.9999。</source>
        <translation>Quantity out of range: a quantity cannot exceed 9,999,999,999.9999 either way.</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>(无)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>等于</source>
        <translation>equals</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>不等</source>
        <translation>not equal</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>小于</source>
        <translation>less than</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>大于</source>
        <translation>greater than</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>包含</source>
        <translation>contains</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>盘点方案:</source>
        <translation>Count process:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>部门主管:|财务:|审核:|监盘:|制表:</source>
        <translation>Department head: |Finance: |Approved by: |Witnessed by: |Prepared by: </translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>第 &amp;[页] 页</source>
        <translation>Page &amp;[页]</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>共 &amp;[总页] 页</source>
        <translation>of &amp;[总页]</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘数量必须是不小于 0 的数。</source>
        <translation>The recount quantity must be a number of 0 or more.</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘错误数据提示</source>
        <translation>Recount Errors</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘表</source>
        <translation>Recount Sheet</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘数量已经修改，是否保存？</source>
        <translation>The recount quantities have changed. Save them?</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单据(&amp;T)</source>
        <translation>Output Gain Documen&amp;t</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单单据</source>
        <translation>Output the gain document</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单据(&amp;L)</source>
        <translation>Output &amp;Loss Document</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单单据</source>
        <translation>Output the loss document</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rinter Setup...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引出(&amp;O)...</source>
        <translation>Exp&amp;ort...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>复盘(&amp;C)...</source>
        <translation>Re&amp;count...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>复盘差异超过容差的记录</source>
        <translation>Recount the records whose difference exceeds the tolerance</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>排序(&amp;S)...</source>
        <translation>&amp;Sort...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>过滤(&amp;L)...</source>
        <translation>Fi&amp;lter...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料(&amp;A)</source>
        <translation>&amp;Add Item</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料(&amp;D)</source>
        <translation>&amp;Delete Item</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料</source>
        <translation>Delete item</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>扫描累加(&amp;U)</source>
        <translation>Scan to Add (&amp;U)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>扫描累加</source>
        <translation>Scan to add</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>每次扫描给对应的行累加数量并立即保存</source>
        <translation>Each scan adds the quantity to its row and stores it at once</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销上次扫描(&amp;Z)</source>
        <translation>Undo Last Scan (&amp;Z)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销扫描</source>
        <translation>Undo scan</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销上次扫描</source>
        <translation>Undo the last scan</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除数据(&amp;D)</source>
        <translation>Clear &amp;Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除(Del)</source>
        <translation>Clear (Del)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择单据(&amp;B)</source>
        <translation>Select &amp;Documents</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选单</source>
        <translation>Documents</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择盘点期间的单据</source>
        <translation>Select the documents of the count period</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点记录(&amp;H)</source>
        <translation>Count &amp;Entries</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>记录</source>
        <translation>Entries</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>当前行的盘点记录</source>
        <translation>Count entries of the current row</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示数据(&amp;D)</source>
        <translation>Show &amp;Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据(&amp;A)</source>
        <translation>&amp;All Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据</source>
        <translation>All Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据(&amp;P)</source>
        <translation>&amp;Counted Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据</source>
        <translation>Counted Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>状态条(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>禁用物料参与盘点(&amp;W)</source>
        <translation>Count Disabled &amp;Items</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示已关闭的盘点方案(&amp;C)</source>
        <translation>Show &amp;Closed Count Processes</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>重复添加时提示(&amp;A)</source>
        <translation>Warn When &amp;Added Twice</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>格式(&amp;O)</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>页面设置(&amp;G)...</source>
        <translation>Pa&amp;ge Setup...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>标题字体(&amp;T)...</source>
        <translation>&amp;Title Font...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>表格字体(&amp;F)...</source>
        <translation>Table &amp;Font...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>恢复预设列宽(&amp;W)</source>
        <translation>Restore Default Column &amp;Widths</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助目录(&amp;C)   F1</source>
        <translation>Help &amp;Contents   F1</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>关于诺凡(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>账存数据</source>
        <translation>Book Data</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>可按[F7]选择比较值</source>
        <translation>Press [F7] to choose a value</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>确定(&amp;Y)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>比较</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>比较值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>逻辑</source>
        <translation>Logic</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>排序字段</source>
        <translation>Sort Field</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序方式</source>
        <translation>Sort Order</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索/排序/过滤...</source>
        <translation>Find/Sort/Filter...</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索目标</source>
        <translation>Search In</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索内容</source>
        <translation>Find What</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索(&amp;S)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序目标</source>
        <translation>Sort By</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤目标</source>
        <translation>Filter On</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤条件</source>
        <translation>Condition</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤内容</source>
        <translation>Value</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>匹配选项:</source>
        <translation>Match:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>模糊搜索(&amp;B)</source>
        <translation>Whole value (&amp;B)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>匹配搜索(&amp;A)</source>
        <translation>Contains the text (&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>是否区分大小写:</source>
        <translation>Match case:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>选项(&amp;P)</source>
        <translation>O&amp;ptions</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>条形码:</source>
        <translation>Barcode:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>每次数量:</source>
        <translation>Per scan:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>扫描累加时每次扫描累加的数量（行的单位）</source>
        <translation>The quantity each scan adds, in the row's unit</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>差异超过 %1 或超过账存数量的 %2% 的已盘点记录需要复盘。</source>
        <translation>Counted records whose difference exceeds %1 or %2% of the book qty are to be recounted.</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>打印预览</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>共 %1 页</source>
        <translation>%1 pages</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个供应商!</source>
        <translation>Please choose at least one supplier!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个品牌!</source>
        <translation>Please choose at least one brand!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个商品类别!</source>
        <translation>Please choose at least one goods category!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请选择要盘点的仓库!</source>
        <translation>Please choose the warehouses to count!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>仓库备份已经完成!盘点方案编号：%1，请按“确定”返回!</source>
        <translation>The warehouse backup is complete! Count process number: %1. Press "OK" to return!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有备份账存数据的权限，请与系统管理员联系!</source>
        <translation>You have no right to back up book stock. Please contact the system administrator.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>新建盘点进程</source>
        <translation>Start a new count</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>打开当前盘点进程</source>
        <translation>Open the selected count process</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存修改后的备注</source>
        <translation>Save the changed names and remarks</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除当前盘点进程</source>
        <translation>Delete the selected count process</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>刷新当前盘点进程列表</source>
        <translation>Refresh the list of count processes</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>退出盘点处理</source>
        <translation>Close the count processes</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>分仓库创建</source>
        <translation>One count per warehouse</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>不分仓库创建</source>
        <translation>One count for all warehouses</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>帮助目录</source>
        <translation>Help contents</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>选择已经存在的盘点方案或新建</source>
        <translation>Choose an existing count process or start a new one</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>读取盘点方案失败。</source>
        <translation>The count processes could not be read.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有查看盘点报告单的权限，请与系统管理员联系!</source>
        <translation>You have no right to view count reports. Please contact the system administrator.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有更改盘点方案的权限，请与系统管理员联系!</source>
        <translation>You have no right to change count processes. Please contact the system administrator.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>盘点方案[%1]重复，请修改后保存!</source>
        <translation>The count process name [%1] is used twice. Please change it before saving.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存盘点方案失败。</source>
        <translation>The count processes could not be saved.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有删除盘点方案的权限，请与系统管理员联系!</source>
        <translation>You have no right to delete count processes. Please contact the system administrator.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>该盘点方案生成的盘盈(亏)单已经审核，不允许删除!</source>
        <translation>The gain/loss documents of this count process are approved; it cannot be deleted.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>该盘点方案已经生成下列盘盈(亏)单,不能删除!</source>
        <translation>This count process has produced the following gain/loss documents and cannot be deleted:</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除盘点方案失败。</source>
        <translation>The count process could not be deleted.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>您确信要删除第[%1]号方案吗?</source>
        <translation>Delete count process [%1]?</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>您指定的第[%1]号方案已经顺利删除!</source>
        <translation>Count process [%1] has been deleted.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>你修改了某些进程的信息，要保存修改吗？</source>
        <translation>You have changed some count processes. Save the changes?</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>不能读取用户的权限。</source>
        <translation>The user's rights cannot be read.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cutoffsnapshot.cpp"/>
        <source>截止日期超出已定义的会计期间范围，不能备份！</source>
        <translation>The cut-off date lies outside the defined accounting periods; cannot back up!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cyclecount.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>备份数据失败！</source>
        <translation>Backing up the data failed!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cyclecount.cpp"/>
        <source>没有需要备份的物料!</source>
        <translation>No items are due for a count.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>周</source>
        <translation>Week</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位名称</source>
        <translation>Bin Name</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>%1、%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的字段不是可选的字段（%2）</source>
        <translation>The field of the condition "%1" is not one of the fields offered (%2)</translation>
    </message>
    <message>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>截止日期无效，不能备份！</source>
        <translation>The cut-off date is not valid; cannot back up!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>周期盘点物料表名称无效。</source>
        <translation>The name of the cycle-count item table is not valid.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>顺序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>盘点方案名称</source>
        <translation>Count process</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>制单</source>
        <translation>Prepared by</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>仓库列表“%1”无效，应为以逗号分隔的仓库内码。</source>
        <translation>The warehouse list "%1" is not valid; give warehouse internal IDs separated by commas.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>“%1”无效，应为以逗号分隔的内码。</source>
        <translation>"%1" is not valid; give internal IDs separated by commas.</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>截止日期不能小于系统启用日期！</source>
        <translation>The cut-off date cannot be before the system start date!</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库有未提交的零售单，请提交后再进行备份：</source>
        <translation>The following warehouses have retail receipts not yet submitted; submit them, then back up:</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库有未日结的零售单，请日结后再进行备份：</source>
        <translation>The following warehouses have retail receipts not yet closed for the day; close the day, then back up:</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>检查仓库下是否存在未日结的零售单出错：</source>
        <translation>Checking the warehouses for retail receipts not closed for the day failed: </translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库(仓位)有未审核的单据，不能备份：</source>
        <translation>The following warehouses (bins) have unapproved documents; cannot back up:</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>[%1]仓库,[%2]仓位</source>
        <translation>warehouse [%1], bin [%2]</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>库存备份</source>
        <translation>Stock Backup</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>1.请选择库存备份日期</source>
        <translation>1. Choose the stock backup date</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>即时库存</source>
        <translation>Current stock</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>截止日期</source>
        <translation>Cut-off date</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>2.请选择盘点仓库</source>
        <translation>2. Choose the warehouses to count</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>3.请选择盘点类型</source>
        <translation>3. Choose what to count</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>仓位/商品</source>
        <translation>Bins/goods</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>选择盘点类型</source>
        <translation>Choose Backup Type</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>请选择该盘点方案的备份类型</source>
        <translation>Choose the backup type of this count process</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>启用周期盘点</source>
        <translation>Cycle count</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>盘点进程</source>
        <translation>Count processes</translation>
    </message>
    <message>
        <source>没有可以撤销的扫描</source>
        <translation type="vanished">There is no scan to undo</translation>
    </message>
    <message>
        <source>--kfperiod：“%1”不是天数</source>
        <translation type="vanished">--kfperiod: "%1" is not a number of days</translation>
    </message>
    <message>
        <source>--process：“%1”不是盘点方案的内码</source>
        <translation type="vanished">--process: "%1" is not the internal ID of a count process</translation>
    </message>
    <message>
        <source>有%1条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。</source>
        <translation type="vanished">%1 count rows no longer exist in the database (someone else may have deleted them) and were not saved.</translation>
    </message>
    <message>
        <source>保存盘点数据失败，修改的数据仍保留在表格中，请稍后再保存。</source>
        <translation type="vanished">Saving the count data failed. The changes are still in the grid; please save again later.</translation>
    </message>
    <message>
        <source>仓库备份已经完成!请按“确定”返回!</source>
        <translation type="vanished">The warehouse backup is complete! Press "OK" to return!</translation>
    </message>
    <message>
        <source>不能读取仓库列表。</source>
        <translation type="vanished">Cannot read the warehouse list.</translation>
    </message>
</context>
</TS>
