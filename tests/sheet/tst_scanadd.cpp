#include "../snapshot/snapshotfixture.h"
#include "sheettestbase.h"
#include "testmain.h"

#include "model/countjournal.h"

#include <QSignalSpy>

using namespace EntryCol;

// Scan-to-add in the entry sheet on the engine of this run: each scan adds the
// quantity per scan to its row and stores it at once with an add entry; a code
// in several places asks which; unknown codes, bad quantities and refusals store
// nothing; typed counts are saved before an add; undo takes back the user's
// last add.
class TestScanAdd : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    QTemporaryDir settingsDir;
    int stock = 0, placeA = 0, placeB = 0, screw = 0, nut = 0, process = 0;

    AppConnection &conn() { return fx.conn(); }
    // "unit/base" of every count row of `item`, by place.
    QString stored(int item)
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT FStockPlaceID, FAuxCheckQty, FCheckQty FROM ICInvBackup"
                                                     " WHERE FInterID = ? AND FItemID = ? ORDER BY FStockPlaceID"),
                                      {process, item});
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << QStringLiteral("%1:%2/%3")
                       .arg(rs.integer(u"FStockPlaceID") == placeA ? QStringLiteral("A") : QStringLiteral("B"))
                       .arg(rs.number(u"FAuxCheckQty"))
                       .arg(rs.number(u"FCheckQty"));
        return out.join(QLatin1Char(' '));
    }
    int entries(CountEntryKind kind)
    {
        return fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICStockCheckJournal WHERE FInterID = ? AND FKind = ?"
                                        " AND FSource = ?"),
                         {process, int(kind), CountSource::scanner});
    }
    std::unique_ptr<CountSheet> openSheet()
    {
        auto sheet = std::make_unique<CountSheet>(SheetMode::Entry);
        sheet->open();
        sheet->run(QStringLiteral("ScanAdd"));
        return sheet;
    }

private slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsDir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }
    // Screws counted in boxes of 12, in places A and B; nuts in pieces at A only.
    void init()
    {
        QFile::remove(settingsDir.filePath(QStringLiteral("StockCheck.ini")));
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        const int group = f.unitGroup(QStringLiteral("包装组"), {{"个", 1}, {"箱", 12}});
        stock = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        placeA = f.stockPlace(stock, QStringLiteral("A01"), QStringLiteral("A区01"));
        placeB = f.stockPlace(stock, QStringLiteral("B01"), QStringLiteral("B区01"));
        screw = f.item(
            {.number = "1.01", .name = "螺丝", .unitGroup = group, .storeUnit = f.unit("箱"), .barcode = "6900001"});
        nut = f.item({.number = "1.03", .name = "螺母", .unitGroup = group, .qtyDecimal = 1, .barcode = "6900003"});
        f.currentStock(screw, stock, placeA, 120);
        f.currentStock(screw, stock, placeB, 24);
        f.currentStock(nut, stock, placeA, 50);
        process = fx.snapshot(fx.params({stock}));
        QVERIFY(process > 0);
    }
    void cleanup() { fx.tearDown(); }

    // Scans add to the row and reach the database at once; the grid shows what is
    // stored without a save pending.
    void scansAddAndStoreAtOnce()
    {
        auto sheet = openSheet();
        QVERIFY(sheet->scanAddOn());
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900003")), CountSheet::ScanOutcome::Added);
        sheet->setScanQtyText(QStringLiteral("2.5"));
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900003")), CountSheet::ScanOutcome::Added);
        QCOMPARE(stored(nut), QStringLiteral("A:3.5/3.5"));
        QCOMPARE(entries(CountEntryKind::Add), 2);
        const int row = rowOfItem(*sheet, nut);
        QCOMPARE(sheet->entryGrid().number(row, CheckQty), 3.5);
        QCOMPARE(sheet->entryGrid().number(row, ActualQty), 3.5);
        QVERIFY(!sheet->dataChanged());
        QCOMPARE(sheet->activeRow(), row);
        // the journal explains the row
        const std::optional<CountFigures> replay =
            CountJournal::replayRow(conn(), CountRowValues::fromGrid(sheet->entryGrid(), row).key(process));
        QVERIFY(replay && replay->unitQty == 3.5);
    }

    // Nothing is stored for a code no row has, a quantity that is not one, or one
    // with more places than the item keeps; the person hears about it.
    void refusedScansStoreNothing_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<int>("outcome");
        QTest::addRow("unknown code") << "123"
                                      << "1" << int(CountSheet::ScanOutcome::Unknown);
        QTest::addRow("zero") << "6900003"
                              << "0" << int(CountSheet::ScanOutcome::Refused);
        QTest::addRow("negative") << "6900003"
                                  << "-1" << int(CountSheet::ScanOutcome::Refused);
        QTest::addRow("text") << "6900003"
                              << "abc" << int(CountSheet::ScanOutcome::Refused);
        QTest::addRow("too many places") << "6900003"
                                         << "0.25" << int(CountSheet::ScanOutcome::Refused);
    }
    void refusedScansStoreNothing()
    {
        QFETCH(QString, code);
        QFETCH(QString, qty);
        QFETCH(int, outcome);
        auto sheet = openSheet();
        QSignalSpy refused(sheet.get(), &CountSheet::scanRefused);
        sheet->setScanQtyText(qty);
        QCOMPARE(int(sheet->scanAdd(code)), outcome);
        QCOMPARE(refused.count(), 1);
        QVERIFY(sheet->statusAlert());
        QCOMPARE(stored(nut), QStringLiteral("A:0/0"));
        QCOMPARE(entries(CountEntryKind::Add), 0);
    }

    // A code in two places asks which row; cancelling adds nothing.
    void severalRowsAskWhich()
    {
        auto sheet = openSheet();
        fx.ui.choices = {1, -1};
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900001")), CountSheet::ScanOutcome::Added);
        QCOMPARE(fx.ui.choicesShown.size(), 1);
        QCOMPARE(fx.ui.choicesShown.first().rows.size(), 2);
        QCOMPARE(fx.ui.choicesShown.first().rows.at(1).at(1), QStringLiteral("B区01"));
        QCOMPARE(stored(screw), QStringLiteral("A:0/0 B:1/12"));
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900001")), CountSheet::ScanOutcome::Cancelled);
        QCOMPARE(stored(screw), QStringLiteral("A:0/0 B:1/12"));
    }

    // A typed count not yet saved is saved before the scan adds to it; with
    // scan-to-add off a scan only finds the row.
    void typedCountsFirstThenTheAdd()
    {
        auto sheet = openSheet();
        const int row = rowOfItem(*sheet, nut);
        sheet->enterCell(row, CheckQty);
        QVERIFY(sheet->editCell(row, CheckQty, QStringLiteral("10")));
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900003")), CountSheet::ScanOutcome::Added);
        QCOMPARE(stored(nut), QStringLiteral("A:11/11"));
        // a typed correction after one's own scan is no conflict with somebody else
        sheet->enterCell(row, CheckQty);
        QVERIFY(sheet->editCell(row, CheckQty, QStringLiteral("12")));
        QVERIFY(sheet->run(QStringLiteral("Save")));
        QVERIFY2(fx.ui.questions.isEmpty(), qPrintable(fx.ui.questions.join(QLatin1Char('\n'))));
        QCOMPARE(stored(nut), QStringLiteral("A:12/12"));
        sheet->run(QStringLiteral("ScanAdd"));
        QCOMPARE(sheet->scanAdd(QStringLiteral("6900003")), CountSheet::ScanOutcome::None);
        QCOMPARE(stored(nut), QStringLiteral("A:12/12"));
    }

    // Undo takes back this user's last add, then the one before; with none left it says so.
    void undoTakesBackTheLastAdd()
    {
        auto sheet = openSheet();
        sheet->scanAdd(QStringLiteral("6900003"));
        sheet->setScanQtyText(QStringLiteral("4"));
        sheet->scanAdd(QStringLiteral("6900003"));
        QCOMPARE(stored(nut), QStringLiteral("A:5/5"));
        QVERIFY(sheet->run(QStringLiteral("UndoScan")));
        QCOMPARE(stored(nut), QStringLiteral("A:1/1"));
        QCOMPARE(sheet->entryGrid().number(rowOfItem(*sheet, nut), CheckQty), 1.0);
        sheet->run(QStringLiteral("UndoScan"));
        QCOMPARE(stored(nut), QStringLiteral("A:0/0"));
        QSignalSpy refused(sheet.get(), &CountSheet::scanRefused);
        sheet->run(QStringLiteral("UndoScan"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(sheet->statusText(CountSheet::MessagePanel), QStringLiteral("没有可以撤销的扫描。"));
        QCOMPARE(entries(CountEntryKind::Undo), 2);
    }
};

STOCKCHECK_TEST(TestScanAdd)
#include "tst_scanadd.moc"
