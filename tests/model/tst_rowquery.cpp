#include "fakeui.h"
#include "sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "host/sharedstate.h"
#include "model/maindo.h"

#include <QTest>

using namespace sheetfixture;

// The rows of a count process per mode, on both engines: columns, the quantities
// each mode shows, deleted items, the count book's items without stock, filter,
// order and row-level access.
class TestRowQuery : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> m_db;
    FakeUi m_ui;

    Recordset rows(int mode, bool showDeleted = false, bool itemsWithoutStock = false,
                   const FilterSettings &filter = {}, const SqlFragment &extra = {})
    {
        shared().showType = mode;
        MainDo model;
        model.ShowDelete(showDeleted);
        const Recordset rs = model.GetRsMain(1, extra, itemsWithoutStock, filter);
        if (!rs.isOpen())
            qWarning() << m_db->conn().lastError().detailed();
        return rs;
    }

    static int find(const Recordset &rs, int itemId, int from = 0)
    {
        for (int r = from; r < rs.RecordCount(); ++r)
            if (rs.value(r, u"FItemID").toInt() == itemId)
                return r;
        return -1;
    }

    static QStringList lower(const QStringList &names)
    {
        QStringList out;
        for (const QString &n : names)
            out << n.toLower();
        return out;
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

    void everyModeHasItsColumns()
    {
        const QStringList input =
            QString::fromLatin1(
                "FCUMutiUnitCheckQty FStockName FStockID FItemID FSPName FShortNumber FNumber FName FModel FComBrand "
                "FBarCode FComCategory FBatchNo FMtoNo FKFDate FKFPeriod FCoefficient FStockPlaceID FQtyDecimal "
                "FPriceDecimal FSecUnitDecimal FBal FNote FMinus FDateBackup FMaxBillInterID FUnitName FQty FQtyAct "
                "FCheckQty FOverQty FDownQty FUnitID FUnitGroupID FCUUnitName FCUUnitQty FCUUnitQtyAct FCUUnitCheckQty "
                "FCUUnitOverQty FCUUnitDownQty FDeleted FSecUnitName FAuxPropName FAdjQty FSecQty FSecQtyAct "
                "FSecCheckQty FSecAdjQty FSecCoefficient FSecOverQty FSecDownQty FStockNumber FStockShortNumber "
                "FUnitNumber FUnitShortNumber FSPNumber FSPShortNumber FCUUnitNumber FCUUnitShortNumber FItemNumber "
                "FItemShortNumber FSecUnitNumber FSecUnitShortNumber FAuxPropNumber FAuxPropShortNumber FSecUnitID "
                "FAuxPropID")
                .split(QLatin1Char(' '));
        const QStringList check = input.mid(1);
        QStringList print = check;
        for (const char *gone : {"FSecUnitDecimal", "FUnitNumber", "FUnitShortNumber", "FCUUnitNumber",
                                 "FCUUnitShortNumber", "FSecUnitNumber", "FSecUnitShortNumber", "FAuxPropNumber",
                                 "FAuxPropShortNumber", "FSecUnitID", "FAuxPropID"})
            print.removeOne(QLatin1String(gone));
        QCOMPARE(lower(rows(4).fieldNames()), lower(input));
        QCOMPARE(lower(rows(1).fieldNames()), lower(check));
        QCOMPARE(lower(rows(3).fieldNames()), lower(print));
        QCOMPARE(lower(rows(3, false, true).fieldNames()), lower(print)); // the item block lines up
    }

    // Every column the definitions of a mode name is a column of that mode's rows
    // (except the differences the entry grid computes itself).
    void definitionsNameRowColumns_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("check") << 1;
        QTest::newRow("print") << 3;
        QTest::newRow("input") << 4;
    }
    void definitionsNameRowColumns()
    {
        QFETCH(int, mode);
        const Recordset rs = rows(mode);
        MainDo model;
        shared().showType = mode;
        Recordset defs = model.GetRSHeader();
        QVERIFY(defs.RecordCount() > 10);
        for (defs.MoveFirst(); !defs.Eof(); defs.MoveNext()) {
            const QString field = defs.text(u"FColName");
            if (!field.endsWith(QLatin1String("DiffQty")))
                QVERIFY2(rs.hasField(field), qPrintable(field));
        }
    }

    void quantitiesPerMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected"); // invalid: NULL

        const QVariant null;
        // the check recomputes the book quantity from the counting unit plus adjustment
        QTest::newRow("check book") << 1 << 1 << "FQty" << QVariant(36.0);
        QTest::newRow("check unit book") << 1 << 1 << "FCUUnitQty" << QVariant(3.0);
        QTest::newRow("check unit over divides") << 1 << 1 << "FCUUnitOverQty" << QVariant(1.0);
        QTest::newRow("check sec book with adjustment") << 1 << 1 << "FSecQty" << QVariant(4.0);
        QTest::newRow("check sec rate") << 1 << 1 << "FSecCoefficient" << QVariant(7.2);
        QTest::newRow("check over") << 1 << 1 << "FOverQty" << QVariant(12.0);
        QTest::newRow("check no short") << 1 << 1 << "FDownQty" << null;
        QTest::newRow("check sec over") << 1 << 1 << "FSecOverQty" << QVariant(1.0);
        QTest::newRow("input book as saved") << 4 << 1 << "FQty" << QVariant(24.0);
        QTest::newRow("input unit book") << 4 << 1 << "FCUUnitQty" << QVariant(2.0);
        QTest::newRow("input unit over multiplies") << 4 << 1 << "FCUUnitOverQty" << QVariant(144.0);
        QTest::newRow("input composite") << 4 << 1 << "FCUMutiUnitCheckQty" << null;
        QTest::newRow("input no sec count: unit rate") << 4 << 2 << "FSecCoefficient" << QVariant(0.0);
        QTest::newRow("print book blank") << 3 << 1 << "FQty" << null;
        QTest::newRow("print counted blank") << 3 << 1 << "FCheckQty" << null;
        QTest::newRow("print unit counted blank") << 3 << 1 << "FCUUnitCheckQty" << null;
        QTest::newRow("print sec blank") << 3 << 1 << "FSecCheckQty" << null;
        QTest::newRow("print over blank") << 3 << 2 << "FOverQty" << null;
        QTest::newRow("print rate from book") << 3 << 1 << "FSecCoefficient" << QVariant(6.0);
        QTest::newRow("print no property") << 3 << 1 << "FAuxPropName" << QVariant(QStringLiteral("*"));
        // a counting unit with coefficient 0 shows the difference as over and its negation as short
        QTest::newRow("check zero coefficient over") << 1 << 2 << "FOverQty" << QVariant(-3.0);
        QTest::newRow("check zero coefficient short") << 1 << 2 << "FDownQty" << QVariant(3.0);
        QTest::newRow("input zero coefficient over") << 4 << 2 << "FOverQty" << QVariant(-3.0);
        QTest::newRow("input zero coefficient short") << 4 << 2 << "FDownQty" << QVariant(3.0);
        QTest::newRow("check zero coefficient unit short") << 1 << 2 << "FCUUnitDownQty" << null;
        QTest::newRow("names") << 4 << 1 << "FCUUnitName" << QVariant(QStringLiteral("箱"));
        QTest::newRow("brand") << 1 << 1 << "FComBrand" << QVariant(QStringLiteral("牌子"));
        QTest::newRow("no brand") << 1 << 2 << "FComBrand" << QVariant(QString());
        QTest::newRow("barcode") << 1 << 1 << "FBarCode" << QVariant(QStringLiteral("690001"));
        QTest::newRow("place") << 1 << 1 << "FSPName" << QVariant(QStringLiteral("一号架"));
        QTest::newRow("unit number") << 4 << 1 << "FCUUnitShortNumber" << QVariant(QStringLiteral("box"));
    }
    void quantitiesPerMode()
    {
        QFETCH(int, mode);
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        const Recordset rs = rows(mode);
        const int r = find(rs, item);
        QVERIFY(r >= 0);
        const QVariant actual = rs.value(r, field);
        if (!expected.isValid()) {
            QVERIFY2(actual.isNull(), qPrintable(actual.toString()));
        } else if (expected.metaType().id() == QMetaType::Double) {
            QVERIFY2(!actual.isNull(), "NULL");
            QCOMPARE(Recordset::toNumber(actual), expected.toDouble());
        } else {
            QCOMPARE(actual.toString(), expected.toString());
        }
    }

    // Every row reads alike, whichever way the engine's rows reach the recordset.
    void everyRowReadsWithItsTypes()
    {
        const Recordset rs = rows(4, true);
        QCOMPARE(rs.RecordCount(), 3);
        for (int r = 0; r < rs.RecordCount(); ++r) {
            QCOMPARE(rs.value(r, u"FDateBackup").toDateTime(), QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
            QCOMPARE(rs.value(r, u"FDateBackup").metaType().id(), int(QMetaType::QDateTime));
            QCOMPARE(rs.value(r, u"FQtyDecimal").metaType().id(), int(QMetaType::Int));
            QCOMPARE(rs.value(r, u"FUnitName").toString(), QStringLiteral("个"));
            QVERIFY(rs.value(r, u"FCUMutiUnitCheckQty").isNull());
            QCOMPARE(Recordset::toNumber(rs.value(r, u"FQty")), double(QList<int>{5, 1, 24}.at(r)));
        }
        QCOMPARE(rs.value(2, u"FKFDate").toString(), QStringLiteral("2026-01-05")); // a date text stays text
    }

    void deletedItemsOnlyWhenAsked()
    {
        QCOMPARE(find(rows(1), 3), -1);
        QVERIFY(find(rows(1, true), 3) >= 0);
        QCOMPARE(rows(4).RecordCount(), 2);
        QCOMPARE(rows(4, true).RecordCount(), 3);
    }

    // The count book adds every item without a count row once per stock of the
    // process, with a blank stock and blank quantities.
    void countBookAddsItemsWithoutStockPerStock()
    {
        const Recordset rs = rows(3, false, true);
        QCOMPARE(rs.RecordCount(), 2 + 2); // item 4 in stocks A and B; item 5 is deleted
        const int first = find(rs, 4);
        QVERIFY(first >= 0);
        const int second = find(rs, 4, first + 1);
        QVERIFY(second >= 0);
        for (int r : {first, second}) {
            QCOMPARE(rs.value(r, u"FStockName").toString(), QString());
            QCOMPARE(rs.value(r, u"FStockID").toInt(), 0);
            QVERIFY(rs.value(r, u"FQty").isNull());
            QCOMPARE(rs.value(r, u"FUnitName").toString(), QStringLiteral("个"));
        }
        QCOMPARE(rows(3, true, true).RecordCount(), 3 + 4); // deleted ones join in
        QCOMPARE(rows(1, false, true).RecordCount(), 2);    // only the count book has the block
    }

    void filterAndOrder()
    {
        // default: stock name descending (成 U+6210 before 原 U+539F), then place and name
        Recordset rs = rows(4);
        QCOMPARE(rs.value(0, u"FStockName").toString(), QStringLiteral("成品仓"));
        QCOMPARE(rs.value(1, u"FStockName").toString(), QStringLiteral("原料仓"));
        FilterSettings f;
        f.filter = SqlFragment(QStringLiteral("FName = ?"), {QStringLiteral("螺母")});
        rs = rows(4, false, false, f);
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.value(0, u"FItemID").toInt(), 2);
        f.filter = {};
        f.sortBy = QStringLiteral("FNumber DESC");
        rs = rows(4, true, false, f);
        QCOMPARE(rs.value(0, u"FNumber").toString(), QStringLiteral("A300"));
        // an order that is not a list of columns is not run
        f.sortBy = QStringLiteral("FName; DELETE FROM ICInvBackup");
        rs = rows(4, false, false, f);
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.value(0, u"FStockName").toString(), QStringLiteral("成品仓"));
        // the data view's restriction on the snapshot rows
        rs = rows(1, false, false, {},
                  SqlFragment(QStringLiteral(" AND t1.FQtyAct IS NOT NULL AND t1.FQtyAct > ?"), {10}));
        QCOMPARE(rs.RecordCount(), 1);
    }

    void rowLevelAccessRestrictsStocks()
    {
        ParseProps(QStringLiteral("UserID=%1;LANGUAGE=chs;").arg(int(User)));
        QVERIFY_SQL(m_db->conn(), m_db->conn().Exec(QStringLiteral("INSERT INTO t_UserDataAccess (FUserID, FTableName,"
                                                                   " FItemID) VALUES (?, 't_Stock', ?)"),
                                                    {int(User), int(StockB)}));
        const Recordset rs = rows(4);
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.value(0, u"FItemID").toInt(), 2);
    }

    void backupStocksAreThoseWithRows()
    {
        MainDo model;
        const Recordset rs = model.GetBackupStockList();
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.value(0, u"FNumber").toString(), QStringLiteral("01"));
    }
};

STOCKCHECK_TEST(TestRowQuery)
#include "tst_rowquery.moc"
