<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>StockCheck</name>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>盘点数量</source>
        <translation>盤點數量</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>调整数量</source>
        <translation>調整數量</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>数量(辅助)</source>
        <translation>數量(輔助)</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>保质期</source>
        <translation>有效期限</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>“%1”应为不小于0的整数。</source>
        <translation>「%1」應為不小於0的整數。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>“%1”不是数字。</source>
        <translation>「%1」不是數字。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。</source>
        <translation>數量超出允許的範圍：「%1」的絕對值不能超過9,999,999,999.9999。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>“%1”不能为负数。</source>
        <translation>「%1」不能為負數。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>“%1”最多只能有%2位小数。</source>
        <translation>「%1」最多只能有%2位小數。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>读取物料失败。</source>
        <translation>讀取物料失敗。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>物料代码在基础资料中不存在或被禁用，是否重新输入?</source>
        <translation>物料代碼在基礎資料中不存在或已停用，是否重新輸入？</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>请先选择物料!</source>
        <translation>請先選擇物料！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>计量单位不存在，请输入！</source>
        <translation>計量單位不存在，請輸入！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此仓库不存在，请重新输入!</source>
        <translation>此倉庫不存在，請重新輸入！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>该仓库中不存在此仓位或为非明细仓位，请重新输入!</source>
        <translation>該倉庫中不存在此儲位或為非明細儲位，請重新輸入！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>辅助属性在此物料中不存在!</source>
        <translation>輔助屬性在此物料中不存在！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料启用了序列号管理，计划跟踪号必须为空！</source>
        <translation>此項物料啟用了序號管理，計畫追蹤號必須為空！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>仓库不存在，请输入！</source>
        <translation>倉庫不存在，請輸入！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>必须输入物料！</source>
        <translation>必須輸入物料！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采用批次管理请输入批次！</source>
        <translation>此項物料採用批號管理，請輸入批號！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此仓库采用仓位管理请输入仓位！</source>
        <translation>此倉庫採用儲位管理，請輸入儲位！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采用保质期管理请输入保质期信息！</source>
        <translation>此項物料採用有效期限管理，請輸入有效期限資訊！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>此项物料采辅助属性管理请输入辅助属性！</source>
        <translation>此項物料採用輔助屬性管理，請輸入輔助屬性！</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <location filename="../src/app/cli_count.cpp"/>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。</source>
        <translation>這一列已經複盤，實存數量以複盤數量為準，不能再修改盤點數量。</translation>
    </message>
    <message>
        <location filename="../src/additions/additemlogic.cpp"/>
        <source>添加物料失败，盘点数据没有改变。</source>
        <translation>新增物料失敗，盤點資料沒有改變。</translation>
    </message>
    <message>
        <location filename="../src/additions/snapshotrowappend.cpp"/>
        <source>添加物料基本单位与辅助计量单位盘盈盘亏方向不一致，添加失败！</source>
        <translation>新增物料基本單位與輔助計量單位盤盈盤虧方向不一致，新增失敗！</translation>
    </message>
    <message>
        <location filename="../src/additions/snapshotrowappend.cpp"/>
        <source>已有相同记录，保存后将会累加盘点数量，是否继续？</source>
        <translation>已有相同記錄，儲存後將會累加盤點數量，是否繼續？</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加</source>
        <translation>新增</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>物料代码:</source>
        <translation>物料代碼：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>物料名称:</source>
        <translation>物料名稱：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>规格型号:</source>
        <translation>規格型號：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>计量单位:</source>
        <translation>計量單位：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓库代码:</source>
        <translation>倉庫代碼：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>仓库名称:</source>
        <translation>倉庫名稱：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓位代码:</source>
        <translation>儲位代碼：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>仓位名称:</source>
        <translation>儲位名稱：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>批    次:</source>
        <translation>批    號：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>计划跟踪号:</source>
        <translation>計畫追蹤號：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>生产/采购日期:</source>
        <translation>生產/採購日期：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>保 质 期:</source>
        <translation>有效期限：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>辅助属性:</source>
        <translation>輔助屬性：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>单位(辅助):</source>
        <translation>單位(輔助)：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>盘点数量:</source>
        <translation>盤點數量：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>调整数量:</source>
        <translation>調整數量：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>数量(辅助):</source>
        <translation>數量(輔助)：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>备    注:</source>
        <translation>備    註：</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <source>添加(&amp;A)</source>
        <translation>新增(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <location filename="../src/snapshot/ui/dialogbuttons.h"/>
        <source>确定(&amp;O)</source>
        <translation>確定(&amp;O)</translation>
    </message>
    <message>
        <location filename="../src/additions/ui/frmadditem.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>退出(&amp;E)</source>
        <translation>結束(&amp;E)</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>缺少物料代码（--item）或仓库代码（--stock）</source>
        <translation>缺少物料代碼（--item）或倉庫代碼（--stock）</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>--kfdate：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--kfdate：「%1」不是 YYYY-MM-DD 形式的日期</translation>
    </message>
    <message>
        <location filename="../src/app/cli_additem.cpp"/>
        <source>缺少盘点数量（--qty）</source>
        <translation>缺少盤點數量（--qty）</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>请给出 --qty 数量（可加 --base）或 --composite 综合单位数量，两者只能用一个</source>
        <translation>請給出 --qty 數量（可加 --base）或 --composite 綜合單位數量，兩者只能用一個</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>--add 只能与 --qty（行的单位）一起使用</source>
        <translation>--add 只能與 --qty（該列的單位）一起使用</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>--composite：“%1”不是这一物料的综合单位数量</source>
        <translation>--composite：「%1」不是這一物料的綜合單位數量</translation>
    </message>
    <message>
        <location filename="../src/app/cli_count.cpp"/>
        <source>保存盘点数据失败：</source>
        <translation>儲存盤點資料失敗：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/app/cli_recount.cpp"/>
        <location filename="../src/app/cli_sheet.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>读取盘点数据失败。</source>
        <translation>讀取盤點資料失敗。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>方案%1，物料%2，仓库%3，仓位“%4”，批次“%5”，计划跟踪号“%6”，生产/采购日期“%7”，保质期%8天，辅助属性“%9”</source>
        <translation>方案%1，物料%2，倉庫%3，儲位「%4」，批號「%5」，計畫追蹤號「%6」，生產/採購日期「%7」，有效期限%8天，輔助屬性「%9」</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>找不到盘点记录：</source>
        <translation>找不到盤點記錄：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_countrow.cpp"/>
        <source>符合条件的盘点记录不止一条：</source>
        <translation>符合條件的盤點記錄不止一筆：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_cyclecount.cpp"/>
        <source>请给出 --per-stock 或者 --all 之一</source>
        <translation>請給出 --per-stock 或 --all 其中之一</translation>
    </message>
    <message>
        <location filename="../src/app/cli_documents.cpp"/>
        <source>没有需要输出的单据。</source>
        <translation>沒有需要輸出的單據。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>没有引出组件。</source>
        <translation>沒有匯出元件。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <source>已引出%1条记录到%2</source>
        <translation>已匯出%1筆記錄到%2</translation>
    </message>
    <message>
        <location filename="../src/app/cli_export.cpp"/>
        <source>没有可引出的数据。</source>
        <translation>沒有可匯出的資料。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_history.cpp"/>
        <source>读取盘点记录失败：</source>
        <translation>讀取盤點記錄失敗：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_import.cpp"/>
        <source>须指定一个要引入的文件</source>
        <translation>須指定一個要匯入的檔案</translation>
    </message>
    <message>
        <location filename="../src/app/cli_import.cpp"/>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入错误提示</source>
        <translation>匯入錯誤提示</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>数据库已经初始化，没有做任何修改。</source>
        <translation>資料庫已經初始化，沒有做任何修改。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>已创建数据库表并生成演示数据：%1 条库存记录，%2 个物料，%3 张单据，用时 %4 秒。</source>
        <translation>已建立資料庫表並產生示範資料：%1 筆庫存記錄，%2 個物料，%3 張單據，耗時 %4 秒。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_init.cpp"/>
        <source>可登录的用户：demo（无密码）、%1（密码 123456）、%2（密码 654321，只能查看原料仓库）、administrator（密码 admin）。</source>
        <translation>可登入的使用者：demo（無密碼）、%1（密碼 123456）、%2（密碼 654321，只能檢視原料倉庫）、administrator（密碼 admin）。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>您没有修改盘点参数的权限。</source>
        <translation>您沒有修改盤點參數的權限。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>盘点实存数量默认等于账存数量时不能使用盲盘。</source>
        <translation>盤點實存數量預設等於帳存數量時不能使用盲盤。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_param.cpp"/>
        <source>系统参数保存失败：</source>
        <translation>系統參數儲存失敗：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_post.cpp"/>
        <source>缺少单据数量（--documents N）</source>
        <translation>缺少單據數量（--documents N）</translation>
    </message>
    <message>
        <location filename="../src/app/cli_post.cpp"/>
        <source>--date：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--date：「%1」不是 YYYY-MM-DD 形式的日期</translation>
    </message>
    <message>
        <location filename="../src/app/cli_processes.cpp"/>
        <source>请给出 --name、--remark 或者 --delete 之一</source>
        <translation>請給出 --name、--remark 或 --delete 其中之一</translation>
    </message>
    <message>
        <location filename="../src/app/cli_reconcile.cpp"/>
        <source>请给出 --list，或 --mark / --unmark 单据内码，两者只能用一种</source>
        <translation>請給出 --list，或 --mark / --unmark 單據內碼，兩者只能用一種</translation>
    </message>
    <message>
        <location filename="../src/app/cli_reconcile.cpp"/>
        <source>这一行没有这些单据：%1</source>
        <translation>這一列沒有這些單據：%1</translation>
    </message>
    <message>
        <location filename="../src/app/cli_retailresults.cpp"/>
        <source>该盘点方案还有未审核的零售盘点单，只计入已审核的。</source>
        <translation>該盤點方案還有未審核的零售盤點單，只計入已審核的。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_retailresults.cpp"/>
        <source>计入零售盘点结果失败：</source>
        <translation>計入零售盤點結果失敗：</translation>
    </message>
    <message>
        <location filename="../src/app/cli_sheet.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>盲盘时不能查看账存数据。</source>
        <translation>盲盤時不能查看帳存資料。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>缺少要盘点的仓库（--stocks 仓库内码,...）</source>
        <translation>缺少要盤點的倉庫（--stocks 倉庫內碼,...）</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>--cutoff：“%1”不是 YYYY-MM-DD 形式的日期</source>
        <translation>--cutoff：「%1」不是 YYYY-MM-DD 形式的日期</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <source>--brands 和 --categories 只能用一个</source>
        <translation>--brands 和 --categories 只能用一個</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>读不到系统启用日期，不能备份！</source>
        <translation>讀不到系統啟用日期，不能備份！</translation>
    </message>
    <message>
        <location filename="../src/app/cli_snapshot.cpp"/>
        <location filename="../src/snapshot/cutoffsnapshot.cpp"/>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>没有可用的数据，不能备份！</source>
        <translation>沒有可用的資料，不能備份！</translation>
    </message>
    <message>
        <location filename="../src/app/cli_stocks.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>不能读取%1列表。</source>
        <translation>不能讀取%1清單。</translation>
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
        <translation>倉庫</translation>
    </message>
    <message>
        <location filename="../src/app/cli_users.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>用户（编号 %1）不存在。</source>
        <translation>使用者（編號 %1）不存在。</translation>
    </message>
    <message>
        <location filename="../src/app/cli_users.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>读取用户资料失败：</source>
        <translation>讀取使用者資料失敗：</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 应为正整数：%2</source>
        <translation>%1 應為正整數：%2</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 应为 0 或正整数：%2</source>
        <translation>%1 應為 0 或正整數：%2</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1：“%2”应为以逗号分隔的内码</source>
        <translation>%1：「%2」應為以逗號分隔的內碼</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1：“%2”不是数字</source>
        <translation>%1：「%2」不是數字</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库还没有初始化，请先运行 stockcheck-cli init。</source>
        <translation>資料庫還沒有初始化，請先執行 stockcheck-cli init。</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>不认识的参数：%1</source>
        <translation>不認識的參數：%1</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>%1 后面缺少值</source>
        <translation>%1 後面缺少值</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少数据库地址（--db sqlite:文件 或 --db postgresql://...）</source>
        <translation>缺少資料庫位址（--db sqlite:檔案 或 --db postgresql://...）</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少操作员（--user 用户内码）</source>
        <translation>缺少操作員（--user 使用者內碼）</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少盘点方案（--process 盘点方案内码）</source>
        <translation>缺少盤點方案（--process 盤點方案內碼）</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>用户 %1 不存在</source>
        <translation>使用者 %1 不存在</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>盘点方案 %1 不存在</source>
        <translation>盤點方案 %1 不存在</translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>用法：</source>
        <translation>用法：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录</source>
        <translation>登入</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点</source>
        <translation>庫存盤點</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>用户(&amp;U):</source>
        <translation>使用者(&amp;U)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>密码(&amp;P):</source>
        <translation>密碼(&amp;P)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>语言(&amp;L):</source>
        <translation>語言(&amp;L)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>重新读取用户列表</source>
        <translation>重新讀取使用者清單</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库</source>
        <translation>資料庫</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 文件</source>
        <translation>SQLite 檔案</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>PostgreSQL 服务器</source>
        <translation>PostgreSQL 伺服器</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>文件(&amp;F):</source>
        <translation>檔案(&amp;F)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>浏览...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>服务器(&amp;H):</source>
        <translation>伺服器(&amp;H)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>端口:</source>
        <translation>連接埠：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库名(&amp;D):</source>
        <translation>資料庫名(&amp;D)：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库用户:</source>
        <translation>資料庫使用者：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库密码:</source>
        <translation>資料庫密碼：</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录(&amp;O)</source>
        <translation>登入(&amp;O)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/ui/dialogbuttons.h"/>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>选择数据库文件</source>
        <translation>選擇資料庫檔案</translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 数据库 (*.db *.sqlite *.sqlite3);;所有文件 (*)</source>
        <translation>SQLite 資料庫 (*.db *.sqlite *.sqlite3);;所有檔案 (*)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请选择数据库文件。</source>
        <translation>請選擇資料庫檔案。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库文件不存在：%1</source>
        <translation>資料庫檔案不存在：%1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请填写 PostgreSQL 数据库的名称。</source>
        <translation>請填寫 PostgreSQL 資料庫的名稱。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>请输入用户名。</source>
        <translation>請輸入使用者名稱。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>切换用户或数据库(&amp;U)...</source>
        <translation>切換使用者或資料庫(&amp;U)...</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>退出(&amp;X)</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于(&amp;A)</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>文件(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>盘点(&amp;C)</source>
        <translation>盤點(&amp;C)</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>工具条</source>
        <translation>工具列</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>一次盘点的过程：先为要盘点的仓库备份盘点数据，拍下账面库存；打印盘点表交给盘点人员；清点之后录入盘点数据；最后编制盘点报告，核对盘盈盘亏，生成盘盈单和盘亏单。</source>
        <translation>一次盤點的過程：先為要盤點的倉庫備份盤點資料，拍下帳面庫存；列印盤點表交給盤點人員；清點之後輸入盤點資料；最後編製盤點報告，核對盤盈盤虧，產生盤盈單和盤虧單。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>数据库：%1</source>
        <translation>資料庫：%1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>用户：%1</source>
        <translation>使用者：%1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点 - %1</source>
        <translation>庫存盤點 - %1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>尚未提供</source>
        <translation>尚未提供</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>（尚未提供）</source>
        <translation>（尚未提供）</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点：备份账面库存，打印盘点表，录入实盘数量，核对差异并生成盘盈单和盘亏单。</source>
        <translation>庫存盤點：備份帳面庫存，列印盤點表，輸入實盤數量，核對差異並產生盤盈單和盤虧單。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shell.cpp"/>
        <source>操作失败：%1</source>
        <translation>操作失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>备份盘点数据</source>
        <translation>備份盤點資料</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>为选定的仓库拍下账面库存，开始一次盘点。</source>
        <translation>為選定的倉庫拍下帳面庫存，開始一次盤點。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>盘点方案</source>
        <translation>盤點方案</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>查看、改名、备注或删除盘点方案，也可以在这里新建盘点。</source>
        <translation>檢視、改名、備註或刪除盤點方案，也可以在這裡新建盤點。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>打印盘点表</source>
        <translation>列印盤點表</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>盘点前打印盘点表，供盘点人员在仓库里填写。</source>
        <translation>盤點前列印盤點表，供盤點人員在倉庫裡填寫。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>录入盘点数据</source>
        <translation>輸入盤點資料</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>录入实盘数量，添加没有账存的物料，或从表格文件引入。</source>
        <translation>輸入實盤數量，新增沒有帳存的物料，或從表格檔案匯入。</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>编制盘点报告</source>
        <translation>編製盤點報告</translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>核对盘盈盘亏，计入快照后的单据，生成盘盈单和盘亏单。</source>
        <translation>核對盤盈盤虧，計入快照後的單據，產生盤盈單和盤虧單。</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>该物料没有可用的计量单位</source>
        <translation>該物料沒有可用的計量單位</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>综合单位数量不能为负数：%1</source>
        <translation>綜合單位數量不能為負數：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>综合单位数量格式不正确：%1</source>
        <translation>綜合單位數量格式不正確：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>单位“%1”不属于该物料的计量单位组</source>
        <translation>單位「%1」不屬於該物料的計量單位組</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>“%1”的数量只能是整数：%2</source>
        <translation>「%1」的數量只能是整數：%2</translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>“%1”的数量最多只能有%2位小数：%3</source>
        <translation>「%1」的數量最多只能有%2位小數：%3</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>数据库中已经有物料数据，没有生成演示数据。</source>
        <translation>資料庫中已經有物料資料，沒有產生示範資料。</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>演示数据的规模无效：%1</source>
        <translation>示範資料的規模無效：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>生成演示数据失败：</source>
        <translation>產生示範資料失敗：</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘盈单</source>
        <translation>盤盈單</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘亏单</source>
        <translation>盤虧單</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <source>单据类型%1不正确。</source>
        <translation>單據類型%1不正確。</translation>
    </message>
    <message>
        <location filename="../src/erp/documentmaker.cpp"/>
        <source>%1已生成%2张：%3</source>
        <translation>%1已產生%2張：%3</translation>
    </message>
    <message>
        <location filename="../src/erp/laterpostings.cpp"/>
        <source>没有未结束的盘点方案，无处过账单据</source>
        <translation>沒有未結束的盤點方案，無處過帳單據</translation>
    </message>
    <message>
        <location filename="../src/erp/laterpostings.cpp"/>
        <source>过账单据失败：%1</source>
        <translation>過帳單據失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>客户</source>
        <translation>客戶</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>部门</source>
        <translation>部門</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>职员</source>
        <translation>職員</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>供应商</source>
        <translation>供應商</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>商品类别</source>
        <translation>商品類別</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>品牌</source>
        <translation>品牌</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>全名</source>
        <translation>全名</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>物料</source>
        <translation>物料</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>规格型号</source>
        <translation>規格型號</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>计量单位</source>
        <translation>計量單位</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>换算率</source>
        <translation>換算率</translation>
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
        <translation>儲位</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>仓位组</source>
        <translation>儲位組</translation>
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
        <translation>批號</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>库存数量</source>
        <translation>庫存數量</translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>辅助属性</source>
        <translation>輔助屬性</translation>
    </message>
    <message>
        <location filename="../src/erp/schema.cpp"/>
        <source>创建数据库表失败：</source>
        <translation>建立資料庫表失敗：</translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>不能写入文件%1：%2</source>
        <translation>無法寫入檔案%1：%2</translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <source>引出文件须为 .xlsx 或 .csv 格式。</source>
        <translation>匯出檔案須為 .xlsx 或 .csv 格式。</translation>
    </message>
    <message>
        <location filename="../src/erp/sheetwriter.cpp"/>
        <source>不能创建工作表。</source>
        <translation>無法建立工作表。</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1审核完成。</source>
        <translation>單據%1審核完成。</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>找不到单据%1。</source>
        <translation>找不到單據%1。</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1已审核。</source>
        <translation>單據%1已審核。</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>单据%1已作废，不能审核。</source>
        <translation>單據%1已作廢，不能審核。</translation>
    </message>
    <message>
        <location filename="../src/erp/stockbills.cpp"/>
        <source>审核单据%1失败。</source>
        <translation>審核單據%1失敗。</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”不存在，请重新输入。</source>
        <translation>使用者「%1」不存在，請重新輸入。</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”已被禁用，请与系统管理员联系。</source>
        <translation>使用者「%1」已被停用，請與系統管理員聯絡。</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>密码不正确，请重新输入。</source>
        <translation>密碼不正確，請重新輸入。</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>密码加密失败，密码没有修改。</source>
        <translation>密碼加密失敗，密碼沒有修改。</translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>保存密码失败：</source>
        <translation>儲存密碼失敗：</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据编号</source>
        <translation>單據編號</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据日期</source>
        <translation>單據日期</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单据类型</source>
        <translation>單據類型</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>分录数</source>
        <translation>分錄數</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>基本单位数量</source>
        <translation>基本單位數量</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>审核</source>
        <translation>審核</translation>
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
        <translation>物料代碼</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>物料名称</source>
        <translation>物料名稱</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>计划跟踪号</source>
        <translation>計畫追蹤號</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>生产/采购日期</source>
        <translation>生產/採購日期</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单位</source>
        <translation>單位</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>数量</source>
        <translation>數量</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>辅助数量</source>
        <translation>輔助數量</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>单价</source>
        <translation>單價</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>金额</source>
        <translation>金額</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>盘点单据</source>
        <translation>盤點單據</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <source>审核(&amp;A)</source>
        <translation>審核(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/billviewer.cpp"/>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>盘点综合单位数量</source>
        <translation>盤點綜合單位數量</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量不能为负数。</source>
        <translation>「%1」的數量不能為負數。</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量只能是整数。</source>
        <translation>「%1」的數量只能是整數。</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>“%1”的数量最多只能有%2位小数。</source>
        <translation>「%1」的數量最多只能有%2位小數。</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>综合单位数量超出允许的范围：%1</source>
        <translation>綜合單位數量超出允許的範圍：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/complexqtyeditor.cpp"/>
        <source>合计：%1 %2</source>
        <translation>合計：%1 %2</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>帮助</source>
        <translation>說明</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>主题：%1</source>
        <translation>主題：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>这个主题还没有帮助页。</source>
        <translation>這個主題還沒有說明頁。</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>诺凡提示</source>
        <translation>諾凡提示</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <source>复制</source>
        <translation>複製</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>选择%1</source>
        <translation>選擇%1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>代码、名称或助记码</source>
        <translation>代碼、名稱或助記碼</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查找(&amp;F):</source>
        <translation>查詢(&amp;F)：</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查询失败：%1</source>
        <translation>查詢失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>只显示前 %1 条，请输入更多文字缩小范围</source>
        <translation>只顯示前 %1 筆，請輸入更多文字縮小範圍</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>共 %1 条</source>
        <translation>共 %1 筆</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>是(&amp;Y)</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>否(&amp;N)</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址缺少文件路径：%1</source>
        <translation>資料庫位址缺少檔案路徑：%1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址无效：%1</source>
        <translation>資料庫位址無效：%1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>不支持的数据库地址：%1（应为 sqlite:文件 或 postgresql://...）</source>
        <translation>不支援的資料庫位址：%1（應為 sqlite:檔案 或 postgresql://...）</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 SQLite 数据库驱动。</source>
        <translation>找不到 SQLite 資料庫驅動程式。</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件所在的目录不存在：%1</source>
        <translation>資料庫檔案所在的目錄不存在：%1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法打开数据库文件 %1：%2</source>
        <translation>無法開啟資料庫檔案 %1：%2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 已损坏或不是数据库文件：%2</source>
        <translation>資料庫檔案 %1 已損壞或不是資料庫檔案：%2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 是只读的或被占用，不能写入：%2</source>
        <translation>資料庫檔案 %1 是唯讀的或被佔用，不能寫入：%2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 PostgreSQL 数据库驱动。</source>
        <translation>找不到 PostgreSQL 資料庫驅動程式。</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法连接 PostgreSQL 数据库 %1：%2</source>
        <translation>無法連線 PostgreSQL 資料庫 %1：%2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>模式名称无效：%1</source>
        <translation>模式名稱無效：%1</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法使用模式 %1：%2</source>
        <translation>無法使用模式 %1：%2</translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <location filename="../src/host/sysparams.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>数据库没有连接。</source>
        <translation>資料庫沒有連線。</translation>
    </message>
    <message>
        <location filename="../src/host/openwindow.cpp"/>
        <source>此功能尚未提供</source>
        <translation>此功能尚未提供</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据导入失败[</source>
        <translation>資料匯入失敗[</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]笔，原因[重复], 明细如下：</source>
        <translation>]筆，原因[重複], 明細如下：</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]行号[</source>
        <translation>]列號[</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]物料代码[</source>
        <translation>]物料代碼[</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]物料名称[</source>
        <translation>]物料名稱[</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据导入成功[</source>
        <translation>資料匯入成功[</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>]笔!</source>
        <translation>]筆!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>未填盘点数量[%1]笔，未引入。</source>
        <translation>未填盤點數量[%1]筆，未匯入。</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>数据引入完毕!</source>
        <translation>資料匯入完畢!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入Excel文件不合法，第11列不是计划跟踪号，请确认!</source>
        <translation>匯入Excel檔案不合法，第11欄不是計畫追蹤號，請確認!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入Excel文件不合法，第11列不是生产/采购日，请确认!</source>
        <translation>匯入Excel檔案不合法，第11欄不是生產/採購日，請確認!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>第%1条记录基本单位与辅助计量单位盘盈盘亏方向不一致!</source>
        <translation>第%1筆記錄基本單位與輔助計量單位盤盈盤虧方向不一致!</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>第%1条记录已经复盘，实存数量以复盘数量为准，没有引入。</source>
        <translation>第%1筆記錄已經複盤，實存數量以複盤數量為準，沒有引入。</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>引入失败，盘点数据没有改变：%1</source>
        <translation>匯入失敗，盤點資料沒有改變：%1</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>错误原因</source>
        <translation>錯誤原因</translation>
    </message>
    <message>
        <location filename="../src/import/countimport.cpp"/>
        <source>没有可引入的盘点方案。</source>
        <translation>沒有可匯入的盤點方案。</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>不能打开文件：%1</source>
        <translation>無法開啟檔案：%1</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <source>文件不是有效的UTF-8或GB18030文本。</source>
        <translation>檔案不是有效的UTF-8或GB18030文字。</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <location filename="../src/import/sheetreader.cpp"/>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>第%1行的列数过多（超过%2列）。</source>
        <translation>第%1列的欄數過多（超過%2欄）。</translation>
    </message>
    <message>
        <location filename="../src/import/csvreader.cpp"/>
        <source>CSV文件第%1行的引号没有结束。</source>
        <translation>CSV檔案第%1列的引號沒有結束。</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列是错误值%3，请改正后再引入。</source>
        <translation>第%1筆記錄第%2欄是錯誤值%3，請改正後再匯入。</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列的文字过长（最多%3个字符）。</source>
        <translation>第%1筆記錄第%2欄的文字過長（最多%3個字元）。</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录第%2列应为数字：%3</source>
        <translation>第%1筆記錄第%2欄應為數字：%3</translation>
    </message>
    <message>
        <location filename="../src/import/importrecord.cpp"/>
        <source>第%1条记录的生产/采购日期不正确：%2</source>
        <translation>第%1筆記錄的生產/採購日期不正確：%2</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>指定引入Excel文件不存在，请重新选择!</source>
        <translation>指定匯入的Excel檔案不存在，請重新選擇!</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件是空的。</source>
        <translation>檔案是空的。</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件不是.xls、.xlsx或.csv格式的表格。</source>
        <translation>檔案不是.xls、.xlsx或.csv格式的表格。</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>文件行数过多（超过%1行）。</source>
        <translation>檔案列數過多（超過%1列）。</translation>
    </message>
    <message>
        <location filename="../src/import/sheetreader.cpp"/>
        <source>第%1行的单元格文字过长（超过%2个字符）。</source>
        <translation>第%1列的儲存格文字過長（超過%2個字元）。</translation>
    </message>
    <message>
        <location filename="../src/import/xlsreader.cpp"/>
        <source>文件不是有效的.xls工作簿，可能已损坏或不完整。</source>
        <translation>檔案不是有效的.xls活頁簿，可能已損壞或不完整。</translation>
    </message>
    <message>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>文件不是有效的.xlsx工作簿，可能已损坏或不完整。</source>
        <translation>檔案不是有效的.xlsx活頁簿，可能已損壞或不完整。</translation>
    </message>
    <message>
        <location filename="../src/import/xlsxreader.cpp"/>
        <source>文件解压后过大，超出引入的限制。</source>
        <translation>檔案解壓縮後過大，超出匯入的限制。</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>保存盘点数据失败：%1</source>
        <translation>儲存盤點資料失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>没有找到这条盘点记录。</source>
        <translation>找不到這筆盤點記錄。</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>没有可以撤销的扫描。</source>
        <translation>沒有可以撤銷的掃描。</translation>
    </message>
    <message>
        <location filename="../src/model/countentryservice.cpp"/>
        <source>上次扫描的这条盘点记录在数据库中已不存在（可能已被其他用户删除），不能撤销。</source>
        <translation>上次掃描的這筆盤點記錄在資料庫中已不存在（可能已被其他使用者刪除），不能撤銷。</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>用户</source>
        <translation>使用者</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>操作</source>
        <translation>操作</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>来源</source>
        <translation>來源</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位盘点数量</source>
        <translation>基本單位盤點數量</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位盘点数量</source>
        <translation>輔助計量單位盤點數量</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>起始数</source>
        <translation>起始數</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>录入</source>
        <translation>錄入</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>累加</source>
        <translation>累加</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>撤销累加</source>
        <translation>撤銷累加</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>复盘</source>
        <translation>複盤</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入</source>
        <translation>匯入</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料</source>
        <translation>新增物料</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>零售盘点结果</source>
        <translation>零售盤點結果</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>选择单据</source>
        <translation>選擇單據</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <location filename="../src/sheet/sheetexport.cpp"/>
        <source>盘点表</source>
        <translation>盤點表</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>命令行</source>
        <translation>命令列</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>扫描</source>
        <translation>掃描</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>零售单</source>
        <translation>零售單</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>文件 %1</source>
        <translation>檔案 %1</translation>
    </message>
    <message>
        <location filename="../src/model/countjournal.cpp"/>
        <source>手持终端 %1</source>
        <translation>手持終端 %1</translation>
    </message>
    <message>
        <location filename="../src/model/countrowcheck.cpp"/>
        <source>账存数量为负且实存数量小于账存数量，盘点数据未能成功保存，请检查数据！</source>
        <translation>帳存數量為負且實存數量小於帳存數量，盤點資料未能成功儲存，請檢查資料！</translation>
    </message>
    <message>
        <location filename="../src/model/countrowcheck.cpp"/>
        <source>基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！</source>
        <translation>基本單位與輔助計量單位盤盈盤虧方向不一致，盤點資料未能成功儲存，請檢查資料！</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>仓库代码</source>
        <translation>倉庫代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位代码</source>
        <translation>儲位代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助属性代码</source>
        <translation>輔助屬性代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>保质期(天)</source>
        <translation>有效期限（天）</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位代码</source>
        <translation>基本單位代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位</source>
        <translation>基本單位</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位账存数量</source>
        <translation>基本單位帳存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>基本单位实存数量</source>
        <translation>基本單位實存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>单位代码</source>
        <translation>單位代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条形码</source>
        <translation>條碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/model/recount.cpp"/>
        <source>账存数量</source>
        <translation>帳存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>实存数量</source>
        <translation>實存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助单位代码</source>
        <translation>輔助單位代碼</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位</source>
        <translation>輔助計量單位</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位账存数量</source>
        <translation>輔助計量單位帳存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位实存数量</source>
        <translation>輔助計量單位實存數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位调整数量</source>
        <translation>輔助計量單位調整數量</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>备注</source>
        <translation>備註</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助计量单位ID</source>
        <translation>輔助計量單位ID</translation>
    </message>
    <message>
        <location filename="../src/model/entrygrid.cpp"/>
        <source>辅助属性ID</source>
        <translation>輔助屬性ID</translation>
    </message>
    <message>
        <location filename="../src/model/maindo.cpp"/>
        <source>该单据的模版丢失，请更新ICChatBillTitle:SQL</source>
        <translation>該單據的範本遺失，請更新ICChatBillTitle:SQL</translation>
    </message>
    <message>
        <location filename="../src/model/maindo.cpp"/>
        <source>仓库数据还未备份,请备份仓库数据!</source>
        <translation>倉庫資料還未備份，請備份倉庫資料！</translation>
    </message>
    <message>
        <location filename="../src/model/maindo_bills.cpp"/>
        <source>组件%1未注册。</source>
        <translation>元件%1未註冊。</translation>
    </message>
    <message>
        <location filename="../src/model/maindo_bills.cpp"/>
        <source>盘点单据输出不成功:</source>
        <translation>盤點單據輸出不成功：</translation>
    </message>
    <message>
        <location filename="../src/model/maindo_rows.cpp"/>
        <source>合计</source>
        <translation>合計</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>初盘数量</source>
        <translation>初盤數量</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>基本单位差异数量</source>
        <translation>基本單位差異數量</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>复盘数量</source>
        <translation>複盤數量</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>复盘数量不能为负数。</source>
        <translation>複盤數量不能為負數。</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。</source>
        <translation>這筆盤點記錄在資料庫中已不存在（可能已被其他使用者刪除），沒有儲存。</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>这一行还没有盘点，不能复盘。</source>
        <translation>這一列還沒有盤點，不能複盤。</translation>
    </message>
    <message>
        <location filename="../src/model/recount.cpp"/>
        <source>这一行的单位没有换算系数，不能复盘。</source>
        <translation>這一列的單位沒有換算係數，不能複盤。</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>升序</source>
        <translation>升冪</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>降序</source>
        <translation>降冪</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序类型不能为空!</source>
        <translation>第%1列排序方式不能為空!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序字段不能为空!</source>
        <translation>第%1列排序欄位不能為空!</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[名称]列数据不完整！</source>
        <translation>第%1列，[名稱]欄資料不完整！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[比较]列数据不完整！</source>
        <translation>第%1列，[比較]欄資料不完整！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[逻辑]列数据不完整！</source>
        <translation>第%1列，[邏輯]欄資料不完整！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[名称]列的“%2”不是可选的字段！</source>
        <translation>第%1列，[名稱]欄的「%2」不是可選的欄位！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[比较]列的“%2”不是可选的比较方式！</source>
        <translation>第%1列，[比較]欄的「%2」不是可選的比較方式！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[逻辑]列的“%2”不是可选的逻辑！</source>
        <translation>第%1列，[邏輯]欄的「%2」不是可選的邏輯！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>第%1行排序字段“%2”不是可选的字段！</source>
        <translation>第%1列排序欄位「%2」不是可選的欄位！</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”应写作 字段:比较:比较值[:逻辑]</source>
        <translation>條件「%1」應寫作 欄位:比較:比較值[:邏輯]</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的比较方式不是可选的比较方式（%2）</source>
        <translation>條件「%1」的比較方式不是可選的比較方式（%2）</translation>
    </message>
    <message>
        <location filename="../src/model/sheetfilter.cpp"/>
        <source>排序“%1”应写作 字段:asc|desc</source>
        <translation>排序「%1」應寫作 欄位:asc|desc</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>选中标志</source>
        <translation>選中標誌</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>事务类型</source>
        <translation>事務類型</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单据号码</source>
        <translation>單據號碼</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>辅助单位</source>
        <translation>輔助單位</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>请单击选中标志列来选定要计算的单据</source>
        <translation>請按一下選中標誌欄來選定要計算的單據</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>没有设置盘点方案信息!</source>
        <translation>沒有設定盤點方案資訊!</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>读取单据失败：%1</source>
        <translation>讀取單據失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>单据%1已被其他盘点方案选中，计算失败！</source>
        <translation>單據%1已被其他盤點方案選中，計算失敗！</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>盘点记录未能保存，计算失败！</source>
        <translation>盤點記錄未能儲存，計算失敗！</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>盘点记录未能保存，计算失败：%1</source>
        <translation>盤點記錄未能儲存，計算失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>计算失败：%1</source>
        <translation>計算失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>不允许账存数量为负且实存数量小于账存数量，计算失败！</source>
        <translation>不允許帳存數量為負且實存數量小於帳存數量，計算失敗！</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>就绪</source>
        <translation>就緒</translation>
    </message>
    <message>
        <location filename="../src/reconcile/selectlogic.cpp"/>
        <source>与物料%1相关的单据</source>
        <translation>與物料%1相關的單據</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>查看(&amp;V)</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算(&amp;C)</source>
        <translation>計算(&amp;C)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条(&amp;O)</source>
        <translation>工具列(&amp;O)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>状态条(&amp;L)</source>
        <translation>狀態列(&amp;L)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条标签(&amp;L)</source>
        <translation>工具列標籤(&amp;L)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>关于诺凡(&amp;A)</source>
        <translation>關於諾凡(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>盘点期间单据的选择与计算</source>
        <translation>盤點期間單據的選擇與計算</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算</source>
        <translation>計算</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <source>计算实存数量</source>
        <translation>計算實存數量</translation>
    </message>
    <message>
        <location filename="../src/reconcile/ui/frmselect.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>退出</source>
        <translation>結束</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>参数不正确：</source>
        <translation>參數不正確：</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>数据库中没有盘点表，请先建立数据库（stockcheck-cli init）。</source>
        <translation>資料庫中沒有盤點表，請先建立資料庫（stockcheck-cli init）。</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>不能在 %1 上监听。</source>
        <translation>不能在 %1 上監聽。</translation>
    </message>
    <message>
        <location filename="../src/server/main_server.cpp"/>
        <source>stockcheck-server 在 http://%1:%2/ 上服务。</source>
        <translation>stockcheck-server 在 http://%1:%2/ 上服務。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>数量超出数据库允许的范围</source>
        <translation>數量超出資料庫允許的範圍</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>数据不符合数据库的约束条件</source>
        <translation>資料不符合資料庫的約束條件</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>这条盘点记录正被其他用户修改，请稍后再保存</source>
        <translation>這筆盤點記錄正被其他使用者修改，請稍後再儲存</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>文字超过数据库允许的长度</source>
        <translation>文字超過資料庫允許的長度</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>行号</source>
        <translation>列號</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>错误类型</source>
        <translation>錯誤類型</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>第%1行（物料 %2，仓库 %3，仓位 %4）在您读取之后已被%5于%6修改（%7，来自%8），盘点数量现为 %9。

是：保存您输入的数量 %10；否：采用对方的数量；取消：这次不保存。</source>
        <translation>第%1列（物料 %2，倉庫 %3，儲位 %4）在您讀取之後已被%5於%6修改（%7，來自%8），盤點數量現為 %9。

是：儲存您輸入的數量 %10；否：採用對方的數量；取消：這次不儲存。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>盘点数据已经修改，是否保存？</source>
        <translation>盤點資料已經修改，是否儲存？</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>正在保存数据,请稍候...</source>
        <translation>正在儲存資料，請稍候...</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>盘点错误数据提示</source>
        <translation>盤點錯誤資料提示</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>是否真的要删除此项物料？</source>
        <translation>是否真的要刪除此項物料？</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>不能删除有账存余额的物料</source>
        <translation>不能刪除有帳存餘額的物料</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>删除物料失败：%1</source>
        <translation>刪除物料失敗：%1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>物料盘点报告单</source>
        <translation>物料盤點報告單</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>打印物料盘点表</source>
        <translation>列印物料盤點表</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/sheet/sheetexport.cpp"/>
        <source>物料盘点表</source>
        <translation>物料盤點表</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>不能读取用户的数据权限。</source>
        <translation>不能讀取使用者的資料權限。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>方案数据已超过一万条，数据操作可能比较慢</source>
        <translation>方案資料已超過一萬筆，資料操作可能比較慢</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有 0 条记录</source>
        <translation>倉庫中共有 0 筆記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有%1条记录</source>
        <translation>倉庫中共有%1筆記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>手持终端盘点中：%1 人</source>
        <translation>手持終端盤點中：%1 人</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>账存日期:</source>
        <translation>帳存日期：</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>已保存%1行盘点数据</source>
        <translation>已儲存%1列盤點資料</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>已保存：%1 %2，盘点数量 %3 %4</source>
        <translation>已儲存：%1 %2，盤點數量 %3 %4</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>找不到条形码为%1的物料</source>
        <translation>找不到條碼為%1的物料</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：%2</source>
        <translation>條碼%1：%2</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>条形码%1对应%2行，当前为其中第%3行：%4 %5；再次扫描转到下一行</source>
        <translation>條碼%1對應%2列，目前為其中第%3列：%4 %5；再次掃描轉到下一列</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>盘点记录的单位不能更改。</source>
        <translation>盤點記錄的單位不能更改。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_entry.cpp"/>
        <source>盘点记录的单位不能更改；按其他单位的数量请在“盘点综合单位数量”中按F8录入。</source>
        <translation>盤點記錄的單位不能更改；按其他單位的數量請在「盤點綜合單位數量」中按F8輸入。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>引出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_export.cpp"/>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)</source>
        <translation>Excel 活頁簿 (*.xlsx);;CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_find.cpp"/>
        <source>请输入要搜索的字符!</source>
        <translation>請輸入要搜尋的字元!</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_find.cpp"/>
        <source>你已搜索完全部记录，但没有找到相应的内容!是否重新搜索?</source>
        <translation>你已搜尋完全部記錄，但沒有找到相應的內容!是否重新搜尋?</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>请先选择一行盘点数据。</source>
        <translation>請先選擇一列盤點資料。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>这一行还没有盘点记录：它的数量是备份时的数量。</source>
        <translation>這一列還沒有盤點記錄：它的數量是備份時的數量。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>盘点记录</source>
        <translation>盤點記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_history.cpp"/>
        <source>读取盘点记录失败。</source>
        <translation>讀取盤點記錄失敗。</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>选择引入的Excel文件</source>
        <translation>選擇匯入的Excel檔案</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_import.cpp"/>
        <source>Excel 文件 (*.xls *.xlsx *.csv);;所有文件 (*)</source>
        <translation>Excel 檔案 (*.xls *.xlsx *.csv);;所有檔案 (*)</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加：每次扫描给对应的行累加数量并立即保存</source>
        <translation>掃描累加：每次掃描給對應的行累加數量並立即保存</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加已关闭</source>
        <translation>掃描累加已關閉</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>每次扫描的数量“%1”不是大于零的数字</source>
        <translation>每次掃描的數量「%1」不是大於零的數字</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>还有没保存的盘点数据，请先处理后再扫描</source>
        <translation>還有沒儲存的盤點資料，請先處理後再掃描</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1对应%2行，累加到哪一行？</source>
        <translation>條碼%1對應%2行，累加到哪一行？</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>生产日期</source>
        <translation>生產日期</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：没有累加</source>
        <translation>條碼%1：沒有累加</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>扫描累加没有保存：%1</source>
        <translation>掃描累加沒有儲存：%1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>条形码%1：%2 累加%3，现为%4 %5</source>
        <translation>條碼%1：%2 累加%3，現為%4 %5</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>撤销没有保存：%1</source>
        <translation>撤銷沒有儲存：%1</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>已撤销上次扫描：%1 现为%2 %3</source>
        <translation>已撤銷上次掃描：%1 現為%2 %3</translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet_scan.cpp"/>
        <source>已撤销上次扫描</source>
        <translation>已撤銷上次掃描</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>当前期间已经关账，不能新增当前及以前期间单据。</source>
        <translation>目前期間已經關帳，不能新增目前及以前期間的單據。</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>正在输出盘点单据,请稍候...</source>
        <translation>正在產生盤點單據，請稍候……</translation>
    </message>
    <message>
        <location filename="../src/sheet/documentoutput.cpp"/>
        <source>输出盘点单必须在本期间起始日期之后!</source>
        <translation>產生盤點單必須在本期間起始日期之後！</translation>
    </message>
    <message>
        <location filename="../src/sheet/entryrules.cpp"/>
        <source>数量超出允许的范围：数量的绝对值不能超过9,999,999,999.9999。</source>
        <translation>數量超出允許的範圍：數量的絕對值不能超過9,999,999,999.9999。</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>(无)</source>
        <translation>(無)</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>等于</source>
        <translation>等於</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>不等</source>
        <translation>不等於</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>小于</source>
        <translation>小於</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>大于</source>
        <translation>大於</translation>
    </message>
    <message>
        <location filename="../src/sheet/finddialog.cpp"/>
        <source>包含</source>
        <translation>包含</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>盘点方案:</source>
        <translation>盤點方案：</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>部门主管:|财务:|审核:|监盘:|制表:</source>
        <translation>部門主管：|財務：|審核：|監盤：|製表：</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>第 &amp;[页] 页</source>
        <translation>第 &amp;[页] 頁</translation>
    </message>
    <message>
        <location filename="../src/sheet/ledgerprint.cpp"/>
        <source>共 &amp;[总页] 页</source>
        <translation>共 &amp;[总页] 頁</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘数量必须是不小于 0 的数。</source>
        <translation>複盤數量必須是不小於 0 的數。</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘错误数据提示</source>
        <translation>複盤錯誤資料提示</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘表</source>
        <translation>複盤表</translation>
    </message>
    <message>
        <location filename="../src/sheet/recountlogic.cpp"/>
        <source>复盘数量已经修改，是否保存？</source>
        <translation>複盤數量已經修改，是否儲存？</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>保存(&amp;S)</source>
        <translation>儲存(&amp;S)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存</source>
        <translation>儲存</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单据(&amp;T)</source>
        <translation>輸出盤盈單據(&amp;T)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单单据</source>
        <translation>輸出盤盈單單據</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单据(&amp;L)</source>
        <translation>輸出盤虧單據(&amp;L)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单单据</source>
        <translation>輸出盤虧單單據</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印(&amp;P)...</source>
        <translation>列印(&amp;P)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>打印</source>
        <translation>列印</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印预览(&amp;V)</source>
        <translation>預覽列印(&amp;V)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>预览</source>
        <translation>預覽</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印设置(&amp;R)...</source>
        <translation>列印設定(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引出(&amp;O)...</source>
        <translation>匯出(&amp;O)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入(&amp;I)...</source>
        <translation>匯入(&amp;I)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>复盘(&amp;C)...</source>
        <translation>複盤(&amp;C)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>复盘差异超过容差的记录</source>
        <translation>複盤差異超過容差的記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>编辑(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索(&amp;F)...</source>
        <translation>搜尋(&amp;F)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>排序(&amp;S)...</source>
        <translation>排序(&amp;S)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序</source>
        <translation>排序</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>过滤(&amp;L)...</source>
        <translation>篩選(&amp;L)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤</source>
        <translation>篩選</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料(&amp;A)</source>
        <translation>新增物料(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料(&amp;D)</source>
        <translation>刪除物料(&amp;D)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料</source>
        <translation>刪除物料</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>扫描累加(&amp;U)</source>
        <translation>掃描累加(&amp;U)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>扫描累加</source>
        <translation>掃描累加</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>每次扫描给对应的行累加数量并立即保存</source>
        <translation>每次掃描給對應的行累加數量並立即保存</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销上次扫描(&amp;Z)</source>
        <translation>撤銷上次掃描(&amp;Z)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销扫描</source>
        <translation>撤銷掃描</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>撤销上次扫描</source>
        <translation>撤銷上次掃描</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除数据(&amp;D)</source>
        <translation>清除資料(&amp;D)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除(Del)</source>
        <translation>清除(Del)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择单据(&amp;B)</source>
        <translation>選擇單據(&amp;B)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选单</source>
        <translation>選單據</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择盘点期间的单据</source>
        <translation>選擇盤點期間的單據</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点记录(&amp;H)</source>
        <translation>盤點記錄(&amp;H)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>记录</source>
        <translation>記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>当前行的盘点记录</source>
        <translation>目前這一列的盤點記錄</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示数据(&amp;D)</source>
        <translation>顯示資料(&amp;D)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示</source>
        <translation>顯示</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据(&amp;A)</source>
        <translation>全部資料(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据</source>
        <translation>全部資料</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据(&amp;P)</source>
        <translation>盤點資料(&amp;P)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据</source>
        <translation>盤點資料</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>状态条(&amp;S)</source>
        <translation>狀態列(&amp;S)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>禁用物料参与盘点(&amp;W)</source>
        <translation>停用物料參與盤點(&amp;W)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示已关闭的盘点方案(&amp;C)</source>
        <translation>顯示已關閉的盤點方案(&amp;C)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>重复添加时提示(&amp;A)</source>
        <translation>重複新增時提示(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>格式(&amp;O)</source>
        <translation>格式(&amp;O)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>页面设置(&amp;G)...</source>
        <translation>版面設定(&amp;G)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>标题字体(&amp;T)...</source>
        <translation>標題字型(&amp;T)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>表格字体(&amp;F)...</source>
        <translation>表格字型(&amp;F)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>恢复预设列宽(&amp;W)</source>
        <translation>恢復預設欄寬(&amp;W)</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助目录(&amp;C)   F1</source>
        <translation>說明目錄(&amp;C)   F1</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>关于诺凡(&amp;A)...</source>
        <translation>關於諾凡(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>账存数据</source>
        <translation>帳存資料</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>可按[F7]选择比较值</source>
        <translation>可按[F7]選擇比較值</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>确定(&amp;Y)</source>
        <translation>確定(&amp;Y)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>比较</source>
        <translation>比較</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>比较值</source>
        <translation>比較值</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/snapshot/conditiongridmodel.cpp"/>
        <source>逻辑</source>
        <translation>邏輯</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <source>排序字段</source>
        <translation>排序欄位</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfilter.cpp"/>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序方式</source>
        <translation>排序方式</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索/排序/过滤...</source>
        <translation>搜尋/排序/篩選...</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索目标</source>
        <translation>搜尋目標</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索内容</source>
        <translation>搜尋內容</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>搜索(&amp;S)</source>
        <translation>搜尋(&amp;S)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>排序目标</source>
        <translation>排序目標</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤目标</source>
        <translation>篩選目標</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤条件</source>
        <translation>篩選條件</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>过滤内容</source>
        <translation>篩選內容</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>匹配选项:</source>
        <translation>比對選項:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>模糊搜索(&amp;B)</source>
        <translation>模糊搜尋(&amp;B)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>匹配搜索(&amp;A)</source>
        <translation>比對搜尋(&amp;A)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>是否区分大小写:</source>
        <translation>是否區分大小寫:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmfind.cpp"/>
        <source>选项(&amp;P)</source>
        <translation>選項(&amp;P)</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>条形码:</source>
        <translation>條碼：</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>每次数量:</source>
        <translation>每次數量:</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>扫描累加时每次扫描累加的数量（行的单位）</source>
        <translation>掃描累加時每次掃描累加的數量（行的單位）</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmrecount.cpp"/>
        <source>差异超过 %1 或超过账存数量的 %2% 的已盘点记录需要复盘。</source>
        <translation>差異超過 %1 或超過帳存數量的 %2% 的已盤點記錄需要複盤。</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>打印预览</source>
        <translation>預覽列印</translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/ledgerprintdialogs.cpp"/>
        <source>共 %1 页</source>
        <translation>共 %1 頁</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个供应商!</source>
        <translation>請至少選擇一個供應商！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个品牌!</source>
        <translation>請至少選擇一個品牌！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请至少选择一个商品类别!</source>
        <translation>請至少選擇一個商品類別！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>请选择要盘点的仓库!</source>
        <translation>請選擇要盤點的倉庫！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/backupinvlogic.cpp"/>
        <source>仓库备份已经完成!盘点方案编号：%1，请按“确定”返回!</source>
        <translation>倉庫備份已經完成！盤點方案編號：%1，請按「確定」返回！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有备份账存数据的权限，请与系统管理员联系!</source>
        <translation>沒有備份帳存資料的權限，請與系統管理員聯絡！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>新建</source>
        <translation>新增</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>新建盘点进程</source>
        <translation>新增盤點方案</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>打开</source>
        <translation>開啟</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>打开当前盘点进程</source>
        <translation>開啟目前的盤點方案</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存修改后的备注</source>
        <translation>儲存修改後的備註</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除当前盘点进程</source>
        <translation>刪除目前的盤點方案</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>刷新当前盘点进程列表</source>
        <translation>重新整理盤點方案清單</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>退出盘点处理</source>
        <translation>結束盤點方案處理</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>分仓库创建</source>
        <translation>分倉庫建立</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>不分仓库创建</source>
        <translation>不分倉庫建立</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>帮助目录</source>
        <translation>說明目錄</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>选择已经存在的盘点方案或新建</source>
        <translation>選擇已存在的盤點方案或新增</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>读取盘点方案失败。</source>
        <translation>讀取盤點方案失敗。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有查看盘点报告单的权限，请与系统管理员联系!</source>
        <translation>沒有檢視盤點報告單的權限，請與系統管理員聯絡！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有更改盘点方案的权限，请与系统管理员联系!</source>
        <translation>沒有變更盤點方案的權限，請與系統管理員聯絡！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>盘点方案[%1]重复，请修改后保存!</source>
        <translation>盤點方案[%1]重複，請修改後再儲存！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>保存盘点方案失败。</source>
        <translation>儲存盤點方案失敗。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>没有删除盘点方案的权限，请与系统管理员联系!</source>
        <translation>沒有刪除盤點方案的權限，請與系統管理員聯絡！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>该盘点方案生成的盘盈(亏)单已经审核，不允许删除!</source>
        <translation>該盤點方案產生的盤盈(虧)單已經審核，不允許刪除！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>该盘点方案已经生成下列盘盈(亏)单,不能删除!</source>
        <translation>該盤點方案已經產生下列盤盈(虧)單，不能刪除！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>删除盘点方案失败。</source>
        <translation>刪除盤點方案失敗。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>您确信要删除第[%1]号方案吗?</source>
        <translation>您確定要刪除第[%1]號方案嗎？</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>您指定的第[%1]号方案已经顺利删除!</source>
        <translation>您指定的第[%1]號方案已經順利刪除！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>你修改了某些进程的信息，要保存修改吗？</source>
        <translation>你修改了某些盤點方案的資訊，要儲存修改嗎？</translation>
    </message>
    <message>
        <location filename="../src/snapshot/chkstockproclogic.cpp"/>
        <source>不能读取用户的权限。</source>
        <translation>無法讀取使用者的權限。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cutoffsnapshot.cpp"/>
        <source>截止日期超出已定义的会计期间范围，不能备份！</source>
        <translation>截止日期超出已定義的會計期間範圍，不能備份！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cyclecount.cpp"/>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>备份数据失败！</source>
        <translation>備份資料失敗！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cyclecount.cpp"/>
        <source>没有需要备份的物料!</source>
        <translation>沒有需要備份的物料！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>日</source>
        <translation>日</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>周</source>
        <translation>週</translation>
    </message>
    <message>
        <location filename="../src/snapshot/cycleselection.cpp"/>
        <source>月</source>
        <translation>月</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位名称</source>
        <translation>儲位名稱</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>%1、%2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的字段不是可选的字段（%2）</source>
        <translation>條件「%1」的欄位不是可選的欄位（%2）</translation>
    </message>
    <message>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>截止日期无效，不能备份！</source>
        <translation>截止日期無效，不能備份！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/icbackupinv.cpp"/>
        <source>周期盘点物料表名称无效。</source>
        <translation>週期盤點物料表名稱無效。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>顺序号</source>
        <translation>序號</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>盘点方案名称</source>
        <translation>盤點方案名稱</translation>
    </message>
    <message>
        <location filename="../src/snapshot/proclistmodel.cpp"/>
        <source>制单</source>
        <translation>製單</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>仓库列表“%1”无效，应为以逗号分隔的仓库内码。</source>
        <translation>倉庫清單「%1」無效，應為以逗號分隔的倉庫內碼。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>“%1”无效，应为以逗号分隔的内码。</source>
        <translation>「%1」無效，應為以逗號分隔的內碼。</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>截止日期不能小于系统启用日期！</source>
        <translation>截止日期不能小於系統啟用日期！</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库有未提交的零售单，请提交后再进行备份：</source>
        <translation>以下倉庫有未提交的零售單，請提交後再進行備份：</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库有未日结的零售单，请日结后再进行备份：</source>
        <translation>以下倉庫有未日結的零售單，請日結後再進行備份：</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>检查仓库下是否存在未日结的零售单出错：</source>
        <translation>檢查倉庫下是否存在未日結的零售單出錯：</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>以下仓库(仓位)有未审核的单据，不能备份：</source>
        <translation>以下倉庫（儲位）有未審核的單據，不能備份：</translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotprecheck.cpp"/>
        <source>[%1]仓库,[%2]仓位</source>
        <translation>[%1]倉庫，[%2]儲位</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>库存备份</source>
        <translation>庫存備份</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>1.请选择库存备份日期</source>
        <translation>1.請選擇庫存備份日期</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>即时库存</source>
        <translation>即時庫存</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>截止日期</source>
        <translation>截止日期</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>2.请选择盘点仓库</source>
        <translation>2.請選擇盤點倉庫</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>3.请选择盘点类型</source>
        <translation>3.請選擇盤點類型</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backupinvdialog.cpp"/>
        <source>仓位/商品</source>
        <translation>儲位/商品</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>选择盘点类型</source>
        <translation>選擇盤點類型</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/backuptypedialog.cpp"/>
        <source>请选择该盘点方案的备份类型</source>
        <translation>請選擇該盤點方案的備份類型</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>编辑</source>
        <translation>編輯</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>选项</source>
        <translation>選項</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>启用周期盘点</source>
        <translation>啟用週期盤點</translation>
    </message>
    <message>
        <location filename="../src/snapshot/ui/chkstockprocwindow.cpp"/>
        <source>盘点进程</source>
        <translation>盤點方案</translation>
    </message>
    <message>
        <source>没有可以撤销的扫描</source>
        <translation type="vanished">沒有可以撤銷的掃描</translation>
    </message>
    <message>
        <source>--kfperiod：“%1”不是天数</source>
        <translation type="vanished">--kfperiod：「%1」不是天數</translation>
    </message>
    <message>
        <source>--process：“%1”不是盘点方案的内码</source>
        <translation type="vanished">--process：「%1」不是盤點方案的內碼</translation>
    </message>
    <message>
        <source>有%1条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。</source>
        <translation type="vanished">有%1筆盤點記錄在資料庫中已不存在（可能已被其他使用者刪除），沒有儲存。</translation>
    </message>
    <message>
        <source>保存盘点数据失败，修改的数据仍保留在表格中，请稍后再保存。</source>
        <translation type="vanished">儲存盤點資料失敗，修改的資料仍保留在表格中，請稍後再儲存。</translation>
    </message>
    <message>
        <source>仓库备份已经完成!请按“确定”返回!</source>
        <translation type="vanished">倉庫備份已經完成！請按「確定」返回！</translation>
    </message>
    <message>
        <source>不能读取仓库列表。</source>
        <translation type="vanished">不能讀取倉庫清單。</translation>
    </message>
</context>
</TS>
