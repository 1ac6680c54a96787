#pragma once

#include "host/appconnection.h"

#include <QDate>
#include <QString>

// The few host rows the shared-service tests need, written with bound values.
namespace hostrows {

inline bool setProfile(AppConnection &c, const QString &key, const QString &value,
                       const QString &category = QStringLiteral("IC"))
{
    return c.Exec(QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES (?, ?, ?)"),
                  {category, key, value});
}

inline bool addStock(AppConnection &c, int id, const QString &number, const QString &shortNumber,
                     const QString &fullName, int typeId = 500, int deleted = 0)
{
    return c.Exec(QStringLiteral("INSERT INTO t_Item (FItemID, FItemClassID, FNumber, FShortNumber, FName, FFullName)"
                                 " VALUES (?, 5, ?, ?, ?, ?)"),
                  {id, number, shortNumber, fullName, fullName}) &&
           c.Exec(QStringLiteral("INSERT INTO t_Stock (FItemID, FNumber, FShortNumber, FName, FFullName, FTypeID,"
                                 " FIsStockMgr, FDeleted) VALUES (?, ?, ?, ?, ?, ?, 0, ?)"),
                  {id, number, shortNumber, fullName, fullName, typeId, deleted});
}

struct Item
{
    int id;
    QString number, shortNumber, helpCode;
    int erpClsId = 1;
    int deleted = 0;
};

inline bool addItem(AppConnection &c, const Item &i)
{
    return c.Exec(
        QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FHelpCode, FErpClsID,"
                       " FDeleted) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {i.id, i.number, i.shortNumber, QStringLiteral("物料") + i.number, i.helpCode, i.erpClsId, i.deleted});
}

inline bool addBarcode(AppConnection &c, int id, int itemId, const QString &code, int typeId)
{
    return c.Exec(QStringLiteral("INSERT INTO t_barcode (FID, FItemID, FBarCode, FTypeID) VALUES (?, ?, ?, ?)"),
                  {id, itemId, code, typeId});
}

inline bool addProcess(AppConnection &c, int id, const QVariant &maxBillInterId)
{
    return c.Exec(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FMaxBillInterID) VALUES (?, ?, ?)"),
                  {id, QStringLiteral("20260101%1").arg(id, 4, 10, QLatin1Char('0')), maxBillInterId});
}

inline bool addBackupRow(AppConnection &c, int processId, int itemId, int stockId, const QString &kfDate = {},
                         int maxBillInterId = 0)
{
    return c.Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FKFDate,"
                                 " FMaxBillInterID) VALUES (?, ?, 1, ?, ?, ?)"),
                  {processId, itemId, stockId, kfDate.isNull() ? QString("") : kfDate, maxBillInterId});
}

inline bool addPeriod(AppConnection &c, int year, int period, const QDate &start, const QDate &end)
{
    return c.Exec(QStringLiteral("INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES (?, ?, ?, ?)"),
                  {year, period, Dialect::dateValue(start), Dialect::dateValue(end)});
}

} // namespace hostrows
