#include "fakeui.h"
#include "host/countrowkey.h"
#include "host/loginprops.h"
#include "host/lookups.h"
#include "host/sharedstate.h"
#include "hostrows.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

#include <stdexcept>

using namespace hostrows;

// Look-ups of items, units and count rows on the engine of this run.
class TestLookups : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
    }
    void cleanup()
    {
        db.reset();
        shared().reset();
    }

    void findItem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fullNumber");
        QTest::addColumn<int>("preferred");
        QTest::addColumn<QList<int>>("expected");
        QTest::addRow("full number") << "1.01" << true << 0 << QList<int>{1};
        QTest::addRow("shared short number") << "101" << false << 0 << QList<int>{1, 2};
        QTest::addRow("preferred among them") << "101" << false << 2 << QList<int>{2};
        QTest::addRow("preferred not among them") << "101" << false << 7 << QList<int>{1, 2};
        QTest::addRow("help code, shortest number first") << "XYZ" << true << 0 << QList<int>{4, 3};
        QTest::addRow("help code is not filtered") << "XYZ" << true << 3 << QList<int>{4, 3};
        QTest::addRow("barcode of type 4") << "6901234" << true << 0 << QList<int>{3};
        QTest::addRow("barcode of another type") << "6909999" << true << 0 << QList<int>{};
        QTest::addRow("class 6 item left out") << "9.01" << true << 0 << QList<int>{};
        QTest::addRow("deleted item left out") << "9.02" << true << 0 << QList<int>{};
        QTest::addRow("quote in the text") << "1.01' OR '1'='1" << true << 0 << QList<int>{};
    }
    void findItem()
    {
        QFETCH(QString, text);
        QFETCH(bool, fullNumber);
        QFETCH(int, preferred);
        QFETCH(QList<int>, expected);
        const QList<Item> items{{1, "1.01", "101", "ABC"}, {2, "1.02", "101", "ABC"}, {3, "1.03.001", "103", "XYZ"},
                                {4, "1.3", "13", "XYZ"},   {5, "9.01", "901", "", 6}, {6, "9.02", "902", "", 1, 1}};
        for (const Item &i : items)
            QVERIFY_SQL(conn(), addItem(conn(), i));
        QVERIFY_SQL(conn(), addBarcode(conn(), 1, 3, QStringLiteral("6901234"), 4));
        QVERIFY_SQL(conn(), addBarcode(conn(), 2, 1, QStringLiteral("6909999"), 1));
        shared().useFullNumber = fullNumber;

        Recordset rs = FindItem(text, preferred);
        QVERIFY_SQL(conn(), rs.isOpen());
        QList<int> got;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            got << rs.integer(u"FItemID");
        QCOMPARE(got, expected);
        if (!got.isEmpty())
            QVERIFY(rs.hasField(u"FQtyDecimal") && rs.hasField(u"FSecUnitID") && rs.hasField(u"FStoreUnitID"));
    }

    void deleteSnapshotRowRemovesExactlyThatRow()
    {
        QVERIFY_SQL(conn(), addBackupRow(conn(), 1, 5, 2));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 1, 5, 2, QStringLiteral("2026-01-01")));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 2, 5, 2));
        CountRowKey key;
        key.processId = 1;
        key.itemId = 5;
        key.unitId = 1;
        key.stockId = 2;
        QVERIFY(DeleteSnapshotRow(key));
        Recordset rs = conn().Execute(QStringLiteral("SELECT FInterID, FKFDate FROM ICInvBackup ORDER BY FInterID"));
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.text(u"FKFDate"), QStringLiteral("2026-01-01"));
        rs.MoveNext();
        QCOMPARE(rs.integer(u"FInterID"), 2);
    }
};

namespace {

// A lookup dialog that records what it was asked and picks one record.
class FakeLookup : public BaseDataLookup
{
public:
    QList<QPair<int, QVariantMap>> calls;
    std::function<void()> during;
    LookupRecord lookup(int itemClass, const QVariantMap &options) override
    {
        calls.append({itemClass, options});
        if (during)
            during();
        return LookupRecord{{{QStringLiteral("FItemID"), 77}}};
    }
    LookupRecord listLookup(const QString &, const QVariantMap &) override { return {}; }
};

} // namespace

