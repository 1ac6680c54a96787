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
        const char *ic[][2] = {
            {"StartYear", "2026"}, {"StartPeriod", "1"}, {"CurrentYear", "2026"}, {"CurrentPeriod", "3"}};
        for (const auto &[key, value] : ic)
            f->systemParam("IC", key, value);
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

    // A statement of the set-up; false (and the test failed) with the database's message.
    bool exec(const QString &sql, const QVariantList &binds = {})
    {
        if (conn().Exec(sql, binds))
            return true;
        QTest::qFail(qPrintable(conn().lastError().detailed()), __FILE__, __LINE__);
        return false;
    }
    int scalar(const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = conn().Execute(sql, binds);
        return rs.isOpen() && !rs.isEmpty() ? int(Recordset::toNumber(rs.Fields(0))) : -1;
    }
    // The rows of a query as texts: NULL as "NULL", whole days as "yyyy-MM-dd",
    // numbers without trailing zeros (NUMERIC and REAL read alike).
    QList<QStringList> rows(const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = conn().Execute(sql, binds);
        if (!rs.isOpen())
            return {{conn().lastError().detailed()}};
        QList<QStringList> out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const QVariant v = rs.Fields(i);
                const int type = v.metaType().id();
                fields << (v.isNull()                     ? QStringLiteral("NULL")
                           : type == QMetaType::QDateTime ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd"))
                           : type == QMetaType::Double    ? QString::number(v.toDouble(), 'g', 12)
                                                          : v.toString());
            }
            out << fields;
        }
        return out;
    }
    // Every row of a query in one line: fields joined by " ", rows by "; ".
    QString values(const QString &sql, const QVariantList &binds = {})
    {
        QStringList lines;
        for (const QStringList &row : rows(sql, binds))
            lines << row.join(QLatin1Char(' '));
        return lines.join(QStringLiteral("; "));
    }
    // A process's count rows as "item/stock/place/batch/mto/kfdate=qty", sorted.
    QStringList positions(int processId)
    {
        QStringList out;
        for (QStringList row : rows("SELECT FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FKFDate,"
                                    " FQty FROM ICInvBackup WHERE FInterID = ?",
                                    {processId})) {
            for (QString &field : row)
                if (field == QLatin1String("NULL"))
                    field.clear();
            const QString qty = QString::number(Recordset::toNumber(row.takeLast()), 'g', 12);
            out << row.join(QLatin1Char('/')) + QLatin1Char('=') + qty;
        }
        out.sort();
        return out;
    }
    // The item names of a process's rows, sorted.
    QStringList names(int processId)
    {
        QStringList out;
        for (const QStringList &row : rows("SELECT t.FName FROM ICInvBackup b JOIN t_ICItem t ON t.FItemID = b.FItemID"
                                           " WHERE b.FInterID = ?",
                                           {processId}))
            out << row.first();
        out.sort();
        return out;
    }
    int counter() { return scalar(QStringLiteral("SELECT FCurNo FROM icbillno WHERE FBillID = -1")); }
    int processes() { return scalar(QStringLiteral("SELECT COUNT(*) FROM ICStockCheckProcess")); }
};
