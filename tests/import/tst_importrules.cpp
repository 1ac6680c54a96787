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
        const QString shelfNo = "1.03", shelfName = "胶水", auxNo = "1.04", auxName = "油漆";
        QTest::addRow("valid") << Rec() << "";
        QTest::addRow("item") << Rec{.itemName = "钉子"} << "第1条记录的物料为：钉子 在基础资料中不存在!";
        QTest::addRow("base unit") << Rec{.unitNo = "U9"} << "第1条记录的基本单位为：个在基础资料中不存在!";
        QTest::addRow("count unit") << Rec{.ccName = "盒"} << "第1条记录的单位为：盒在基础资料中不存在!";
        QTest::addRow("stock") << Rec{.stockName = "废品仓"} << "第1条记录的仓库为：废品仓在基础资料中不存在!";
        QTest::addRow("place") << Rec{.spNo = "Z9", .spName = "九号"} << "第1条记录的仓位为：九号在基础资料中不存在!";
        QTest::addRow("aux missing in base data")
            << Rec{.itemNo = auxNo, .itemName = auxName, .auxNo = "X", .auxName = "黑"}
            << "第1条记录的辅助属性为：黑在基础资料中不存在!";
        QTest::addRow("secondary unit missing")
            << Rec{.itemNo = "1.06", .itemName = "钢板", .secNo = "T", .secName = "吨"}
            << "第1条记录的辅助计量单位为：吨在基础资料中不存在!";
        QTest::addRow("batch empty") << Rec{.itemNo = "1.02", .itemName = "螺母"}
                                     << "第1条记录进行批次管理物料批次为空!";
        QTest::addRow("batch not managed") << Rec{.batch = "B1"} << "第1条记录不进行批次管理物料批次不为空!";
        QTest::addRow("aux empty") << Rec{.itemNo = auxNo, .itemName = auxName}
                                   << "第1条记录进行辅助属性管理物料辅助属性为空!";
        QTest::addRow("aux not managed") << Rec{.auxNo = "R", .auxName = "红"}
                                         << "第1条记录不进行辅助属性管理物料辅助属性不为空!";
        QTest::addRow("aux class") << Rec{.itemNo = auxNo, .itemName = auxName, .auxNo = "L", .auxName = "大"}
                                   << "第1条记录的辅助属性类别与物料辅助属性类别不一致!";
        QTest::addRow("date empty") << Rec{.itemNo = shelfNo, .itemName = shelfName, .period = "30"}
                                    << "第1条记录进行了保质期管理但生产/采购日期为空!";
        QTest::addRow("date not managed")
            << Rec{.kfDate = "2026-01-05"} << "第1条记录不进行保质期管理但生产/采购日期不为空!";
        QTest::addRow("period not a number")
            << Rec{.itemNo = shelfNo, .itemName = shelfName, .kfDate = "2026/1/5", .period = "三十"}
            << "第1条记录进行了保质期管理但保质期为空或不正确!";
        QTest::addRow("shelf life complete")
            << Rec{.itemNo = shelfNo, .itemName = shelfName, .kfDate = "2026/1/5", .period = "30"} << "";
        QTest::addRow("period 0 not managed") << Rec{.period = "0"} << "";
        QTest::addRow("period not managed") << Rec{.period = "5"} << "第1条记录不进行保质期管理但保质期不为空!";
        QTest::addRow("quantity not a number") << Rec{.check = "五"} << "第1条记录第25列应为数字：五";
        QTest::addRow("number as text") << Rec{.check = " 1,234.5 "} << "";
        QTest::addRow("date not a date") << Rec{.kfDate = "明天"} << "第1条记录的生产/采购日期不正确：明天";
        QTest::addRow("note too long") << Rec{.note = QString(256, u'长')}
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
        const CountImport::Outcome out =
            import(csvOf({Rec(), Rec{.check = "6"}, Rec{.stockName = "废品仓", .itemName = "钉子"}}));
        QCOMPARE(out.errors, QStringList{QStringLiteral("第3条记录的物料为：钉子 在基础资料中不存在!")});
    }

    void serialWithMtoNumber()
    {
        const Rec r{.itemNo = "1.05", .itemName = "电机", .mto = "MTO-1"};
        QCOMPARE(import(csvOf({r}, true), true).errors,
                 QStringList{QStringLiteral("第1条记录启用了序列号管理但计划跟踪号不为空！")});
        QCOMPARE(import(csvOf({Rec{.itemNo = "1.05", .itemName = "电机"}}, true), true).errors, QStringList());
    }

    // Wrong templates, damaged and foreign files are refused with the reason, and write nothing.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("mto");
        QTest::addColumn<QString>("message");
        const QString bad = QStringLiteral("引入Excel文件不合法，请确认!");
        QTest::addRow("captions only") << csvOf({}) << "in.csv" << false << bad;
        QTest::addRow("wrong column 11") << csvOf({Rec()}, false, "批次") << "in.csv" << false
                                         << "引入Excel文件不合法，第11列不是生产/采购日，请确认!";
        QTest::addRow("MTO mode, date in 11")
            << csvOf({Rec()}) << "in.csv" << true << "引入Excel文件不合法，第11列不是计划跟踪号，请确认!";
        QTest::addRow("MTO mode, MTO in 11") << csvOf({Rec()}, true, "计划跟踪号") << "in.csv" << true << "";
        QTest::addRow("not a workbook") << QByteArray("PK\x03\x04 broken") << "in.xlsx" << false
                                        << bad + "\n文件不是有效的.xlsx工作簿，可能已损坏或不完整。";
        QTest::addRow("open quote at the end") << csvOf({Rec(), Rec{.check = "6"}}) + "01,\"原料仓\n"
                                               << "in.csv" << false << bad + "\nCSV文件第4行的引号没有结束。";
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(bool, mto);
        QFETCH(QString, message);
        const QString before = rowsOf(plain);
        const CountImport::Outcome out = import(bytes, mto, name);
        QCOMPARE(out.message, message);
        QCOMPARE(out.status, message.isEmpty() ? Status::Done : Status::Refused);
        if (!message.isEmpty())
            QCOMPARE(rowsOf(plain), before);
    }
};

STOCKCHECK_TEST(TestImportRules)
#include "tst_importrules.moc"
