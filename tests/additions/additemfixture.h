#pragma once

#include "factories.h"
#include "fakeui.h"
#include "testdb.h"

#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "snapshot/icbackupinv.h"

#include <QObject>
#include <QTest>

#include <memory>

// A fresh database per test with goods of every kind the add-item dialog treats
// apart (a screw counted in boxes of 10 with a secondary unit, a batch item, a
// shelf-life item, an item with auxiliary properties, a serial-numbered item), a
// plain stock and a stock with places, and a count process over both.
class AddItemTestBase : public QObject
{
protected:
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<Factories> m_f;
    FakeUi m_ui;
    int m_process = 0;
    int m_plain = 0, m_placed = 0, m_box = 0, m_pack = 0;

    AppConnection &conn() { return m_db->conn(); }

    // The count rows of the process with their figures, one comparable line each.
    QStringList rows()
    {
        Recordset rs = conn().Execute(
            QStringLiteral("SELECT b.FBatchNo, b.FKFDate, b.FQty, b.FCheckQty, b.FAuxCheckQty, b.FQtyAct, b.FAdjQty,"
                           " b.FMinus, b.FSecCheckQty, b.FSecAdjQty, b.FSecMinus, i.FNumber FROM ICInvBackup b"
                           " JOIN t_ICItem i ON i.FItemID = b.FItemID WHERE b.FInterID = ?"
                           " ORDER BY i.FNumber, b.FBatchNo"),
            {m_process});
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList line{rs.text(u"FNumber"), rs.text(u"FBatchNo"), rs.text(u"FKFDate")};
            for (const char *f : {"FQty", "FCheckQty", "FAuxCheckQty", "FQtyAct", "FAdjQty", "FMinus", "FSecCheckQty",
                                  "FSecAdjQty", "FSecMinus"})
                line << QString::number(rs.number(QString::fromLatin1(f)), 'g', 12);
            out << line.join(QLatin1Char(' '));
        }
        return out;
    }

    void setUpData()
    {
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        m_db->installShared();
        shared().ui = &m_ui;
        m_f = std::make_unique<Factories>(conn());
        const int user = m_f->user(QStringLiteral("张三"));
        shared().operatorId = user;
        ParseProps(QStringLiteral("UserID=%1;LANGUAGE=chs;").arg(user));
        m_f->period(2026, 3, QDate(2026, 3, 1), QDate(2026, 3, 31));
        for (const char *key : {"StartYear", "CurrentYear"})
            m_f->systemParam(QStringLiteral("IC"), QLatin1String(key), QStringLiteral("2026"));
        for (const char *key : {"StartPeriod", "CurrentPeriod"})
            m_f->systemParam(QStringLiteral("IC"), QLatin1String(key), QStringLiteral("3"));
        const int group =
            m_f->unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}, {QStringLiteral("盒"), 10}});
        m_box = m_f->unit(QStringLiteral("盒"));
        m_pack = m_f->unit(QStringLiteral("个"));
        const int screw = m_f->item({.number = "1.01.001",
                                     .name = "螺丝",
                                     .unitGroup = group,
                                     .storeUnit = m_box,
                                     .secUnit = m_pack,
                                     .qtyDecimal = 2,
                                     .helpCode = "LS"});
        m_f->item({.number = "1.01.002", .name = "胶水", .batch = true});
        m_f->item({.number = "1.01.003", .name = "牛奶", .kfPeriod = 180});
        m_f->item({.number = "1.01.004", .name = "衬衫", .auxClass = 3001});
        m_f->item({.number = "1.01.005", .name = "电机", .serial = true, .barcode = "6901234567892"});
        m_f->auxValue(3001, QStringLiteral("RED"), QStringLiteral("红色"));
        m_plain = m_f->stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        m_placed = m_f->stock(QStringLiteral("02"), QStringLiteral("成品仓"));
        m_f->stockPlace(m_placed, QStringLiteral("A01"), QStringLiteral("A区01"));
        // the screw has book stock in the plain stock: 5 boxes, 20 pieces as secondary
        m_f->currentStock(screw, m_plain, 0, 50, {.secQty = 20});
        SnapshotParams params;
        params.setValue(SnapshotParams::Stock, SnapshotParams::joinIds({m_plain, m_placed}));
        params.setValue(SnapshotParams::IsCutDate, false);
        params.setValue(SnapshotParams::Operater, user);
        ICBackupInv engine;
        QString table;
        bool ok = false;
        engine.BackUpData(params, false, QDate(2026, 3, 15), false, true, false, false, table, ok);
        if (!ok || !engine.processCreated())
            QTest::qFail("the snapshot was not taken", __FILE__, __LINE__);
        m_process = engine.processId();
        SetAlertSameRecord(false);
    }

    void tearDownData()
    {
        m_f.reset();
        m_db.reset();
        shared().reset();
        m_ui.clear();
    }
};
