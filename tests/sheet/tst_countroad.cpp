#include "../snapshot/snapshotfixture.h"
#include "testmain.h"

#include "erp/complexqty.h"
#include "host/openwindow.h"
#include "sheet/countsheet.h"

#include <QTemporaryDir>

using namespace EntryCol;
using Answer = HostUi::Answer;

namespace {

// A count row's figures as saving leaves them.
struct Stored
{
    double checkQty = 0, qtyAct = 0, auxCheckQty = 0, auxQtyAct = 0, adjQty = 0;
    double secCheckQty = 0, secQtyAct = 0, minus = 0, secMinus = 0;
    QString complexQty, note;
    int checker = 0;
};

// A base-data lookup that answers with one record and remembers what it was asked.
class FakeLookup : public BaseDataLookup
{
public:
    LookupRecord answer;
    QVariantMap asked;
    LookupRecord lookup(int, const QVariantMap &options) override
    {
        asked = options;
        return answer;
    }
    LookupRecord listLookup(const QString &, const QVariantMap &) override { return {}; }
};

} // namespace

// The road of a count through the window's logic in the entry mode: a snapshot,
// counts typed in the row's unit, the base unit (composite editor), with an
// adjustment and a secondary unit, saved and read back from the count rows; the
// places that save, a failing save, deleting an added row and the commands that
// follow the active row.
class TestCountRoad : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    QTemporaryDir settingsDir;
    int stock = 0, screw = 0, bolt = 0, nut = 0, group = 0;
    int process = 0;
    QVariantMap editorArgs;

    AppConnection &conn() { return fx.conn(); }

    // Screws counted in boxes of 12, bolts in packs of 6 (both of one unit group),
    // nuts in pieces with boxes as secondary unit (4 boxes of 12 on the books).
    void makeWorld()
    {
        Factories &f = *fx.f;
        f.systemParam(QStringLiteral("IC"), QStringLiteral("ISComplexQty"), QStringLiteral("1"));
        group = f.unitGroup(QStringLiteral("包装组"), {{"个", 1}, {"盒", 6}, {"箱", 12}});
        stock = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        screw = f.item(
            {.number = "1.01", .name = "螺丝", .unitGroup = group, .storeUnit = f.unit("箱"), .barcode = "6900001"});
        bolt = f.item({.number = "1.02", .name = "螺栓", .unitGroup = group, .storeUnit = f.unit("盒")});
        nut = f.item({.number = "1.03", .name = "螺母", .unitGroup = group, .secUnit = f.unit("箱")});
        f.currentStock(screw, stock, 0, 120);
        f.currentStock(bolt, stock, 0, 60);
        f.currentStock(nut, stock, 0, 48, {.secQty = 4});
    }

    int snapshot()
    {
        process = fx.snapshot(fx.params({stock}));
        return process;
    }

    int rowOf(const CountSheet &sheet, int item, int from = 1) const
    {
        for (int r = from; r <= sheet.entryGrid().dataRows(); ++r)
            if (int(sheet.entryGrid().number(r, ItemID)) == item)
                return r;
        return 0;
    }

    Stored stored(int item, const QString &batch = QString(QLatin1String("")))
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"
                                                     " AND FBatchNo = ?"),
                                      {process, item, batch});
        if (rs.RecordCount() != 1)
            return {};
        auto n = [&](const char16_t *f) { return rs.number(QStringView(f)); };
        return {n(u"FCheckQty"), n(u"FQtyAct"),           n(u"FAuxCheckQty"), n(u"FAuxQtyAct"),
                n(u"FAdjQty"),   n(u"FSecCheckQty"),      n(u"FSecQtyAct"),   n(u"FMinus"),
                n(u"FSecMinus"), rs.text(u"FComplexQty"), rs.text(u"FNote"),  rs.integer(u"FChecker")};
    }
    int counted(double auxCheckQty)
    {
        return fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = ? AND FAuxCheckQty = ?"),
                         {process, auxCheckQty});
    }

    // Types into a cell as the grid does: the cursor arrives, the text is committed.
    static bool type(CountSheet &sheet, int row, int col, const QString &text)
    {
        sheet.enterCell(row, col);
        return sheet.editCell(row, col, text);
    }

private slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsDir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }
    void init()
    {
        QFile::remove(settingsDir.filePath(QStringLiteral("StockCheck.ini")));
        QVERIFY(fx.setUp());
        makeWorld();
        QVERIFY(snapshot() > 0);
        // the composite editor answers as a person who typed 1 box and 3 packs
        editorArgs.clear();
        shared().components.windows.add(QStringLiteral("ComplexQtyEditor"), [this](const QVariantMap &args) {
            editorArgs = args;
            return QVariantMap{{QStringLiteral("FComplexQty"), QStringLiteral("1箱3盒")},
                               {QStringLiteral("BaseQty"), 30.0}};
        });
    }
    void cleanup() { fx.tearDown(); }

    void countAndSave()
    {
        CountSheet sheet(4);
        sheet.setComplexQtyFunction([this](int item, const QString &units, double qty, const QString &unit) {
            return erp::CalComplexQty(conn(), item, units, qty, unit);
        });
        sheet.open();
        QCOMPARE(sheet.currentProcess(), process);
        const int s = rowOf(sheet, screw), b = rowOf(sheet, bolt), n = rowOf(sheet, nut);
        QVERIFY(s && b && n);

        // in the row's unit, with an adjustment: the composite text follows
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral("9")));
        QVERIFY(type(sheet, s, AdjQty, QStringLiteral("1")));
        QCOMPARE(sheet.entryGrid().text(s, ComplexQty), QStringLiteral("9箱"));
        // in the base unit through the composite editor, which starts from the cell
        QVERIFY(sheet.openComplexEditor(b));
        QCOMPARE(editorArgs.value(QStringLiteral("ItemID")).toInt(), bolt);
        QCOMPARE(editorArgs.value(QStringLiteral("UnitGroupID")).toInt(), group);
        QCOMPARE(editorArgs.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString(), QString());
        QCOMPARE(sheet.entryGrid().number(b, CheckQty), 5.0);
        QVERIFY(sheet.openComplexEditor(b));
        QCOMPARE(editorArgs.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString(), QStringLiteral("1箱3盒"));
        // in pieces, with boxes as secondary unit (12 pieces a box on the books)
        QVERIFY(type(sheet, n, CheckQty, QStringLiteral("60")));
        QCOMPARE(sheet.entryGrid().number(n, SecCheckQty), 5.0);
        const int totals = sheet.entryGrid().totalsRow();
        QCOMPARE(sheet.entryGrid().number(totals, BaseCheckQty), 108.0 + 30 + 60);

        QVERIFY(sheet.run(QStringLiteral("Save")));
        QVERIFY(!sheet.dataChanged());
        QVERIFY(fx.ui.questions.isEmpty());
        QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("就绪"));

        const Stored sc = stored(screw);
        QCOMPARE(sc.checkQty, 108.0);
        QCOMPARE(sc.qtyAct, 108.0);
        QCOMPARE(sc.auxCheckQty, 9.0);
        QCOMPARE(sc.auxQtyAct, 9.0);
        QCOMPARE(sc.adjQty, 1.0);
        QCOMPARE(sc.complexQty, QStringLiteral("9箱"));
        QCOMPARE(sc.checker, fx.user);
        QCOMPARE(sc.minus, 108.0 - 120 - 12); // the adjustment counts in base units
        const Stored bo = stored(bolt);
        QCOMPARE(bo.checkQty, 30.0);
        QCOMPARE(bo.auxCheckQty, 5.0);
        QCOMPARE(bo.complexQty, QStringLiteral("1箱3盒"));
        QCOMPARE(bo.minus, -30.0);
        const Stored nu = stored(nut);
        QCOMPARE(nu.checkQty, 60.0);
        QCOMPARE(nu.secCheckQty, 5.0);
        QCOMPARE(nu.secQtyAct, 5.0);
        QCOMPARE(nu.minus, 12.0);
        QCOMPARE(nu.secMinus, 1.0);
        QCOMPARE(nu.note, QString());
    }

    // Leaving a cell blank puts its count back; Enter in the counted cell does the
    // same and sends the cursor to the barcode box, which the grid's loss of focus saves.
    void blankCellsAndTheBarcodeRoad()
    {
        CountSheet sheet(4);
        sheet.open();
        int focusBarcode = 0;
        connect(&sheet, &CountSheet::barcodeFocusRequested, this, [&] { ++focusBarcode; });
        const int s = rowOf(sheet, screw);
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral("4")));
        sheet.enterCell(s, AdjQty);
        QVERIFY(type(sheet, s, CheckQty, QStringLiteral(" ")));
        QCOMPARE(sheet.entryGrid().number(s, BaseCheckQty), 0.0);
        sheet.enterCell(s, AdjQty);
        QCOMPARE(sheet.entryGrid().number(s, CheckQty), 4.0);
        QCOMPARE(sheet.entryGrid().number(s, BaseCheckQty), 48.0);

        const BarcodeSearch::Result found = sheet.searchBarcode(QStringLiteral("6900001"));
        QCOMPARE(found.currentRow, s);
        QCOMPARE(sheet.activeRow(), s);
        QVERIFY(sheet.entryGrid().isBlank(s, CheckQty));
        sheet.enterCell(s, CheckQty); // the grid's cursor follows: the former text is kept
        QCOMPARE(sheet.gridKey(s, CheckQty, Qt::Key_Return), EntryRules::KeyAction::ReturnToBarcode);
        QCOMPARE(sheet.entryGrid().number(s, CheckQty), 4.0);
        sheet.gridFocusOut(true);
        QCOMPARE(focusBarcode, 1);
        QVERIFY(!sheet.dataChanged());
        QCOMPARE(stored(screw).auxCheckQty, 4.0);

        QCOMPARE(sheet.searchBarcode(QStringLiteral("000")).currentRow, 0);
        QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("找不到条形码为000的物料"));
        QCOMPARE(sheet.entryGrid().highlight(s), EntryGrid::Highlight::NotFound);
    }

    // Every place that saves with asking asks, and saves on Yes only.
    void savingWithAsking_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        for (const char *how : {"close", "refresh"}) {
            QTest::addRow("%s, yes", how) << how << int(Answer::Yes) << true;
            QTest::addRow("%s, no", how) << how << int(Answer::No) << false;
        }
    }
    void savingWithAsking()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        CountSheet sheet(4);
        sheet.open();
        QVERIFY(type(sheet, rowOf(sheet, bolt), CheckQty, QStringLiteral("7")));
        fx.ui.answers = {Answer(answer)};
        if (how == QLatin1String("close"))
            sheet.unload();
        else
            sheet.run(QStringLiteral("mnuView_Refresh"));
        QCOMPARE(fx.ui.questions, QStringList{QStringLiteral("盘点数据已经修改，是否保存？")});
        QCOMPARE(stored(bolt).auxCheckQty, saved ? 7.0 : 0.0);
    }

    // A database error in the middle of a save: the batch before it stays written,
    // the failing one is not written at all, the person is told, nothing typed is
    // lost, and the next save writes every changed row again.
    void failingSaveKeepsTheEdits()
    {
        Factories &f = *fx.f;
        const int washer = f.item({.number = "1.09", .name = "垫片", .batch = true});
        for (int i = 1; i <= 150; ++i)
            f.currentStock(washer, stock, 0, 1, {.batch = QStringLiteral("B%1").arg(i, 3, 10, QLatin1Char('0'))});
        QVERIFY(snapshot() > 0);
        CountSheet sheet(4);
        sheet.open();
        for (int i = 0; i < sheet.processes().size(); ++i)
            if (sheet.processes().at(i).id == process)
                sheet.chooseProcess(i);
        QCOMPARE(sheet.currentProcess(), process);
        for (int r = 1; r <= sheet.entryGrid().dataRows(); ++r)
            QVERIFY(type(sheet, r, CheckQty, QStringLiteral("7")));
        int begins = 0;
        conn().setStatementHook([&](const QString &sql, const QVariantList &) {
            begins += sql.startsWith(QLatin1String("BEGIN"));
            return begins == 2 && sql.contains(QLatin1String("FMinus")) ? QStringLiteral("disk full") : QString();
        });
        QVERIFY(!sheet.run(QStringLiteral("mnuFSave")) || sheet.dataChanged());
        conn().setStatementHook({});
        QVERIFY(sheet.dataChanged());
        QCOMPARE(sheet.lastSaveResult(), CountSaver::SaveResult::Failed);
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(fx.ui.messages.first().text.startsWith(QStringLiteral("保存盘点数据失败")));
        QVERIFY(fx.ui.messages.first().details.contains(QStringLiteral("disk full")));
        QCOMPARE(fx.ui.busyDepth, 0);
        QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("就绪"));
        QCOMPARE(counted(7), 100);

        QVERIFY(sheet.SaveStockData(false));
        QCOMPARE(counted(7), sheet.entryGrid().dataRows());
        QVERIFY(!sheet.dataChanged());
    }

    // mnuSubItem on the active row: a row added by hand goes (after a question and
    // with the rows reloaded), a row with book stock stays.
    void deletingAnAddedItem_data()
    {
        QTest::addColumn<double>("book");
        QTest::addColumn<bool>("deleted");
        QTest::addRow("added by hand") << 0.0 << true;
        QTest::addRow("with book stock") << 0.5 << false;
    }
    void deletingAnAddedItem()
    {
        QFETCH(double, book);
        QFETCH(bool, deleted);
        const int gasket = fx.f->item({.number = "1.05", .name = "密封圈", .qtyDecimal = 1});
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FUnitID,"
                                                       " FQty, FAuxQty) SELECT ?, FItemID, ?, FStoreUnitID, ?, ?"
                                                       " FROM t_ICItem WHERE FItemID = ?"),
                                        {process, stock, book, book, gasket}));
        CountSheet sheet(4);
        sheet.open();
        const int rows = sheet.entryGrid().dataRows();
        QVERIFY(type(sheet, rowOf(sheet, screw), CheckQty, QStringLiteral("3"))); // typed before: not lost
        sheet.enterCell(rowOf(sheet, gasket), ItemName);
        QVERIFY(sheet.run(QStringLiteral("SubItem")));
        QCOMPARE(fx.ui.questions, QStringList{QStringLiteral("是否真的要删除此项物料？")});
        QCOMPARE(fx.ui.messageTexts(),
                 deleted ? QStringList() : QStringList{QStringLiteral("不能删除有账存余额的物料")});
        QCOMPARE(sheet.entryGrid().dataRows(), deleted ? rows - 1 : rows);
        QCOMPARE(rowOf(sheet, gasket) != 0, !deleted);
        QCOMPARE(stored(screw).auxCheckQty, 3.0);
    }

    // "选择单据" follows the active row; the documents window's result is stored at
    // once for that row; F7 in the unit column shows the row's units only.
    void commandsOfTheActiveRow()
    {
        CountSheet sheet(4);
        sheet.open();
        const SheetCommand *selectBill = sheetcommands::find(QStringLiteral("SelectBill"));
        QVERIFY(!sheet.isEnabled(*selectBill));
        const int b = rowOf(sheet, bolt);
        sheet.enterCell(b, ItemName);
        QVERIFY(sheet.isEnabled(*selectBill));
        sheet.entryGrid().setNumber(b, ItemID, 0);
        sheet.gridFocusIn();
        QVERIFY(!sheet.isEnabled(*selectBill));
        sheet.entryGrid().setNumber(b, ItemID, bolt);
        sheet.enterCell(b, CheckQty);
        QVERIFY(sheet.isEnabled(*selectBill));

        QVariantMap asked;
        shared().components.windows.add(QStringLiteral("frmSelect"), [&](const QVariantMap &args) {
            asked = args;
            return QVariantMap{{QStringLiteral("CalFactQty"), true},
                               {QStringLiteral("CalcateOK"), true},
                               {QStringLiteral("DiffQty"), 6.0},
                               {QStringLiteral("SecDiffQty"), 0.0}};
        });
        QVERIFY(sheet.run(QStringLiteral("mnuVSelectBill")));
        QCOMPARE(asked.value(QStringLiteral("ProcID")).toInt(), process);
        QCOMPARE(asked.value(QStringLiteral("ItemID")).toInt(), bolt);
        QCOMPARE(sheet.activeCol(), int(BaseCheckQty));
        QCOMPARE(sheet.entryGrid().number(b, DiffQty), 6.0);
        QCOMPARE(stored(bolt).qtyAct, 6.0); // stored without a save
        QCOMPARE(stored(bolt).minus, 6.0 - 60);

        auto lookup = std::make_shared<FakeLookup>();
        shared().components.lookup = lookup;
        lookup->answer.properties = {{QStringLiteral("FMeasureUnitID"), fx.f->unit("个")}};
        QCOMPARE(sheet.gridKey(b, UnitName, Qt::Key_A), EntryRules::KeyAction::Discard);
        QCOMPARE(sheet.gridKey(b, UnitName, Qt::Key_F7), EntryRules::KeyAction::OpenUnitPicker);
        sheet.openUnitPicker(b);
        QCOMPARE(lookup->asked.value(QStringLiteral("UnitGroupID")).toInt(), group);
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(fx.ui.lastMessage().contains(QStringLiteral("F8")));
        QCOMPARE(sheet.entryGrid().number(b, UnitID), double(fx.f->unit("盒")));
    }
};

STOCKCHECK_TEST(TestCountRoad)
#include "tst_countroad.moc"
