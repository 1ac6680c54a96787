#pragma once

#include "factories.h"
#include "fakeui.h"
#include "testdb.h"

#include "host/appconnection.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "snapshot/icbackupinv.h"

#include <QTest>

#include <memory>

// A fresh database per test with the host stand-ins, a scripted person, the
// accounting year 2026 (current period 3) and an operator.
struct SnapshotFixture
{
    std::unique_ptr<TestDb> db;
    std::unique_ptr<Factories> f;
    FakeUi ui;
    int user = 0;

    AppConnection &conn() { return db->conn(); }

    bool setUp()
    {
        db = std::make_unique<TestDb>();
        QString error;
        if (!db->open(&error)) {
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
            return false;
        }
        db->installShared();
        shared().ui = &ui;
        f = std::make_unique<Factories>(conn());
        user = f->user(QStringLiteral("张三"));
        shared().operatorId = user;
        ParseProps(QStringLiteral("UserID=%1;UserName=张三;LANGUAGE=chs;").arg(user));
        for (int month = 1; month <= 12; ++month) {
            const QDate start(2026, month, 1);
            f->period(2026, month, start, start.addMonths(1).addDays(-1));
        }
        f->systemParam(QStringLiteral("IC"), QStringLiteral("StartYear"), QStringLiteral("2026"));
        f->systemParam(QStringLiteral("IC"), QStringLiteral("StartPeriod"), QStringLiteral("1"));
        f->systemParam(QStringLiteral("IC"), QStringLiteral("CurrentYear"), QStringLiteral("2026"));
        f->systemParam(QStringLiteral("IC"), QStringLiteral("CurrentPeriod"), QStringLiteral("3"));
        return !QTest::currentTestFailed();
    }

    void tearDown()
    {
        f.reset();
        db.reset();
        shared().reset();
        ui.clear();
    }

    // The dictionary the dialog builds for a current-stock snapshot of `stocks`.
    SnapshotParams params(const QList<int> &stocks, const QDate &date = QDate(2026, 3, 15)) const
    {
        SnapshotParams p;
        p.setValue(SnapshotParams::Stock, SnapshotParams::joinIds(stocks));
        p.setValue(SnapshotParams::IsCutDate, false);
        p.setValue(SnapshotParams::CutDate, date.toString(QStringLiteral("yyyy-MM-dd")));
        p.setValue(SnapshotParams::Operater, user);
        return p;
    }

    // One BackUpData call with the dialog's flags; the new FID, or 0.
    int snapshot(SnapshotParams p, bool cutOff = false, const QDate &date = QDate(2026, 3, 15))
    {
        ICBackupInv engine;
        QString table;
        bool ok = false;
        engine.BackUpData(p, cutOff, date, false, true, false, false, table, ok);
        return ok && engine.processCreated() ? engine.processId() : 0;
    }

    int scalar(const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = conn().Execute(sql, binds);
        return rs.isOpen() && !rs.isEmpty() ? int(Recordset::toNumber(rs.Fields(0))) : -1;
    }
    // Every row of a query in one line: fields joined by " ", rows by "; "; NULL
    // as "NULL", whole days as "yyyy-MM-dd". Compares and prints in one go.
    QString values(const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = conn().Execute(sql, binds);
        if (!rs.isOpen())
            return conn().lastError().detailed();
        QStringList rows;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const QVariant v = rs.Fields(i);
                fields << (v.isNull() ? QStringLiteral("NULL")
                           : v.metaType().id() == QMetaType::QDateTime
                               ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd"))
                           : v.metaType().id() == QMetaType::Double ? QString::number(v.toDouble())
                                                                    : v.toString());
            }
            rows << fields.join(QLatin1Char(' '));
        }
        return rows.join(QStringLiteral("; "));
    }
    // The item names of a process's rows, sorted.
    QStringList names(int processId)
    {
        const QString all = values(QStringLiteral("SELECT t.FName FROM ICInvBackup b JOIN t_ICItem t ON t.FItemID ="
                                                  " b.FItemID WHERE b.FInterID = ?"),
                                   {processId});
        QStringList out = all.isEmpty() ? QStringList() : all.split(QStringLiteral("; "));
        out.sort();
        return out;
    }
    int counter() { return scalar(QStringLiteral("SELECT FCurNo FROM icbillno WHERE FBillID = -1")); }
    int processes() { return scalar(QStringLiteral("SELECT COUNT(*) FROM ICStockCheckProcess")); }
    int countRows() { return scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup")); }
};

// One count row as the tests compare it: the position and its book quantities.
struct CountRow
{
    int item = 0, stock = 0, place = 0;
    QString batch, mto, kfDate;
    double qty = 0, auxQty = 0, secQty = 0;

    QString key() const
    {
        return QStringLiteral("%1/%2/%3/%4/%5/%6").arg(item).arg(stock).arg(place).arg(batch, mto, kfDate);
    }
};

inline QList<CountRow> countRows(AppConnection &conn, int processId)
{
    Recordset rs = conn.Execute(QStringLiteral("SELECT FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FKFDate, "
                                               "FQty, FAuxQty, FSecQty FROM ICInvBackup WHERE FInterID = ? "
                                               "ORDER BY FStockID, FStockPlaceID, FItemID, FBatchNo, FMtoNo, FKFDate"),
                                {processId});
    QList<CountRow> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        rows << CountRow{rs.integer(u"FItemID"), rs.integer(u"FStockID"), rs.integer(u"FStockPlaceID"),
                         rs.text(u"FBatchNo"),   rs.text(u"FMtoNo"),      rs.text(u"FKFDate"),
                         rs.number(u"FQty"),     rs.number(u"FAuxQty"),   rs.number(u"FSecQty")};
    return rows;
}

// "key=qty" per row, sorted: a readable comparison of whole snapshots.
inline QStringList quantities(const QList<CountRow> &rows)
{
    QStringList out;
    for (const CountRow &r : rows)
        out << r.key() + QLatin1Char('=') + QString::number(r.qty, 'g', 12);
    out.sort();
    return out;
}
