#include "additemfixture.h"
#include "testmain.h"

#include "additions/additemlogic.h"
#include "erp/gldata.h"
#include "erp/lookupquery.h"
#include "host/countparams.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using Field = AddItemLogic::Field;

namespace {

// The batch picker's options as the dialog asks for them.
class RecordingLookup : public BaseDataLookup
{
public:
    QVariantMap batchOptions;
    LookupRecord lookup(int, const QVariantMap &) override { return {}; }
    LookupRecord listLookup(const QString &table, const QVariantMap &options) override
    {
        if (table == QLatin1String("Batch"))
            batchOptions = options;
        return {};
    }
};

} // namespace

// Adding goods that have no count row: the checks of the dialog in their order,
// and what the append leaves in the count rows, read back from the database.
class TestAddItem : public AddItemTestBase
{
    Q_OBJECT

    // A dialog with the screw (counted in boxes of 10) in the plain stock.
    std::unique_ptr<AddItemLogic> screwEntry(const QString &qty)
    {
        auto logic = std::make_unique<AddItemLogic>(m_process, QDate(2026, 3, 15));
        logic->enterItem(QStringLiteral("1.01.001"));
        logic->enterStock(QStringLiteral("01"));
        logic->enterNumber(Field::Qty, qty);
        return logic;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init() { setUpData(); }
    void cleanup() { tearDownData(); }

    // Each acceptance check stops the entry with its message, on its field, and
    // writes nothing.
    void refusedEntries_data()
    {
        QTest::addColumn<QStringList>("typed"); // field=value, in the order typed
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("field");
        const auto row = [](const char *name, const QStringList &typed, const char *message, Field field) {
            QTest::addRow("%s", name) << typed << QString::fromUtf8(message) << int(field);
        };
        row("no item", {"stock=01", "qty=1"}, "必须输入物料！", Field::Item);
        row("no stock", {"item=1.01.001", "qty=1"}, "仓库不存在，请输入！", Field::Stock);
        row("batch of blanks", {"item=1.01.002", "stock=01", "batch=   ", "qty=1"}, "此项物料采用批次管理请输入批次！",
            Field::Batch);
        row("stock with places, no place", {"item=1.01.001", "stock=02", "qty=1"}, "此仓库采用仓位管理请输入仓位！",
            Field::StockPlace);
        row("shelf life without a period", {"item=1.01.003", "stock=01", "kfperiod=0", "qty=1"},
            "此项物料采用保质期管理请输入保质期信息！", Field::KFPeriod);
        row("aux class without a value", {"item=1.01.004", "stock=01", "qty=1"},
            "此项物料采辅助属性管理请输入辅助属性！", Field::AuxProp);
        row("serial item with an MTO number", {"item=1.01.005", "stock=01", "mto=M1", "qty=1"},
            "此项物料启用了序列号管理，计划跟踪号必须为空！", Field::MtoNo);
        row("negative count", {"item=1.01.001", "stock=01", "qty=-1"}, "“盘点数量”不能为负数。", Field::Qty);
        row("more places than the item has", {"item=1.01.001", "stock=01", "qty=1.234"},
            "“盘点数量”最多只能有2位小数。", Field::Qty);
        row("beyond what is stored", {"item=1.01.001", "stock=01", "adj=-99999999999"},
            "数量超出允许的范围：“调整数量”的绝对值不能超过9,999,999,999.9999。", Field::AdjQty);
    }
    void refusedEntries()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(int, field);
        const QStringList before = rows();
        AddItemLogic logic(m_process, QDate(2026, 3, 15));
        for (const QString &t : typed) {
            const QString name = t.section(QLatin1Char('='), 0, 0);
            const QString value = t.section(QLatin1Char('='), 1);
            if (name == QLatin1String("item"))
                logic.enterItem(value);
            else if (name == QLatin1String("stock"))
                logic.enterStock(value);
            else if (name == QLatin1String("batch"))
                logic.setBatchNo(value);
            else if (name == QLatin1String("mto"))
                logic.enterMtoNo(value);
            else if (name == QLatin1String("kfperiod"))
                logic.enterNumber(Field::KFPeriod, value);
            else if (name == QLatin1String("qty"))
                logic.enterNumber(Field::Qty, value);
            else if (name == QLatin1String("adj"))
                logic.enterNumber(Field::AdjQty, value);
        }
        m_ui.clear();
        QSignalSpy focus(&logic, &AddItemLogic::focusRequested);
        QVERIFY(!logic.cmdOK());
        QCOMPARE(m_ui.messageTexts(), QStringList{message});
        QCOMPARE(m_ui.messages.first().icon, HostUi::Icon::Information);
        QCOMPARE(focus.size(), 1);
        QCOMPARE(focus.first().first().value<Field>(), Field(field));
        QCOMPARE(rows(), before);
    }

