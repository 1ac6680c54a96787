#include "../snapshot/snapshotfixture.h"
#include "testmain.h"

#include "sheet/countsaver.h"
#include "sheet/countsheet.h"

#include <QTest>

// Quantities that the database computes are stored as the rows show them: rounded
// to the ten decimals of the quantity columns, so that SQLite's binary arithmetic
// (0.3 - 0.1 = 0.19999999999999998) stores what PostgreSQL's NUMERIC stores.
// The figures are compared exactly, as doubles read back from the database.
class TestStoredQuantities : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    Factories *m_f = nullptr;
    FakeUi &m_ui = fx.ui;

    AppConnection &conn() { return fx.conn(); }

    double stored(const char *field, int process)
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ?"), {process});
        return rs.RecordCount() == 1 ? rs.number(QString::fromLatin1(field)) : -1;
    }
    // The book quantities of every row of the process, in one comparable line.
    QString books(int process)
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT FQty, FAuxQty, FSecQty FROM ICInvBackup"
                                                     " WHERE FInterID = ? ORDER BY FItemID"),
                                      {process});
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            for (const char *f : {"FQty", "FAuxQty", "FSecQty"})
                out << QString::number(rs.number(QString::fromLatin1(f)), 'g', 17);
        return out.join(QLatin1Char(' '));
    }
    int snapshotOf(int stock) { return fx.snapshot(fx.params({stock})); }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        m_f = fx.f.get();
    }
    void cleanup() { fx.tearDown(); }

    // One piece counted in boxes of three: a third of a box.
    void snapshotStartingFigures()
    {
        const int group =
            m_f->unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}, {QStringLiteral("盒"), 3}});
        const int item = m_f->item({.number = QStringLiteral("1.01.001"),
                                    .name = QStringLiteral("螺丝"),
                                    .unitGroup = group,
                                    .storeUnit = m_f->unit(QStringLiteral("盒")),
                                    .qtyDecimal = 4});
        const int stock = m_f->stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        m_f->currentStock(item, stock, 0, 1);
        const int process = snapshotOf(stock);
        QVERIFY(process > 0);
        QVERIFY(stored("FAuxQty", process) == 0.3333333333);
        QVERIFY(stored("FQty", process) == 1);
    }

    void differenceRounded_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::newRow("one row") << false;
        QTest::newRow("a batch") << true;
    }
    // Book 0.1, counted 0.3: the difference is 0.2 in both units.
    void differenceRounded()
    {
        QFETCH(bool, batch);
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID,"
                                                       " FQty, FSecQty) VALUES (7, 1, 1, 1, 0.1, 0.1)")));
        CountRowValues v;
        v.itemId = v.unitId = v.stockId = 1;
        v.accountQty = v.unitAccountQty = v.secUnitQty = 0.1;
        v.checkQty = v.unitCheckQty = v.secCheckQty = 0.3;
        v.secQtyAct = 0.3;
        v.coefficient = 1;
        v.decimals = 1;
        const QList<SqlStatement> statements =
            batch ? CountSaver::batchStatements({v}, 7, 1, conn().dialect()) : CountSaver::rowStatements(v, 7, 1);
        QVERIFY_SQL(conn(), conn().ExecuteBatch(statements));
        QVERIFY(stored("FMinus", 7) == 0.2);
        QVERIFY(stored("FSecMinus", 7) == 0.2);
    }

    void booksNeverChange_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::newRow("one statement per batch") << true;
        QTest::newRow("statements per row") << false;
    }
    // Books with more places than the items keep (21.7 boxes shown as 22, bottles
    // with a fractional secondary book) stay exactly as the snapshot wrote them
    // after counting and saving: the save never writes a book quantity.
    void booksNeverChange()
    {
        QFETCH(bool, batch);
        const int group =
            m_f->unitGroup(QStringLiteral("包装组"), {{QStringLiteral("个"), 1}, {QStringLiteral("箱"), 12}});
        m_f->unitGroup(QStringLiteral("辅助组"), {{QStringLiteral("张"), 1}});
        const int boxes = m_f->item({.number = QStringLiteral("1.01"),
                                     .name = QStringLiteral("螺丝"),
                                     .unitGroup = group,
                                     .storeUnit = m_f->unit(QStringLiteral("箱"))});
        const int bottles = m_f->item({.number = QStringLiteral("1.02"),
                                       .name = QStringLiteral("酒"),
                                       .secUnit = m_f->unit(QStringLiteral("张")),
                                       .secCoefficient = 12.5});
        const int stock = m_f->stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        m_f->currentStock(boxes, stock, 0, 260.4);
        m_f->currentStock(bottles, stock, 0, 549, {.secQty = 43.92});
        const int process = snapshotOf(stock);
        QVERIFY(process > 0);
        const QString before = books(process);
        QStringList snapshot;
        for (double book : {260.4, 21.7, 0.0, 549.0, 549.0, 43.92})
            snapshot << QString::number(book, 'g', 17);
        QCOMPARE(before, snapshot.join(QLatin1Char(' ')));

        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        QCOMPARE(sheet.currentProcess(), process);
        EntryGrid &g = sheet.entryGrid();
        QCOMPARE(g.dataRows(), 2);
        for (int r = 1; r <= 2; ++r) {
            sheet.enterCell(r, EntryCol::CheckQty);
            QVERIFY(sheet.editCell(r, EntryCol::CheckQty,
                                   int(g.number(r, EntryCol::ItemID)) == boxes ? QStringLiteral("21")
                                                                               : QStringLiteral("550")));
        }
        CountSaver saver(g, sheet.session(), conn(), &m_ui, {.processId = process, .operatorId = shared().operatorId});
        saver.setSetBased(batch);
        QCOMPARE(saver.SaveStockData(false), CountSaver::SaveResult::Saved);
        QCOMPARE(books(process), before);
        // the differences are the database's, from the exact books
        const Recordset minus = conn().Execute(
            QStringLiteral("SELECT FMinus FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"), {process, boxes});
        QVERIFY(minus.number(u"FMinus") == -8.4);
    }
};

STOCKCHECK_TEST(TestStoredQuantities)
#include "tst_storedquantities.moc"
