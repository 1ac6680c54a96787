#pragma once

#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/sharedstate.h"
#include "testdb.h"

#include <QStringList>
#include <QTest>

#include <stdexcept>

// What the shared-service tests need beyond the factories: stocks with a chosen
// short number, bare count rows, a log that records what it is asked, and a
// fresh database per test.
namespace hostrows {

inline bool addStock(AppConnection &c, int id, const QString &number, const QString &shortNumber, int typeId = 500,
                     int deleted = 0)
{
    const QString name = QStringLiteral("仓库") + number;
    return c.Exec(QStringLiteral("INSERT INTO t_Item (FItemID, FItemClassID, FNumber, FShortNumber, FName, FFullName)"
                                 " VALUES (?, 5, ?, ?, ?, ?)"),
                  {id, number, shortNumber, name, name}) &&
           c.Exec(QStringLiteral("INSERT INTO t_Stock (FItemID, FNumber, FShortNumber, FName, FFullName, FTypeID,"
                                 " FIsStockMgr, FDeleted) VALUES (?, ?, ?, ?, ?, ?, 0, ?)"),
                  {id, number, shortNumber, name, name, typeId, deleted});
}

inline bool addBackupRow(AppConnection &c, int processId, int itemId, int stockId, int maxBillInterId = 0,
                         const QString &kfDate = QStringLiteral(""))
{
    return c.Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FKFDate,"
                                 " FMaxBillInterID) VALUES (?, ?, 1, ?, ?, ?)"),
                  {processId, itemId, stockId, kfDate, maxBillInterId});
}

// The values of one field over all rows, as texts: compares and prints in one line.
inline QStringList column(Recordset rs, QStringView field)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        out << rs.text(field);
    return out;
}

// Records "start <name>" and "end <handle> <flag>"; can be disabled or made to throw.
class FakeLogger : public HostLogger
{
public:
    bool enabled = true;
    bool throws = false;
    int enabledAsked = 0;
    QStringList records;

    bool IsEnabled() override
    {
        ++enabledAsked;
        return enabled;
    }
    int LogStart(const QString &name) override
    {
        record(QStringLiteral("start ") + name);
        return 100 + int(records.size());
    }
    void LogEnd(int handle, int flag) override { record(QStringLiteral("end %1 %2").arg(handle).arg(flag)); }

private:
    void record(const QString &line)
    {
        if (throws)
            throw std::runtime_error("log file gone");
        records << line;
    }
};

} // namespace hostrows

// A fresh database for every test function, installed in the shared state.
class HostDbTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

protected slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        db->installShared();
    }
    void cleanup()
    {
        shared().reset();
        db.reset();
    }
};
