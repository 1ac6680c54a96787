#include "erp/resloader.h"
#include "erp/schema.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

// The count sheet's column definitions seeded with the schema: captions the sheet
// and the catalogs agree on, the count book without book or difference columns,
// and adaptations kept on a new set-up.
// That every column names a field of its mode's rows is tested with the row query.
class TestColumnDefinitions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    Recordset definitions(int mode)
    {
        return db->conn().Execute(QStringLiteral("SELECT * FROM ICChatBillTitle WHERE FTypeID = ? ORDER BY FInterID"),
                                  {mode});
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
    }
    void cleanup() { db.reset(); }

    void captionsAndWidths_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("check") << 1;
        QTest::newRow("count book") << 3;
        QTest::newRow("entry") << 4;
    }
    void captionsAndWidths()
    {
        QFETCH(int, mode);
        // the ledger grid reads the captions here, the entry grid the catalogs: alike
        erp::QtResLoader cht;
        cht.setLanguageID(QStringLiteral("CHT"));
        QVERIFY(cht.hasCatalog());
        Recordset rs = definitions(mode);
        QVERIFY(rs.RecordCount() > 10);
        QStringList visible;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString name = rs.text(u"FColName");
            for (const char *caption : {"FColCaption", "FColCaption_CHT", "FColCaption_EN"})
                QVERIFY2(rs.text(QString::fromLatin1(caption)).endsWith(QLatin1Char('$')), qPrintable(name));
            QVERIFY2(rs.text(u"FColCaption_EN").size() > 2, qPrintable(name));
            QVERIFY2(rs.integer(u"FColWidth") >= 800 && rs.integer(u"FColWidth") <= 2000, qPrintable(name));
            const QString chs = rs.text(u"FColCaption").chopped(1);
            if (cht.LoadString(chs) != chs) // a caption the catalog knows
                QCOMPARE(rs.text(u"FColCaption_CHT"), cht.LoadString(chs) + QLatin1Char('$'));
            if (rs.integer(u"FVisible"))
                visible << rs.text(u"FColCaption");
        }
        rs.setFilter(QStringLiteral("FColName = 'FMtoNo'")); // hidden unless MTO planning is on
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.integer(u"FVisible"), 0);
        // the count book has blank columns to count into, and neither book stock nor differences
        if (mode != 3)
            return;
        QVERIFY(visible.contains(QStringLiteral("基本单位盘点数量$")) && visible.contains(QStringLiteral("盘点数量$")));
        for (const QString &word : {QStringLiteral("盘盈"), QStringLiteral("盘亏"), QStringLiteral("账存")})
            QVERIFY2(!visible.join(QString()).contains(word), qPrintable(word));
    }

    void adaptedDefinitionsSurviveAnotherSetUp()
    {
        QVERIFY_SQL(db->conn(), db->conn().Exec(QStringLiteral("UPDATE ICChatBillTitle SET FColWidth = 1777 "
                                                               "WHERE FTypeID = 1")));
        QVERIFY_SQL(db->conn(), db->conn().Exec(QStringLiteral("DELETE FROM ICChatBillTitle WHERE FTypeID = 3")));
        QString error;
        QVERIFY2(erp::createSchema(db->conn(), &error), qPrintable(error));
        QCOMPARE(definitions(1).integer(u"FColWidth"), 1777);
        QVERIFY(definitions(3).RecordCount() > 10); // a missing mode comes back
    }
};

STOCKCHECK_TEST(TestColumnDefinitions)
#include "tst_columndefinitions.moc"
