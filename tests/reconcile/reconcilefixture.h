#pragma once

#include "factories.h"
#include "fakeui.h"
#include "testdb.h"

#include "host/sharedstate.h"
#include "reconcile/selectlogic.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// One count row and the documents around it: item "R.001" (whole numbers, a
// secondary unit) in stock "01", place "A1", counted in process 1, whose snapshot
// saw stock documents up to FInterID `maxInterId` and was taken at `cutDate`.
class ReconcileFixture : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<Factories> m_f;
    FakeUi m_ui;
    QTemporaryDir m_settingsDir;
    int m_item = 0, m_other = 0, m_stock = 0, m_stock2 = 0, m_place = 0, m_place2 = 0, m_aux = 0;
    const QDate cutDate{2026, 3, 10};
    static constexpr int process = 1;
    static constexpr int otherProcess = 2;

    AppConnection &conn() { return m_db->conn(); }

    // A process with its one count row; book and counted quantities in base units.
    void addProcess(int type, int maxInterId, int maxMto, double book = 20, const QVariant &counted = 18)
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, "
                                                       "FOperatorID, FStatus, FBackupType, FMaxBillInterID, "
                                                       "FMaxMTOChangeID) VALUES (?, ?, ?, 16394, 0, ?, ?, ?)"),
                                        {process, QStringLiteral("202603100001"), Dialect::dateValue(cutDate), type,
                                         maxInterId, maxMto}));
        const QVariant act = counted.isValid() ? counted : QVariant(QMetaType::fromType<double>());
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, "
                                                       "FStockPlaceID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod, "
                                                       "FQty, FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty, FAuxCheckQty, "
                                                       "FMinus, FSecUnitID, FSecQty) "
                                                       "SELECT ?, FItemID, ?, ?, FUnitID, 'B1', 'M1', '', 0, ?, ?, ?, "
                                                       "?, ?, ?, 0, 0, ? FROM t_ICItem WHERE FItemID = ?"),
                                        {process, m_stock, m_place, book, book, act, act, act, act, book / 2, m_item}));
    }

    // The process information as the count sheet holds it.
    QVariantMap info(int type, int maxInterId, int maxMto) const
    {
        const QString id = QString::number(process);
        return {{id + QStringLiteral("|BackupType"), type},
                {id + QStringLiteral("|CuteDate"), Dialect::dateValue(cutDate)},
                {id + QStringLiteral("|MaxInterID"), maxInterId},
                {id + QStringLiteral("|MaxMTOChangeID"), maxMto}};
    }

    SelectContext rowContext(double book = 20, double counted = 18) const
    {
        return {.itemId = m_item,
                .itemNumber = QStringLiteral("R.001"),
                .stockName = QStringLiteral("原料仓"),
                .stockId = m_stock,
                .stockPlaceId = m_place,
                .batchNo = QStringLiteral("B1"),
                .mtoNo = QStringLiteral("M1"),
                .accountQty = book,
                .checkQty = counted};
    }

    // An entry on the counted line; tests change what they vary.
    factory::Entry line(double qty) const
    {
        return {.item = m_item,
                .qty = qty,
                .stock = m_stock,
                .place = m_place,
                .batch = "B1",
                .mto = "M1",
                .secQty = qty / 2};
    }

    std::unique_ptr<SelectLogic> logic(int type = 1, int maxInterId = 0, int maxMto = 0, bool mto = false)
    {
        auto l = std::make_unique<SelectLogic>(conn());
        l->setProcID(process);
        l->setDicupInfo(info(type, maxInterId, maxMto));
        l->setContext(rowContext());
        l->setQueryOptions(mto, true, QStringLiteral("chs"));
        return l;
    }

    // "FInterID:FSelectedProcID" of every stock document entry, for comparisons.
    QString reservations()
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT FInterID, FEntryID, COALESCE(FSelectedProcID, 0) AS p "
                                                     "FROM ICStockBillEntry ORDER BY FInterID, FEntryID"));
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << QStringLiteral("%1.%2:%3")
                       .arg(rs.integer(u"FInterID"))
                       .arg(rs.integer(u"FEntryID"))
                       .arg(rs.integer(u"p"));
        return out.join(QLatin1Char(' '));
    }

protected slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", m_settingsDir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }

    void init()
    {
        QFile::remove(m_settingsDir.filePath(QStringLiteral("StockCheck.ini")));
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        m_db->installShared();
        shared().ui = &m_ui;
        m_ui.clear();
        m_f = std::make_unique<Factories>(conn());
        const int group =
            m_f->unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}, {QStringLiteral("箱"), 2}});
        m_item = m_f->item({.number = "R.001",
                            .name = "轴承",
                            .unitGroup = group,
                            .secUnit = m_f->unit(QStringLiteral("箱")),
                            .secCoefficient = 2,
                            .batch = true});
        m_other = m_f->item({.number = "R.002", .name = "垫圈", .unitGroup = group});
        m_stock = m_f->stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        m_stock2 = m_f->stock(QStringLiteral("02"), QStringLiteral("成品仓"));
        m_place = m_f->stockPlace(m_stock, QStringLiteral("A1"), QStringLiteral("一号架"));
        m_place2 = m_f->stockPlace(m_stock, QStringLiteral("A2"), QStringLiteral("二号架"));
        m_aux = m_f->auxValue(1, QStringLiteral("C1"), QStringLiteral("红色"));
    }

    void cleanup()
    {
        shared().reset();
        m_f.reset();
        m_db.reset();
    }
};
