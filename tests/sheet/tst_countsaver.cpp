#include "fakeui.h"
#include "host/sharedstate.h"
#include "sheet/countsaver.h"
#include "sheet/entryrules.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

using namespace EntryCol;
using Result = CountSaver::SaveResult;

namespace {

const int process = 1;
const int checker = 7;

// One count row: in ICInvBackup and in the grid, as the sheet shows it.
struct Spec
{
    int item = 1;
    int unit = 1;
    int aux = 0;
    QString batch, mto, kfDate; // kfDate "yyyy-MM-dd"
    int kfPeriod = 0, stock = 1, place = 0;
    double book = 0, k = 1, rate = 0, secBook = 0, diff = 0, secDiff = 0;
    int decimals = 0;
};

// The figures a test reads back from a count row.
struct Stored
{
    double checkQty, qtyAct, auxCheckQty, auxQtyAct, adjQty, secQtyAct, secCheckQty, secAdjQty, minus, secMinus;
    QString complexQty, note;
    int checker;
    bool counted; // FCheckQty is not NULL
};

} // namespace

// Saving the entry grid into the count rows: the figures written, the row checks,
// the batches and what a failing batch leaves behind, on the engine of this run.
class TestCountSaver : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    FakeUi ui;
    EntryGrid grid;
    EntrySession session;
    AppConnection &conn() { return db->conn(); }

    bool insert(const Spec &s)
    {
        auto t = [](const QString &v) { return v.isNull() ? QStringLiteral("") : v; }; // the key texts are NOT NULL
        return conn().Exec(
            QStringLiteral(
                "INSERT INTO ICInvBackup (FInterID, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FStockID,"
                " FStockPlaceID, FKFDate, FKFPeriod, FQty, FAuxQty, FSecQty, FSecUnitID)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"),
            {process, s.item, s.aux, s.unit, t(s.batch), t(s.mto), s.stock, s.place, t(s.kfDate), s.kfPeriod, s.book,
             s.k == 0 ? 0.0 : s.book / s.k, s.secBook});
    }
    void show(int r, const Spec &s)
    {
        grid.setDecimals(r, s.decimals);
        grid.setNumber(r, ItemID, s.item);
        grid.setText(r, StockName, QStringLiteral("仓库%1").arg(s.stock));
        grid.setText(r, SPName, s.place ? QStringLiteral("仓位%1").arg(s.place) : QString());
        grid.setText(r, ItemNumber, QStringLiteral("1.%1").arg(s.item));
        grid.setText(r, AuxPropName, s.aux ? QStringLiteral("属性%1").arg(s.aux) : QString());
        grid.setText(r, BatchNo, s.batch);
        grid.setText(r, MtoNo, s.mto);
        grid.setText(r, KFDate, QString(s.kfDate).replace(QLatin1Char('-'), QLatin1Char('/')));
        grid.setText(r, KFPeriod, QString::number(s.kfPeriod));
        grid.setText(r, UnitName, QStringLiteral("箱"));
        grid.setNumber(r, BaseBookQty, s.book);
        grid.setNumber(r, BookQty, s.k == 0 ? 0.0 : s.book / s.k);
        grid.setNumber(r, Coefficient, s.k);
        grid.setNumber(r, SecRate, s.rate);
        grid.setNumber(r, SecBookQty, s.secBook);
        grid.setNumber(r, DiffQty, s.diff);
        grid.setNumber(r, UnitDiffQty, s.k == 0 ? 0.0 : s.diff / s.k);
        grid.setNumber(r, SecDiffQty, s.secDiff);
        grid.setNumber(r, StockPlaceID, s.place);
        grid.setNumber(r, UnitID, s.unit);
        grid.setNumber(r, AuxPropID, s.aux);
        grid.setNumber(r, StockID, s.stock);
    }
    // Rows in the database and the grid; the grid gets no totals until an edit.
    bool load(const QList<Spec> &specs)
    {
        grid.resize(int(specs.size()));
        for (int r = 1; r <= grid.dataRows(); ++r) {
            if (!insert(specs.at(r - 1)))
                return false;
            show(r, specs.at(r - 1));
        }
        return true;
    }
    // `count` rows of item 1..count, each counted at its row number.
    bool loadCounted(int count)
    {
        QList<Spec> specs;
        for (int i = 1; i <= count; ++i)
            specs << Spec{.item = i, .book = 1};
        if (!load(specs))
            return false;
        for (int r = 1; r <= count; ++r)
            EntryRules::setCell(grid, r, CheckQty, QString::number(r), session);
        return true;
    }
    Stored stored(int item, int unit = 1)
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"
                                                     " AND FUnitID = ?"),
                                      {process, item, unit});
        if (rs.RecordCount() != 1)
            return {};
        auto n = [&](const char16_t *f) { return rs.number(QStringView(f)); };
        return {n(u"FCheckQty"),
                n(u"FQtyAct"),
                n(u"FAuxCheckQty"),
                n(u"FAuxQtyAct"),
                n(u"FAdjQty"),
                n(u"FSecQtyAct"),
                n(u"FSecCheckQty"),
                n(u"FSecAdjQty"),
                n(u"FMinus"),
                n(u"FSecMinus"),
                rs.text(u"FComplexQty"),
                rs.text(u"FNote"),
                rs.integer(u"FChecker"),
                !rs.value(0, u"FCheckQty").isNull()};
    }
    int countedRows()
    {
        Recordset rs =
            conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FCheckQty IS NOT NULL"));
        return rs.integer(u"n");
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
        shared().currentProcess = process;
        shared().operatorId = checker;
        shared().ui = &ui;
        ui.clear();
        session = EntrySession();
    }
    void cleanup()
    {
        grid.clear();
        db.reset();
        shared().reset();
    }

    void savedFiguresFollowTheRules_data()
    {
        QTest::addColumn<bool>("setBased");
        QTest::addRow("one statement pair per batch") << true;
        QTest::addRow("one statement pair per row") << false;
    }
    void savedFiguresFollowTheRules()
    {
        QFETCH(bool, setBased);
        const Spec a{.item = 1,
                     .aux = 4,
                     .batch = "B1 \\\"引'",
                     .mto = "M1",
                     .kfDate = "2024-03-05",
                     .kfPeriod = 180,
                     .place = 3,
                     .book = 24,
                     .k = 12,
                     .decimals = 2};
        const Spec b{.item = 2, .book = 10, .k = 1, .rate = 2, .secBook = 5, .diff = 2, .secDiff = 1};
        Spec c = a; // differs from a only by its unit
        c.unit = 2;
        QVERIFY_SQL(conn(), load({a, b, c}));
        session.complexQty = [](int, const QString &, double qty, const QString &) -> std::optional<QString> {
            return QString::number(qty) + QStringLiteral("个");
        };
        QStringList statusTexts;
        int focused = 0;
        CountSaver saver(grid, session, conn(), &ui);
        saver.setSetBased(setBased);
        saver.setStatusSink([&](const QString &t) { statusTexts << t; });
        saver.setFocusBarcode([&] { ++focused; });

        EntryRules::setCell(grid, 1, CheckQty, QStringLiteral("3"), session);
        EntryRules::setCell(grid, 1, AdjQty, QStringLiteral("0.5"), session);
        EntryRules::setCell(grid, 1, Note, QStringLiteral("盘点A \\ 'x'"), session);
        EntryRules::setCell(grid, 2, CheckQty, QStringLiteral("12"), session);
        EntryRules::setCell(grid, 2, SecCheckQty, QStringLiteral("8"), session);

        QCOMPARE(saver.SaveStockData(false), Result::Saved);
        QVERIFY(!session.dataChanged);
        QCOMPARE(statusTexts, (QStringList{QStringLiteral("正在保存数据,请稍候..."), QStringLiteral("就绪")}));
        QCOMPARE(focused, 1);
        QVERIFY(ui.messages.isEmpty() && ui.lists.isEmpty());

        const Stored sa = stored(1);
        QCOMPARE(sa.checkQty, 36.0);
        QCOMPARE(sa.qtyAct, 36.0);
        QCOMPARE(sa.auxCheckQty, 3.0);
        QCOMPARE(sa.auxQtyAct, 3.0);
        QCOMPARE(sa.adjQty, 0.5);
        QCOMPARE(sa.minus, 6.0); // 36 - 24 - 0.5 * 12
        QCOMPARE(sa.secMinus, 0.0);
        QCOMPARE(sa.note, QStringLiteral("盘点A \\ 'x'"));
        QCOMPARE(sa.complexQty, QStringLiteral("3个"));
        QCOMPARE(sa.checker, checker);

        const Stored sb = stored(2);
        QCOMPARE(sb.checkQty, 12.0);
        QCOMPARE(sb.qtyAct, 14.0);
        QCOMPARE(sb.auxQtyAct, 14.0);
        QCOMPARE(sb.secCheckQty, 8.0);
        QCOMPARE(sb.secQtyAct, 9.0);
        QCOMPARE(sb.secAdjQty, 0.0);
        QCOMPARE(sb.minus, 4.0);
        QCOMPARE(sb.secMinus, 4.0);
        QCOMPARE(sb.note, QString());
        QCOMPARE(grid.number(2, SecRate), 1.5);

        QVERIFY(!stored(1, 2).counted); // the row of the other unit was not touched
    }

    void rowCheck_data()
    {
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("actual");
        QTest::addColumn<double>("secBook");
        QTest::addColumn<double>("secActual");
        QTest::addColumn<double>("adjustment");
        QTest::addColumn<int>("kind");
        QTest::addRow("negative book, actual below it") << -5.0 << -7.0 << 0.0 << 0.0 << 0.0 << 1;
        QTest::addRow("negative book, actual above it") << -5.0 << -3.0 << 0.0 << 0.0 << 0.0 << 0;
        QTest::addRow("gain and secondary loss") << 10.0 << 12.0 << 5.0 << 4.0 << 0.0 << 2;
        QTest::addRow("gain in both") << 10.0 << 12.0 << 5.0 << 6.0 << 0.0 << 0;
        QTest::addRow("secondary gain only") << 10.0 << 10.0 << 5.0 << 6.0 << 0.0 << 2;
        QTest::addRow("base gain only") << 10.0 << 12.0 << 5.0 << 5.0 << 0.0 << 0;
        QTest::addRow("adjustment evens the base") << 10.0 << 16.0 << 0.0 << 0.0 << 1.0 << 0;
        QTest::addRow("binary noise is no difference") << 0.3 << 0.1 + 0.2 << 5.0 << 4.0 << 0.0 << 2;
    }
    void rowCheck()
    {
        QFETCH(double, book);
        QFETCH(double, actual);
        QFETCH(double, secBook);
        QFETCH(double, secActual);
        QFETCH(double, adjustment);
        QFETCH(int, kind);
        CountRowValues v;
        v.decimals = 2;
        v.accountQty = book;
        v.baseActual = actual;
        v.secUnitQty = secBook;
        v.secQtyAct = secActual;
        v.adjQty = adjustment;
        v.coefficient = 6;
        QCOMPARE(int(CountSaver::checkRow(v)), kind);
        QCOMPARE(CountSaver::checkMessage(RowCheck(kind)).isEmpty(), kind == 0);
    }

    void nothingToSave()
    {
        QVERIFY_SQL(conn(), loadCounted(3));
        grid.clearChangedMarks();
        CountSaver saver(grid, session, conn(), &ui);
        const qint64 before = conn().statementCount();
        QCOMPARE(saver.SaveStockData(true), Result::Saved); // changed, but no row marked
        QCOMPARE(conn().statementCount(), before);
        QVERIFY(!session.dataChanged);
        QCOMPARE(ui.questions.size(), 1);
        QCOMPARE(saver.SaveStockData(true), Result::NotChanged); // no question this time
        QCOMPARE(ui.questions.size(), 1);
    }

    void askingAndDeclining()
    {
        QVERIFY_SQL(conn(), loadCounted(2));
        CountSaver saver(grid, session, conn(), &ui);
        ui.answers << HostUi::Answer::No;
        QCOMPARE(saver.SaveStockData(true), Result::Declined);
        QCOMPARE(ui.questions, QStringList{QStringLiteral("盘点数据已经修改，是否保存？")});
        QVERIFY(session.dataChanged);
        QCOMPARE(countedRows(), 0);
        QCOMPARE(saver.SaveStockData(true), Result::Saved); // the queue is empty: Yes
        QCOMPARE(countedRows(), 2);
    }

    // Batches are cut by grid row number: after rows 100 and 200 and at the end.
    void batchesOfAHundredRows_data()
    {
        QTest::addColumn<QList<int>>("changed");
        QTest::addColumn<int>("batches");
        QList<int> all;
        for (int r = 1; r <= 250; ++r)
            all << r;
        QTest::addRow("250 changed rows") << all << 3;
        QTest::addRow("three rows far apart") << QList<int>{1, 150, 250} << 3;
        QTest::addRow("two rows in one hundred") << QList<int>{101, 199} << 1;
    }
    void batchesOfAHundredRows()
    {
        QFETCH(QList<int>, changed);
        QFETCH(int, batches);
        QVERIFY_SQL(conn(), loadCounted(250));
        grid.clearChangedMarks();
        for (int r : changed)
            grid.markChanged(r);
        int begins = 0;
        conn().setStatementHook([&](const QString &sql, const QVariantList &) {
            begins += sql.startsWith(QLatin1String("BEGIN"));
            return QString();
        });
        CountSaver saver(grid, session, conn(), &ui);
        QCOMPARE(saver.SaveStockData(false), Result::Saved);
        conn().setStatementHook({});
        QCOMPARE(begins, batches);
        QCOMPARE(countedRows(), int(changed.size()));
        QCOMPARE(stored(int(changed.last())).checkQty, double(changed.last()));
    }

    // A failing batch: the earlier ones stay, it is written not at all, the save
    // stops without a message, and the next save writes everything again.
    void failureInTheSecondBatch()
    {
        QVERIFY_SQL(conn(), loadCounted(250));
        int begins = 0;
        conn().setStatementHook([&](const QString &sql, const QVariantList &) {
            begins += sql.startsWith(QLatin1String("BEGIN"));
            // the last statement of batch 2, after its figures were written
            const bool last = begins == 2 && sql.contains(QLatin1String("FMinus"));
            return last ? QStringLiteral("disk full") : QString();
        });
        CountSaver saver(grid, session, conn(), &ui);
        QCOMPARE(saver.SaveStockData(false), Result::Failed);
        QCOMPARE(saver.lastError().message, QStringLiteral("disk full"));
        QVERIFY(session.dataChanged);
        QVERIFY(ui.messages.isEmpty() && ui.lists.isEmpty());
        QCOMPARE(ui.busyDepth, 0);
        QCOMPARE(countedRows(), 100);
        QVERIFY(stored(100).counted && !stored(101).counted && !stored(200).counted && !stored(201).counted);

        conn().setStatementHook({});
        EntryRules::setCell(grid, 5, CheckQty, QStringLiteral("55"), session);
        QCOMPARE(saver.SaveStockData(false), Result::Saved);
        QCOMPARE(countedRows(), 250);
        QCOMPARE(stored(5).checkQty, 55.0);
        QCOMPARE(stored(150).minus, 149.0);
    }

    void rejectedRowsAreListed_data()
    {
        QTest::addColumn<int>("mtoMode");
        QTest::addRow("without plan numbers") << 0;
        QTest::addRow("with plan numbers") << 1;
    }
    void rejectedRowsAreListed()
    {
        QFETCH(int, mtoMode);
        shared().enableMtoPlanMode = mtoMode;
        const Spec ok{.item = 1, .book = 2};
        const Spec negative{.item = 2, .batch = "B2", .mto = "M2", .kfDate = "2024-01-31", .kfPeriod = 30, .book = -5};
        const Spec ok2{.item = 3, .book = 1};
        QVERIFY_SQL(conn(), load({ok, negative, ok2}));
        EntryRules::setCell(grid, 1, CheckQty, QStringLiteral("3"), session);
        EntryRules::setCell(grid, 2, CheckQty, QStringLiteral("-7"), session);
        EntryRules::setCell(grid, 3, CheckQty, QStringLiteral("1"), session);
        CountSaver saver(grid, session, conn(), &ui);
        QCOMPARE(saver.SaveStockData(false), Result::Rejected);
        QVERIFY(session.dataChanged);
        QCOMPARE(countedRows(), 2);
        QVERIFY(!stored(2).counted);
        QCOMPARE(ui.lists.size(), 1);
        const FakeUi::ListShown &list = ui.lists.first();
        QCOMPARE(list.caption, QStringLiteral("盘点错误数据提示"));
        QStringList titles{"仓库", "仓位", "物料代码", "错误类型", "辅助属性", "批次", "生产/采购日期", "保质期(天)"};
        QStringList line{"仓库1", "",   "1.2",        CountSaver::checkMessage(RowCheck::NegativeBook),
                         "",      "B2", "2024/01/31", "30"};
        QList<int> widths{800, 600, 1100, 1600, 800, 600, 900, 800};
        if (mtoMode) {
            titles.insert(6, QStringLiteral("计划跟踪号"));
            line.insert(6, QStringLiteral("M2"));
            widths.insert(6, 800);
        }
        QCOMPARE(list.titles, titles);
        QCOMPARE(list.widths, widths);
        QCOMPARE(list.rows, QList<QStringList>{line});
    }

    void fillDiffQtyStoresTheRowAtOnce()
    {
        const Spec s{.item = 1, .book = 10, .k = 2, .decimals = 1};
        const Spec negative{.item = 2, .book = -5, .k = 1};
        QVERIFY_SQL(conn(), load({s, negative}));
        grid.setNumber(1, BaseCheckQty, 10);
        CountSaver saver(grid, session, conn(), &ui);
        CountSaver::RowWrite w = saver.FillDiffQty(1, true, 3, 0);
        QVERIFY(w.written);
        QCOMPARE(grid.number(1, BaseActualQty), 13.0);
        QCOMPARE(grid.number(1, UnitDiffQty), 1.5);
        QCOMPARE(grid.number(1, ActualQty), 6.5);
        QCOMPARE(stored(1).qtyAct, 13.0);
        QCOMPARE(stored(1).minus, 3.0);
        QVERIFY(session.dataChanged && grid.isChanged(1));

        grid.setNumber(2, BaseCheckQty, -6);
        w = saver.FillDiffQty(2, true, -1, 0); // actual -7 below the book -5
        QCOMPARE(w.check, RowCheck::NegativeBook);
        QVERIFY(!w.written && !stored(2).counted);
        QVERIFY(ui.messages.isEmpty());
    }

    void deleteAddedItem_data()
    {
        QTest::addColumn<double>("book");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        using D = CountSaver::DeleteResult;
        QTest::addRow("added row") << 0.0 << int(HostUi::Answer::Yes) << int(D::Deleted);
        QTest::addRow("book below the places") << 0.004 << int(HostUi::Answer::Yes) << int(D::Deleted);
        QTest::addRow("book stock") << 0.5 << int(HostUi::Answer::Yes) << int(D::Refused);
        QTest::addRow("answered No") << 0.0 << int(HostUi::Answer::No) << int(D::Declined);
    }
    void deleteAddedItem()
    {
        QFETCH(double, book);
        QFETCH(int, answer);
        QFETCH(int, result);
        const Spec keep{.item = 1, .batch = "B", .kfDate = "2024-03-05"};
        Spec added = keep;
        added.aux = 9; // same key but the auxiliary property
        added.book = book;
        added.decimals = 2;
        QVERIFY_SQL(conn(), load({keep, added}));
        ui.answers << HostUi::Answer(answer);
        CountSaver saver(grid, session, conn(), &ui);
        QCOMPARE(int(saver.deleteAddedItem(2)), result);
        QCOMPARE(ui.questions, QStringList{QStringLiteral("是否真的要删除此项物料？")});
        const bool deleted = result == int(CountSaver::DeleteResult::Deleted);
        Recordset rs = conn().Execute(QStringLiteral("SELECT FAuxPropID FROM ICInvBackup ORDER BY FAuxPropID"));
        QCOMPARE(rs.RecordCount(), deleted ? 1 : 2);
        QCOMPARE(rs.integer(u"FAuxPropID"), 0);
        if (result == int(CountSaver::DeleteResult::Refused))
            QCOMPARE(ui.messageTexts(), QStringList{QStringLiteral("不能删除有账存余额的物料")});
        QCOMPARE(int(saver.deleteAddedItem(grid.totalsRow())), int(CountSaver::DeleteResult::Nothing));
    }
};

STOCKCHECK_TEST(TestCountSaver)
#include "tst_countsaver.moc"