    // A new row has no book stock: everything counted is gain. The chosen unit
    // (boxes of 10) converts the count to pieces; the adjustment lowers the gain.
    // Texts with quotes are stored as typed.
    void newRowFigures()
    {
        AddItemLogic logic(m_process, QDate(2026, 3, 15));
        QVERIFY(logic.enterItem(QStringLiteral("LS"))); // by help code
        QCOMPARE(logic.fields().unitName, QStringLiteral("盒"));
        QVERIFY(logic.enterStock(QStringLiteral("02")));
        QVERIFY(logic.enterStockPlace(QStringLiteral("A01")));
        logic.setBatchNo(QStringLiteral("B'1\"; DROP TABLE ICInvBackup; --"));
        QVERIFY(logic.enterNumber(Field::Qty, QStringLiteral("3")));
        QVERIFY(logic.enterNumber(Field::AdjQty, QStringLiteral("1")));
        QVERIFY(logic.enterNumber(Field::SecQty, QStringLiteral("30")));
        logic.setNote(QStringLiteral("货架下"));
        QVERIFY(logic.cmdADD());
        QCOMPARE(m_ui.messageTexts(), QStringList());
        // the dialog is cleared for the next entry
        QCOMPARE(logic.fields().itemId, 0);
        QCOMPARE(logic.fields().qty, QString());
        QCOMPARE(logic.added(), 1);
        Recordset rs = conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FStockID = ?"),
                                      {m_process, m_placed});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(u"FBatchNo"), QStringLiteral("B'1\"; DROP TABLE ICInvBackup; --"));
        QCOMPARE(rs.text(u"FNote"), QStringLiteral("货架下"));
        QCOMPARE(rs.integer(u"FUnitID"), m_box);
        QCOMPARE(rs.integer(u"FSecUnitID"), m_pack);
        QVERIFY(rs.integer(u"FStockPlaceID") > 0);
        QCOMPARE(rs.text(u"FKFDate"), QString()); // not kept by shelf life: no date in the key
        QVERIFY(!rs.Fields(u"FDateBackup").isNull());
        Recordset snap = conn().Execute(
            QStringLiteral("SELECT FMaxBillInterID FROM ICInvBackup WHERE FInterID = ? AND FStockID = ?"),
            {m_process, m_plain});
        QCOMPARE(rs.Fields(u"FMaxBillInterID"), snap.Fields(u"FMaxBillInterID"));
        const QList<std::pair<const char *, double>> figures{
            {"FQty", 0},         {"FAuxQty", 0},     {"FSecQty", 0},   {"FCheckQty", 30}, {"FQtyAct", 30},
            {"FAuxCheckQty", 3}, {"FAuxQtyAct", 3},  {"FAdjQty", 1},   {"FMinus", 20},    {"FSecCheckQty", 30},
            {"FSecQtyAct", 30},  {"FSecAdjQty", 10}, {"FSecMinus", 20}};
        for (const auto &[field, value] : figures)
            QVERIFY2(rs.number(QString::fromLatin1(field)) == value, field);
    }

    // The same key twice adds the second count to the first; with the warning on
    // only after the question, and "no" writes nothing.
    void sameKeyAccumulates_data()
    {
        QTest::addColumn<bool>("alert");
        QTest::addColumn<int>("answer"); // HostUi::Answer
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("kfRow"); // the milk's row after the two entries
        const QString twice = QStringLiteral("1.01.003  2026-03-15 0 5 5 5 0 5 0 0 0");
        const QString once = QStringLiteral("1.01.003  2026-03-15 0 2 2 2 0 2 0 0 0");
        QTest::newRow("warning off") << false << int(HostUi::Answer::Yes) << 0 << twice;
        QTest::newRow("warning on, yes") << true << int(HostUi::Answer::Yes) << 1 << twice;
        QTest::newRow("warning on, no") << true << int(HostUi::Answer::No) << 1 << once;
    }
    void sameKeyAccumulates()
    {
        QFETCH(bool, alert);
        QFETCH(int, answer);
        QFETCH(int, questions);
        QFETCH(QString, kfRow);
        SetAlertSameRecord(alert);
        for (const char *qty : {"2", "3"}) {
            AddItemLogic logic(m_process, QDate(2026, 3, 15));
            QVERIFY(logic.enterItem(QStringLiteral("1.01.003")));
            QCOMPARE(logic.fields().kfPeriod, QStringLiteral("180"));
            logic.enterStock(QStringLiteral("01"));
            logic.enterNumber(Field::Qty, QLatin1String(qty));
            m_ui.answers = {HostUi::Answer(answer)};
            logic.cmdOK();
        }
        QCOMPARE(m_ui.questions.size(), questions);
        if (questions)
            QCOMPARE(m_ui.questions.first(), QStringLiteral("已有相同记录，保存后将会累加盘点数量，是否继续？"));
        const QStringList all = rows();
        QCOMPARE(all.size(), 2); // the screw's snapshot row and the milk's
        QCOMPARE(all.last(), kfRow);
    }

    // Base and secondary differences of opposite signs (or a secondary difference
    // without a base one), or a row already recounted, roll the whole entry back:
    // the row keeps its figures.
    void refusedAppendRollsBack_data()
    {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("secQty");
        QTest::addColumn<bool>("recounted");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        const QString direction = QStringLiteral("添加物料基本单位与辅助计量单位盘盈盘亏方向不一致，添加失败！");
        // the screw's row: book 5 boxes (50 pieces), 20 secondary; counted from 0
        QTest::newRow("gain in boxes, loss in the secondary unit")
            << QStringLiteral("6") << QStringLiteral("1") << false << int(SnapshotRowAppend::Outcome::Direction)
            << direction;
        QTest::newRow("no base difference, a secondary one") << QStringLiteral("5") << QStringLiteral("21") << false
                                                             << int(SnapshotRowAppend::Outcome::Direction) << direction;
        QTest::newRow("recounted row") << QStringLiteral("6") << QStringLiteral("24") << true
                                       << int(SnapshotRowAppend::Outcome::Recounted)
                                       << QStringLiteral(
                                              "这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。");
    }
    void refusedAppendRollsBack()
    {
        QFETCH(QString, qty);
        QFETCH(QString, secQty);
        QFETCH(bool, recounted);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        const QString flag = QStringLiteral("UPDATE ICInvBackup SET FReCheckFlag = ? WHERE FInterID = ?");
        QVERIFY_SQL(conn(), conn().Exec(flag, {recounted ? 1 : 0, m_process}));
        const QStringList before = rows();
        auto logic = screwEntry(qty);
        QVERIFY(logic->enterNumber(Field::SecQty, secQty));
        QVERIFY(!logic->cmdADD());
        QCOMPARE(m_ui.messageTexts(), QStringList{message});
        QCOMPARE(int(logic->lastOutcome()), outcome);
        QCOMPARE(logic->fields().qty, qty); // the entry stays in the dialog
        QCOMPARE(rows(), before);
        // a consistent count of the same row, not recounted, goes through
        QVERIFY_SQL(conn(), conn().Exec(flag, {0, m_process}));
        m_ui.clear();
        auto ok = screwEntry(QStringLiteral("6"));
        QVERIFY(ok->enterNumber(Field::SecQty, QStringLiteral("24")));
        QVERIFY(ok->cmdADD());
        QCOMPARE(ok->lastOutcome(), SnapshotRowAppend::Outcome::Accumulated);
    }

    // A statement failing inside the append leaves nothing of the entry behind.
    void failureWritesNothing()
    {
        const QStringList before = rows();
        conn().setStatementHook([](const QString &sql, const QVariantList &) {
            return sql.contains(QLatin1String("SET FMinus")) ? QStringLiteral("disk full") : QString();
        });
        auto logic = screwEntry(QStringLiteral("1"));
        logic->enterStock(QStringLiteral("02"));
        logic->enterStockPlace(QStringLiteral("A01"));
        QVERIFY(!logic->cmdOK());
        conn().setStatementHook({});
        QCOMPARE(logic->lastOutcome(), SnapshotRowAppend::Outcome::Failed);
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY(m_ui.messages.first().details.contains(QLatin1String("disk full")));
        QCOMPARE(rows(), before);
    }

    // Items are found by barcode as by number; an unknown number asks
    // whether to type again (yes keeps the text, no clears the item).
    void itemLookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("number"); // the item number shown afterwards
        QTest::addColumn<bool>("found");
        QTest::newRow("barcode") << QStringLiteral("6901234567892") << 0 << QStringLiteral("1.01.005") << true;
        QTest::newRow("unknown, type again")
            << QStringLiteral("9.99") << int(HostUi::Answer::Yes) << QStringLiteral("9.99") << false;
        QTest::newRow("unknown, give up") << QStringLiteral("9.99") << int(HostUi::Answer::No) << QString() << false;
    }
    void itemLookup()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, number);
        QFETCH(bool, found);
        AddItemLogic logic(m_process, QDate(2026, 3, 15));
        m_ui.answers = {HostUi::Answer(answer)};
        QCOMPARE(logic.enterItem(typed), found);
        QCOMPARE(logic.fields().itemNumber, number);
        QCOMPARE(logic.fields().itemId > 0, found);
        QCOMPARE(m_ui.questions.size(), found ? 0 : 1);
        if (found)
            QVERIFY(logic.fields().serial);
    }

    // Blind counting: a counter picks a batch without its stock quantity; the
    // accountant, or anybody while it is off, sees it.
    void batchPickerWhileBlind_data()
    {
        QTest::addColumn<bool>("blind");
        QTest::addColumn<bool>("mayViewReports");
        QTest::addColumn<bool>("qtyShown");
        QTest::newRow("counter, blind") << true << false << false;
        QTest::newRow("accountant, blind") << true << true << true;
        QTest::newRow("counter, not blind") << false << false << true;
    }
    void batchPickerWhileBlind()
    {
        QFETCH(bool, blind);
        QFETCH(bool, mayViewReports);
        QFETCH(bool, qtyShown);
        countparams::setValue(conn(), *countparams::find(QStringLiteral("BlindCount")),
                              blind ? QStringLiteral("1") : QStringLiteral("0"));
        if (mayViewReports)
            erp::grantRights(conn(), shared().operatorId, {GLData::Right::ViewCountReport});
        auto lookup = std::make_shared<RecordingLookup>();
        shared().components.lookup = lookup;
        AddItemLogic logic(m_process, QDate(2026, 3, 15));
        QVERIFY(logic.enterItem(QStringLiteral("1.01.002")));
        logic.lookup(Field::Batch);
        const auto query = erp::LookupQuery::forTable(QStringLiteral("Batch"), lookup->batchOptions);
        QVERIFY(query);
        QStringList shown;
        for (const erp::LookupColumn &c : query->shownColumns())
            shown << c.field;
        QCOMPARE(shown.contains(QStringLiteral("FQty")), qtyShown);
    }

    // stockcheck-cli add-item: the same checks and append; the same-record
    // question is answered by --yes, without it the command refuses with its text.
    void commandLine()
    {
        SetAlertSameRecord(true);
        m_f->systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")); // full numbers
        const auto run = [this](const QStringList &extra, QString *out, QString *err) {
            QProcess p;
            p.start(QStringLiteral(STOCKCHECK_CLI),
                    QStringList{"add-item", "--db", m_db->url(), "--user", QString::number(shared().operatorId),
                                "--process", QString::number(m_process), "--item", "1.01.003", "--stock", "01",
                                "--kfdate", "2026-03-01"} +
                        extra);
            if (!p.waitForFinished(60000))
                return -1;
            *out = QString::fromUtf8(p.readAllStandardOutput());
            *err = QString::fromUtf8(p.readAllStandardError());
            return p.exitCode();
        };
        QString out, err;
        QVERIFY2(run({"--qty", "2"}, &out, &err) == 0, qPrintable(err));
        QVERIFY2(out.contains(QLatin1String("result\tinserted\n")), qPrintable(out));
        QCOMPARE(run({"--qty", "3"}, &out, &err), 1);
        QCOMPARE(err.trimmed(), QStringLiteral("已有相同记录，保存后将会累加盘点数量，是否继续？"));
        QCOMPARE(run({"--qty", "3", "--yes"}, &out, &err), 0);
        QVERIFY2(out.contains(QLatin1String("FCheckQty\t5\n")), qPrintable(out));
        QCOMPARE(run({"--qty", "1e3"}, &out, &err), 2);
        QCOMPARE(rows().size(), 2);
    }
};

STOCKCHECK_TEST(TestAddItem)
#include "tst_additem.moc"
