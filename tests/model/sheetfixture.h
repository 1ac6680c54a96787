#pragma once

#include "host/appconnection.h"

#include <QString>
#include <QVariant>

// Master data and count rows for the count sheet tests, written with bound values.
// A small world: units (piece, box of 12, a unit with coefficient 0, kilogram),
// items, two stocks with a place, a user, and processes with their rows.
namespace sheetfixture {

enum Ids { Piece = 1, Box = 2, ZeroUnit = 3, Kilo = 4, StockA = 101, StockB = 102, Place = 7, Brand = 501 };
enum { User = 16394 };

inline bool exec(AppConnection &c, const char *sql, const QVariantList &binds)
{
    return c.Exec(QString::fromUtf8(sql), binds);
}

inline bool addUnit(AppConnection &c, int id, const QString &number, const QString &name, double coefficient)
{
    return exec(c,
                "INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FUnitGroupID, FNumber, FShortNumber, FName,"
                " FCoefficient) VALUES (?, ?, 1, ?, ?, ?, ?)",
                {id, id, number, number.toLower(), name, coefficient});
}

struct Item
{
    int id = 0;
    QString number, name;
    int decimals = 2, unit = Piece /* base unit */, cuUnit = Piece /* counting unit */, secUnit = 0, deleted = 0;
    int brand = 0;
    QString barcode;
};

inline bool addItem(AppConnection &c, const Item &i)
{
    return exec(c,
                "INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FModel, FUnitID, FStoreUnitID,"
                " FCUUnitID, FSecUnitID, FQtyDecimal, FDeleted, FComBrandID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                " ?, ?)",
                {i.id, i.number, QStringLiteral("s") + i.number, i.name, QStringLiteral("M-") + i.number, i.unit,
                 i.unit, i.cuUnit, i.secUnit, i.decimals, i.deleted, i.brand}) &&
           (i.barcode.isEmpty() ||
            exec(c, "INSERT INTO t_barcode (FID, FItemID, FBarCode, FTypeID, FCodeType) VALUES (?, ?, ?, 4, 0)",
                 {i.id, i.id, i.barcode}));
}

inline bool addStock(AppConnection &c, int id, const QString &number, const QString &name)
{
    return exec(c, "INSERT INTO t_Stock (FItemID, FNumber, FShortNumber, FName) VALUES (?, ?, ?, ?)",
                {id, number, QStringLiteral("s") + number, name});
}

inline bool addProcess(AppConnection &c, int id, const QString &name, const QDateTime &date, int status = 0,
                       const QVariant &backupType = 1)
{
    return exec(c,
                "INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus, FBackupType)"
                " VALUES (?, ?, ?, ?, ?, ?)",
                {id, name, Dialect::dateTimeValue(date), int(User), status, backupType});
}

// One count row; quantities left invalid stay NULL.
struct Row
{
    int process = 1, item = 0, stock = StockA, place = 0, unit = Piece;
    QString batch, kfDate;
    int kfPeriod = 0;
    QVariant qty, auxQty, qtyAct, auxQtyAct, checkQty, auxCheckQty, minus;
    double adjQty = 0, secQty = 0, secQtyAct = 0, secCheckQty = 0, secAdjQty = 0, secMinus = 0;
    QString note;
};

