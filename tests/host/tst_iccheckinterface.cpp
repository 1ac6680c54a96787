#include "app/iccheckinterface.h"
#include "factories.h"
#include "fakeui.h"
#include "host/logging.h"
#include "hostrows.h"
#include "testmain.h"

#include <QTest>

using namespace hostrows;

namespace {

struct EntryRow
{
    int mode;
    bool snapshot, filterFirst, connectedAtCreation, cancel;
    QStringList opened; // "name key=value ...", the arguments in key order
};

} // namespace

// The entry class as the host drives it: what it writes into the shared state and
// which window each entry operation opens.
class TestEntryOperations : public HostDbTest
{
    Q_OBJECT

    FakeUi ui;
    std::shared_ptr<FakeLogger> logger;
    QStringList opened; // "name key=value ...", the arguments in key order
    bool cancelFilter = false;

    void addSnapshot()
    {
        QVERIFY_SQL(conn(),
                    addStock(conn(), 1, QStringLiteral("01"), QStringLiteral("01")) && addBackupRow(conn(), 1, 1, 1));
    }

private slots:
    void init()
    {
        HostDbTest::init();
        shared().connection = nullptr; // the host hands it over through LocalConnection
        ui.clear();
        shared().ui = &ui;
        opened.clear();
        cancelFilter = false;
        for (const char *window : {"frmMain", "frmFilter", "frmBackupInv"}) {
            const QString name = QString::fromLatin1(window);
            shared().components.windows.add(name, [this, name](const QVariantMap &args) {
                QString line = name;
                for (auto it = args.begin(); it != args.end(); ++it)
                    line += QLatin1Char(' ') + it.key() + QLatin1Char('=') + it.value().toString();
                opened << line;
                if (name == QLatin1String("frmFilter"))
                    shared().filterCancelled = cancelFilter;
                return QVariantMap();
            });
        }
        logger = std::make_shared<FakeLogger>();
        shared().components.logger = logger;
        ResetLogging();
    }
    void cleanup()
    {
        HostDbTest::cleanup();
        ResetLogging();
    }

    // The three count sheet operations, with and without snapshot rows, and the
    // filter dialog first. Only the data input (mode 4) stays open after its
    // operation returns.
    void sheetOperations_data()
    {
        QTest::addColumn<EntryRow>("row");
        const QString filter = QStringLiteral("frmFilter Option=0 ShowType=1");
        const QString check = QStringLiteral("frmMain Modal=true ShowType=1");
        QTest::addRow("CheckDataCheck") << EntryRow{1, true, false, false, false, {check}};
        QTest::addRow("PrintCheckBook") << EntryRow{3, true, false, false, false, {"frmMain Modal=true ShowType=3"}};
        QTest::addRow("CheckDataInput") << EntryRow{4, true, false, false, false, {"frmMain Modal=false ShowType=4"}};
        QTest::addRow("CheckDataCheck without snapshot") << EntryRow{1, false, false, false, false, {}};
        QTest::addRow("filter cancelled") << EntryRow{1, true, true, false, true, {filter}};
        QTest::addRow("filter accepted") << EntryRow{1, true, true, false, false, {filter, check}};
        QTest::addRow("connected at creation, filter cancelled") << EntryRow{1, true, true, true, true, {filter}};
    }
    void sheetOperations()
    {
        QFETCH(EntryRow, row);
        if (row.snapshot)
            addSnapshot();
        if (row.filterFirst)
            Factories(conn()).systemParam(QStringLiteral("IC"), QStringLiteral("ShowFilterBeforeCheck"),
                                          QStringLiteral("1"));
        cancelFilter = row.cancel;
        shared().filterSettings.filter = SqlFragment(QStringLiteral("FQty > ?"), {1});
        shared().filterSettings.sortBy = QStringLiteral("FName");
        if (row.connectedAtCreation)
            shared().connection = &conn();
        ICCheckInterface entry;
        QCOMPARE(shared().showFilterBeforeCheck, row.connectedAtCreation);
        entry.LocalConnection(&conn());
        QCOMPARE(shared().showFilterBeforeCheck, row.filterFirst);
        entry.OperaterID(3);
        const char *operation = row.mode == 1 ? "CheckDataCheck" : row.mode == 3 ? "PrintCheckBook" : "CheckDataInput";
        row.mode == 1 ? entry.CheckDataCheck(5) : row.mode == 3 ? entry.PrintCheckBook() : entry.CheckDataInput();
        QCOMPARE(shared().operatorId, row.mode == 1 ? 5 : 3);
        // a missing snapshot is not a failure: the bracket is closed normally
        QCOMPARE(logger->records, (QStringList{QStringLiteral("start N5StockCheck.ICCheckInterface.") + operation,
                                               QStringLiteral("end 101 0")}));
        QCOMPARE(opened, row.opened);
        QCOMPARE(ui.messageTexts(),
                 row.snapshot ? QStringList() : QStringList{QStringLiteral("仓库数据还未备份,请备份仓库数据!")});
        // the filter dialog's choice is kept; without the dialog none is left over
        QCOMPARE(shared().filterSettings.sortBy, row.filterFirst ? QStringLiteral("FName") : QString());
    }

    void windowNotOfferedYetIsAnnounced()
    {
        ICCheckInterface entry;
        entry.LocalConnection(&conn());
        entry.BackupCheckData();
        shared().components.windows.clear();
        entry.BackupCheckData();
        QCOMPARE(opened, QStringList{QStringLiteral("frmBackupInv")});
        QCOMPARE(ui.messageTexts(), QStringList{QStringLiteral("此功能尚未提供")});
    }
};

STOCKCHECK_TEST(TestEntryOperations)
#include "tst_iccheckinterface.moc"
