#include "factories.h"

#include "erp/passwordhash.h"
#include "host/appconnection.h"

#include <QTest>

namespace {

QVariant text(const QString &s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

QVariant nullableText(const QString &s)
{
    return s.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s);
}

QString tableOf(int tranType)
{
    switch (tranType) {
    case 6:
    case 26:
        return QStringLiteral("ZPStockBill");
    case 74:
        return QStringLiteral("POStockBill");
    case 92:
    case 137:
        return QStringLiteral("ICSTJGBill");
    default:
        return QStringLiteral("ICStockBill");
    }
}

} // namespace

Factories::Factories(AppConnection &connection)
    : m_c(connection)
{}

bool Factories::exec(const QString &sql, const QVariantList &binds)
{
    if (m_c.Exec(sql, binds))
        return true;
    QTest::qFail(qPrintable(QStringLiteral("factory: ") + m_c.lastError().detailed()), __FILE__, __LINE__);
    return false;
}

int Factories::maxOf(const QString &sql)
{
    Recordset rs = m_c.Execute(sql);
    return rs.isOpen() ? rs.integer(u"n") : 0;
}

int Factories::nextItemId()
{
    if (m_lastItemId == 0) {
        m_lastItemId = 1000;
        for (const char *table : {"t_Item", "t_ICItem", "t_Stock", "t_MeasureUnit", "t_Supplier"})
            m_lastItemId = std::max(
                m_lastItemId, maxOf(QStringLiteral("SELECT MAX(FItemID) AS n FROM ") + QString::fromLatin1(table)));
    }
    return ++m_lastItemId;
}

void Factories::itemRow(int id, int classId, const QString &number, const QString &name, int parentId, bool detail)
{
    exec(QStringLiteral("INSERT INTO t_Item (FItemID, FItemClassID, FNumber, FShortNumber, FName, FFullName, "
                        "FParentID, FDetail) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
         {id, classId, number, text(number.section(QLatin1Char('.'), -1)), text(name), text(name), parentId,
          detail ? 1 : 0});
}

int Factories::unitGroup(const QString &name, const QList<UnitSpec> &units)
{
    const int group = maxOf(QStringLiteral("SELECT MAX(FUnitGroupID) AS n FROM t_UnitGroup")) + 1;
    int base = 0;
    for (const UnitSpec &u : units) {
        const int id = nextItemId();
        base = base ? base : id;
        const QString number = QStringLiteral("%1.%2").arg(group).arg(m_units.size() + 1);
        exec(QStringLiteral("INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FUnitGroupID, FNumber, "
                            "FShortNumber, FName, FCoefficient, FStandard) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
             {id, id, group, number, number, u.name, u.coefficient, id == base ? 1 : 0});
        itemRow(id, 7, number, u.name, 0, true);
        m_units.insert(u.name, id);
    }
    exec(QStringLiteral("INSERT INTO t_UnitGroup (FUnitGroupID, FNumber, FName, FDefaultUnitID) VALUES (?, ?, ?, ?)"),
         {group, QString::number(group), name, base});
    return group;
}

int Factories::unit(const QString &name) const
{
    return m_units.value(name);
}

int Factories::defaultUnitGroup()
{
    if (!m_defaultGroup)
        m_defaultGroup = unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}});
    return m_defaultGroup;
}

