#include "fakeui.h"
#include "sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "model/entrygrid.h"
#include "model/maindo.h"

#include <QTest>

using namespace sheetfixture;

namespace {

struct ValueRow
{
    int mode, item;
    QString field, expected; // "NULL" for NULL
};

} // namespace

// The count sheet model on the sample process, on both engines: the rows of each
// mode (columns, quantities, deleted items, the count book's items without stock,
// filter, order, row-level access), the layout from the definitions, the filter
// lists and the entry grid's fill. (Widths written back: the sheet's settings test.)
class TestRowQuery : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;

    Recordset rows(int mode, bool showDeleted = false, bool itemsWithoutStock = false,
                   const FilterSettings &filter = {}, const SqlFragment &extra = {})
    {
        shared().showType = *sheetModeOf(mode);
        MainDo model;
        model.ShowDelete(showDeleted);
        const Recordset rs = model.GetRsMain(1, extra, itemsWithoutStock, filter);
        if (!rs.isOpen())
            qWarning() << m_db->conn().lastError().detailed();
        return rs;
    }

    // The items of the rows in their order: compares and prints in one line.
    static QString items(const Recordset &rs)
    {
        QStringList out;
        for (int r = 0; r < rs.RecordCount(); ++r)
            out << rs.value(r, u"FItemID").toString();
        return out.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        m_db->installShared();
        m_ui.clear();
        shared().ui = &m_ui;
        QVERIFY_SQL(m_db->conn(), addSample(m_db->conn()));
    }
    void cleanup()
    {
        shared().reset();
        m_db.reset();
    }

    void columnsPerMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("itemsWithoutStock");
        QTest::addRow("check") << 1 << false;
        QTest::addRow("count book") << 3 << false;
        QTest::addRow("count book with items without stock") << 3 << true; // the item block lines up
        QTest::addRow("input") << 4 << false;
    }
    // Every column the definitions of a mode show is a column of its rows (but the
    // differences the entry grid computes itself).
    void columnsPerMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, itemsWithoutStock);
        const Recordset rs = rows(mode, false, itemsWithoutStock);
        QVERIFY(rs.RecordCount() > 0);
        Recordset defs = MainDo().GetRSHeader();
        QVERIFY(defs.RecordCount() > 10);
        for (defs.MoveFirst(); !defs.Eof(); defs.MoveNext())
            if (!defs.text(u"FColName").endsWith(QLatin1String("DiffQty")))
                QVERIFY2(rs.hasField(defs.text(u"FColName")), qPrintable(defs.text(u"FColName")));
    }

    void valuesPerMode_data()
    {
        QTest::addColumn<ValueRow>("row");
        // the check recomputes the book quantity from the counting unit plus adjustment
        QTest::addRow("check book") << ValueRow{1, 1, "FQty", "36"};
        QTest::addRow("check unit over divides") << ValueRow{1, 1, "FCUUnitOverQty", "1"};
        QTest::addRow("check sec rate") << ValueRow{1, 1, "FSecCoefficient", "7.2"};
        QTest::addRow("check over") << ValueRow{1, 1, "FOverQty", "12"};
        QTest::addRow("check no short") << ValueRow{1, 1, "FDownQty", "NULL"};
        QTest::addRow("input book as saved") << ValueRow{4, 1, "FQty", "24"};
        QTest::addRow("input unit over multiplies") << ValueRow{4, 1, "FCUUnitOverQty", "144"};
        QTest::addRow("input no sec unit: no rate") << ValueRow{4, 2, "FSecCoefficient", "0"};
        // the count book never shows book or counted quantities
        QTest::addRow("print book blank") << ValueRow{3, 1, "FQty", "NULL"};
        QTest::addRow("print counted blank") << ValueRow{3, 1, "FCheckQty", "NULL"};
        QTest::addRow("print rate from book") << ValueRow{3, 1, "FSecCoefficient", "6"};
        QTest::addRow("print no property") << ValueRow{3, 1, "FAuxPropName", "*"};
        // a counting unit with coefficient 0 shows the difference as over and its negation as short
        QTest::addRow("zero coefficient over") << ValueRow{1, 2, "FOverQty", "-3"};
        QTest::addRow("zero coefficient short") << ValueRow{4, 2, "FDownQty", "3"};
        QTest::addRow("zero coefficient unit short") << ValueRow{1, 2, "FCUUnitDownQty", "NULL"};
        QTest::addRow("brand") << ValueRow{1, 1, "FComBrand", "牌子"};
        QTest::addRow("barcode") << ValueRow{1, 1, "FBarCode", "690001"};
        // dates read alike on both engines; a date text stays text
        QTest::addRow("backup time") << ValueRow{4, 2, "FDateBackup", "2026-03-01T09:30:00.000"};
        QTest::addRow("production date") << ValueRow{4, 1, "FKFDate", "2026-01-05"};
    }
    void valuesPerMode()
    {
        QFETCH(ValueRow, row);
        const Recordset rs = rows(row.mode);
        int r = 0;
        while (r < rs.RecordCount() && rs.value(r, u"FItemID").toInt() != row.item)
            ++r;
        const QVariant actual = rs.value(r, row.field);
        QCOMPARE(actual.isNull(), row.expected == QLatin1String("NULL"));
        bool number = false;
        const double expected = row.expected.toDouble(&number);
        if (number)
            QCOMPARE(Recordset::toNumber(actual), expected);
        else if (!actual.isNull())
            QCOMPARE(actual.toString(), row.expected);
    }

    // The count book adds every item without a count row once per stock of the
    // process, under that stock (id, number, name) and among its rows, with blank
    // quantities; deleted ones when asked.
    void countBookAddsItemsWithoutStockPerStock()
    {
        QCOMPARE(items(rows(1, false, true)), QStringLiteral("2 1")); // only the count book has the block
        const Recordset rs = rows(3, false, true);
        QStringList lines;
        for (int r = 0; r < rs.RecordCount(); ++r)
            lines << QStringList{rs.value(r, u"FItemID").toString(), rs.value(r, u"FStockID").toString(),
                                 rs.value(r, u"FStockNumber").toString(), rs.value(r, u"FStockName").toString()}
                         .join(QLatin1Char(' '));
        QCOMPARE(lines.join(QStringLiteral(" | ")),
                 QStringLiteral("4 102 02 成品仓 | 2 102 02 成品仓 | 4 101 01 原料仓 | 1 101 01 原料仓"));
        for (int r : {0, 2}) {
            QVERIFY(rs.value(r, u"FQty").isNull());
            QCOMPARE(rs.value(r, u"FUnitName").toString(), QStringLiteral("个"));
        }
        QCOMPARE(rows(3, true, true).RecordCount(), 3 + 4);
    }

    void filterOrderAndAccess()
    {
        // default: stock name descending (成 U+6210 before 原 U+539F), then place and name
        QCOMPARE(items(rows(4)), QStringLiteral("2 1"));
        FilterSettings f;
        f.filter = SqlFragment(QStringLiteral("FName = ?"), {QStringLiteral("螺母")});
        QCOMPARE(items(rows(4, false, false, f)), QStringLiteral("2"));
        f = {};
        f.sortBy = QStringLiteral("FNumber DESC");
        QCOMPARE(items(rows(4, true, false, f)), QStringLiteral("3 2 1"));
        f.sortBy = QStringLiteral("FName; DELETE FROM ICInvBackup"); // not a list of columns: the default order
        QCOMPARE(items(rows(4, false, false, f)), QStringLiteral("2 1"));
        // the data view's restriction on the snapshot rows
        const SqlFragment counted(QStringLiteral(" AND t1.FQtyAct IS NOT NULL AND t1.FQtyAct > ?"), {10});
        QCOMPARE(items(rows(1, false, false, {}, counted)), QStringLiteral("1"));
        ParseProps(QStringLiteral("UserID=%1;LANGUAGE=chs;").arg(int(User)));
        QVERIFY_SQL(m_db->conn(), exec(m_db->conn(),
                                       "INSERT INTO t_UserDataAccess (FUserID, FTableName, FItemID)"
                                       " VALUES (?, 't_Stock', ?)",
                                       {int(User), int(StockB)}));
        QCOMPARE(items(rows(4)), QStringLiteral("2"));
        // goods without book stock are offered under the warehouses the user may see only
        const Recordset book = rows(3, false, true);
        QVERIFY(book.RecordCount() > 1);
        for (int r = 0; r < book.RecordCount(); ++r)
            QCOMPARE(book.value(r, u"FStockID").toInt(), int(StockB));
    }

    // Short numbers show in the number column; a mode without definitions is told.
    void layoutFromDefinitions()
    {
        shared().showType = SheetMode::Check;
        shared().useFullNumber = false;
        MainDo model;
        LedgerGrid grid;
        model.Ldg(&grid);
        model.ResizeColWidth();
        QVERIFY(m_ui.messages.isEmpty());
        const QList<SheetColumn> &layout = model.columnLayout();
        QCOMPARE(grid.columnCount(), int(layout.size()));
        QCOMPARE(layout.at(2).field + layout.at(2).caption, QStringLiteral("FShortNumber物料代码$"));
        for (int col = 1; col <= grid.columnCount(); ++col) {
            const SheetColumn &c = layout.at(col - 1);
            QCOMPARE(grid.column(col).hidden, !c.visible);
            QCOMPARE(grid.column(col).numeric, c.type == 2);
            QCOMPARE(grid.column(col).width, c.width);
        }
        shared().showType = static_cast<SheetMode>(9); // a mode without definitions
        model.ResizeColWidth();
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY(m_ui.lastMessage().startsWith(QStringLiteral("该单据的模版丢失，请更新ICChatBillTitle:SQL")));
    }

    void filterAndSortLists()
    {
        MainDo model;
        MainDo::HeadStrings lists;
        QVERIFY(model.GetHeadString(1, lists));
        QVERIFY(lists.filterString.startsWith(QStringLiteral("\t仓库\t仓位\t物料代码\t")));
        QVERIFY(!lists.filterOrder.contains(QStringLiteral("计划跟踪号"))); // MTO planning is off
        QVERIFY(lists.filterOrder.contains(QStringLiteral("条形码")) &&
                !lists.sortOrder.contains(QStringLiteral("条形码")));
        QCOMPARE(lists.filterColumns.value(QStringLiteral("物料代码")), QStringLiteral("FNumber|4|8"));
        shared().enableMtoPlanMode = 1;
        QVERIFY(model.GetHeadString(1, lists));
        QVERIFY(lists.filterOrder.contains(QStringLiteral("计划跟踪号")));
    }

    void entryGridFill()
    {
        shared().showType = SheetMode::Entry;
        shared().useFullNumber = false;
        MainDo model;
        QVERIFY(model.loadColumnLayout());
        model.GetRsMain(1, {}, false, {});
        EntryGrid grid;
        model.InputFillRow(grid);
        QCOMPARE(grid.dataRows(), 2);
        QStringList cells; // item 1 in row 2, after item 2 of the other stock
        for (int col : {EntryCol::ItemNumber, EntryCol::StockNumber, EntryCol::UnitNumber, EntryCol::KFDate,
                        EntryCol::KFPeriod, EntryCol::BookQty, EntryCol::CheckQty, EntryCol::DiffQty,
                        EntryCol::Coefficient, EntryCol::SecRate, EntryCol::BarCode})
            cells << grid.text(2, col);
        // the secondary rate is the master data's (the item names none: its unit's 1),
        // not the 36 / 5 of the row's counts
        QCOMPARE(cells.join(QLatin1Char('|')),
                 QStringLiteral("sA100|s01|box|2026/01/05|180|2.00|3.00|0.00|12|1|690001"));
        QVERIFY(grid.isBlank(1, EntryCol::CheckQty)); // item 2 was never counted in its unit
        QCOMPARE(grid.text(grid.totalsRow(), EntryCol::StockNumber), QStringLiteral("合计"));
        QCOMPARE(grid.number(grid.totalsRow(), EntryCol::BookQty), 7.0);
        shared().useFullNumber = true;
        QVERIFY(model.loadColumnLayout());
        model.InputFillRow(grid);
        QCOMPARE(grid.text(2, EntryCol::ItemNumber), QStringLiteral("A100"));
    }
};

STOCKCHECK_TEST(TestRowQuery)
#include "tst_rowquery.moc"