// The base-data pickers and help, without a database.
class TestBaseDataLookup : public QObject
{
    Q_OBJECT

    std::shared_ptr<FakeLookup> lookup;

private slots:
    void init()
    {
        shared().reset();
        lookup = std::make_shared<FakeLookup>();
        shared().components.lookup = lookup;
    }
    void cleanupTestCase() { shared().reset(); }

    void dispatchByItemClass_data()
    {
        QTest::addColumn<int>("itemClass");
        QTest::addColumn<QString>("kind"); // empty: no lookup opens
        QTest::addRow("item") << 4 << "ItemLookUp";
        QTest::addRow("supplier") << 8 << "ItemLookUp";
        QTest::addRow("class 6") << 6 << "";
        QTest::addRow("unit") << 7 << "UnitLookup";
        QTest::addRow("currency") << 12 << "CurrencyLookup";
        QTest::addRow("account") << 13 << "AccountLookup";
        QTest::addRow("settlement type") << 130 << "SettTypeLookup";
        QTest::addRow("last other base data") << 999 << "SubMesLookup";
        QTest::addRow("beyond") << 1000 << "";
    }
    void dispatchByItemClass()
    {
        QFETCH(int, itemClass);
        QFETCH(QString, kind);
        shared().useFullNumber = false;
        const LookupRecord chosen = LookupBaseData(itemClass, QStringLiteral("1.0"), 2);
        QCOMPARE(chosen.isValid(), !kind.isEmpty());
        QCOMPARE(lookup->calls.size(), kind.isEmpty() ? 0 : 1);
        if (kind.isEmpty())
            return;
        const QVariantMap options = lookup->calls.first().second;
        QCOMPARE(options.value(QStringLiteral("LookupKind")).toString(), kind);
        QCOMPARE(options.value(QStringLiteral("Search")).toString(), QStringLiteral("1.0"));
        if (kind == QLatin1String("ItemLookUp")) {
            QCOMPARE(options.value(QStringLiteral("BeShortNumber")).toBool(), true);
            QCOMPARE(options.value(QStringLiteral("GetDataType")).toInt(), 2);
        }
    }

    void secondLookupWhileOneIsOpenDoesNothing()
    {
        LookupRecord inner{{{QStringLiteral("x"), 1}}};
        lookup->during = [&] { inner = LookupBaseData(4, {}, 0); };
        QVERIFY(LookupBaseData(4, {}, 0).isValid());
        QVERIFY(!inner.isValid());
        QCOMPARE(lookup->calls.size(), 1);

        lookup->during = [] { throw std::runtime_error("dialog failed"); };
        QVERIFY(!LookupBaseData(5, {}, 0).isValid());
        lookup->during = nullptr;
        QVERIFY(LookupBaseData(5, {}, 0).isValid()); // the failed one did not stay open
    }

    void helpOnF1Only_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("props");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("shown"); // empty: no help
        QTest::addRow("F1") << 112 << "UserID=1"
                            << "frmMain"
                            << "frmMain";
        QTest::addRow("F2") << 113 << "UserID=1"
                            << "frmMain"
                            << "";
        QTest::addRow("cost sub-system") << 112 << "UserID=1;SubID=StdCost"
                                         << "frmMain"
                                         << "StdCost";
        QTest::addRow("cost report caller") << 112 << "UserID=1"
                                            << "N5CaculateRpt.frmReport"
                                            << "StdCost";
    }
    void helpOnF1Only()
    {
        QFETCH(int, key);
        QFETCH(QString, props);
        QFETCH(QString, topic);
        QFETCH(QString, shown);
        FakeUi ui;
        shared().ui = &ui;
        ParseProps(props);
        ShowHelp(key, topic);
        QCOMPARE(ui.helpTopics, shown.isEmpty() ? QStringList() : QStringList{shown});
    }
};

STOCKCHECK_TEST(TestLookups)
STOCKCHECK_TEST(TestBaseDataLookup)
#include "tst_lookups.moc"
