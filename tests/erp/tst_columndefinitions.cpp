#include "erp/resloader.h"
#include "erp/schema.h"
#include "testdb.h"
#include "testmain.h"

#include <QSet>
#include <QTest>

// The count sheet's column definitions seeded with the schema: they must name
// columns of the row query of their mode, keep the captions the sheet looks for,
// and lay out the entry grid's 47 columns.
class TestColumnDefinitions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    Recordset definitions(int mode)
    {
        return db->conn().Execute(QStringLiteral("SELECT * FROM ICChatBillTitle WHERE FTypeID = ? ORDER BY FInterID"),
                                  {mode});
    }

    // Columns of the sheet's row query per mode, as the count sheet model selects them.
    static QSet<QString> queryColumns(int mode)
    {
        QSet<QString> c = {"FStockName",
                           "FStockID",
                           "FItemID",
                           "FSPName",
                           "FShortNumber",
                           "FNumber",
                           "FName",
                           "FModel",
                           "FComBrand",
                           "FBarCode",
                           "FComCategory",
                           "FBatchNo",
                           "FMtoNo",
                           "FKFDate",
                           "FKFPeriod",
                           "FCoefficient",
                           "FStockPlaceID",
                           "FQtyDecimal",
                           "FPriceDecimal",
                           "FBal",
                           "FNote",
                           "FMinus",
                           "FDateBackup",
                           "FMaxBillInterID",
                           "FUnitName",
                           "FQty",
                           "FQtyAct",
                           "FCheckQty",
                           "FOverQty",
                           "FDownQty",
                           "FUnitID",
                           "FUnitGroupID",
                           "FCUUnitName",
                           "FCUUnitQty",
                           "FCUUnitQtyAct",
                           "FCUUnitCheckQty",
                           "FCUUnitOverQty",
                           "FCUUnitDownQty",
                           "FDeleted",
                           "FSecUnitName",
                           "FAuxPropName",
                           "FAdjQty",
                           "FSecQty",
                           "FSecQtyAct",
                           "FSecCheckQty",
                           "FSecAdjQty",
                           "FSecCoefficient",
                           "FSecOverQty",
                           "FSecDownQty",
                           "FStockNumber",
                           "FStockShortNumber",
                           "FSPNumber",
                           "FSPShortNumber",
                           "FItemNumber",
                           "FItemShortNumber"};
        if (mode != 3)
            c += {"FSecUnitDecimal",     "FUnitNumber",    "FUnitShortNumber",    "FCUUnitNumber",
                  "FCUUnitShortNumber",  "FSecUnitNumber", "FSecUnitShortNumber", "FAuxPropNumber",
                  "FAuxPropShortNumber", "FSecUnitID",     "FAuxPropID"};
        if (mode == 4) // the entry grid computes its three document-difference columns
            c += {"FCUMutiUnitCheckQty", "FDiffQty", "FCUUnitDiffQty", "FSecDiffQty"};
        return c;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
    }
    void cleanup() { db.reset(); }

    void namesAndCaptions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("check") << 1;
        QTest::newRow("count book") << 3;
        QTest::newRow("entry") << 4;
    }

    void namesAndCaptions()
    {
        QFETCH(int, mode);
        const QSet<QString> known = queryColumns(mode);
        // the ledger grid reads the captions here, the entry grid the catalogs: alike
        erp::QtResLoader cht;
        cht.setLanguageID(QStringLiteral("CHT"));
        QVERIFY(cht.hasCatalog());
        Recordset rs = definitions(mode);
        QVERIFY(rs.RecordCount() > 10);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString name = rs.text(u"FColName");
            QVERIFY2(known.contains(name), qPrintable(name));
            for (const char *caption : {"FColCaption", "FColCaption_CHT", "FColCaption_EN"})
                QVERIFY2(rs.text(QString::fromLatin1(caption)).endsWith(QLatin1Char('$')), qPrintable(name));
            QVERIFY2(rs.integer(u"FColWidth") >= 800 && rs.integer(u"FColWidth") <= 2000, qPrintable(name));
            const QString chs = rs.text(u"FColCaption").chopped(1);
            if (cht.LoadString(chs) != chs) // a caption the catalog knows
                QCOMPARE(rs.text(u"FColCaption_CHT"), cht.LoadString(chs) + QLatin1Char('$'));
            QVERIFY2(rs.text(u"FColCaption_EN").size() > 2, qPrintable(name));
        }
        rs.setFilter(QStringLiteral("FColName = 'FMtoNo'"));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.integer(u"FVisible"), 0);
    }

    void countBookHasBlankCountingColumnsAndNoDifferences()
    {
        Recordset rs = definitions(3);
        QStringList captions;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            if (rs.integer(u"FVisible"))
                captions << rs.text(u"FColCaption");
        QVERIFY(captions.contains(QStringLiteral("基本单位盘点数量$")));
        QVERIFY(captions.contains(QStringLiteral("盘点数量$")));
        for (const QString &caption : captions)
            QVERIFY2(!caption.contains(QStringLiteral("盘盈")) && !caption.contains(QStringLiteral("盘亏")) &&
                         !caption.contains(QStringLiteral("账存")),
                     qPrintable(caption));
    }

    void entryGridColumnsInOrder()
    {
        Recordset rs = definitions(4);
        QCOMPARE(rs.RecordCount(), 47);
        const QList<QPair<int, QString>> expected = {{1, "FItemID"},
                                                     {6, "FNumber"},
                                                     {19, "FCheckQty"},
                                                     {27, "FCUUnitCheckQty"},
                                                     {28, "FCUMutiUnitCheckQty"},
                                                     {29, "FAdjQty"},
                                                     {38, "FCoefficient"},
                                                     {40, "FDiffQty"},
                                                     {45, "FAuxPropID"},
                                                     {46, "FStockID"},
                                                     {47, "FSecDiffQty"}};
        for (const auto &[column, name] : expected) {
            rs.setPosition(column - 1);
            QCOMPARE(rs.text(u"FColName"), name);
        }
        rs.setPosition(18);
        QCOMPARE(rs.text(u"FColCaption"), QStringLiteral("基本单位盘点数量$"));
        rs.setPosition(26);
        QCOMPARE(rs.text(u"FColCaption"), QStringLiteral("盘点数量$"));
    }

    void adaptedDefinitionsSurviveAnotherSetUp()
    {
        QVERIFY_SQL(db->conn(), db->conn().Exec(QStringLiteral("UPDATE ICChatBillTitle SET FColWidth = 1777 "
                                                               "WHERE FTypeID = 1")));
        QVERIFY_SQL(db->conn(), db->conn().Exec(QStringLiteral("DELETE FROM ICChatBillTitle WHERE FTypeID = 3")));
        QString error;
        QVERIFY2(erp::createSchema(db->conn(), &error), qPrintable(error));
        Recordset check = definitions(1);
        QCOMPARE(check.integer(u"FColWidth"), 1777);
        QVERIFY(definitions(3).RecordCount() > 10); // a missing mode comes back
    }
};

STOCKCHECK_TEST(TestColumnDefinitions)
#include "tst_columndefinitions.moc"
