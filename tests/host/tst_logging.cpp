#include "host/dberror.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "testmain.h"

#include <QTest>

#include <stdexcept>

namespace {

// Records what the count module asks of the log.
class FakeLogger : public HostLogger
{
public:
    bool enabled = true;
    bool throws = false;
    int enabledAsked = 0;
    QStringList started;
    QList<QPair<int, int>> ended; // handle, flag

    bool IsEnabled() override
    {
        ++enabledAsked;
        return enabled;
    }
    int LogStart(const QString &name) override
    {
        if (throws)
            throw std::runtime_error("log file gone");
        started << name;
        return 100 + int(started.size());
    }
    void LogEnd(int handle, int flag) override
    {
        if (throws)
            throw std::runtime_error("log file gone");
        ended.append({handle, flag});
    }
};

} // namespace

// The log brackets: looked up once, a disabled log is dropped, and nothing the
// log does reaches the operation.
class TestLogging : public QObject
{
    Q_OBJECT

    std::shared_ptr<FakeLogger> install()
    {
        auto logger = std::make_shared<FakeLogger>();
        shared().components.logger = logger;
        return logger;
    }

private slots:
    void init()
    {
        shared().reset();
        ResetLogging();
    }
    void cleanupTestCase()
    {
        shared().reset();
        ResetLogging();
    }

    void withoutLoggerHandlesAreZeroAndTheLookupIsNotRepeated()
    {
        QCOMPARE(LogStart(QStringLiteral("N5StockCheck.ICCheckInterface.PrintCheckBook")), 0);
        auto late = install(); // registered after the first lookup: never used
        QCOMPARE(LogStart(QStringLiteral("N5StockCheck.ICCheckInterface.CheckDataInput")), 0);
        LogEnd(0, 0);
        QCOMPARE(late->enabledAsked, 0);
        QVERIFY(late->started.isEmpty());
    }

    void disabledLoggerIsAskedOnceAndGetsNoRecords()
    {
        auto logger = install();
        logger->enabled = false;
        QCOMPARE(LogStart(QStringLiteral("a")), 0);
        LogEnd(0);
        logger->enabled = true; // too late: it was dropped
        QCOMPARE(LogStart(QStringLiteral("b")), 0);
        QCOMPARE(logger->enabledAsked, 1);
        QVERIFY(logger->started.isEmpty());
        QVERIFY(logger->ended.isEmpty());
    }

    void failingLoggerLeavesThePendingErrorIntact()
    {
        auto logger = install();
        logger->throws = true;
        const int handle = LogStart(QStringLiteral("x"));
        QCOMPARE(handle, 0);
        DbError original{QStringLiteral("deadlock"), QStringLiteral("UPDATE ICInvBackup SET FQtyAct = ?"), {3}};
        try {
            try {
                throw DbException(original);
            } catch (const DbException &) {
                LogEnd(handle, 0);
                throw;
            }
        } catch (const DbException &e) {
            QCOMPARE(e.error().message, original.message);
            QCOMPARE(e.error().statement, original.statement);
            QCOMPARE(e.error().binds, original.binds);
            return;
        }
        QFAIL("the error was lost");
    }
};

STOCKCHECK_TEST(TestLogging)
#include "tst_logging.moc"
