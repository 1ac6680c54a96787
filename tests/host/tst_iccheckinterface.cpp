#include "fakeui.h"
#include "host/iccheckinterface.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "hostrows.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

using namespace hostrows;

namespace {

// Windows that only record how they were opened. A modeless window stays "open"
// after its opener returns, as the count sheet of mode 4 does.
struct FakeWindows
{
    QList<QPair<QString, QVariantMap>> opened;
    QStringList stillOpen;
    bool cancelFilter = false;

    void registerAll(WindowRegistry &registry, const QStringList &names)
    {
        for (const QString &name : names) {
            registry.add(name, [this, name](const QVariantMap &args) {
                opened.append({name, args});
                if (name == QLatin1String("frmFilter"))
                    shared().filterCancelled = cancelFilter;
                if (args.contains(QStringLiteral("Modal")) && !args.value(QStringLiteral("Modal")).toBool())
                    stillOpen << name;
                return QVariantMap();
            });
        }
    }
    QStringList names() const
    {
        QStringList out;
        for (const auto &o : opened)
            out << o.first;
        return out;
    }
};

class RecordingLogger : public HostLogger
{
public:
    QStringList records;
    bool IsEnabled() override { return true; }
    int LogStart(const QString &name) override
    {
        records << QStringLiteral("start ") + name;
        return int(records.size());
    }
    void LogEnd(int, int flag) override { records << QStringLiteral("end %1").arg(flag); }
};

const QString notBackedUp = QStringLiteral("仓库数据还未备份,请备份仓库数据!");

} // namespace

