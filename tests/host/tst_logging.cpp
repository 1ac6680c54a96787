#include "host/dberror.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "hostrows.h"
#include "testmain.h"

#include <QTest>

using hostrows::FakeLogger;

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
    void cleanupTestCase() { init(); }

    void loggerIsLookedUpOnce()
    {
        QCOMPARE(LogStart(QStringLiteral("N5StockCheck.ICCheckInterface.PrintCheckBook")), 0);
        auto late = install(); // registered after the first lookup: never used
        QCOMPARE(LogStart(QStringLiteral("N5StockCheck.ICCheckInterface.CheckDataInput")), 0);
        LogEnd(0, 0);
        QCOMPARE(late->enabledAsked, 0);
        QVERIFY(late->records.isEmpty());
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
        QVERIFY(logger->records.isEmpty());
    }

    void failingLoggerLeavesThePendingErrorIntact()
    {
        install()->throws = true;
        const int handle = LogStart(QStringLiteral("x"));
        QCOMPARE(handle, 0);
        const DbError original{QStringLiteral("deadlock"), QStringLiteral("UPDATE ICInvBackup SET FQtyAct = ?"), {3}};
        try {
            throw DbException(original);
        } catch (const DbException &e) {
            LogEnd(handle, 0); // neither throws nor touches the error being handled
            QCOMPARE(e.error().message, original.message);
            QCOMPARE(e.error().statement, original.statement);
            QCOMPARE(e.error().binds, original.binds);
        }
    }
};

STOCKCHECK_TEST(TestLogging)
#include "tst_logging.moc"