int Factories::item(const ItemSpec &s)
{
    const int group = s.unitGroup ? s.unitGroup : defaultUnitGroup();
    Recordset base = m_c.Execute(QStringLiteral("SELECT FMeasureUnitID FROM t_MeasureUnit WHERE FUnitGroupID = ? "
                                                "ORDER BY FStandard DESC, FMeasureUnitID"),
                                 {group});
    const int baseUnit = base.integer(u"FMeasureUnitID");
    const int storeUnit = s.storeUnit ? s.storeUnit : baseUnit;
    const int id = nextItemId();
    const QString shortNumber = s.shortNumber.isEmpty() ? s.number.section(QLatin1Char('.'), -1) : s.shortNumber;
    const QDate &last = s.lastCheck;
    exec(QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FFullName, FModel, FHelpCode, "
                        "FErpClsID, FUnitGroupID, FUnitID, FStoreUnitID, FCUUnitID, FSecUnitID, FSecCoefficient, "
                        "FQtyDecimal, FBatchManager, FISKFPeriod, FKFPeriod, FAuxClassID, FISSNManage, FComBrandID, "
                        "FComCategoryID, FGoodsBarCode, FCheckCycUnit, FCheckCycle, FDaysPer, FLastCheckDate, "
                        "FPlanPrice, FDeleted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {id,
          s.number,
          text(shortNumber),
          text(s.name),
          text(s.name),
          text(s.model),
          text(s.helpCode),
          s.erpCls,
          group,
          baseUnit,
          storeUnit,
          storeUnit,
          s.secUnit,
          s.secCoefficient,
          s.qtyDecimal,
          s.batch ? 1 : 0,
          s.kfPeriod > 0 ? 1 : 0,
          s.kfPeriod,
          s.auxClass,
          s.serial ? 1 : 0,
          s.brand,
          s.category,
          text(s.barcode),
          s.cycleUnit,
          s.cycle,
          s.daysPer,
          Dialect::dateValue(last),
          s.price,
          s.deleted ? 1 : 0});
    exec(QStringLiteral("INSERT INTO t_ICItemBase (FItemID, FErpClsID, FUnitGroupID, FUnitID, FStoreUnitID, "
                        "FSecUnitID, FSecCoefficient, FQtyDecimal, FAuxClassID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {id, s.erpCls, group, baseUnit, storeUnit, s.secUnit, s.secCoefficient, s.qtyDecimal, s.auxClass});
    exec(QStringLiteral("INSERT INTO t_ICItemMaterial (FItemID, FBatchManager, FISKFPeriod, FKFPeriod, FISSNManage, "
                        "FCheckCycUnit, FCheckCycle, FDaysPer, FLastCheckDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {id, s.batch ? 1 : 0, s.kfPeriod > 0 ? 1 : 0, s.kfPeriod, s.serial ? 1 : 0, s.cycleUnit, s.cycle, s.daysPer,
          Dialect::dateValue(last)});
    itemRow(id, 4, s.number, s.name, 0, true);
    if (!s.barcode.isEmpty())
        exec(QStringLiteral("INSERT INTO t_barcode (FID, FItemID, FBarCode, FTypeID, FCodeType, FUnitID) "
                            "VALUES (?, ?, ?, 4, 0, ?)"),
             {maxOf(QStringLiteral("SELECT MAX(FID) AS n FROM t_barcode")) + 1, id, s.barcode, storeUnit});
    return id;
}

int Factories::stock(const QString &number, const QString &name, int typeId)
{
    const int id = nextItemId();
    exec(QStringLiteral("INSERT INTO t_Stock (FItemID, FNumber, FShortNumber, FName, FFullName, FTypeID) "
                        "VALUES (?, ?, ?, ?, ?, ?)"),
         {id, number, text(number.section(QLatin1Char('.'), -1)), name, name, typeId});
    itemRow(id, 5, number, name, 0, true);
    return id;
}

int Factories::stockPlace(int stockId, const QString &number, const QString &name)
{
    Recordset s = m_c.Execute(QStringLiteral("SELECT FSPGroupID FROM t_Stock WHERE FItemID = ?"), {stockId});
    int group = s.integer(u"FSPGroupID");
    if (group == 0) {
        group = maxOf(QStringLiteral("SELECT MAX(FSPGroupID) AS n FROM t_StockPlaceGroup")) + 1;
        exec(QStringLiteral("INSERT INTO t_StockPlaceGroup (FSPGroupID, FNumber, FName) VALUES (?, ?, ?)"),
             {group, QString::number(group), QString::number(group)});
        exec(QStringLiteral("UPDATE t_Stock SET FSPGroupID = ?, FIsStockMgr = 1 WHERE FItemID = ?"), {group, stockId});
    }
    const int id = maxOf(QStringLiteral("SELECT MAX(FSPID) AS n FROM t_StockPlace")) + 1;
    exec(QStringLiteral("INSERT INTO t_StockPlace (FSPID, FSPGroupID, FNumber, FShortNumber, FName, FFullName) "
                        "VALUES (?, ?, ?, ?, ?, ?)"),
         {id, group, number, number, name, name});
    return id;
}

int Factories::auxValue(int classId, const QString &number, const QString &name)
{
    const int id = maxOf(QStringLiteral("SELECT MAX(FItemID) AS n FROM t_AuxItem")) + 1;
    exec(QStringLiteral("INSERT INTO t_AuxItem (FItemID, FItemClassID, FNumber, FShortNumber, FName) "
                        "VALUES (?, ?, ?, ?, ?)"),
         {id, classId, number, number, name});
    return id;
}

int Factories::baseItem(int classId, const QString &number, const QString &name, int parentId, bool detail)
{
    const int id = nextItemId();
    itemRow(id, classId, number, name, parentId, detail);
    const QString mirror = classId == 8      ? QStringLiteral("t_Supplier")
                           : classId == 2037 ? QStringLiteral("t_ComCategory")
                           : classId == 2038 ? QStringLiteral("t_ComBrand")
                                             : QString();
    if (!mirror.isEmpty())
        exec(QStringLiteral("INSERT INTO %1 (FItemID, FNumber, FName, FParentID) VALUES (?, ?, ?, ?)").arg(mirror),
             {id, number, name, parentId});
    return id;
}

void Factories::currentStock(int itemId, int stockId, int placeId, double qty, const Position &p)
{
    exec(QStringLiteral("INSERT INTO %1 (FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate, "
                        "FKFPeriod, FQty, FSecQty) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
             .arg(p.secondLedger ? QStringLiteral("POInventory") : QStringLiteral("ICInventory")),
         {itemId, stockId, placeId, text(p.batch), text(p.mto), p.auxId, text(p.kfDate), p.kfPeriod, qty, p.secQty});
}

void Factories::balance(int year, int period, int itemId, int stockId, int placeId, double begQty, const Position &p,
                        const QDate &stockIn)
{
    const QDate in = stockIn.isValid() ? stockIn : QDate(year, period, 1).addDays(-1);
    exec(QStringLiteral("INSERT INTO %1 (FYear, FPeriod, FItemID, FStockID, %2, FBatchNo, FMtoNo, FAuxPropID, "
                        "FKFDate, FKFPeriod, FStockInDate, FBegQty, FSecBegQty) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
             .arg(p.secondLedger ? QStringLiteral("POInvBal") : QStringLiteral("ICInvBal"),
                  p.secondLedger ? QStringLiteral("FSPID") : QStringLiteral("FStockPlaceID")),
         {year, period, itemId, stockId, placeId, text(p.batch), text(p.mto), p.auxId, text(p.kfDate), p.kfPeriod,
          Dialect::dateValue(in), begQty, p.secQty});
}

int Factories::storeUnitOf(int itemId)
{
    return m_c.Execute(QStringLiteral("SELECT FStoreUnitID FROM t_ICItem WHERE FItemID = ?"), {itemId})
        .integer(u"FStoreUnitID");
}

int Factories::document(int tranType, const QList<Entry> &entries, const Header &h)
{
    const QString table = tableOf(tranType);
    const int id = maxOf(QStringLiteral("SELECT MAX(FInterID) AS n FROM ") + table) + 1;
    const QDate date = h.date.isValid() ? h.date : QDate::currentDate();
    const QString billNo = h.billNo.isEmpty() ? QStringLiteral("T%1-%2").arg(tranType).arg(id) : h.billNo;
    exec(QStringLiteral("INSERT INTO %1 (FInterID, FBillNo, FTranType, FDate, FCheckerID, FCheckDate, "
                        "FCancellation, FUpStockWhenSave, FPOMode, FProcID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
             .arg(table),
         {id, billNo, tranType, Dialect::dateValue(date), h.audited ? QVariant(16394) : QVariant(),
          h.audited ? Dialect::dateValue(date) : QVariant(), h.cancelled ? 1 : 0, h.upStockWhenSave ? 1 : 0, h.poMode,
          h.procId});
    int entryId = 0;
    for (const Entry &e : entries) {
        // requisitions and processing issues name their stock on the source side
        const bool sourceStock = tranType == 24 || tranType == 137;
        const int dcStock = sourceStock ? 0 : e.stock;
        const int scStock = sourceStock ? e.stock : e.fromStock;
        const int scPlace = sourceStock ? e.place : e.fromPlace;
        exec(QStringLiteral("INSERT INTO %1Entry (FInterID, FEntryID, FItemID, FAuxPropID, FBatchNo, FMtoNo, FKFDate, "
                            "FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FDCStockID, FDCSPID, FSCStockID, FSCSPID) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                 .arg(table),
             {id, ++entryId, e.item, e.auxId, text(e.batch), text(e.mto), nullableText(e.kfDate), e.kfPeriod,
              e.unit ? e.unit : storeUnitOf(e.item), e.qty, e.qty, e.secQty, dcStock, e.place, scStock, scPlace});
    }
    return id;
}

int Factories::mtoChange(const Entry &e, const QString &toMto, const Header &h)
{
    const int id = maxOf(QStringLiteral("SELECT MAX(FID) AS n FROM t_MTOChange")) + 1;
    const QDate date = h.date.isValid() ? h.date : QDate::currentDate();
    exec(QStringLiteral("INSERT INTO t_MTOChange (FID, FBillNo, FClassTypeID, FDate, FCheckerID, FCancellation, "
                        "FUpStockWhenSave) VALUES (?, ?, 1107011, ?, ?, ?, ?)"),
         {id, h.billNo.isEmpty() ? QStringLiteral("MTO%1").arg(id) : h.billNo, Dialect::dateValue(date),
          h.audited ? QVariant(16394) : QVariant(), h.cancelled ? 1 : 0, h.upStockWhenSave ? 1 : 0});
    exec(QStringLiteral("INSERT INTO t_MTOChangeEntry (FID, FEntryID, FItemID, FStockID, FSPID, FBatchNo, FFromMtoNo, "
                        "FToMtoNo, FAuxPropID, FKFDate, FKFPeriod, FUnitID, FChangeQty, FChangeBaseQty, FChangeSecQty) "
                        "VALUES (?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {id, e.item, e.stock, e.place, text(e.batch), text(e.mto), text(toMto), e.auxId, nullableText(e.kfDate),
          e.kfPeriod, e.unit ? e.unit : storeUnitOf(e.item), e.qty, e.qty, e.secQty});
    return id;
}

int Factories::vmiReceipt(const Entry &e, int supplierId, const Header &h)
{
    const int id = maxOf(QStringLiteral("SELECT MAX(FID) AS n FROM ICVMIInStock")) + 1;
    const QDate date = h.date.isValid() ? h.date : QDate::currentDate();
    exec(QStringLiteral("INSERT INTO ICVMIInStock (FID, FBillNo, FClassTypeID, FDate, FSupplyID, FCheckerID, "
                        "FCancellation, FUpStockWhenSave) VALUES (?, ?, 1007601, ?, ?, ?, ?, ?)"),
         {id, h.billNo.isEmpty() ? QStringLiteral("VMI%1").arg(id) : h.billNo, Dialect::dateValue(date), supplierId,
          h.audited ? QVariant(16394) : QVariant(), h.cancelled ? 1 : 0, h.upStockWhenSave ? 1 : 0});
    exec(QStringLiteral("INSERT INTO ICVMIInStockEntry (FID, FEntryID, FItemID, FStockID, FSPID, FBatchNo, FMTONo, "
                        "FAuxPropID, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty) "
                        "VALUES (?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {id, e.item, e.stock, e.place, text(e.batch), text(e.mto), e.auxId, nullableText(e.kfDate), e.kfPeriod,
          e.unit ? e.unit : storeUnitOf(e.item), e.qty, e.qty, e.secQty});
    return id;
}

void Factories::systemParam(const QString &category, const QString &key, const QString &value)
{
    exec(QStringLiteral("DELETE FROM t_SystemProfile WHERE FCategory = ? AND FKey = ?"), {category, key});
    exec(QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES (?, ?, ?)"),
         {category, key, text(value)});
}

void Factories::period(int year, int period, const QDate &start, const QDate &end)
{
    exec(QStringLiteral("INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES (?, ?, ?, ?)"),
         {year, period, Dialect::dateValue(start), Dialect::dateValue(end)});
}

int Factories::user(const QString &name, const QString &password, int id)
{
    const int userId = id ? id : std::max(16394, maxOf(QStringLiteral("SELECT MAX(FUserID) AS n FROM t_user")) + 1);
    exec(QStringLiteral("INSERT INTO t_user (FUserID, FName, FNumber, FEmpID, FPassword) VALUES (?, ?, ?, ?, ?)"),
         {userId, name, QString::number(userId), userId, erp::passwordHash(password)});
    exec(QStringLiteral("INSERT INTO t_Emp (FItemID, FNumber, FName) VALUES (?, ?, ?)"),
         {userId, QString::number(userId), name});
    return userId;
}

void Factories::accessRule(int userId, const QString &table, int id)
{
    exec(QStringLiteral("INSERT INTO t_UserDataAccess (FUserID, FTableName, FItemID) VALUES (?, ?, ?)"),
         {userId, table, id});
}
