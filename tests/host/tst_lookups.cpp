#include "factories.h"
#include "host/countrowkey.h"
#include "host/loginprops.h"
#include "host/lookups.h"
#include "host/sharedstate.h"
#include "hostrows.h"
#include "testmain.h"

#include <QTest>

#include <stdexcept>

namespace {

// A lookup dialog that runs `during` while it is open and picks one record.
class FakeLookup : public BaseDataLookup
{
public:
    int calls = 0;
    std::function<void()> during;
    LookupRecord lookup(int, const QVariantMap &) override
    {
        ++calls;
        if (during)
            during();
        return LookupRecord{{{QStringLiteral("FItemID"), 77}}};
    }
    LookupRecord listLookup(const QString &, const QVariantMap &) override { return {}; }
};

} // namespace

// Look-ups of items and count rows on the engine of this run, and the base-data picker.
class TestLookups : public HostDbTest
{
    Q_OBJECT

private slots:

    void findItem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fullNumber");
        QTest::addColumn<QString>("preferred"); // an item number
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("full number") << "1.01" << true << "" << QStringList{"1.01"};
        QTest::addRow("shared short number") << "101" << false << "" << QStringList{"1.01", "1.02"};
        QTest::addRow("preferred among them") << "101" << false << "1.02" << QStringList{"1.02"};
        QTest::addRow("preferred not among them") << "101" << false << "1.3" << QStringList{"1.01", "1.02"};
        QTest::addRow("help code, shortest number first") << "XYZ" << true << "" << QStringList{"1.3", "1.03.001"};
        QTest::addRow("barcode of type 4") << "6901234" << true << "" << QStringList{"1.03.001"};
        QTest::addRow("barcode of another type") << "6909999" << true << "" << QStringList{};
        QTest::addRow("class 6 item left out") << "9.01" << true << "" << QStringList{};
        QTest::addRow("deleted item left out") << "9.02" << true << "" << QStringList{};
        QTest::addRow("quote in the text") << "1.01' OR '1'='1" << true << "" << QStringList{};
    }
    void findItem()
    {
        QFETCH(QString, text);
        QFETCH(bool, fullNumber);
        QFETCH(QString, preferred);
        QFETCH(QStringList, expected);
        Factories f(conn());
        QHash<QString, int> ids;
        for (const factory::ItemSpec &i : QList<factory::ItemSpec>{
                 {.number = "1.01", .shortNumber = "101", .helpCode = "ABC"},
                 {.number = "1.02", .shortNumber = "101", .helpCode = "ABC"},
                 {.number = "1.03.001", .barcode = "6901234", .shortNumber = "103", .helpCode = "XYZ"},
                 {.number = "1.3", .shortNumber = "13", .helpCode = "XYZ"},
                 {.number = "9.01", .erpCls = 6},
                 {.number = "9.02", .deleted = true}})
            ids.insert(i.number, f.item(i));
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_barcode (FID, FItemID, FBarCode, FTypeID)"
                                                       " VALUES (99, ?, '6909999', 1)"),
                                        {ids.value(QStringLiteral("1.01"))}));
        shared().useFullNumber = fullNumber;

        Recordset rs = FindItem(text, ids.value(preferred));
        QVERIFY_SQL(conn(), rs.isOpen());
        QStringList got;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            got << rs.text(u"FNumber");
        QCOMPARE(got, expected);
        if (!got.isEmpty())
            QVERIFY(rs.hasField(u"FQtyDecimal") && rs.hasField(u"FSecUnitID") && rs.hasField(u"FStoreUnitID"));
    }

    void deleteSnapshotRowRemovesExactlyThatRow()
    {
        QVERIFY_SQL(conn(), hostrows::addBackupRow(conn(), 1, 5, 2) &&
                                hostrows::addBackupRow(conn(), 1, 5, 2, 0, QStringLiteral("2026-01-01")) &&
                                hostrows::addBackupRow(conn(), 2, 5, 2));
        QVERIFY(DeleteSnapshotRow({.processId = 1, .itemId = 5, .unitId = 1, .stockId = 2}));
        Recordset rs = conn().Execute(QStringLiteral("SELECT FInterID, FKFDate FROM ICInvBackup ORDER BY FInterID"));
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.text(u"FKFDate"), QStringLiteral("2026-01-01"));
        QCOMPARE(rs.value(1, u"FInterID").toInt(), 2);
    }

    // One picker at a time, also when a dialog fails.
    void oneLookupAtATime()
    {
        auto lookup = std::make_shared<FakeLookup>();
        shared().components.lookup = lookup;
        LookupRecord inner{{{QStringLiteral("x"), 1}}};
        lookup->during = [&] { inner = LookupBaseData(4, {}, 0); };
        QVERIFY(LookupBaseData(4, {}, 0).isValid());
        QVERIFY(!inner.isValid());
        QCOMPARE(lookup->calls, 1);
        lookup->during = [] { throw std::runtime_error("dialog failed"); };
        QVERIFY(!LookupBaseData(5, {}, 0).isValid());
        lookup->during = nullptr;
        QVERIFY(LookupBaseData(5, {}, 0).isValid()); // the failed one did not stay open
    }
};

STOCKCHECK_TEST(TestLookups)
#include "tst_lookups.moc"
