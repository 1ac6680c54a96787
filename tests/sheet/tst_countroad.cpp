#include "../snapshot/snapshotfixture.h"
#include "sheettestbase.h"
#include "testmain.h"

#include "erp/complexqty.h"

using namespace EntryCol;
using Answer = HostUi::Answer;

// The road of a count on the engine of this run: a snapshot, counts typed into
// the entry sheet (in the row's unit, as a composite quantity, with a secondary
// unit) and saved, read back from the count rows; the places that save with
// asking, and their failing saves; batches of 100 grid rows, saves of what changed since the last, and one
// row the database refuses; a rejected row; impossible counts; the secondary rate
// and unreadable access rules; deleting a row added by hand; the documents of a
// row; and `stockcheck-cli count` and `sheet` run as a person runs them.
class TestCountRoad : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    QTemporaryDir settingsDir;
    int stock = 0, screw = 0, bolt = 0, nut = 0, milk = 0, process = 0;

    AppConnection &conn() { return fx.conn(); }
    QString stored(int item, const char *fields) { return figures(conn(), process, item, QLatin1String(fields)); }
    int counted(double auxCheckQty)
    {
        return fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = ? AND FAuxCheckQty = ?"),
                         {process, auxCheckQty});
    }
    // A count row added by hand, with `book` on the books.
    bool addRow(int item, double book, const factory::Position &p = {})
    {
        const auto t = [](const QString &v) { return v.isNull() ? QStringLiteral("") : v; }; // NOT NULL keys
        return conn().Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FUnitID, FQty,"
                                          " FAuxQty, FBatchNo, FKFDate, FKFPeriod, FAuxPropID)"
                                          " SELECT ?, FItemID, ?, FStoreUnitID, ?, ?, ?, ?, ?, ? FROM t_ICItem"
                                          " WHERE FItemID = ?"),
                           {process, stock, book, book, t(p.batch), t(p.kfDate), p.kfPeriod, p.auxId, item});
    }
    // Types into a cell as the grid does: the cursor arrives, the text is committed.
    static bool type(CountSheet &sheet, int row, int col, const QString &text)
    {
        sheet.enterCell(row, col);
        return sheet.editCell(row, col, text);
    }
    using Run = ProgramRun;
    Run cli(const QString &command, const QStringList &args)
    {
        QStringList all{command, QStringLiteral("--db"), fx.db->url(), QStringLiteral("--user"),
                        QString::number(fx.user)};
        if (!args.contains(QLatin1String("--process")))
            all << QStringLiteral("--process") << QString::number(process);
        return runProgram(QStringLiteral(STOCKCHECK_CLI), all + args);
    }

private slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsDir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }
    // Screws counted in boxes of 12 at place A01, bolts in packs of 6 in a batch
    // with quotes in its name, nuts in pieces with boxes as secondary unit (4 boxes
    // of 12 on the books), milk in batch L1 with a shelf life.
    void init()
    {
        QFile::remove(settingsDir.filePath(QStringLiteral("StockCheck.ini")));
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0"));
        const int group = f.unitGroup(QStringLiteral("包装组"), {{"个", 1}, {"盒", 6}, {"箱", 12}});
        stock = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        const int place = f.stockPlace(stock, QStringLiteral("A01"), QStringLiteral("A区01"));
        screw = f.item({.number = "1.01", .name = "螺丝", .unitGroup = group, .storeUnit = f.unit("箱")});
        bolt = f.item({.number = "1.02", .name = "螺栓", .unitGroup = group, .storeUnit = f.unit("盒"), .batch = true});
        nut = f.item({.number = "1.03", .name = "螺母", .unitGroup = group, .secUnit = f.unit("箱")});
        milk = f.item({.number = "1.04", .name = "牛奶", .batch = true, .kfPeriod = 30});
        f.currentStock(screw, stock, place, 120);
        f.currentStock(bolt, stock, 0, 60, {.batch = QStringLiteral("B\\1 \"引'")});
        f.currentStock(nut, stock, 0, 48, {.secQty = 4});
        f.currentStock(milk, stock, 0, 10, {.batch = "L1", .kfDate = "2026-01-10", .kfPeriod = 30});
        process = fx.snapshot(fx.params({stock}));
        QVERIFY(process > 0);
    }
    void cleanup() { fx.tearDown(); }

    void countAndSave()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.setComplexQtyFunction([this](int item, const QString &units, double qty, const QString &unit) {
            return erp::CalComplexQty(conn(), item, units, qty, unit);
        });
        sheet.open();
        QCOMPARE(sheet.currentProcess(), process);
        const int s = rowOfItem(sheet, screw), b = rowOfItem(sheet, bolt), n = rowOfItem(sheet, nut);
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral("9")));
        QVERIFY(type(sheet, s, AdjQty, QStringLiteral("1")));
        QVERIFY(sheet.applyComplexQty(b, QStringLiteral("1箱3盒"), 30)); // what the composite editor gives
        QVERIFY(type(sheet, n, CheckQty, QStringLiteral("60")));         // 12 pieces a box on the books
        QCOMPARE(sheet.entryGrid().number(sheet.entryGrid().totalsRow(), BaseCheckQty), 108.0 + 30 + 60);
        QVERIFY(sheet.run(QStringLiteral("Save")));
        QVERIFY(!sheet.dataChanged());
        QVERIFY(fx.ui.questions.isEmpty() && fx.ui.messages.isEmpty());
        const char *fields =
            "FCheckQty FQtyAct FAuxCheckQty FAuxQtyAct FAdjQty FSecCheckQty FSecQtyAct FMinus FSecMinus"
            " FComplexQty";
        // the adjustment of 1 box counts 12 pieces: 108 - 120 - 12; the composite
        // text of the nuts uses the units of the last composite entry
        QCOMPARE(stored(screw, fields),
                 QStringLiteral("FCheckQty=108 FQtyAct=108 FAuxCheckQty=9 FAuxQtyAct=9 FAdjQty=1"
                                " FSecCheckQty=0 FSecQtyAct=0 FMinus=-24 FSecMinus=0 FComplexQty=9箱"));
        QCOMPARE(stored(bolt, fields),
                 QStringLiteral("FCheckQty=30 FQtyAct=30 FAuxCheckQty=5 FAuxQtyAct=5 FAdjQty=0"
                                " FSecCheckQty=0 FSecQtyAct=0 FMinus=-30 FSecMinus=0 FComplexQty=1箱3盒"));
        QCOMPARE(stored(nut, fields),
                 QStringLiteral("FCheckQty=60 FQtyAct=60 FAuxCheckQty=60 FAuxQtyAct=60 FAdjQty=0"
                                " FSecCheckQty=5 FSecQtyAct=5 FMinus=12 FSecMinus=1 FComplexQty=5箱"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FChecker = ?"), {fx.user}), 3);
    }

    // Every place that saves with asking asks, and saves on Yes only; when that
    // save fails, the window keeps the process and the edits, so the next save
    // writes them.
    void savingWithAsking_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("fails");
        for (const char *how : {"close", "refresh", "other process"}) {
            QTest::addRow("%s, yes", how) << how << int(Answer::Yes) << false;
            QTest::addRow("%s, no", how) << how << int(Answer::No) << false;
            QTest::addRow("%s, the save fails", how) << how << int(Answer::Yes) << true;
        }
    }
    void savingWithAsking()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, fails);
        const int other = process + 100;
        QVERIFY_SQL(conn(),
                    sheetfixture::addProcess(conn(), other, QStringLiteral("P0"), QDateTime::currentDateTime()));
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, process));
        const int n = rowOfItem(sheet, nut);
        QVERIFY(type(sheet, n, CheckQty, QStringLiteral("7")));
        fx.ui.answers = {Answer(answer)};
        if (fails)
            conn().setStatementHook([](const QString &sql, const QVariantList &) {
                return sql.contains(QLatin1String("FMinus")) ? QStringLiteral("disk full") : QString();
            });
        if (how == QLatin1String("close"))
            QCOMPARE(sheet.unload(), !fails);
        else if (how == QLatin1String("refresh"))
            sheet.run(QStringLiteral("mnuView_Refresh"));
        else
            sheet.chooseProcess(processIndex(sheet, other));
        conn().setStatementHook({});
        QCOMPARE(fx.ui.questions, QStringList{QStringLiteral("盘点数据已经修改，是否保存？")});
        if (!fails) {
            QCOMPARE(counted(7), answer == int(Answer::Yes) ? 1 : 0);
            return;
        }
        QCOMPARE(sheet.currentProcess(), process);
        QVERIFY(sheet.dataChanged());
        QCOMPARE(sheet.entryGrid().text(n, CheckQty), QStringLiteral("7"));
        QVERIFY(sheet.SaveStockData(false));
        QCOMPARE(counted(7), 1);
    }

    // 250 washers in batches, one per grid row and stock place.
    CountSheet *openWashers(std::unique_ptr<CountSheet> &sheet)
    {
        const int washer = fx.f->item({.number = "1.09", .name = "垫片", .batch = true});
        for (int i = 1; i <= 250; ++i)
            fx.f->currentStock(washer, stock, 0, 1, {.batch = QStringLiteral("B%1").arg(i, 3, 10, QLatin1Char('0'))});
        process = fx.snapshot(fx.params({stock}));
        sheet = std::make_unique<CountSheet>(SheetMode::Entry);
        sheet->open();
        return sheet->currentProcess() == process && sheet->entryGrid().dataRows() == 254 ? sheet.get() : nullptr;
    }
    // Counts BEGINs; fails the differences statement (after its figures) of every
    // statement that carries `bad`.
    void hookFaults(int *begins, const QString *bad)
    {
        conn().setStatementHook([begins, bad](const QString &sql, const QVariantList &binds) {
            *begins += sql.startsWith(QLatin1String("BEGIN"));
            if (bad->isEmpty() || !sql.contains(QLatin1String("FMinus")))
                return QString();
            for (const QVariant &v : binds)
                if (v.toString().contains(*bad))
                    return QStringLiteral("numeric field overflow");
            return QString();
        });
    }

    // Batches end after grid rows 100, 200, ...; a save writes what changed since
    // the last one: a row written is no longer marked.
    void batchesOfAHundredGridRows()
    {
        std::unique_ptr<CountSheet> owner;
        CountSheet *sheet = openWashers(owner);
        QVERIFY(sheet);
        for (int r = 1; r <= 254; ++r)
            QVERIFY(type(*sheet, r, CheckQty, QStringLiteral("7")));
        int begins = 0;
        const QString none;
        hookFaults(&begins, &none);
        QVERIFY(sheet->SaveStockData(false));
        QCOMPARE(begins, 3);
        QCOMPARE(counted(7), 254);
        // three changed rows far apart are three batches, and nothing else is written
        begins = 0;
        for (int r : {1, 150, 250})
            QVERIFY(type(*sheet, r, CheckQty, QStringLiteral("8")));
        QVERIFY(sheet->SaveStockData(false));
        QCOMPARE(begins, 3);
        QCOMPARE(counted(8), 3);
        begins = 0;
        QVERIFY(type(*sheet, 2, CheckQty, QStringLiteral("9")));
        QVERIFY(sheet->SaveStockData(false));
        conn().setStatementHook({});
        QCOMPARE(begins, 1);
        QCOMPARE(counted(9), 1);
    }

    // The database refuses one row: its batch is written again row by row, every
    // other row is saved, and the one row is listed with the database's reason in
    // the person's words and stays marked, so the next save writes it (alone).
    void oneBadRowNeverBlocksTheOthers()
    {
        std::unique_ptr<CountSheet> owner;
        CountSheet *sheet = openWashers(owner);
        QVERIFY(sheet);
        EntryGrid &g = sheet->entryGrid();
        int bad = 0;
        for (int r = 1; r <= 254; ++r) {
            QVERIFY(type(*sheet, r, CheckQty, QStringLiteral("7")));
            if (g.text(r, BatchNo) == QLatin1String("B150"))
                bad = r;
        }
        QVERIFY(bad > 0);
        int begins = 0;
        QString badBatch = QStringLiteral("B150");
        hookFaults(&begins, &badBatch);
        QVERIFY(!sheet->SaveStockData(false));
        QCOMPARE(sheet->lastSaveResult(), CountSaver::SaveResult::Failed);
        QCOMPARE(counted(7), 253);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = ? AND FBatchNo = ?"
                                          " AND FAuxCheckQty = 7"),
                           {process, badBatch}),
                 0);
        QVERIFY(fx.ui.messages.isEmpty());
        QCOMPARE(fx.ui.busyDepth, 0);
        QCOMPARE(fx.ui.lists.size(), 1);
        QCOMPARE(fx.ui.lists.first().rows, (QList<QStringList>{{QString::number(bad), "原料仓", "", "1.09",
                                                                "数量超出数据库允许的范围", "", "B150", "", ""}}));
        QVERIFY(sheet->dataChanged());
        for (int r = 1; r <= 254; ++r)
            QCOMPARE(g.isChanged(r), r == bad);
        // the fault gone, the next save writes the one row left
        badBatch.clear();
        begins = 0;
        QVERIFY(sheet->SaveStockData(false));
        conn().setStatementHook({});
        QCOMPARE(begins, 1);
        QCOMPARE(counted(7), 254);
        QVERIFY(!sheet->dataChanged());
    }

    // A count row deleted by someone else while the window shows it: the others are
    // saved, the row is listed, and its edits stay to be looked at.
    void rowGoneMeanwhile()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const int n = rowOfItem(sheet, nut), s = rowOfItem(sheet, screw);
        QVERIFY(type(sheet, n, CheckQty, QStringLiteral("7")));
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral("7")));
        QVERIFY(fx.exec("DELETE FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?", {process, screw}));
        QVERIFY(!sheet.SaveStockData(false));
        QCOMPARE(counted(7), 1);
        QVERIFY(sheet.dataChanged());
        QVERIFY(sheet.entryGrid().isChanged(s) && !sheet.entryGrid().isChanged(n));
        QCOMPARE(fx.ui.lists.size(), 1);
        QCOMPARE(fx.ui.lists.first().rows.size(), 1);
        QCOMPARE(fx.ui.lists.first().rows.first().mid(0, 5),
                 (QStringList{QString::number(s), "原料仓", "A区01", "1.01",
                              "这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。"}));
        // the journal explains what was written: one entry for the row saved, none for the row gone
        for (const auto &[item, entries] : {std::pair{nut, 1}, std::pair{screw, 0}})
            QCOMPARE(
                fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICStockCheckJournal WHERE FInterID = ? AND FItemID = ?"),
                          {process, item}),
                entries);
    }

    // Two count windows at once: each saves into its own process, whichever was
    // chosen or closed last, and the entry window stays in its mode.
    void eachWindowSavesItsOwnProcess()
    {
        const int first = process;
        const int second = fx.snapshot(fx.params({stock})); // the same positions again
        CountSheet entry(SheetMode::Entry);
        entry.open();
        entry.chooseProcess(processIndex(entry, first));
        {
            CountSheet report(SheetMode::Check);
            report.open();
            report.chooseProcess(processIndex(report, second));
            report.unload();
        }
        {
            CountSheet other(SheetMode::Entry);
            other.open();
            other.chooseProcess(processIndex(other, second)); // stays open
            entry.run(QStringLiteral("mnuView_Refresh"));
            QVERIFY(entry.model().mode() == SheetMode::Entry);
            QVERIFY(type(entry, rowOfItem(entry, nut), CheckQty, QStringLiteral("7")));
            QVERIFY(entry.SaveStockData(false));
        }
        QCOMPARE(counted(7), 1);
        process = second;
        QCOMPARE(counted(7), 0);
    }

    // A tool or closing saves while the cursor stays in a cell the person cleared:
    // the cell keeps its former count, it is not saved as nothing.
    void clearedCellSavedWithItsFormerCount()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const int n = rowOfItem(sheet, nut);
        QVERIFY(type(sheet, n, CheckQty, QStringLiteral("5")));
        sheet.enterCell(n, AdjQty);
        QVERIFY(type(sheet, n, CheckQty, QString()));
        QVERIFY(sheet.run(QStringLiteral("Save")));
        QCOMPARE(sheet.entryGrid().text(n, CheckQty), QStringLiteral("5"));
        QCOMPARE(stored(nut, "FAuxCheckQty FCheckQty"), QStringLiteral("FAuxCheckQty=5 FCheckQty=5"));
    }

    // A rejected row is listed with its row number and key and not written; the
    // others are, and the data stays changed. (Book -5; documents after the snapshot
    // took 8 more: counting 1 leaves an actual of -7.)
    void rejectedRowIsListed()
    {
        const int spring = fx.f->item({.number = "1.05", .name = "弹簧"});
        QVERIFY_SQL(conn(), addRow(spring, -5, {.batch = "B2", .kfDate = "2024-01-31", .kfPeriod = 30}));
        QVERIFY(fx.exec("UPDATE ICInvBackup SET FCheckQty = 0, FQtyAct = -8, FAuxCheckQty = 0, FAuxQtyAct = -8"
                        " WHERE FInterID = ? AND FItemID = ?",
                        {process, spring}));
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const int row = rowOfItem(sheet, spring);
        QVERIFY(type(sheet, row, CheckQty, QStringLiteral("1")));
        QVERIFY(type(sheet, rowOfItem(sheet, nut), CheckQty, QStringLiteral("3")));
        sheet.run(QStringLiteral("Save"));
        QVERIFY(sheet.dataChanged());
        QCOMPARE(counted(3), 1);
        QCOMPARE(counted(1), 0);
        QCOMPARE(fx.ui.lists.size(), 1);
        QCOMPARE(fx.ui.lists.first().caption, QStringLiteral("盘点错误数据提示"));
        QCOMPARE(fx.ui.lists.first().rows, (QList<QStringList>{{QString::number(row), "原料仓", "", "1.05",
                                                                CountSaver::checkMessage(RowCheck::NegativeBook), "",
                                                                "B2", "2024/01/31", "30"}}));
    }

    // Impossible counts never reach the database, through the window or the
    // command line, on either engine: the cell keeps its count, nothing is marked,
    // and the person reads why.
    void impossibleCountsAreRefused_data()
    {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("why");
        QTest::addRow("negative") << "-5"
                                  << "“盘点数量”不能为负数。";
        QTest::addRow("beyond them in pieces")
            << "9999999999"
            << "数量超出允许的范围：“基本单位实存数量”的绝对值不能超过9,999,999,999.9999。";
    }
    void impossibleCountsAreRefused()
    {
        QFETCH(QString, qty);
        QFETCH(QString, why);
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const int s = rowOfItem(sheet, screw);
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral("3")));
        QVERIFY(sheet.SaveStockData(false));
        QVERIFY(!type(sheet, s, CheckQty, qty));
        QCOMPARE(fx.ui.messageTexts(), QStringList{why});
        QCOMPARE(sheet.entryGrid().text(s, CheckQty), QStringLiteral("3"));
        QVERIFY(!sheet.dataChanged() && !sheet.entryGrid().isChanged(s));
        const Run r = cli(QStringLiteral("count"), {"--item", "1.01", "--stock", "01", "--place", "A01", "--qty", qty});
        QVERIFY2(r.exitCode != 0 && r.err.contains(why), qPrintable(r.err));
        QCOMPARE(stored(screw, "FAuxCheckQty FCheckQty"), QStringLiteral("FAuxCheckQty=3 FCheckQty=36"));
    }

    // The rate shown is the item's (base units per secondary unit), not the ratio
    // of a row's books (25 bottles against 2 sheets) or of its counts, nor the
    // secondary unit's own coefficient in its group (1).
    void secondaryRateIsTheItems()
    {
        Factories &f = *fx.f;
        f.unitGroup(QStringLiteral("辅助组"), {{"张", 1}, {"根", 1}});
        const int bottle = f.item({.number = "1.06", .name = "酒", .secUnit = f.unit("张"), .secCoefficient = 12.5});
        f.currentStock(bottle, stock, 0, 25, {.secQty = 2});
        process = fx.snapshot(fx.params({stock}));
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        int b = rowOfItem(sheet, bottle);
        QCOMPARE(sheet.entryGrid().number(b, SecRate), 12.5);
        QVERIFY(type(sheet, b, CheckQty, QStringLiteral("50")));
        QCOMPARE(sheet.entryGrid().number(b, SecCheckQty), 4.0);
        QVERIFY(sheet.SaveStockData(false));
        sheet.run(QStringLiteral("mnuView_Refresh"));
        b = rowOfItem(sheet, bottle);
        QCOMPARE(sheet.entryGrid().number(b, SecRate), 12.5);
        QCOMPARE(stored(bottle, "FSecCheckQty FSecMinus"), QStringLiteral("FSecCheckQty=4 FSecMinus=2"));
    }

    // Row-level access rules that cannot be read show no row at all, with the
    // reason, in every mode of the sheet; the command line refuses too.
    void unreadableAccessRulesShowNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addRow("check") << int(SheetMode::Check);
        QTest::addRow("count book") << int(SheetMode::PrintBook);
        QTest::addRow("entry") << int(SheetMode::Entry);
    }
    void unreadableAccessRulesShowNothing()
    {
        QFETCH(int, mode);
        conn().setStatementHook([](const QString &sql, const QVariantList &) {
            return sql.contains(QLatin1String("t_UserDataAccess")) ? QStringLiteral("permission denied") : QString();
        });
        CountSheet sheet{SheetMode(mode)};
        sheet.open();
        conn().setStatementHook({});
        QCOMPARE(sheet.currentProcess(), process);
        QCOMPARE(sheet.recordCount(), 0);
        QCOMPARE(sheet.entryGrid().dataRows(), 0);
        QCOMPARE(fx.ui.messageTexts(), QStringList{QStringLiteral("不能读取用户的数据权限。")});
        QVERIFY(fx.ui.messages.first().details.contains(QLatin1String("permission denied")));
        // the same sheet with readable rules shows its rows
        sheet.run(QStringLiteral("mnuView_Refresh"));
        QCOMPARE(sheet.recordCount(), 4);
    }

    // mnuSubItem on the active row deletes a row added by hand by its whole key
    // (after a question, the rows reloaded); a row with book stock stays.
    void deletingAnAddedItem_data()
    {
        QTest::addColumn<double>("book");
        QTest::addColumn<bool>("deleted");
        QTest::addRow("added by hand") << 0.0 << true;
        QTest::addRow("book below the places") << 0.004 << true;
        QTest::addRow("book stock") << 0.5 << false;
    }
    void deletingAnAddedItem()
    {
        QFETCH(double, book);
        QFETCH(bool, deleted);
        const int gasket = fx.f->item({.number = "1.05", .name = "密封圈", .qtyDecimal = 2});
        const int aux = fx.f->auxValue(1, QStringLiteral("R"), QStringLiteral("红"));
        QVERIFY_SQL(conn(), addRow(gasket, 0) && addRow(gasket, book, {.auxId = aux}));
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        QVERIFY(type(sheet, rowOfItem(sheet, screw), CheckQty, QStringLiteral("3"))); // typed before: not lost
        sheet.enterCell(rowOfItem(sheet, gasket, aux), ItemName);
        QVERIFY(sheet.run(QStringLiteral("SubItem")));
        QCOMPARE(fx.ui.questions, QStringList{QStringLiteral("是否真的要删除此项物料？")});
        QCOMPARE(fx.ui.messageTexts(),
                 deleted ? QStringList() : QStringList{QStringLiteral("不能删除有账存余额的物料")});
        QCOMPARE(rowOfItem(sheet, gasket, aux) != 0, !deleted);
        QVERIFY(rowOfItem(sheet, gasket) != 0);
        QCOMPARE(stored(screw, "FAuxCheckQty"), QStringLiteral("FAuxCheckQty=3"));
    }

    // "选择单据" works on a row with an item only; the documents window's result is
    // stored for that row at once, without a save.
    void selectingDocumentsOfTheActiveRow()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const SheetCommand *selectBill = sheetcommands::find(QStringLiteral("SelectBill"));
        const int b = rowOfItem(sheet, bolt);
        sheet.entryGrid().setNumber(b, ItemID, 0);
        sheet.enterCell(b, ItemName);
        QVERIFY(!sheet.isEnabled(*selectBill));
        sheet.entryGrid().setNumber(b, ItemID, bolt);
        sheet.enterCell(b, CheckQty);
        QVERIFY(sheet.isEnabled(*selectBill));
        // the window stores the row through the sheet's writer, inside its own transaction
        shared().components.windows.add(QStringLiteral("frmSelect"), [&](const QVariantMap &args) {
            using Writer = std::function<bool(double, double, QString *)>;
            QString reason;
            const bool written = args.value(QStringLiteral("ItemID")) == bolt &&
                                 args.value(QStringLiteral("RowWriter")).value<Writer>()(6.0, 0.0, &reason);
            return QVariantMap{{QStringLiteral("CalFactQty"), true}, {QStringLiteral("CalcateOK"), written}};
        });
        QVERIFY(sheet.run(QStringLiteral("mnuVSelectBill")));
        QCOMPARE(stored(bolt, "FQtyAct FMinus"), QStringLiteral("FQtyAct=6 FMinus=-54"));
    }

    // The count command applies the entry rules in the order of its options and
    // saves the one row through the row check.
    void cliCounts_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("values");
        const QStringList screwRow{"--item", "1.01", "--stock", "01", "--place", "A01"};
        QTest::addRow("row unit, adjustment, note")
            << screwRow + QStringList{"--qty", "9", "--adj", "1", "--note", "外箱'破损\""}
            << "FAuxCheckQty FCheckQty FComplexQty FMinus FNote"
            << "FAuxCheckQty=9 FCheckQty=108 FComplexQty=9箱 FMinus=-24 FNote=外箱破损";
        QTest::addRow("base unit") << screwRow + QStringList{"--qty", "24", "--base"} << "FAuxCheckQty"
                                   << "FAuxCheckQty=2";
        QTest::addRow("composite") << screwRow + QStringList{"--composite", "1箱3盒"} << "FCheckQty FComplexQty"
                                   << "FCheckQty=30 FComplexQty=1箱3盒";
        QTest::addRow("secondary") << QStringList{"--item", "1.03", "--stock", "01", "--qty", "60", "--secqty", "6"}
                                   << "FSecCheckQty FSecMinus"
                                   << "FSecCheckQty=6 FSecMinus=2";
        QTest::addRow("batch and dates") << QStringList{"--item",   "1.04",       "--stock",    "01", "--batch", "L1",
                                                        "--kfdate", "2026-01-10", "--kfperiod", "30", "--qty",   "8"}
                                         << "FMinus"
                                         << "FMinus=-2";
    }
    void cliCounts()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, fields);
        QFETCH(QString, values);
        const Run r = cli(QStringLiteral("count"), args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const int item = args.at(1) == QLatin1String("1.01") ? screw : args.at(1) == QLatin1String("1.03") ? nut : milk;
        QCOMPARE(figures(conn(), process, item, fields + QStringLiteral(" FChecker")),
                 values + QStringLiteral(" FChecker=%1").arg(fx.user));
    }

    void cliRefusals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList nutRow{"--item", "1.03", "--stock", "01"};
        QTest::addRow("unknown row") << "count" << QStringList{"--item", "1.01", "--stock", "01", "--qty", "1"} << 1
                                     << "找不到盘点记录";
        QTest::addRow("gain and loss") << "count" << nutRow + QStringList{"--qty", "60", "--secqty", "3"} << 1
                                       << "基本单位与辅助计量单位盘盈盘亏方向不一致";
        QTest::addRow("letters in a number")
            << "count" << nutRow + QStringList{"--qty", "5x"} << 2 << "--qty：“5x”不是数字";
        QTest::addRow("sheet, no such mode") << "sheet" << QStringList{"--mode", "2"} << 2 << "--mode";
    }
    void cliRefusals()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run r = cli(command, args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FChecker IS NOT NULL")), 0);
    }

    // The sheet command prints the heading line, one line per row, and the total
    // line in modes 1 and 4; the count book never shows a count.
    void cliSheet_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("lines");
        QTest::addRow("count book") << QStringList{"--mode", "3"} << 1 + 4;
        QTest::addRow("input") << QStringList{"--mode", "4"} << 1 + 4 + 1;
    }
    void cliSheet()
    {
        QFETCH(QStringList, args);
        QFETCH(int, lines);
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FCheckQty = 50, FQtyAct = 50,"
                                                       " FAuxCheckQty = 50, FAuxQtyAct = 50 WHERE FItemID = ?"),
                                        {nut}));
        const Run r = cli(QStringLiteral("sheet"), args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QStringList out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(out.size(), lines);
        const QString nutLine = out.filter(QStringLiteral("螺母")).value(0);
        QVERIFY2(nutLine.contains(QStringLiteral("\t50")) == (args.at(1) != QLatin1String("3")), qPrintable(nutLine));
    }
};

STOCKCHECK_TEST(TestCountRoad)
#include "tst_countroad.moc"
