#include "importfixture.h"
#include "testmain.h"

using Status = CountImport::Outcome::Status;

// Staging and merging: counted figures into existing rows (book kept) and new
// rows (book 0), unit conversions, duplicates and directions left out and
// reported, places mapped onto the stock's own, batches of 100, and one
// transaction that a failure leaves undone.
class TestImportMerge : public ImportFixture
{
    Q_OBJECT

private slots:
    void existingAndNewRows()
    {
        const CountImport::Outcome out = import(csvOf({Rec{.check = "10", .note = "盘过"}, // book 8
                                                       Rec{.stockNo = "02", .stockName = "成品仓", .check = "3"}}));
        QCOMPARE(out.errors, QStringList());
        QCOMPARE(out.summary, QStringLiteral("数据导入成功[2]笔!\n数据引入完毕!"));
        // stock 01 keeps book 8 and now holds 10 (gain 2); stock 02 is a new row with book 0
        QCOMPARE(rowsOf(plain), QStringLiteral("0 8 10 10 10 0 2 0; 0 0 3 3 3 0 3 0"));
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FNote, FChecker, FMaxBillInterID, FAuxQty, FDateBackup"
                                          " FROM ICInvBackup WHERE FItemID = ? ORDER BY FStockID"),
                           {plain});
        QCOMPARE(rs.value(0, 0).toString(), QStringLiteral("盘过"));
        QCOMPARE(rs.value(1, 1).toInt(), user);
        QCOMPARE(rs.value(1, 2).toInt(), 77);
        QCOMPARE(rs.value(1, 3).toDouble(), 0.0);
        QVERIFY(!rs.value(1, 4).isNull());
    }

    void unitConversions_data()
    {
        QTest::addColumn<Rec>("rec");
        QTest::addColumn<QString>("row");
        // counted 10 boxes of 12: 120 in the base unit, 10 in the count unit
        QTest::addRow("count unit of 12")
            << Rec{.ccNo = "U2", .ccName = "箱", .check = "10"} << "0 0 120 120 10 0 120 0";
        // no secondary count, rate 6: 12 / 6 = 2 kilograms
        QTest::addRow("secondary from the rate")
            << Rec{.itemNo = "1.06", .itemName = "钢板", .check = "12", .secNo = "KG", .secName = "千克", .coef = "6"}
            << "0 12 12 12 12 2 0 0";
        // a secondary count of its own wins over the rate
        QTest::addRow("secondary counted") << Rec{.itemNo = "1.06",
                                                  .itemName = "钢板",
                                                  .check = "18",
                                                  .secNo = "KG",
                                                  .secName = "千克",
                                                  .coef = "6",
                                                  .secCheck = "3"}
                                           << "0 12 18 18 18 3 6 1";
    }
    void unitConversions()
    {
        QFETCH(Rec, rec);
        QFETCH(QString, row);
        const CountImport::Outcome out = import(csvOf({rec}));
        QCOMPARE(out.errors, QStringList());
        const int item = rec.itemNo == QLatin1String("1.06") ? sec : plain;
        const QString rows = rowsOf(item);
        QVERIFY2(rows.split(QStringLiteral("; ")).contains(row), qPrintable(rows));
    }

    void duplicatesLeftOut()
    {
        const QString before = rowsOf(plain);
        const CountImport::Outcome out = import(
            csvOf({Rec{.check = "4"}, Rec{.itemNo = "1.06", .itemName = "钢板", .check = "1"}, Rec{.check = "9"}}));
        QCOMPARE(out.errors, QStringList());
        QCOMPARE(out.summary, QStringLiteral("数据导入失败[2]笔，原因[重复], 明细如下：\n"
                                             "[1]行号[2、4]物料代码[1.01]物料名称[螺丝]\n"
                                             "数据导入成功[1]笔!\n数据引入完毕!"));
        QCOMPARE(rowsOf(plain), before);
    }

    // A base gain with a secondary loss is refused; no difference in both passes.
    void directions()
    {
        Rec opposite{.itemNo = "1.06",
                     .itemName = "钢板",
                     .check = "17",
                     .secNo = "KG",
                     .secName = "千克",
                     .secCheck = "1"}; // book 12 / 2: base +5, secondary -1
        Rec even{.stockNo = "02", .stockName = "成品仓", .itemNo = "1.06", .itemName = "钢板"};
        even.check = QStringLiteral("0");
        const QString before = rowsOf(sec);
        const CountImport::Outcome out = import(csvOf({opposite, even}));
        QCOMPARE(out.errors, QStringList{QStringLiteral("第1条记录基本单位与辅助计量单位盘盈盘亏方向不一致!")});
        QCOMPARE(rowsOf(sec).section(QStringLiteral("; "), 0, 0), before);
        QCOMPARE(rowsOf(sec).section(QStringLiteral("; "), 1), QStringLiteral("0 0 0 0 0 0 0 0"));
    }

    // A recounted row keeps its recount: its record is reported, the others merge.
    void recountedRowsLeftAlone()
    {
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FReCheckFlag = 1 WHERE FItemID = ?"), {plain}));
        const QString before = rowsOf(plain);
        const CountImport::Outcome out =
            import(csvOf({Rec{.check = "10"}, Rec{.stockNo = "02", .stockName = "成品仓", .check = "3"}}));
        QCOMPARE(out.errors, QStringList{QStringLiteral("第1条记录已经复盘，实存数量以复盘数量为准，没有引入。")});
        QCOMPARE(rowsOf(plain), before + QStringLiteral("; 0 0 3 3 3 0 3 0"));
    }

    // A place named by number and name lands in the stock's own place group.
    void placeOfTheStock()
    {
        addRow(plain, stockB, placeB, 4, QVariant());
        const CountImport::Outcome out = import(
            csvOf({Rec{.stockNo = "02", .stockName = "成品仓", .spNo = "A01", .spName = "一号架", .check = "6"}}));
        QCOMPARE(out.errors, QStringList());
        QCOMPARE(
            rowsOf(plain, QStringLiteral("FStockID FStockPlaceID FQty FCheckQty")).section(QStringLiteral("; "), 1),
            QStringLiteral("%1 %2 4 6").arg(stockB).arg(placeB));
    }

    void batchesOfHundred()
    {
        QList<Rec> records;
        for (int i = 1; i <= 250; ++i)
            records << Rec{.itemNo = "1.02", .itemName = "螺母", .batch = QStringLiteral("B%1").arg(i), .check = "1"};
        int inserts = 0;
        conn().setStatementHook([&](const QString &sql, const QVariantList &) {
            if (sql.startsWith(QLatin1String("INSERT INTO IcInvBackUpTemp_")) &&
                !sql.contains(QLatin1String("_Double")))
                ++inserts;
            return QString();
        });
        const CountImport::Outcome out = import(csvOf(records));
        conn().setStatementHook({});
        QCOMPARE(out.errors, QStringList());
        QCOMPARE(inserts, 3);
        QCOMPARE(out.batches, 3);
        QCOMPARE(out.merged, 250);
        QCOMPARE(conn()
                     .Execute(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FItemID = ?"), {batch})
                     .Fields(0)
                     .toInt(),
                 250);
    }

    // A failure in the middle of the merge leaves every count row as it was.
    void faultLeavesRowsUnchanged()
    {
        const QString before = rowsOf(plain);
        conn().setStatementHook([](const QString &sql, const QVariantList &) {
            return sql.startsWith(QLatin1String("INSERT INTO ICInvBackup")) ? QStringLiteral("disk full") : QString();
        });
        const CountImport::Outcome out =
            import(csvOf({Rec{.check = "10"}, Rec{.stockNo = "02", .stockName = "成品仓", .check = "3"}}));
        conn().setStatementHook({});
        QCOMPARE(out.status, Status::Failed);
        QVERIFY2(out.message.contains(QLatin1String("disk full")), qPrintable(out.message));
        QCOMPARE(rowsOf(plain), before);
        // and the staging tables went with the failure: the next import runs
        QCOMPARE(import(csvOf({Rec{.check = "10"}})).summary, QStringLiteral("数据导入成功[1]笔!\n数据引入完毕!"));
    }

    // From the window: one bad record and ten good ones merge the ten and show only
    // the error list.
    void errorListInsteadOfSummary()
    {
        QList<Rec> records;
        for (int i = 1; i <= 10; ++i)
            records << Rec{.itemNo = "1.02", .itemName = "螺母", .batch = QStringLiteral("B%1").arg(i), .check = "2"};
        records.insert(4, Rec{.itemName = "钉子"});
        QVERIFY(countimport::ImportData(file(QStringLiteral("w.csv"), csvOf(records)), Process));
        QCOMPARE(m_ui.messageTexts(), QStringList());
        QCOMPARE(m_ui.lists.size(), 1);
        QCOMPARE(m_ui.lists.first().caption, QStringLiteral("引入错误提示"));
        QCOMPARE(m_ui.lists.first().titles, QStringList{QStringLiteral("错误原因")});
        QCOMPARE(m_ui.lists.first().rows,
                 QList<QStringList>{{QStringLiteral("第5条记录的物料为：钉子 在基础资料中不存在!")}});
        QCOMPARE(conn()
                     .Execute(QStringLiteral("SELECT SUM(FCheckQty) FROM ICInvBackup WHERE FItemID = ?"), {batch})
                     .Fields(0)
                     .toDouble(),
                 20.0);
    }
};

STOCKCHECK_TEST(TestImportMerge)
#include "tst_importmerge.moc"
