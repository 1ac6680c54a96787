#pragma once

#include <QTemporaryDir>

// A counted process of N rows over the demo data, shared by the benchmarks of
// what follows a count (documents, export).

#include "benchutil.h"

#include "erp/demodata.h"
#include "erp/schema.h"
#include "erp/standins.h"
#include "host/appconnection.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"

#include <QCoreApplication>
#include <QUrl>
#include <QUrlQuery>

#include <cstdio>

namespace bench {

inline bool exec(AppConnection &c, const QString &sql, const QVariantList &binds = {})
{
    if (c.Exec(sql, binds))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(c.lastError().detailed()));
    return false;
}

inline int count(AppConnection &c, const QString &sql, const QVariantList &binds = {})
{
    return c.Execute(sql, binds).integer(u"n");
}

// Opens the database, sets it up and registers the host's stand-in components.
inline bool openHost(AppConnection &c, const QString &url)
{
    QString error;
    if (!c.open(url, &error) || (!erp::schemaExists(c) && !erp::createSchema(c, &error))) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    SharedState &s = shared();
    s.reset();
    s.connection = &c;
    erp::installStandIns(s.components, c);
    s.components.settings.reset(); // the person's settings stay out of it
    const int user = count(c, QStringLiteral("SELECT MIN(FUserID) AS n FROM t_user"));
    s.operatorId = user;
    ParseProps(QStringLiteral("UserID=%1;LANGUAGE=chs;").arg(user));
    return true;
}

// Demo master data and stock, then a process of `rows` rows: copies of the demo
// stock positions (a batch number of their own each), counted so that about half
// the rows have a gain of 2 and half a loss of 1, in base, row and secondary units.
inline bool prepareCount(AppConnection &c, int processId, int rows)
{
    QString error;
    if (!erp::hasData(c)) {
        erp::DemoOptions options;
        options.size = 4000;
        if (!erp::fillDemoData(c, options, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
    }
    const Dialect &d = c.dialect();
    const QString diff = QStringLiteral("(CASE WHEN (n.i + s.FItemID + s.FStockID) % 2 = 0 THEN 2 ELSE -1 END)");
    const bool ok =
        exec(c, QStringLiteral("DELETE FROM ICInvBackup WHERE FInterID = ?"), {processId}) &&
        exec(c, QStringLiteral("DELETE FROM ICStockCheckProcess WHERE FID = ?"), {processId}) &&
        exec(c,
             QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus,"
                            " FBackupType) SELECT ?, 'BENCH', ") +
                 d.now() + QStringLiteral(", MIN(FUserID), 0, 1 FROM t_user"),
             {processId}) &&
        exec(c,
             QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo,"
                            " FAuxPropID, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FBal, FDateBackup,"
                            " FCheckQty, FQtyAct, FAuxCheckQty, FAuxQtyAct, FSecCheckQty, FSecQtyAct, FMinus,"
                            " FSecMinus)"
                            " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
                            " SELECT CAST(? AS INTEGER), s.FItemID, s.FStockID, s.FStockPlaceID,"
                            " s.FBatchNo || '-' || CAST(n.i AS VARCHAR(8)), s.FMtoNo, s.FAuxPropID,"
                            " COALESCE(s.FKFDate, ''), s.FKFPeriod, t.FStoreUnitID, s.FQty, s.FQty, s.FSecQty,"
                            " s.FBal, ") +
                 d.now() +
                 QStringLiteral(", s.FQty + %1, s.FQty + %1, s.FQty + %1, s.FQty + %1, s.FSecQty + %1,"
                                " s.FSecQty + %1, %1, %1"
                                " FROM ICInventory s JOIN t_ICItem t ON t.FItemID = s.FItemID CROSS JOIN n"
                                " ORDER BY n.i, s.FItemID, s.FStockID LIMIT ?")
                     .arg(diff),
             {processId, rows});
    if (!ok)
        return false;
    c.Exec(QStringLiteral("ANALYZE"));
    const int made = count(c, QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ?"), {processId});
    if (made != rows)
        std::fprintf(stderr, "the demo stock gives %d rows, not %d\n", made, rows);
    shared().currentProcess = processId;
    return made == rows;
}

// Runs `run(label, url)` on a SQLite file and, when a server is named, in a
// schema of its own there (dropped afterwards).
template<class Run>
int onBothEngines(const QString &name, const QString &sqliteFile, const QString &pg, Run run)
{
    bool ok = run(QStringLiteral("SQLite"), QStringLiteral("sqlite:") + sqliteFile);
    if (pg.isEmpty()) {
        std::printf("PostgreSQL skipped: give --pg URL or STOCKCHECK_BENCH_PG\n");
        return ok ? 0 : 1;
    }
    const QString schema = QStringLiteral("%1_%2").arg(name).arg(qint64(QCoreApplication::applicationPid()));
    AppConnection admin;
    QString error;
    if (!admin.open(pg, &error) || !admin.Exec(QStringLiteral("CREATE SCHEMA \"%1\"").arg(schema))) {
        std::fprintf(stderr, "PostgreSQL: %s %s\n", qPrintable(error), qPrintable(admin.lastError().message));
        return 1;
    }
    ok = run(QStringLiteral("PostgreSQL"), bench::withSchema(pg, schema)) && ok;
    admin.Exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schema));
    return ok ? 0 : 1;
}

// The same with the server from the command line and the SQLite file in a
// temporary folder, or where --keep-db FILE says (to look at its plans later).
template<class Run>
int onBothEngines(const QString &name, const Args &args, Run run)
{
    QTemporaryDir dir;
    const QString file = args.text("--keep-db", dir.filePath(QStringLiteral("bench.db")));
    return onBothEngines(name, file, args.pg(), run);
}

} // namespace bench