inline bool addRow(AppConnection &c, const Row &r)
{
    QVariantList binds{r.process, r.item, r.stock, r.place, r.unit, r.batch, r.kfDate, r.kfPeriod};
    for (const QVariant &q : {r.qty, r.auxQty, r.qtyAct, r.auxQtyAct, r.checkQty, r.auxCheckQty, r.minus})
        binds << (q.isValid() ? q : QVariant(QMetaType::fromType<double>()));
    binds << r.adjQty << r.secQty << r.secQtyAct << r.secCheckQty << r.secAdjQty << r.secMinus << r.note
          << Dialect::dateTimeValue(QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
    for (const int text : {5, 6, 21}) // '' rather than NULL
        if (binds[text].toString().isNull())
            binds[text] = QStringLiteral("");
    return exec(c,
                "INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FUnitID, FBatchNo, FKFDate,"
                " FKFPeriod, FQty, FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty, FAuxCheckQty, FMinus, FAdjQty, FSecQty,"
                " FSecQtyAct, FSecCheckQty, FSecAdjQty, FSecMinus, FNote, FDateBackup)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                binds);
}

// Units, a brand, two stocks with a place and the user.
inline bool addWorld(AppConnection &c)
{
    return addUnit(c, Piece, QStringLiteral("PCS"), QStringLiteral("个"), 1) &&
           addUnit(c, Box, QStringLiteral("BOX"), QStringLiteral("箱"), 12) &&
           addUnit(c, ZeroUnit, QStringLiteral("ZRO"), QStringLiteral("零"), 0) &&
           addUnit(c, Kilo, QStringLiteral("KG"), QStringLiteral("千克"), 1) &&
           exec(c, "INSERT INTO t_Item (FItemID, FItemClassID, FNumber, FName) VALUES (?, 2038, 'B1', ?)",
                {int(Brand), QStringLiteral("牌子")}) &&
           addStock(c, StockA, QStringLiteral("01"), QStringLiteral("原料仓")) &&
           addStock(c, StockB, QStringLiteral("02"), QStringLiteral("成品仓")) &&
           exec(c, "INSERT INTO t_StockPlace (FSPID, FNumber, FShortNumber, FName) VALUES (?, 'P1', 'p1', ?)",
                {int(Place), QStringLiteral("一号架")}) &&
           exec(c, "INSERT INTO t_user (FUserID, FName) VALUES (?, ?)", {int(User), QStringLiteral("张三")});
}

// `count` rows of one item in one process, made by the database itself.
inline bool addManyRows(AppConnection &c, int process, int item, int count)
{
    return exec(c,
                "INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FUnitID, FBatchNo, FQty, FAuxQty)"
                " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < CAST(? AS INTEGER))"
                " SELECT CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER),"
                " 'B' || CAST(i AS VARCHAR(12)), 1, 1 FROM n",
                {count, process, item, int(StockA), int(Piece)});
}

// Process 1 ("P1"):
// item 1: counted in boxes of 12 with a secondary unit; item 2: a unit with
// coefficient 0 and a shortage; item 3 deleted; items 4 and 5 (deleted) have
// no count row.
inline bool addSample(AppConnection &c)
{
    // clang-format off
    const Row r1{.item = 1, .place = Place, .unit = Box, .kfDate = QStringLiteral("2026-01-05"), .kfPeriod = 180,
                 .qty = 24, .auxQty = 2, .qtyAct = 36, .auxQtyAct = 3, .checkQty = 36, .auxCheckQty = 3, .minus = 12,
                 .adjQty = 1, .secQty = 4, .secQtyAct = 5, .secCheckQty = 5, .secMinus = 1};
    const Row r2{.item = 2, .stock = StockB, .unit = ZeroUnit, .qty = 5, .auxQty = 5, .qtyAct = 2, .checkQty = 2,
                 .minus = -3};
    // clang-format on
    return addWorld(c) && addProcess(c, 1, QStringLiteral("P1"), QDateTime(QDate(2026, 3, 1), QTime(9, 0))) &&
           addItem(c, {1, "A100", "螺丝", 2, Piece, Box, Kilo, 0, Brand, "690001"}) &&
           addItem(c, {2, "A200", "螺母", 0}) && addItem(c, {3, "A300", "旧件", 2, Piece, Piece, 0, 1}) &&
           addItem(c, {4, "A400", "垫片", 1, Piece, Box}) && addItem(c, {5, "A500", "停用", 1, Piece, Box, 0, 1}) &&
           addRow(c, r1) && addRow(c, r2) && addRow(c, {.item = 3, .qty = 1});
}

// A snapshot of the whole current stock (ICInventory) as process `id`, with
// counted quantities on two rows of three (short, exact, over), made the way the
// snapshot engine would: in the stock unit of each item.
inline bool snapshotStock(AppConnection &c, int id, const QString &name)
{
    const Dialect &d = c.dialect();
    return addProcess(c, id, name, QDateTime::currentDateTime().addSecs(-3600)) &&
           c.Exec(QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FBatchNo,"
                                 " FMtoNo, FAuxPropID, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FBal,"
                                 " FDateBackup, FMaxBillInterID)"
                                 " SELECT CAST(? AS INTEGER), i.FItemID, i.FStockID, i.FStockPlaceID, i.FBatchNo,"
                                 " i.FMtoNo, i.FAuxPropID, COALESCE(i.FKFDate, ''), i.FKFPeriod, t.FStoreUnitID,"
                                 " i.FQty, i.FQty / COALESCE(NULLIF(u.FCoefficient, 0), 1), i.FSecQty, i.FBal, ") +
                      d.now() +
                      QStringLiteral(", 0 FROM ICInventory i JOIN t_ICItem t ON t.FItemID = i.FItemID"
                                     " JOIN t_MeasureUnit u ON u.FItemID = t.FStoreUnitID"),
                  {id}) &&
           c.Exec(QStringLiteral("UPDATE ICInvBackup SET FCheckQty = FQty + ((FItemID + FStockID) % 3) - 1"
                                 " WHERE FInterID = ? AND (FItemID + FStockID + FStockPlaceID) % 3 <> 0"),
                  {id}) &&
           c.Exec(QStringLiteral("UPDATE ICInvBackup SET FQtyAct = FCheckQty, FMinus = FCheckQty - FQty,"
                                 " FAuxCheckQty = FAuxQty * FCheckQty / NULLIF(FQty, 0),"
                                 " FAuxQtyAct = FAuxQty * FCheckQty / NULLIF(FQty, 0)"
                                 " WHERE FInterID = ? AND FCheckQty IS NOT NULL"),
                  {id});
}

} // namespace sheetfixture
