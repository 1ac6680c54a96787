<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>StockCheck</name>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <source>缺少数据库地址（--db sqlite:文件 或 --db postgresql://...）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/main_cli.cpp"/>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库还没有初始化，请先运行 stockcheck-cli init。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>用户(&amp;U):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>密码(&amp;P):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>语言(&amp;L):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>重新读取用户列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>PostgreSQL 服务器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>文件(&amp;F):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>浏览...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>服务器(&amp;H):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>端口:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库名(&amp;D):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库用户:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>数据库密码:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>登录(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>取消(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>选择数据库文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/logindialog.cpp"/>
        <source>SQLite 数据库 (*.db *.sqlite *.sqlite3);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请选择数据库文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>数据库文件不存在：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <source>请填写 PostgreSQL 数据库的名称。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/loginlogic.cpp"/>
        <location filename="../src/erp/users.cpp"/>
        <source>请输入用户名。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>切换用户或数据库(&amp;U)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>退出(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>文件(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>盘点(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>工具条</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>一次盘点的过程：先为要盘点的仓库备份盘点数据，拍下账面库存；打印盘点表交给盘点人员；清点之后录入盘点数据；最后编制盘点报告，核对盘盈盘亏，生成盘盈单和盘亏单。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>数据库：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>用户：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点 - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>尚未提供</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>（尚未提供）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/mainwindow.cpp"/>
        <source>库存盘点：备份账面库存，打印盘点表，录入实盘数量，核对差异并生成盘盈单和盘亏单。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shell.cpp"/>
        <source>操作失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>备份盘点数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>为选定的仓库拍下账面库存，开始一次盘点。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>盘点方案</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>查看、改名、备注或删除盘点方案，也可以在这里新建盘点。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>打印盘点表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>盘点前打印盘点表，供盘点人员在仓库里填写。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>录入盘点数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>录入实盘数量，添加没有账存的物料，或从表格文件引入。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>编制盘点报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/shell/shelloperations.cpp"/>
        <source>核对盘盈盘亏，计入快照后的单据，生成盘盈单和盘亏单。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>该物料没有可用的计量单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>综合单位数量格式不正确：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/complexqty.cpp"/>
        <source>单位“%1”不属于该物料的计量单位组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>数据库中已经有物料数据，没有生成演示数据。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>演示数据的规模无效：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/demodata.cpp"/>
        <source>生成演示数据失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>客户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>部门</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>职员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>供应商</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>商品类别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>品牌</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>全名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>物料</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>规格型号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>仓库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>计量单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>换算率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>仓位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>批次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <source>库存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/lookupquery.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/schema.cpp"/>
        <source>创建数据库表失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>读取用户资料失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”不存在，请重新输入。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户“%1”已被禁用，请与系统管理员联系。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>密码不正确，请重新输入。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>保存密码失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/users.cpp"/>
        <source>用户（编号 %1）不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>主题：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <source>这个主题还没有帮助页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/helpdialog.cpp"/>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>诺凡提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/listdialog.cpp"/>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>选择%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>代码、名称或助记码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查找(&amp;F):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>确定(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>查询失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>只显示前 %1 条，请输入更多文字缩小范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/lookupdialog.cpp"/>
        <source>共 %1 条</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>是(&amp;Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>否(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/erp/ui/widgetui.cpp"/>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址缺少文件路径：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库地址无效：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>不支持的数据库地址：%1（应为 sqlite:文件 或 postgresql://...）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 SQLite 数据库驱动。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件所在的目录不存在：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法打开数据库文件 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 已损坏或不是数据库文件：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>数据库文件 %1 是只读的或被占用，不能写入：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>找不到 PostgreSQL 数据库驱动。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法连接 PostgreSQL 数据库 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>模式名称无效：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <source>无法使用模式 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/appconnection.cpp"/>
        <location filename="../src/host/sysparams.cpp"/>
        <source>数据库没有连接。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/host/iccheckinterface.cpp"/>
        <location filename="../src/host/openwindow.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>此功能尚未提供</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/maindo.cpp"/>
        <source>仓库数据还未备份,请备份仓库数据!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/maindo_rows.cpp"/>
        <source>合计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>账存数量为负且实存数量小于账存数量，盘点数据未能成功保存，请检查数据！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>计划跟踪号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>生产/采购日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>保质期(天)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>盘点数据已经修改，是否保存？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>盘点错误数据提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>是否真的要删除此项物料？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>不能删除有账存余额的物料</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsaver.cpp"/>
        <source>删除物料失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>物料盘点报告单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>打印物料盘点表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>物料盘点表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>就绪</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>读取盘点数据失败。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>方案数据已超过一万条，数据操作可能比较慢</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有 0 条记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>仓库中共有%1条记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/countsheet.cpp"/>
        <source>账存日期:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>仓库代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>物料代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>物料名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助属性代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>基本单位代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>基本单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>基本单位账存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>基本单位实存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>基本单位盘点数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>单位代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条形码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>账存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>实存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>盘点数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>盘点综合单位数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>调整数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助单位代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位账存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位实存数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位盘点数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位调整数量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助计量单位ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/entrygrid.cpp"/>
        <source>辅助属性ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>保存(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单据(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘盈单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘盈单单据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单据(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘亏单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>输出盘亏单单据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印(&amp;P)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印预览(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>预览</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>打印设置(&amp;R)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引出(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入(&amp;I)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>引入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>编辑(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索(&amp;F)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>排序(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>排序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>过滤(&amp;L)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>过滤</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>添加物料</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>删除物料</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除数据(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>清除(Del)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>查看(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择单据(&amp;B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>选择盘点期间的单据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示数据(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>全部数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>盘点数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>状态条(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>工具条标签(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>禁用物料参与盘点(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>显示已关闭的盘点方案(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>重复添加时提示(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>刷新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>格式(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>页面设置(&amp;G)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>标题字体(&amp;T)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>表格字体(&amp;F)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>恢复预设列宽(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>帮助目录(&amp;C)   F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>关于诺凡(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/sheetcommands.cpp"/>
        <source>账存数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>盘点方案:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/sheet/ui/frmmain.cpp"/>
        <source>条形码:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>仓位名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[名称]列的“%2”不是可选的字段！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[比较]列的“%2”不是可选的比较方式！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>第%1行，[逻辑]列的“%2”不是可选的逻辑！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”应写作 字段:比较:比较值[:逻辑]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的字段不是可选的字段（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/goodsfilter.cpp"/>
        <source>条件“%1”的比较方式不是可选的比较方式（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>仓库列表“%1”无效，应为以逗号分隔的仓库内码。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/snapshot/snapshotparams.cpp"/>
        <source>“%1”无效，应为以逗号分隔的内码。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
