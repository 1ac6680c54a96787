#include "factories.h"
#include "fakeui.h"
#include "testdb.h"
#include "testmain.h"

#include "erp/documentmaker.h"
#include "erp/stockbills.h"
#include "erp/ui/billviewer.h"
#include "host/sharedstate.h"
#include "host/stockdocuments.h"
#include "model/maindo.h"
#include "sheet/documentoutput.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <map>

namespace {

// A count row: where it is, its book and counted base quantities and secondary
// difference; `link` puts it on a document before the run (-1: on one that exists).
struct CountRow
{
    int item, stock, place;
    double book, counted, secMinus;
    QString batch, mto, kfDate;
    int kfPeriod = 0;
    int link = 0;
    bool inStock = true; // has a current stock position
};

struct ItemInfo
{
    int decimals;
    double coefficient; // of the row's unit
    int id = 0;
};

constexpr int Process = 7;

// '' rather than NULL: the count rows' texts are never NULL.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}
constexpr int User = 16394;

} // namespace

// Gain and loss documents of a count, made by the host stand-in, and their audit:
// what the documents hold per stock, that nothing is made twice, that audited
// documents bring the stock to what was counted, and that a failure at any
// statement leaves the database as it was.
class TestStockDocuments : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<Factories> f;
    FakeUi ui;
    int stockA = 0, stockB = 0, place = 0, existingBill = 0;
    std::map<int, ItemInfo> items; // by item id
    QList<CountRow> rows;

    AppConnection &conn() { return db->conn(); }

    QString values(const char *sql)
    {
        Recordset rs = conn().Execute(QString::fromUtf8(sql));
        QStringList out;
        for (int i = 0; i < rs.fieldCount(); ++i)
            out << QString::number(Recordset::toNumber(rs.Fields(i)), 'f', 4);
        return out.join(QLatin1Char('|'));
    }

    // Everything a document run or an audit changes.
    QString state()
    {
        return values("SELECT (SELECT COUNT(*) FROM ICStockBill), (SELECT COUNT(*) FROM ICStockBillEntry),"
                      " (SELECT COUNT(*) FROM ICStockBill WHERE FCheckerID IS NOT NULL),"
                      " (SELECT COALESCE(SUM(FCurNo), 0) FROM icbillno),"
                      " (SELECT COUNT(FBillInterID) FROM ICInvBackup), (SELECT COALESCE(SUM(FBillInterID), 0) FROM "
                      "ICInvBackup), (SELECT COUNT(*) FROM ICInventory), (SELECT SUM(FQty) FROM ICInventory),"
                      " (SELECT SUM(FSecQty) FROM ICInventory), (SELECT FStatus FROM ICStockCheckProcess)");
    }

    void addRow(const CountRow &r)
    {
        const ItemInfo &it = items.at(r.item);
        const double minus = r.counted - r.book;
        QVariant link;
        if (r.link == -1)
            link = existingBill;
        else if (r.link > 0)
            link = r.link;
        else
            link = QVariant(QMetaType::fromType<int>());
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral(
                                    "INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FBatchNo, FMtoNo, FStockID,"
                                    " FStockPlaceID, FKFDate, FKFPeriod, FQty, FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty,"
                                    " FMinus, FSecQty, FSecQtyAct, FSecMinus, FBillInterID) VALUES (?, ?, ?, ?, ?, ?,"
                                    " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                {Process, r.item, it.id, text(r.batch), text(r.mto), r.stock, r.place, text(r.kfDate),
                                 r.kfPeriod, r.book, r.book / it.coefficient, r.counted, r.counted / it.coefficient,
                                 r.counted, minus, 2.0, 2.0 + r.secMinus, r.secMinus, link}));
        if (r.inStock)
            f->currentStock(r.item, r.stock, r.place, r.book,
                            {.batch = r.batch, .mto = r.mto, .kfDate = r.kfDate, .kfPeriod = r.kfPeriod, .secQty = 2});
    }

    // The rows a kind takes, as the documents must show them.
    static bool takes(const CountRow &r, const ItemInfo &it, int kind)
    {
        const double rounded = MainDo::NVRound(r.counted - r.book, it.decimals);
        return r.link != -1 && (kind == 1 ? rounded > 0 : rounded < 0);
    }

    void run(int kind, int *count, QList<int> *ids)
    {
        erp::DocumentMaker maker(conn());
        int process = Process;
        QString message;
        maker.MakeStockCheckBillNew(QStringLiteral("UserID=16394;UserName=demo"), process, message, kind, *count, ids);
    }

    void setPeriod(const QDate &start, const QDate &end, bool closing)
    {
        conn().Exec(QStringLiteral("DELETE FROM t_PeriodDate"));
        f->period(start.year(), start.month(), start, end);
        f->systemParam("IC", "CurrentYear", QString::number(start.year()));
        f->systemParam("IC", "CurrentPeriod", QString::number(start.month()));
        f->systemParam("IC", "BillStatus", closing ? "1" : "0");
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }

    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
        ui.clear();
        shared().ui = &ui;
        f = std::make_unique<Factories>(conn());
        const int group = f->unitGroup(QStringLiteral("数量"), {{"个", 1}, {"箱", 12}});
        const int piece = f->unit(QStringLiteral("个")), box = f->unit(QStringLiteral("箱"));
        const int a = f->item({.number = "1.01",
                               .name = "螺丝",
                               .unitGroup = group,
                               .storeUnit = box,
                               .secUnit = piece,
                               .secCoefficient = 6,
                               .qtyDecimal = 2,
                               .price = 0.5});
        const int b = f->item({.number = "1.02", .name = "螺母", .unitGroup = group, .qtyDecimal = 0});
        const int c = f->item({.number = "1.03", .name = "垫片", .unitGroup = group, .qtyDecimal = 1, .price = 3.5});
        items = {{a, {2, 12, box}}, {b, {0, 1, piece}}, {c, {1, 1, piece}}};
        stockA = f->stock("01", "原料仓");
        stockB = f->stock("02", "成品仓");
        place = f->stockPlace(stockA, "A1", "一号架");
        existingBill = f->document(TranType::Gain, {{.item = c, .qty = 3, .stock = stockB}},
                                   {.audited = false, .procId = Process});
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, "
                                               "FOperatorID) VALUES (?, 'P7', ?, ?)"),
                                {Process, Dialect::dateTimeValue(QDateTime::currentDateTime().addSecs(-60)), User}));
        // clang-format off
        rows = {
            {a, stockA, place, 24, 36.004, 1, "B1"},           // +12.00 in boxes of 12
            {b, stockA, 0, 10, 9.6, 0},                        // -0.4 rounds to 0: no document
            {c, stockA, place, 5, 2.55, 0},                    // -2.45 rounds to -2.5 (half away from zero)
            {b, stockA, 0, 3, 7, 0, "", "MTO1", "2026-01-05", 180}, // +4 with MTO number and production date
            {c, stockB, 0, 1, 1.04, 0},                        // +0.04 rounds to 0.0
            {b, stockB, 0, 8, 2, 0},                           // -6
            {a, stockB, 0, 12, 0.5, -1, "B2"},                 // -11.5
            {c, stockB, 0, 4, 7, 0, "B3", "", "", 0, -1},      // +3 already on a document: skipped
            {c, stockB, 0, 0, 2, 0, "B4", "", "", 0, 9999, false}, // +2 linked to a document gone: taken
        };
        // clang-format on
        for (const CountRow &r : rows)
            addRow(r);
        setPeriod(QDate::currentDate().addDays(-10), QDate::currentDate().addDays(10), false);
    }

    void cleanup()
    {
        conn().setStatementHook({});
        shared().ui = nullptr;
        shared().reset();
        f.reset();
        db.reset();
    }

    // Book plus gain minus loss: after both documents are audited every counted
    // position holds what was counted (the difference at the item's decimals), and
    // the process is finished.
    void auditBringsStockToCounted()
    {
        QList<int> all;
        for (int kind : {1, 2}) {
            int count = 0;
            QList<int> ids;
            run(kind, &count, &ids);
            all += ids;
        }
        QCOMPARE(all.size(), 4);
        for (int id : all)
            QCOMPARE(erp::auditStockBill(conn(), id, User), erp::AuditResult::Audited);
        QCOMPARE(erp::auditStockBill(conn(), all.first(), User), erp::AuditResult::AlreadyAudited);
        QCOMPARE(erp::auditStockBill(conn(), 424242, User), erp::AuditResult::NotFound);

        for (const CountRow &r : rows) {
            if (r.link == -1)
                continue;
            const ItemInfo &it = items.at(r.item);
            Recordset v = conn().Execute(
                QStringLiteral("SELECT SUM(FQty) AS q, SUM(FSecQty) AS s FROM ICInventory WHERE FItemID = ? AND"
                               " FStockID = ? AND FStockPlaceID = ? AND FBatchNo = ? AND FMtoNo = ? AND"
                               " COALESCE(FKFDate, '') = ? AND FKFPeriod = ? AND FAuxPropID = 0"),
                {r.item, r.stock, r.place, text(r.batch), text(r.mto), text(r.kfDate), r.kfPeriod});
            const QString where = QStringLiteral("item %1 stock %2 batch %3").arg(r.item).arg(r.stock).arg(r.batch);
            QCOMPARE(QString::number(MainDo::NVRound(v.number(u"q"), it.decimals), 'f', 4) + where,
                     QString::number(r.book + MainDo::NVRound(r.counted - r.book, it.decimals), 'f', 4) + where);
            const double sec = takes(r, it, 1) || takes(r, it, 2) ? 2 + r.secMinus : 2;
            QCOMPARE(v.number(u"s"), r.inStock ? sec : r.secMinus);
        }
        QCOMPARE(values("SELECT FStatus FROM ICStockCheckProcess"), QStringLiteral("1.0000"));
        QCOMPARE(values("SELECT COUNT(*) FROM ICStockBill WHERE FCheckerID = 16394"), QStringLiteral("4.0000"));
    }

    // The viewer lists the documents handed to it with the entries of the selected
    // one; Audit posts that one and is then disabled for it.
    void viewerAuditsTheSelectedDocument()
    {
        int count = 0;
        QList<int> ids;
        run(1, &count, &ids);
        erp::BillViewer viewer(conn(), ids, User);
        auto *bills = viewer.findChild<QTableView *>(QStringLiteral("lstBills"));
        auto *entries = viewer.findChild<QTableView *>(QStringLiteral("lstEntries"));
        auto *audit = viewer.findChild<QPushButton *>(QStringLiteral("cmdAudit"));
        QVERIFY(bills && entries && audit);
        QCOMPARE(bills->model()->rowCount(), 2);
        QCOMPARE(entries->model()->rowCount(), 2); // stock A: the box row and the MTO row
        QVERIFY(audit->isEnabled());
        QTest::mouseClick(audit, Qt::LeftButton);
        QVERIFY2(ui.lastMessage().endsWith(QStringLiteral("审核完成。")), qPrintable(ui.lastMessage()));
        QVERIFY(!audit->isEnabled());
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FCheckerID FROM ICStockBill WHERE FInterID = ?"), {ids.first()});
        QCOMPARE(rs.integer(u"FCheckerID"), User);
        QCOMPARE(values("SELECT FStatus FROM ICStockCheckProcess"), QStringLiteral("1.0000"));
    }

    // The command line: one line per document, nothing to make is not a failure,
    // a refusal exits 1 with the window's message; audit posts by number once.
    void commandLine()
    {
        f->user(QStringLiteral("demo"), {}, User);
        const auto cli = [this](const QStringList &args) {
            return runProgram(QStringLiteral(STOCKCHECK_CLI),
                              args + QStringList{"--db", db->url(), "--user", QString::number(User)});
        };
        const QStringList gain{"documents", "--process", QString::number(Process), "--kind", "gain"};
        ProgramRun r = cli(gain);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.trimmed().split(QLatin1Char('\n')),
                 QStringList({"PYIN000001\t01\t2\t16.0000", "PYIN000002\t02\t1\t2.0000"}));
        r = cli(gain);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("没有需要输出的单据。"));

        r = cli({"audit", "--bill", "PYIN000002"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("单据PYIN000002审核完成。"));
        r = cli({"audit", "--bill", "PYIN000002"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.trimmed(), QStringLiteral("单据PYIN000002已审核。"));

        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckProcess SET FDate = ?"),
                                        {Dialect::dateTimeValue(QDateTime::currentDateTime().addDays(-20))}));
        r = cli({"documents", "--process", QString::number(Process), "--kind", "loss"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.trimmed(), QStringLiteral("输出盘点单必须在本期间起始日期之后!"));
        QCOMPARE(values("SELECT COUNT(*) FROM ICStockBill WHERE FTranType = 43"), QStringLiteral("0.0000"));
    }

    // A failure at any statement leaves nothing half made or half posted; a failed
    // request is told with its reason and reports -99.
    void failureAtAnyStatementLeavesNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("audit");
        QTest::addRow("making gain documents") << 1 << false;
        QTest::addRow("auditing a loss document") << 2 << true;
    }
    void failureAtAnyStatementLeavesNothing()
    {
        QFETCH(int, kind);
        QFETCH(bool, audit);
        int target = 0;
        if (audit) {
            int count = 0;
            QList<int> ids;
            run(kind, &count, &ids);
            QVERIFY(!ids.isEmpty());
            target = ids.last();
        }
        shared().currentProcess = Process;
        MainDo model; // reads its parameters when it is made, before the request
        int failures = 0;
        for (int k = 1;; ++k) {
            QVERIFY2(k < 60, "the run never succeeded");
            const QString before = state();
            int seen = 0;
            conn().setStatementHook(
                [&](const QString &, const QVariantList &) { return ++seen == k ? "injected failure" : QString(); });
            bool ok = false;
            if (audit) {
                DbError error;
                const erp::AuditResult r = erp::auditStockBill(conn(), target, User, &error);
                ok = r == erp::AuditResult::Audited;
                if (!ok)
                    QVERIFY2(error.message.contains(QLatin1String("injected failure")), qPrintable(error.message));
            } else {
                int count = 0, result = 0;
                ui.clear();
                model.OutCheckBill(kind, count, result);
                ok = result == -1;
                if (!ok) {
                    QCOMPARE(result, -99);
                    QCOMPARE(ui.lastMessage(), QStringLiteral("盘点单据输出不成功:injected failure"));
                }
            }
            conn().setStatementHook({});
            if (seen < k) {
                QVERIFY(ok);
                QVERIFY(state() != before);
                break;
            }
            ++failures;
            QVERIFY2(!ok, qPrintable(QStringLiteral("statement %1 failed, the run went on").arg(k)));
            QCOMPARE(state(), before);
        }
        QVERIFY(failures >= 4);
    }

    // The window's checks before the request: a closed period and a snapshot from
    // before the period start refuse with their message, the status bar ends at
    // "就绪" once it was touched, and a run with nothing to make says nothing.
    void outputChecks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<int>("snapshotDaysAgo");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("statuses");
        const QStringList working{"正在输出盘点单据,请稍候...", "就绪"};
        QTest::addRow("period closed") << 1 << true << 0 << int(DocumentOutput::Outcome::ClosedPeriod)
                                       << "当前期间已经关账，不能新增当前及以前期间单据。" << QStringList();
        QTest::addRow("snapshot before the period") << 1 << false << 20 << int(DocumentOutput::Outcome::EarlySnapshot)
                                                    << "输出盘点单必须在本期间起始日期之后!" << working;
        QTest::addRow("gain made") << 1 << false << 0 << int(DocumentOutput::Outcome::Made) << "盘盈单已生成2张"
                                   << working;
        QTest::addRow("closing on, on the last day of the period")
            << 2 << true << 0 << int(DocumentOutput::Outcome::Made) << "盘亏单已生成2张" << working;
    }
    void outputChecks()
    {
        QFETCH(int, kind);
        QFETCH(bool, closing);
        QFETCH(int, snapshotDaysAgo);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        QFETCH(QStringList, statuses);
        const QDate today = QDate::currentDate();
        // closing refuses while today lies before the end of the current period
        const bool periodOver = closing && outcome != int(DocumentOutput::Outcome::ClosedPeriod);
        setPeriod(today.addDays(-10), periodOver ? today : today.addDays(10), closing);
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckProcess SET FDate = ?"),
                                        {Dialect::dateTimeValue(QDateTime(today.addDays(-snapshotDaysAgo), {}))}));
        QStringList seen;
        MainDo model;
        const DocumentOutput::Result r = DocumentOutput::run(
            model, kind, Process, [&](const QString &text) { seen << text; }, false);
        QCOMPARE(int(r.outcome), outcome);
        QCOMPARE(seen, statuses);
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY2(ui.lastMessage().startsWith(message), qPrintable(ui.lastMessage()));
        QCOMPARE(ui.busyDepth, 0);
        const bool made = r.outcome == DocumentOutput::Outcome::Made;
        QCOMPARE(r.documents.size(), made ? 2 : 0);
        QCOMPARE(values("SELECT COUNT(*) FROM ICStockBill"), made ? QStringLiteral("3.0000") : "1.0000");
        // nothing left to make: no message, the status bar back at ready
        if (made) {
            ui.clear();
            seen.clear();
            const DocumentOutput::Result again = DocumentOutput::run(
                model, kind, Process, [&](const QString &text) { seen << text; }, false);
            QCOMPARE(int(again.outcome), int(DocumentOutput::Outcome::Nothing));
            QCOMPARE(values("SELECT COUNT(*) FROM ICStockBill"), QStringLiteral("3.0000"));
            QVERIFY(ui.messages.isEmpty());
            QCOMPARE(seen.last(), QStringLiteral("就绪"));
        }
    }
};

STOCKCHECK_TEST(TestStockDocuments)
#include "tst_stockdocuments.moc"
