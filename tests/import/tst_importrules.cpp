#include "importfixture.h"
#include "testmain.h"

using Status = CountImport::Outcome::Status;

// The template check and the record rules, in their order: one record per row,
// the first failing rule's message, or none when it passes.
class TestImportRules : public ImportFixture
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<Rec>("rec");
        QTest::addColumn<QString>("message");
        const Rec ok;
        auto with = [&](auto change) {
            Rec r = ok;
            change(r);
            return r;
        };
        QTest::addRow("valid") << ok << "";
        QTest::addRow("1 item") << with([](Rec &r) { r.itemName = "钉子"; })
                                << "第1条记录的物料为：钉子 在基础资料中不存在!";
        QTest::addRow("2 base unit") << with([](Rec &r) { r.unitNo = "U9"; })
                                     << "第1条记录的基本单位为：个在基础资料中不存在!";
        QTest::addRow("3 count unit") << with([](Rec &r) { r.ccName = "盒"; })
                                      << "第1条记录的单位为：盒在基础资料中不存在!";
        QTest::addRow("4 stock") << with([](Rec &r) { r.stockName = "废品仓"; })
                                 << "第1条记录的仓库为：废品仓在基础资料中不存在!";
        QTest::addRow("5 place") << with([](Rec &r) {
            r.spNo = "Z9";
            r.spName = "九号";
        }) << "第1条记录的仓位为：九号在基础资料中不存在!";
        QTest::addRow("place of the stock") << with([](Rec &r) {
            r.spNo = "A01";
            r.spName = "一号架";
        }) << "";
        QTest::addRow("aux missing in base data") << with([](Rec &r) {
            r.itemNo = "1.04";
            r.itemName = "油漆";
            r.auxNo = "X";
            r.auxName = "黑";
        }) << "第1条记录的辅助属性为：黑在基础资料中不存在!";
        QTest::addRow("secondary unit missing") << with([](Rec &r) {
            r.itemNo = "1.06";
            r.itemName = "钢板";
            r.secNo = "T";
            r.secName = "吨";
        }) << "第1条记录的辅助计量单位为：吨在基础资料中不存在!";
        QTest::addRow("6 batch empty") << with([](Rec &r) {
            r.itemNo = "1.02";
            r.itemName = "螺母";
        }) << "第1条记录进行批次管理物料批次为空!";
        QTest::addRow("batch given") << with([](Rec &r) {
            r.itemNo = "1.02";
            r.itemName = "螺母";
            r.batch = "B1";
        }) << "";
        QTest::addRow("7 batch not managed")
            << with([](Rec &r) { r.batch = "B1"; }) << "第1条记录不进行批次管理物料批次不为空!";
        QTest::addRow("8 aux empty") << with([](Rec &r) {
            r.itemNo = "1.04";
            r.itemName = "油漆";
        }) << "第1条记录进行辅助属性管理物料辅助属性为空!";
        QTest::addRow("9 aux not managed") << with([](Rec &r) {
            r.auxNo = "R";
            r.auxName = "红";
        }) << "第1条记录不进行辅助属性管理物料辅助属性不为空!";
        QTest::addRow("10 aux class") << with([](Rec &r) {
            r.itemNo = "1.04";
            r.itemName = "油漆";
            r.auxNo = "L";
            r.auxName = "大";
        }) << "第1条记录的辅助属性类别与物料辅助属性类别不一致!";
        QTest::addRow("11 date empty") << with([](Rec &r) {
            r.itemNo = "1.03";
            r.itemName = "胶水";
            r.period = "30";
        }) << "第1条记录进行了保质期管理但生产/采购日期为空!";
        QTest::addRow("12 date not managed")
            << with([](Rec &r) { r.kfDate = "2026-01-05"; }) << "第1条记录不进行保质期管理但生产/采购日期不为空!";
        QTest::addRow("13 period empty") << with([](Rec &r) {
            r.itemNo = "1.03";
            r.itemName = "胶水";
            r.kfDate = "2026-01-05";
        }) << "第1条记录进行了保质期管理但保质期为空或不正确!";
        QTest::addRow("13 period not a number") << with([](Rec &r) {
            r.itemNo = "1.03";
            r.itemName = "胶水";
            r.kfDate = "2026/1/5";
            r.period = "三十";
        }) << "第1条记录进行了保质期管理但保质期为空或不正确!";
        QTest::addRow("shelf life complete") << with([](Rec &r) {
            r.itemNo = "1.03";
            r.itemName = "胶水";
            r.kfDate = "2026/1/5";
            r.period = "30";
        }) << "";
        QTest::addRow("period 0 not managed") << with([](Rec &r) { r.period = "0"; }) << "";
        QTest::addRow("14 period not managed")
            << with([](Rec &r) { r.period = "5"; }) << "第1条记录不进行保质期管理但保质期不为空!";
        QTest::addRow("quantity not a number") << with([](Rec &r) { r.check = "五"; }) << "第1条记录第25列应为数字：五";
        QTest::addRow("number as text") << with([](Rec &r) { r.check = " 1,234.5 "; }) << "";
        QTest::addRow("date not a date") << with([](Rec &r) { r.kfDate = "明天"; })
                                         << "第1条记录的生产/采购日期不正确：明天";
        QTest::addRow("note too long") << with([](Rec &r) { r.note = QString(256, u'长'); })
                                       << "第1条记录第35列的文字过长（最多255个字符）。";
    }
    void rules()
    {
        QFETCH(Rec, rec);
        QFETCH(QString, message);
        const CountImport::Outcome out = import(csvOf({rec}));
        QCOMPARE(out.status, Status::Done);
        QCOMPARE(out.errors, message.isEmpty() ? QStringList() : QStringList{message});
    }

    // The first failing rule only, numbered by the record.
    void firstRuleOnly()
    {
        Rec bad;
        bad.itemName = QStringLiteral("钉子");
        bad.stockName = QStringLiteral("废品仓");
        const CountImport::Outcome out = import(csvOf({Rec(), Rec{.check = "6"}, bad}));
        QCOMPARE(out.errors, QStringList{QStringLiteral("第3条记录的物料为：钉子 在基础资料中不存在!")});
    }

    void serialWithMtoNumber()
    {
        Rec r{.itemNo = "1.05", .itemName = "电机"};
        r.mto = QStringLiteral("MTO-1");
        QCOMPARE(import(csvOf({r}, true), true).errors,
                 QStringList{QStringLiteral("第1条记录启用了序列号管理但计划跟踪号不为空！")});
        r.mto.clear();
        QCOMPARE(import(csvOf({r}, true), true).errors, QStringList());
    }

    void templateCheck_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<bool>("mto");
        QTest::addColumn<QString>("message");
        QTest::addRow("captions only") << csvOf({}) << false << "引入Excel文件不合法，请确认!";
        QTest::addRow("wrong column 11") << csvOf({Rec()}, false, "批次") << false
                                         << "引入Excel文件不合法，第11列不是生产/采购日，请确认!";
        QTest::addRow("MTO mode, date in 11")
            << csvOf({Rec()}) << true << "引入Excel文件不合法，第11列不是计划跟踪号，请确认!";
        QTest::addRow("MTO mode, MTO in 11") << csvOf({Rec()}, true, "计划跟踪号") << true << "";
        QTest::addRow("MTO mode, written with _") << csvOf({Rec()}, true, "计划跟踪号") << true << "";
    }
    void templateCheck()
    {
        QFETCH(QByteArray, csv);
        QFETCH(bool, mto);
        QFETCH(QString, message);
        const QString before = rowsOf(plain);
        const CountImport::Outcome out = import(csv, mto);
        QCOMPARE(out.message, message);
        QCOMPARE(out.status, message.isEmpty() ? Status::Done : Status::Refused);
        if (!message.isEmpty())
            QCOMPARE(rowsOf(plain), before);
    }

    // Damaged and foreign files are refused with the reason, and write nothing.
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QByteArray good = csvOf({Rec(), Rec{.check = "6"}});
        QTest::addRow("empty") << QByteArray() << "in.csv"
                               << "文件是空的。";
        QTest::addRow("text named .xls") << good << "in.xls"
                                         << "文件不是.xls、.xlsx或.csv格式的表格。";
        QTest::addRow("not a workbook") << QByteArray("PK\x03\x04 broken") << "in.xlsx"
                                        << "文件不是有效的.xlsx工作簿，可能已损坏或不完整。";
        QTest::addRow("open quote at the end") << good + "01,\"原料仓\n"
                                               << "in.csv"
                                               << "CSV文件第4行的引号没有结束。";
    }
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString before = rowsOf(plain);
        CountImport::Options o;
        o.processId = Process;
        o.operatorId = user;
        const CountImport::Outcome out = CountImport(conn(), o).run(file(name, bytes));
        QCOMPARE(out.status, Status::Refused);
        QCOMPARE(out.message, QStringLiteral("引入Excel文件不合法，请确认!\n") + reason);
        QCOMPARE(rowsOf(plain), before);
    }
};

STOCKCHECK_TEST(TestImportRules)
#include "tst_importrules.moc"
