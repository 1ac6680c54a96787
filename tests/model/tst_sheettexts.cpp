#include "fakeui.h"
#include "sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "model/maindo.h"
#include "sheet/entrygrid.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace sheetfixture;

// Rounding, sums and the lines of the ledger grid without a database; the column
// layout, the saved widths, the filter lists and the entry grid's fill on both engines.
class TestSheetTexts : public QObject
{
    Q_OBJECT

    static SheetColumn column(const char *field, int type, const char *caption = "列$")
    {
        return {QString::fromLatin1(field), QString::fromUtf8(caption), type, 1000, true};
    }

    std::unique_ptr<TestDb> openDb()
    {
        auto db = std::make_unique<TestDb>();
        QString error;
        if (!db->open(&error))
            qWarning() << error;
        db->installShared();
        shared().ui = &m_ui;
        m_ui.clear();
        return db;
    }

    FakeUi m_ui;

private slots:
    void cleanup() { shared().reset(); }

    void roundsHalfAwayFromZero_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("half up") << QVariant(2.5) << 0 << 3.0;
        QTest::newRow("half down negative") << QVariant(-2.5) << 0 << -3.0;
        QTest::newRow("two places") << QVariant(1.23456) << 2 << 1.23;
        QTest::newRow("decimal half below in binary") << QVariant(1.005) << 2 << 1.01;
        QTest::newRow("NULL") << QVariant() << 2 << 0.0;
        QTest::newRow("text") << QVariant(QStringLiteral("abc")) << 2 << 0.0;
        QTest::newRow("number text") << QVariant(QStringLiteral("7.25")) << 1 << 7.3;
    }
    void roundsHalfAwayFromZero()
    {
        QFETCH(QVariant, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(MainDo::NVRound(value, decimals), expected);
    }

    // The rule as the original's formatting applies it: the value's text with 15
    // significant digits, rounded half away from zero on that text.
    static double textRound(double value, int decimals)
    {
        const double magnitude = std::fabs(value);
        const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
        const QString digits = QString::number(magnitude, 'f', qBound(decimals + 1, 15 - integerDigits, 20));
        const qsizetype point = digits.indexOf(QLatin1Char('.'));
        const QString kept = digits.left(point + 1 + decimals);
        const bool up = point + 1 + decimals < digits.size() && digits.at(point + 1 + decimals) >= QLatin1Char('5');
        // the kept digits plus one unit in their last place, as decimal text
        qint64 units = kept.left(point).toLongLong();
        for (int i = 0; i < decimals; ++i)
            units = units * 10 + (kept.at(point + 1 + i).unicode() - '0');
        if (up)
            ++units;
        const double result = QString::number(double(units) / std::pow(10.0, decimals), 'f', decimals).toDouble();
        return value < 0 ? -result : result;
    }

    // Quantities round by arithmetic when that cannot differ from the text rule;
    // halves, values a hair off a half and binary neighbours of them must agree.
    void roundingAgreesWithTheDecimalText()
    {
        QRandomGenerator random(20261206);
        int checked = 0;
        for (int i = 0; i < 200000; ++i) {
            const int decimals = int(random.bounded(11));
            const double scale = std::pow(10.0, double(random.bounded(9)));
            double value = double(random.bounded(2000000)) / 1000.0 * scale / 1000.0;
            switch (i % 4) {
            case 0: // an exact decimal half at the rounding place
                value = (std::floor(value * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals);
                break;
            case 1: // its binary neighbours
                value = std::nextafter((std::floor(value * 100) + 0.5) / 100, i % 8 < 4 ? 0.0 : 1e300);
                break;
            default:
                break;
            }
            if (i % 3 == 0)
                value = -value;
            if (std::fabs(value) * std::pow(10.0, decimals) >= 1e14)
                continue; // beyond the places a double holds
            const double fast = roundQuantity(value, decimals), text = textRound(value, decimals);
            if (fast != text || std::signbit(fast) != std::signbit(text))
                QFAIL(qPrintable(QStringLiteral("%1 with %2 places: %3, the text rule gives %4")
                                     .arg(value, 0, 'g', 17)
                                     .arg(decimals)
                                     .arg(fast, 0, 'g', 17)
                                     .arg(text, 0, 'g', 17)));
            ++checked;
        }
        QVERIFY(checked > 150000);
    }

    // Each row's own places round its terms: 1.25 adds 1.3 with one place and 1
    // without; NULL adds nothing; a column the rows lack sums to 0.
    void sumsFollowEachRowsDecimals()
    {
        shared().showType = 1;
        MainDo model;
        model.setRows(
            Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FQty"), QStringLiteral("FQtyAct"),
                                 QStringLiteral("FSecDownQty")},
                                {{1, 1.25, QVariant(), -0.05}, {0, 1.25, 2, -0.05}, {2, QVariant(), 0.005, 1}}));
        model.GetSumData();
        const auto &sums = model.sums();
        QCOMPARE(sums[0], 2.3);  // FQty
        QCOMPARE(sums[1], 2.01); // FQtyAct
        QCOMPARE(sums[4], 0.0);  // FCUUnitQty is not among the rows
        QCOMPARE(sums[11], 0.9); // FSecDownQty: -0.1 + 0 + 1
    }

    void dataLineCells_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        const QString q = QStringLiteral("数量$");
        QTest::newRow("grouped quantity") << 1 << 2 << "FQty" << q << QVariant(1234.5) << 2 << "1,234.50";
        QTest::newRow("whole quantity") << 1 << 2 << "FQty" << q << QVariant(1234567.5) << 0 << "1,234,568";
        QTest::newRow("negative") << 1 << 2 << "FQty" << q << QVariant(-1234.55) << 1 << "-1,234.6";
        QTest::newRow("small") << 1 << 2 << "FQty" << q << QVariant(0.5) << 3 << "0.500";
        QTest::newRow("NULL quantity") << 1 << 2 << "FQty" << q << QVariant() << 2 << "";
        QTest::newRow("date") << 1 << 0 << "FDateBackup" << q << QVariant(QDateTime(QDate(2026, 1, 5), QTime(8, 0)))
                              << 2 << "2026/01/05";
        QTest::newRow("date text") << 1 << 0 << "FKFDate" << q << QVariant(QStringLiteral("2026-01-05")) << 2
                                   << "2026/01/05";
        QTest::newRow("empty date") << 1 << 0 << "FKFDate" << q << QVariant(QString()) << 2 << "";
        QTest::newRow("text") << 1 << 8 << "FName" << q << QVariant(QStringLiteral("螺丝")) << 2 << "螺丝";
        QTest::newRow("NULL text") << 1 << 8 << "FName" << q << QVariant() << 2 << "";
        QTest::newRow("whole number") << 1 << 3 << "FStockID" << q << QVariant(12) << 2 << "12";
        QTest::newRow("no shelf life") << 1 << 3 << "FKFPeriod" << q << QVariant(0) << 2 << "";
        QTest::newRow("shelf life") << 1 << 3 << "FKFPeriod" << q << QVariant(180) << 2 << "180";
        QTest::newRow("count book counted blank")
            << 3 << 2 << "FSecCheckQty" << QStringLiteral("盘点数量$") << QVariant(5) << 2 << "";
        QTest::newRow("count book base counted blank")
            << 3 << 2 << "FCheckQty" << QStringLiteral("Counted$") << QVariant(5) << 2 << "";
        QTest::newRow("check counted shown")
            << 1 << 2 << "FCheckQty" << QStringLiteral("基本单位盘点数量$") << QVariant(5) << 2 << "5.00";
    }
    void dataLineCells()
    {
        QFETCH(int, mode);
        QFETCH(int, type);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(QVariant, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        shared().showType = mode;
        MainDo model;
        model.setColumnLayout({column("FBatchNo", 8), {field, caption, type, 1000, true}});
        model.setRows(Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FBatchNo"), field},
                                          {{decimals, QStringLiteral("x"), value}}));
        QCOMPARE(model.DRowData(3), QStringLiteral("x|") + expected + QLatin1Char('|'));
    }

    void gridRowsAndTotalLine()
    {
        shared().showType = 1;
        MainDo model;
        LedgerGrid grid;
        model.Ldg(&grid);
        model.setColumnLayout({column("FName", 8, "物料名称$"), column("FQty", 2, "账存$"), column("FNote", 8),
                               column("FSecDownQty", 2)});
        QCOMPARE(model.TRowData(), QStringLiteral("物料名称$|账存$|列$|列$|"));
        // an empty sheet totals with four places
        model.setRows(
            Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FName"), QStringLiteral("FQty"),
                                 QStringLiteral("FNote"), QStringLiteral("FSecDownQty")},
                                {}));
        grid.setMaxRows(3);
        model.GetSumData();
        QCOMPARE(model.DRowData(3), QStringLiteral("合计|0.0000||0.0000|"));
        // the widest places of all rows format the totals
        model.setRows(
            Recordset::fromRows({QStringLiteral("FQtyDecimal"), QStringLiteral("FName"), QStringLiteral("FQty"),
                                 QStringLiteral("FNote"), QStringLiteral("FSecDownQty")},
                                {{1, QStringLiteral("a"), 1000.25, QStringLiteral("n"), QVariant()},
                                 {3, QStringLiteral("b"), 0.0015, QVariant(), 2}}));
        grid.setMaxRows(2 + 3);
        model.GetSumData();
        QCOMPARE(model.DRowData(2), QString()); // the blank line under the heading
        QCOMPARE(model.DRowData(3), QStringLiteral("a|1,000.3|n||"));
        QCOMPARE(model.DRowData(4), QStringLiteral("b|0.002||2.000|"));
        QCOMPARE(model.DRowData(5), QStringLiteral("合计|1,000.302||2.000|"));
        // the count book has no total line
        shared().showType = 3;
        grid.setMaxRows(2 + 2);
        QCOMPARE(model.DRowData(4), QStringLiteral("b|0.002||2.000|"));
        QCOMPARE(model.DRowData(5), QString());
    }

    void layoutFromDefinitions()
    {
        auto db = openDb();
        shared().showType = 1;
        GetConnection();
        shared().useFullNumber = false;
        MainDo model;
        LedgerGrid grid;
        model.Ldg(&grid);
        model.ResizeColWidth();
        QVERIFY(m_ui.messages.isEmpty());
        const QList<SheetColumn> &layout = model.columnLayout();
        QCOMPARE(grid.columnCount(), int(layout.size()));
        QCOMPARE(layout.at(2).field, QStringLiteral("FShortNumber")); // "FNumber" with short numbers
        QCOMPARE(layout.at(2).caption, QStringLiteral("物料代码$"));
        for (int col = 1; col <= grid.columnCount(); ++col) {
            const SheetColumn &c = layout.at(col - 1);
            QCOMPARE(grid.column(col).hidden, !c.visible);
            QCOMPARE(grid.column(col).numeric, c.type == 2);
            QCOMPARE(grid.column(col).width, c.width);
        }
        QVERIFY(grid.column(8).hidden); // the MTO number of the check's definitions

        shared().showType = 9; // a mode without definitions
        model.ResizeColWidth();
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY(m_ui.lastMessage().startsWith(QStringLiteral("该单据的模版丢失，请更新ICChatBillTitle:SQL")));
        QVERIFY(m_ui.lastMessage().contains(QStringLiteral("FROM ICChatBillTitle")));
    }

    // Widths go back in definition order; a grid with fewer columns stops the walk.
    void savedWidthsGoBackToTheDefinitions()
    {
        auto db = openDb();
        shared().showType = 3;
        MainDo model;
        LedgerGrid grid;
        model.Ldg(&grid);
        model.ResizeColWidth();
        const int secondWidth = grid.column(2).width;
        const int lastWidth = grid.column(grid.columnCount()).width;
        grid.setColumnCount(3); // a grid that has lost its later columns
        grid.column(1).width = 2222;
        grid.column(2).width = secondWidth;
        grid.column(3).width = 3333;
        model.SaveColWidth();
        MainDo again;
        LedgerGrid reread;
        again.Ldg(&reread);
        again.ResizeColWidth();
        QCOMPARE(reread.column(1).width, 2222);
        QCOMPARE(reread.column(3).width, 3333);
        QCOMPARE(reread.column(reread.columnCount()).width, lastWidth);
    }

    void filterAndSortLists()
    {
        auto db = openDb();
        MainDo model;
        MainDo::HeadStrings lists;
        QVERIFY(model.GetHeadString(1, lists));
        QVERIFY(lists.filterString.startsWith(QStringLiteral("\t仓库\t仓位\t物料代码\t")));
        QVERIFY(!lists.filterOrder.contains(QStringLiteral("计划跟踪号"))); // MTO planning is off
        QVERIFY(lists.filterOrder.contains(QStringLiteral("条形码")));
        QVERIFY(!lists.sortOrder.contains(QStringLiteral("条形码")));
        QCOMPARE(lists.filterColumns.value(QStringLiteral("物料代码")), QStringLiteral("FNumber|4|8"));
        QCOMPARE(lists.sortString.count(QLatin1Char('\t')), lists.sortOrder.size());
        shared().enableMtoPlanMode = 1;
        QVERIFY(model.GetHeadString(1, lists));
        QVERIFY(lists.filterOrder.contains(QStringLiteral("计划跟踪号")));
    }

    void entryGridFill()
    {
        auto db = openDb();
        QVERIFY_SQL(db->conn(), addSample(db->conn()));
        shared().showType = 4;
        shared().useFullNumber = false;
        MainDo model;
        QVERIFY(model.loadColumnLayout());
        model.GetRsMain(1, {}, false, {});
        EntryGrid grid;
        model.InputFillRow(grid);
        QCOMPARE(grid.dataRows(), 2);
        const int r = grid.text(1, EntryCol::ItemID) == QLatin1String("2") ? 2 : 1; // the row of item 1
        QCOMPARE(grid.text(r, EntryCol::ItemNumber), QStringLiteral("sA100"));
        QCOMPARE(grid.text(r, EntryCol::StockNumber), QStringLiteral("s01"));
        QCOMPARE(grid.text(r, EntryCol::UnitNumber), QStringLiteral("box"));
        QCOMPARE(grid.text(r, EntryCol::KFDate), QStringLiteral("2026/01/05"));
        QCOMPARE(grid.text(r, EntryCol::KFPeriod), QStringLiteral("180"));
        QCOMPARE(grid.text(r, EntryCol::BookQty), QStringLiteral("2.00"));
        QCOMPARE(grid.text(r, EntryCol::CheckQty), QStringLiteral("3.00"));
        QCOMPARE(grid.text(r, EntryCol::DiffQty), QStringLiteral("0.00"));
        QCOMPARE(grid.number(r, EntryCol::Coefficient), 12.0);
        QCOMPARE(grid.number(r, EntryCol::SecRate), 7.2);
        QCOMPARE(grid.number(r, EntryCol::StockID), double(StockA));
        QCOMPARE(grid.text(r, EntryCol::BarCode), QStringLiteral("690001"));
        QVERIFY(grid.isBlank(3 - r, EntryCol::CheckQty)); // item 2 was never counted in its unit
        QCOMPARE(grid.text(3 - r, EntryCol::BookQty), QStringLiteral("5"));
        QCOMPARE(grid.text(grid.totalsRow(), EntryCol::StockNumber), QStringLiteral("合计"));
        QCOMPARE(grid.number(grid.totalsRow(), EntryCol::BookQty), 7.0);
        shared().useFullNumber = true;
        QVERIFY(model.loadColumnLayout());
        model.InputFillRow(grid);
        QCOMPARE(grid.text(r, EntryCol::ItemNumber), QStringLiteral("A100"));
    }
};

STOCKCHECK_TEST(TestSheetTexts)
#include "tst_sheettexts.moc"
