#include "erp/lookupquery.h"
#include "erp/ui/lookupdialog.h"
#include "host/sharedstate.h"
#include "testdb.h"
#include "testmain.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

using erp::LookupQuery;

// The base-data lookup: what a search finds, the structured restrictions, and the
// dialog's keyboard road (type, Enter).
class TestLookupQuery : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

    bool exec(const char *sql, const QVariantList &binds)
    {
        const bool ok = conn().Exec(QString::fromUtf8(sql), binds);
        if (!ok)
            qWarning() << conn().lastError().detailed();
        return ok;
    }
    bool addItem(int id, const QString &number, const QString &shortNumber, const QString &name,
                 const QString &helpCode, int erpClsId)
    {
        return exec("INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FHelpCode, FErpClsID)"
                    " VALUES (?, ?, ?, ?, ?, ?)",
                    {id, number, shortNumber, name, helpCode, erpClsId});
    }

    QStringList numbers(const std::optional<LookupQuery> &query, const QString &text)
    {
        DbError error;
        const Recordset rows = query->search(conn(), text, 100, &error);
        if (error.isError())
            return {QStringLiteral("error: ") + error.message};
        QStringList result;
        for (int r = 0; r < rows.RecordCount(); ++r)
            result << rows.value(r, u"FNumber").toString();
        return result;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
        QVERIFY(addItem(1, "1.01", "101", "螺丝钉", "LSD", 1));
        QVERIFY(addItem(2, "1.02", "102", "Bolt 50%", "BOLT", 2));
        QVERIFY(addItem(3, "2.01", "201", "It's a nut", "NUT", 6));
        QVERIFY(addItem(4, "2.02", "202", "垫片_大", "DP", 8));
        QVERIFY(addItem(5, "2.03", "203", "垫片_小", "", 1));
        QVERIFY(addItem(6, "2.04", "204", "垫片中", "", 1));
        QVERIFY(exec("UPDATE t_ICItem SET FDeleted = 1 WHERE FItemID = ?", {4}));
        QVERIFY(exec("INSERT INTO t_Stock (FItemID, FNumber, FName, FSPGroupID) VALUES (?, ?, ?, ?)",
                     {10, "01", "原料仓", 7}));
        QVERIFY(exec("INSERT INTO t_StockPlace (FSPID, FSPGroupID, FNumber, FName) VALUES (?, ?, ?, ?)",
                     {71, 7, "A-01", "货架一"}));
        QVERIFY(exec("INSERT INTO t_StockPlace (FSPID, FSPGroupID, FNumber, FName) VALUES (?, ?, ?, ?)",
                     {81, 8, "B-01", "别的仓的货架"}));
        for (const auto &[batch, qty] : {std::pair{"B1", 3}, {"B1", 4}, {"B2", 5}, {"", 9}})
            QVERIFY(exec("INSERT INTO ICInventory (FItemID, FStockID, FBatchNo, FQty) VALUES (?, ?, ?, ?)",
                         {1, 10, batch, qty}));
    }
    void cleanup()
    {
        db.reset();
        shared().reset();
    }

    void searchItems_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantMap>("options");
        QTest::addColumn<QStringList>("expected");
        const QVariantMap none;
        QTest::addRow("empty text lists all but deleted")
            << "" << none << QStringList{"1.01", "1.02", "2.01", "2.03", "2.04"};
        QTest::addRow("by number") << "1.0" << none << QStringList{"1.01", "1.02"};
        QTest::addRow("by short number") << "201" << none << QStringList{"2.01"};
        QTest::addRow("by name") << "螺丝" << none << QStringList{"1.01"};
        QTest::addRow("by help code, any case") << "bolt" << none << QStringList{"1.02"};
        QTest::addRow("quote is a character") << "It's" << none << QStringList{"2.01"};
        QTest::addRow("quote injection finds nothing") << "' OR '1'='1" << none << QStringList{};
        QTest::addRow("percent is literal") << "%" << none << QStringList{"1.02"};
        QTest::addRow("underscore is literal") << "片_" << none << QStringList{"2.03"};
        QTest::addRow("kinds included") << "" << QVariantMap{{"ErpClsIDs", QVariantList{1, 2, 3, 5, 7, 9}}}
                                        << QStringList{"1.01", "1.02", "2.03", "2.04"};
        QTest::addRow("kinds excluded") << "" << QVariantMap{{"ExcludeErpClsIDs", QVariantList{6, 8}}}
                                        << QStringList{"1.01", "1.02", "2.03", "2.04"};
    }
    void searchItems()
    {
        QFETCH(QString, text);
        QFETCH(QVariantMap, options);
        QFETCH(QStringList, expected);
        QCOMPARE(numbers(LookupQuery::forItemClass(4, options), text), expected);
    }

    void recordCarriesFieldsAndShownNumber()
    {
        const auto query = LookupQuery::forItemClass(4, {{"BeShortNumber", true}});
        QVERIFY(query);
        QCOMPARE(query->shownColumns().first().field, QStringLiteral("FShortNumber"));
        const Recordset rows = query->search(conn(), "螺丝", 10);
        QCOMPARE(rows.RecordCount(), 1);
        const LookupRecord record = query->record(rows, 0);
        QCOMPARE(record.value("FItemID").toInt(), 1);
        QCOMPARE(record.value("FNumber").toString(), QStringLiteral("1.01"));
        QCOMPARE(record.value("FShortNumber").toString(), QStringLiteral("101"));
        QCOMPARE(record.value("FName").toString(), QStringLiteral("螺丝钉"));
    }

    void listsOfTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QVariantMap>("options");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("places of the stock's group")
            << "t_StockPlace" << QVariantMap{{"StockID", 10}} << "FNumber" << QStringList{"A-01"};
        QTest::addRow("every real place")
            << "t_StockPlace" << QVariantMap{} << "FNumber" << QStringList{"A-01", "B-01"};
        QTest::addRow("batches of the item, once each")
            << "Batch" << QVariantMap{{"ItemID", 1}} << "FBatchNo" << QStringList{"B1", "B2"};
        QTest::addRow("no item, no batches") << "Batch" << QVariantMap{} << "FBatchNo" << QStringList{};
    }
    void listsOfTables()
    {
        QFETCH(QString, table);
        QFETCH(QVariantMap, options);
        QFETCH(QString, field);
        QFETCH(QStringList, expected);
        const auto query = LookupQuery::forTable(table, options);
        QVERIFY(query);
        const Recordset rows = query->search(conn(), {}, 100);
        QVERIFY2(rows.isOpen(), qPrintable(conn().lastError().detailed()));
        QStringList values;
        for (int r = 0; r < rows.RecordCount(); ++r)
            values << rows.value(r, field).toString();
        QCOMPARE(values, expected);
    }

    void classesWithoutLookup()
    {
        QVERIFY(!LookupQuery::forItemClass(6, {}));
        QVERIFY(!LookupQuery::forTable("t_Unknown", {}));
    }

    // Type a part of a name, Enter: the row found is the record returned.
    void dialogTypeAndEnter()
    {
        const auto query = LookupQuery::forItemClass(4, {{"Search", "1.0"}});
        erp::LookupDialog dialog(conn(), *query);
        auto *search = dialog.findChild<QLineEdit *>("txtSearch");
        auto *view = dialog.findChild<QTableView *>("grdList");
        QVERIFY(search && view);
        QCOMPARE(search->text(), QStringLiteral("1.0"));
        QCOMPARE(view->model()->rowCount(), 2);
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), 1);
        search->clear();
        QTest::keyClicks(search, "lsd"); // the help code of 螺丝钉
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selected().value("FItemID").toInt(), 1);
    }
};

STOCKCHECK_TEST(TestLookupQuery)
#include "tst_lookupquery.moc"
