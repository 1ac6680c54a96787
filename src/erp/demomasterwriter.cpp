#include "demomasterdata.h"

#include "bulkinsert.h"
#include "demovalues.h"

#include "host/appconnection.h"

namespace erp::demo {

namespace {

QVariant date(const QDate &d)
{
    return Dialect::dateValue(d);
}

void writeItemRow(BulkInsert &items, int id, int classId, const QString &number, const QString &name, int parentId,
                  bool detail, bool deleted)
{
    const int level = int(number.count(QLatin1Char('.'))) + 1;
    items.add({id, classId, txt(number), txt(number.section(QLatin1Char('.'), -1)), txt(name), txt(name), txt(number),
               parentId, level, detail ? 1 : 0, deleted ? 1 : 0});
}

void writeUnits(AppConnection &c, const World &w, BulkInsert &tItem)
{
    BulkInsert groups(c, QStringLiteral("t_UnitGroup"), cols({"FUnitGroupID", "FNumber", "FName", "FDefaultUnitID"}));
    for (const UnitGroup &g : w.groups)
        groups.add({g.id, g.number, g.name, w.unit(g.units.front()).id});
    groups.flush();
    BulkInsert units(c, QStringLiteral("t_MeasureUnit"),
                     cols({"FMeasureUnitID", "FItemID", "FUnitGroupID", "FNumber", "FShortNumber", "FName",
                           "FCoefficient", "FConversation", "FStandard", "FPrecision"}));
    for (const Unit &u : w.units) {
        const UnitGroup &g = w.groups[size_t(u.group)];
        const bool base = w.unit(g.units.front()).id == u.id;
        // the secondary units convert at a rate per item, not a fixed one
        const int fixed = u.group == secondaryGroupIndex() ? 0 : 1;
        units.add({u.id, u.id, g.id, u.number, u.number, u.name, u.coefficient, fixed, base ? 1 : 0, 4});
        writeItemRow(tItem, u.id, 7, u.number, u.name, 0, true, false);
    }
    units.flush();
}

void writeAux(AppConnection &c, const World &w)
{
    BulkInsert aux(c, QStringLiteral("t_AuxItem"),
                   cols({"FItemID", "FItemClassID", "FNumber", "FShortNumber", "FName"}));
    for (const AuxValue &a : w.auxValues)
        aux.add({a.id, a.classId, a.number, a.number, a.name});
    aux.flush();
}

void writeStocks(AppConnection &c, const World &w)
{
    BulkInsert stocks(c, QStringLiteral("t_Stock"),
                      cols({"FItemID", "FNumber", "FShortNumber", "FName", "FFullName", "FParentID", "FTypeID",
                            "FIsStockMgr", "FSPGroupID", "FUnderStock"}));
    BulkInsert groups(c, QStringLiteral("t_StockPlaceGroup"), cols({"FSPGroupID", "FNumber", "FName"}));
    for (const Stock &s : w.stocks) {
        stocks.add({s.id, s.number, s.number.section(QLatin1Char('.'), -1), s.name, s.name, s.parentId, s.typeId,
                    s.placeGroup ? 1 : 0, s.placeGroup, 1});
        if (s.placeGroup)
            groups.add({s.placeGroup, s.number, s.name + QStringLiteral("仓位组")});
    }
    stocks.flush();
    groups.flush();
    BulkInsert places(c, QStringLiteral("t_StockPlace"),
                      cols({"FSPID", "FSPGroupID", "FNumber", "FShortNumber", "FName", "FFullName", "FDetail"}));
    for (const StockPlace &p : w.places)
        places.add({p.id, p.group, p.number, p.number, p.name, p.name, 1});
    places.flush();
}

void writePartners(AppConnection &c, const World &w, BulkInsert &tItem)
{
    for (const TreeRecord &r : w.treeRecords)
        writeItemRow(tItem, r.id, r.classId, r.number, r.name, r.parentId, r.detail, false);
    BulkInsert suppliers(c, QStringLiteral("t_Supplier"), cols({"FItemID", "FNumber", "FShortNumber", "FName"}));
    for (const TreeRecord &r : w.suppliers) {
        suppliers.add({r.id, r.number, r.number, r.name});
        writeItemRow(tItem, r.id, 8, r.number, r.name, 0, true, false);
    }
    suppliers.flush();
    const auto mirror = [&](const char *table, const std::vector<TreeRecord> &rows) {
        BulkInsert out(c, QString::fromLatin1(table), cols({"FItemID", "FNumber", "FName", "FParentID"}));
        for (const TreeRecord &r : rows) {
            out.add({r.id, r.number, r.name, r.parentId});
            writeItemRow(tItem, r.id, r.classId, r.number, r.name, r.parentId, r.detail, false);
        }
        out.flush();
    };
    mirror("t_ComBrand", w.brands);
    mirror("t_ComCategory", w.categories);
}

// The item's other tables are copies of t_ICItem columns: derived set-based.
const char *const kDerivedItemTables[] = {
    "INSERT INTO t_ICItemBase (FItemID, FErpClsID, FUnitGroupID, FUnitID, FStoreUnitID, FSecUnitID, "
    "FSecCoefficient, FSecUnitDecimal, FQtyDecimal, FPriceDecimal, FAuxClassID) "
    "SELECT FItemID, FErpClsID, FUnitGroupID, FUnitID, FStoreUnitID, FSecUnitID, FSecCoefficient, FSecUnitDecimal, "
    "FQtyDecimal, FPriceDecimal, FAuxClassID FROM t_ICItem ORDER BY FItemID",
    "INSERT INTO t_ICItemMaterial (FItemID, FBatchManager, FISKFPeriod, FKFPeriod, FISSNManage, FCheckCycUnit, "
    "FCheckCycle, FDaysPer, FLastCheckDate) "
    "SELECT FItemID, FBatchManager, FISKFPeriod, FKFPeriod, FISSNManage, FCheckCycUnit, FCheckCycle, FDaysPer, "
    "FLastCheckDate FROM t_ICItem ORDER BY FItemID",
    "INSERT INTO t_Item (FItemID, FItemClassID, FNumber, FShortNumber, FName, FFullName, FFullNumber, FParentID, "
    "FLevel, FDetail, FDeleted) "
    "SELECT FItemID, 4, FNumber, FShortNumber, FName, FFullName, FNumber, FParentID, 3, 1, FDeleted "
    "FROM t_ICItem ORDER BY FItemID",
};

void writeItems(AppConnection &c, const World &w)
{
    BulkInsert items(
        c, QStringLiteral("t_ICItem"),
        cols({"FItemID",         "FNumber",      "FShortNumber",  "FName",          "FFullName",     "FModel",
              "FHelpCode",       "FParentID",    "FErpClsID",     "FUnitGroupID",   "FUnitID",       "FStoreUnitID",
              "FCUUnitID",       "FOrderUnitID", "FSaleUnitID",   "FProductUnitID", "FSecUnitID",    "FSecCoefficient",
              "FSecUnitDecimal", "FQtyDecimal",  "FPriceDecimal", "FBatchManager",  "FISKFPeriod",   "FKFPeriod",
              "FAuxClassID",     "FISSNManage",  "FComBrandID",   "FComCategoryID", "FGoodsBarCode", "FSource",
              "FCheckCycUnit",   "FCheckCycle",  "FDaysPer",      "FLastCheckDate", "FPlanPrice",    "FSalePrice",
              "FOrderPrice",     "FDeleted"}));
    BulkInsert barcodes(c, QStringLiteral("t_barcode"),
                        cols({"FID", "FItemID", "FBarCode", "FTypeID", "FCodeType", "FUnitID"}));
    int barcodeId = 0;
    for (const Item &it : w.items) {
        const int groupId = w.groups[size_t(it.unitGroup)].id;
        const int baseUnit = w.unit(it.baseUnit).id;
        const int storeUnit = w.unit(it.storeUnit).id;
        const int secUnit = it.secUnit >= 0 ? w.unit(it.secUnit).id : 0;
        const int secDecimal = secUnit ? 2 : 0;
        items.add({it.id,
                   it.number,
                   it.shortNumber,
                   it.name,
                   it.name,
                   it.model,
                   it.helpCode,
                   it.parentId,
                   it.erpCls,
                   groupId,
                   baseUnit,
                   storeUnit,
                   storeUnit,
                   baseUnit,
                   storeUnit,
                   baseUnit,
                   secUnit,
                   it.secCoefficient,
                   secDecimal,
                   it.qtyDecimal,
                   2,
                   it.batch ? 1 : 0,
                   it.shelfLife ? 1 : 0,
                   it.kfPeriod,
                   it.auxClass,
                   it.serial ? 1 : 0,
                   it.brand,
                   it.category,
                   txt(it.barcode),
                   it.supplier,
                   it.cycleUnit,
                   it.cycle,
                   it.daysPer,
                   date(it.lastCheck),
                   it.price,
                   std::round(it.price * 130) / 100,
                   it.price,
                   it.deleted ? 1 : 0});
        if (!it.barcode.isEmpty())
            barcodes.add({++barcodeId, it.id, it.barcode, 4, 0, storeUnit});
    }
    items.flush();
    barcodes.flush();
    for (const char *sql : kDerivedItemTables)
        c.ExecuteRaiseErr(QString::fromLatin1(sql));
}

} // namespace

void writeMasterData(AppConnection &connection, const World &w)
{
    BulkInsert tItem(connection, QStringLiteral("t_Item"),
                     cols({"FItemID", "FItemClassID", "FNumber", "FShortNumber", "FName", "FFullName", "FFullNumber",
                           "FParentID", "FLevel", "FDetail", "FDeleted"}));
    writeUnits(connection, w, tItem);
    writeAux(connection, w);
    writeStocks(connection, w);
    writePartners(connection, w, tItem);
    tItem.flush();
    writeItems(connection, w);
}

} // namespace erp::demo