// The entry class as the host drives it: what it writes into the shared state and
// which window each entry operation opens.
class TestEntryOperations : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    FakeUi ui;
    FakeWindows windows;
    std::shared_ptr<RecordingLogger> logger;

    AppConnection &conn() { return db->conn(); }

    void addSnapshot()
    {
        QVERIFY_SQL(conn(), addStock(conn(), 1, QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("成品仓")));
        QVERIFY_SQL(conn(), addBackupRow(conn(), 1, 1, 1));
    }

    // The three count sheet operations by mode.
    static void runSheet(ICCheckInterface &entry, int mode)
    {
        switch (mode) {
        case 1:
            entry.CheckDataCheck(5);
            break;
        case 3:
            entry.PrintCheckBook();
            break;
        default:
            entry.CheckDataInput();
        }
    }

    static void sheetModes()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("logName");
        QTest::addRow("CheckDataCheck") << 1 << "N5StockCheck.ICCheckInterface.CheckDataCheck";
        QTest::addRow("PrintCheckBook") << 3 << "N5StockCheck.ICCheckInterface.PrintCheckBook";
        QTest::addRow("CheckDataInput") << 4 << "N5StockCheck.ICCheckInterface.CheckDataInput";
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
        shared().connection = nullptr; // the host hands it over through LocalConnection
        ui.clear();
        shared().ui = &ui;
        windows = FakeWindows();
        windows.registerAll(shared().components.windows,
                            {QStringLiteral("frmMain"), QStringLiteral("frmFilter"), QStringLiteral("frmBackupInv"),
                             QStringLiteral("frmChkStockProc")});
        logger = std::make_shared<RecordingLogger>();
        shared().components.logger = logger;
        ResetLogging();
    }
    void cleanup()
    {
        shared().reset();
        ResetLogging();
        db.reset();
    }

    void checkDataCheckOverwritesTheOperator()
    {
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        entry.OperaterID(3);
        QCOMPARE(shared().operatorId, 3);
        entry.CheckDataCheck(7);
        QCOMPARE(shared().operatorId, 7);
    }

    void withoutSnapshotRowsNoSheetOpens_data() { sheetModes(); }
    void withoutSnapshotRowsNoSheetOpens()
    {
        QFETCH(int, mode);
        QFETCH(QString, logName);
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        runSheet(entry, mode);
        QCOMPARE(ui.messageTexts(), QStringList{notBackedUp});
        QVERIFY(windows.opened.isEmpty());
        // no snapshot is not a failure: the bracket is closed normally
        QCOMPARE(logger->records, (QStringList{QStringLiteral("start ") + logName, QStringLiteral("end 0")}));
    }

    void sheetOpensInItsMode_data() { sheetModes(); }
    void sheetOpensInItsMode()
    {
        QFETCH(int, mode);
        addSnapshot();
        if (QTest::currentTestFailed())
            return;
        shared().filterSettings.filter = SqlFragment(QStringLiteral("FQty > ?"), {1});
        shared().filterSettings.sortBy = QStringLiteral("FName");
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        runSheet(entry, mode);
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(windows.names(), QStringList{QStringLiteral("frmMain")});
        const QVariantMap args = windows.opened.first().second;
        QCOMPARE(args.value(QStringLiteral("ShowType")).toInt(), mode);
        QCOMPARE(args.value(QStringLiteral("Modal")).toBool(), mode != 4);
        QCOMPARE(shared().showType, mode);
        // the operation has returned; only the data-input sheet is still open
        QCOMPARE(windows.stillOpen, mode == 4 ? QStringList{QStringLiteral("frmMain")} : QStringList());
        QVERIFY(shared().filterSettings.filter.isEmpty());
        QVERIFY(shared().filterSettings.sortBy.isEmpty());
    }

    void filterFirst_data()
    {
        QTest::addColumn<bool>("connectedAtCreation");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("opened");
        QTest::addRow("cancelled") << false << true << QStringList{"frmFilter"};
        QTest::addRow("accepted") << false << false << QStringList{"frmFilter", "frmMain"};
        QTest::addRow("connected at creation, cancelled") << true << true << QStringList{"frmFilter"};
    }
    void filterFirst()
    {
        QFETCH(bool, connectedAtCreation);
        QFETCH(bool, cancel);
        QFETCH(QStringList, opened);
        addSnapshot();
        if (QTest::currentTestFailed())
            return;
        QVERIFY_SQL(conn(), setProfile(conn(), QStringLiteral("ShowFilterBeforeCheck"), QStringLiteral("1")));
        windows.cancelFilter = cancel;
        const QString chosenSort = QStringLiteral("FStockName Desc");
        shared().filterSettings.sortBy = chosenSort;
        if (connectedAtCreation)
            shared().connection = &conn();
        ICCheckInterface entry;
        QCOMPARE(shared().showFilterBeforeCheck, connectedAtCreation);
        entry.LocalConnection(&conn());
        QVERIFY(shared().showFilterBeforeCheck);
        entry.CheckDataCheck(1);
        QCOMPARE(windows.names(), opened);
        QVERIFY(ui.messages.isEmpty());
        const QVariantMap filterArgs = windows.opened.first().second;
        QCOMPARE(filterArgs.value(QStringLiteral("ShowType")).toInt(), 1);
        QCOMPARE(filterArgs.value(QStringLiteral("Option")).toInt(), 0);
        QCOMPARE(shared().filterSettings.sortBy, chosenSort); // the dialog's choice is kept
    }

    void otherEntriesOpenTheirWindows()
    {
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        entry.BackupCheckData();
        const QVariantMap context{
            {QStringLiteral("UserID"), 16394}, {QStringLiteral("CurYear"), 2026}, {QStringLiteral("CurPeriod"), 3}};
        entry.DisChkStockProc(context);
        QCOMPARE(windows.names(), (QStringList{QStringLiteral("frmBackupInv"), QStringLiteral("frmChkStockProc")}));
        QCOMPARE(shared().hostContext, context);
        entry.IsTest(true);
        QVERIFY(shared().isTest);
        ICCheckInterface again; // each creation clears test mode
        QVERIFY(!shared().isTest);
    }

    void windowsNotOfferedYetAreAnnounced()
    {
        addSnapshot();
        if (QTest::currentTestFailed())
            return;
        shared().components.windows.clear();
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        entry.BackupCheckData();
        entry.CheckDataInput();
        QCOMPARE(ui.messageTexts(), (QStringList{QStringLiteral("此功能尚未提供"), QStringLiteral("此功能尚未提供")}));
    }
};

STOCKCHECK_TEST(TestEntryOperations)
#include "tst_iccheckinterface.moc"
