#include "seeds.h"

#include "bulkinsert.h"

#include "host/appconnection.h"

#include <QHash>

// Column definitions of the count sheet (ICChatBillTitle), one set per sheet mode
// (FTypeID): 1 check, 3 print the count book, 4 enter counted quantities.
//
// FColName is a column of the sheet's row query of that mode. The item number is
// "FNumber": the layout shows FShortNumber instead when short numbers are in use.
// Captions end with the marker "$" that lists drop.
//
// Mode 1 (the count report): stock, place, item number, name, model, auxiliary
// property, batch, MTO number (hidden unless MTO planning is on), production date,
// shelf life; then for the base unit, the counting unit and the secondary unit:
// unit, book, actual, gain and loss quantities (the counting unit also the first
// count and the recount of a recounted row, side by side: FFirstCheckQty is read
// from the count journal, not the query); adjustment, brand, category,
// barcode, note; hidden stock and place numbers for filtering.
// Mode 3 (the count book): the same identification columns, then per unit the
// blank counting columns ("基本单位盘点数量$", "盘点数量$"); no book or difference
// quantities are shown on a book that people fill in by hand.
// Mode 4: one definition per column of the entry grid, in its order (columns 1 to
// 47); the grid takes column types and lengths from them. Three hidden columns
// hold figures computed when the grid is filled rather than read from the query:
// FDiffQty = FQtyAct - FCheckQty (base unit), FCUUnitDiffQty = FCUUnitQtyAct -
// FCUUnitCheckQty (counting unit), FSecDiffQty = FSecQtyAct - FSecCheckQty.
//
// FColType: 0 date and time, 2 quantity, 3 whole number, 7 date (text), 8 text.
// FColWidth in twips. FItemClassID names the base-data class of a lookup column
// (4 items, 5 stocks, 7 units).

namespace erp {

namespace {

enum ColType { DateTime = 0, Quantity = 2, Whole = 3, Date = 7, Text = 8 };

struct Field
{
    const char *colName;
    const char *chs;
    const char *cht;
    const char *en;
    int type;
    int width;
    int itemClass;
    const char *table;
    const char *alias;
};

// Every column that some mode shows, once.
const Field kFields[] = {
    {"FItemID", "FItemID", "FItemID", "FItemID", Whole, 800, 0, "ICInvBackup", "t1"},
    {"FStockNumber", "仓库代码", "倉庫代碼", "Warehouse Code", Text, 1000, 5, "t_Stock", "t12"},
    {"FStockName", "仓库", "倉庫", "Warehouse", Text, 1400, 5, "t_Stock", "t12"},
    {"FSPNumber", "仓位代码", "儲位代碼", "Bin Code", Text, 1000, 0, "t_StockPlace", "t11"},
    {"FSPName", "仓位", "儲位", "Bin", Text, 1200, 0, "t_StockPlace", "t11"},
    {"FNumber", "物料代码", "物料代碼", "Item Code", Text, 1400, 4, "t_ICItem", "t2"},
    {"FName", "物料名称", "物料名稱", "Item Name", Text, 2000, 4, "t_ICItem", "t2"},
    {"FModel", "规格型号", "規格型號", "Model", Text, 1400, 0, "t_ICItem", "t2"},
    {"FAuxPropNumber", "辅助属性代码", "輔助屬性代碼", "Aux. Property Code", Text, 1000, 0, "t_AuxItem", "t13"},
    {"FAuxPropName", "辅助属性", "輔助屬性", "Auxiliary Property", Text, 1200, 0, "t_AuxItem", "t13"},
    {"FBatchNo", "批次", "批號", "Batch", Text, 1200, 0, "ICInvBackup", "t1"},
    {"FMtoNo", "计划跟踪号", "計畫追蹤號", "MTO Number", Text, 1200, 0, "ICInvBackup", "t1"},
    {"FKFDate", "生产/采购日期", "生產/採購日期", "Production/Purchase Date", Date, 1200, 0, "ICInvBackup", "t1"},
    {"FKFPeriod", "保质期(天)", "有效期限（天）", "Shelf Life (Days)", Whole, 900, 0, "ICInvBackup", "t1"},
    {"FUnitNumber", "基本单位代码", "基本單位代碼", "Base Unit Code", Text, 900, 7, "t_MeasureUnit", "t3"},
    {"FUnitName", "基本单位", "基本單位", "Base Unit", Text, 900, 7, "t_MeasureUnit", "t3"},
    {"FQty", "基本单位账存数量", "基本單位帳存數量", "Book Qty (Base Unit)", Quantity, 1300, 0, "ICInvBackup", "t1"},
    {"FQtyAct", "基本单位实存数量", "基本單位實存數量", "Actual Qty (Base Unit)", Quantity, 1300, 0, "ICInvBackup",
     "t1"},
    {"FCheckQty", "基本单位盘点数量", "基本單位盤點數量", "Counted Qty (Base Unit)", Quantity, 1300, 0, "ICInvBackup",
     "t1"},
    {"FOverQty", "基本单位盘盈数量", "基本單位盤盈數量", "Gain Qty (Base Unit)", Quantity, 1300, 0, "ICInvBackup",
     "t1"},
    {"FDownQty", "基本单位盘亏数量", "基本單位盤虧數量", "Loss Qty (Base Unit)", Quantity, 1300, 0, "ICInvBackup",
     "t1"},
    {"FCUUnitNumber", "单位代码", "單位代碼", "Unit Code", Text, 900, 7, "t_MeasureUnit", "t4"},
    {"FCUUnitName", "单位", "單位", "Unit", Text, 900, 7, "t_MeasureUnit", "t4"},
    {"FComBrand", "品牌", "品牌", "Brand", Text, 1000, 0, "t_Item", "t15"},
    {"FBarCode", "条形码", "條碼", "Barcode", Text, 1500, 0, "t_barcode", "t14"},
    {"FComCategory", "商品类别", "商品類別", "Goods Category", Text, 1000, 0, "t_Item", "t16"},
    {"FCUUnitQty", "账存数量", "帳存數量", "Book Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FCUUnitQtyAct", "实存数量", "實存數量", "Actual Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FCUUnitCheckQty", "盘点数量", "盤點數量", "Counted Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FCUUnitOverQty", "盘盈数量", "盤盈數量", "Gain Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FCUUnitDownQty", "盘亏数量", "盤虧數量", "Loss Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FFirstCheckQty", "初盘数量", "初盤數量", "First Count Qty", Quantity, 1200, 0, "", ""},
    {"FReCheckQty", "复盘数量", "複盤數量", "Recount Qty", Quantity, 1200, 0, "ICInvBackup", "t1"},
    {"FCUMutiUnitCheckQty", "盘点综合单位数量", "盤點綜合單位數量", "Counted Composite Quantity", Text, 1800, 0,
     "ICInvBackup", "t1"},
    {"FAdjQty", "调整数量", "調整數量", "Adjustment Qty", Quantity, 1100, 0, "ICInvBackup", "t1"},
    {"FSecUnitNumber", "辅助单位代码", "輔助單位代碼", "Secondary Unit Code", Text, 900, 7, "t_MeasureUnit", "t5"},
    {"FSecUnitName", "辅助计量单位", "輔助計量單位", "Secondary Unit", Text, 1000, 7, "t_MeasureUnit", "t5"},
    {"FSecCoefficient", "换算率", "換算率", "Conversion Rate", Quantity, 900, 0, "ICInvBackup", "t1"},
    {"FSecQty", "辅助计量单位账存数量", "輔助計量單位帳存數量", "Book Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FSecQtyAct", "辅助计量单位实存数量", "輔助計量單位實存數量", "Actual Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FSecCheckQty", "辅助计量单位盘点数量", "輔助計量單位盤點數量", "Counted Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FSecAdjQty", "辅助计量单位调整数量", "輔助計量單位調整數量", "Adjustment Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FSecOverQty", "辅助计量单位盘盈数量", "輔助計量單位盤盈數量", "Gain Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FSecDownQty", "辅助计量单位盘亏数量", "輔助計量單位盤虧數量", "Loss Qty (Secondary Unit)", Quantity, 1500, 0,
     "ICInvBackup", "t1"},
    {"FNote", "备注", "備註", "Note", Text, 2000, 0, "ICInvBackup", "t1"},
    {"FCoefficient", "换算系数", "換算係數", "Coefficient", Quantity, 800, 0, "t_MeasureUnit", "t4"},
    {"FStockPlaceID", "仓位ID", "儲位ID", "Bin ID", Whole, 800, 0, "ICInvBackup", "t1"},
    {"FDiffQty", "单据差异数量", "單據差異數量", "Document Difference", Quantity, 1200, 0, "", ""},
    {"FUnitID", "单位ID", "單位ID", "Unit ID", Whole, 800, 0, "ICInvBackup", "t1"},
    {"FUnitGroupID", "单位组ID", "單位組ID", "Unit Group ID", Whole, 800, 0, "t_MeasureUnit", "t4"},
    {"FCUUnitDiffQty", "单位单据差异数量", "單位單據差異數量", "Document Difference (Unit)", Quantity, 1200, 0, "", ""},
    {"FSecUnitID", "辅助计量单位ID", "輔助計量單位ID", "Secondary Unit ID", Whole, 800, 0, "t_ICItem", "t2"},
    {"FAuxPropID", "辅助属性ID", "輔助屬性ID", "Aux. Property ID", Whole, 800, 0, "ICInvBackup", "t1"},
    {"FStockID", "仓库ID", "倉庫ID", "Warehouse ID", Whole, 800, 0, "ICInvBackup", "t1"},
    {"FSecDiffQty", "辅助计量单位单据差异数量", "輔助計量單位單據差異數量", "Document Difference (Secondary Unit)",
     Quantity, 1200, 0, "", ""},
};

enum Flag { Shown = 0, Hidden = 1, Quest = 2, Order = 4 };

struct Use
{
    const char *colName;
    int flags;
};

const Use kCheck[] = {
    {"FStockName", Quest | Order},
    {"FSPName", Quest | Order},
    {"FNumber", Quest | Order},
    {"FName", Quest | Order},
    {"FModel", Quest | Order},
    {"FAuxPropName", Quest | Order},
    {"FBatchNo", Quest | Order},
    {"FMtoNo", Hidden | Quest | Order},
    {"FKFDate", Quest | Order},
    {"FKFPeriod", Quest | Order},
    {"FUnitName", Shown},
    {"FQty", Quest | Order},
    {"FQtyAct", Quest | Order},
    {"FOverQty", Quest | Order},
    {"FDownQty", Quest | Order},
    {"FCUUnitName", Shown},
    {"FCUUnitQty", Quest | Order},
    {"FCUUnitQtyAct", Quest | Order},
    {"FFirstCheckQty", Shown},
    {"FReCheckQty", Quest | Order},
    {"FCUUnitOverQty", Quest | Order},
    {"FCUUnitDownQty", Quest | Order},
    {"FSecUnitName", Shown},
    {"FSecCoefficient", Shown},
    {"FSecQty", Shown},
    {"FSecQtyAct", Shown},
    {"FSecOverQty", Shown},
    {"FSecDownQty", Shown},
    {"FAdjQty", Shown},
    {"FComBrand", Quest | Order},
    {"FComCategory", Quest | Order},
    {"FBarCode", Quest},
    {"FNote", Quest},
    {"FStockNumber", Hidden | Quest | Order},
    {"FSPNumber", Hidden | Quest | Order},
};

const Use kCountBook[] = {
    {"FStockName", Quest | Order},
    {"FSPName", Quest | Order},
    {"FNumber", Quest | Order},
    {"FName", Quest | Order},
    {"FModel", Quest | Order},
    {"FAuxPropName", Quest | Order},
    {"FBatchNo", Quest | Order},
    {"FMtoNo", Hidden | Quest | Order},
    {"FKFDate", Quest | Order},
    {"FKFPeriod", Quest | Order},
    {"FUnitName", Shown},
    {"FCheckQty", Shown},
    {"FCUUnitName", Shown},
    {"FCUUnitCheckQty", Shown},
    {"FSecUnitName", Shown},
    {"FSecCheckQty", Shown},
    {"FNote", Shown},
    {"FBarCode", Hidden | Quest},
    {"FComBrand", Hidden | Quest | Order},
    {"FComCategory", Hidden | Quest | Order},
    {"FStockNumber", Hidden | Quest | Order},
    {"FSPNumber", Hidden | Quest | Order},
};

// The entry grid, columns 1 to 47.
const Use kEntry[] = {
    {"FItemID", Hidden},
    {"FStockNumber", Quest | Order},
    {"FStockName", Quest | Order},
    {"FSPNumber", Quest | Order},
    {"FSPName", Quest | Order},
    {"FNumber", Quest | Order},
    {"FName", Quest | Order},
    {"FModel", Quest | Order},
    {"FAuxPropNumber", Quest | Order},
    {"FAuxPropName", Quest | Order},
    {"FBatchNo", Quest | Order},
    {"FMtoNo", Hidden | Quest | Order},
    {"FKFDate", Quest | Order},
    {"FKFPeriod", Quest | Order},
    {"FUnitNumber", Quest | Order},
    {"FUnitName", Quest | Order},
    {"FQty", Quest | Order},
    {"FQtyAct", Shown},
    {"FCheckQty", Quest},
    {"FCUUnitNumber", Shown},
    {"FCUUnitName", Shown},
    {"FComBrand", Quest | Order},
    {"FBarCode", Quest},
    {"FComCategory", Quest | Order},
    {"FCUUnitQty", Shown},
    {"FCUUnitQtyAct", Shown},
    {"FCUUnitCheckQty", Quest},
    {"FCUMutiUnitCheckQty", Shown},
    {"FAdjQty", Shown},
    {"FSecUnitNumber", Shown},
    {"FSecUnitName", Shown},
    {"FSecCoefficient", Shown},
    {"FSecQty", Shown},
    {"FSecQtyAct", Shown},
    {"FSecCheckQty", Shown},
    {"FSecAdjQty", Shown},
    {"FNote", Quest},
    {"FCoefficient", Hidden},
    {"FStockPlaceID", Hidden},
    {"FDiffQty", Hidden},
    {"FUnitID", Hidden},
    {"FUnitGroupID", Hidden},
    {"FCUUnitDiffQty", Hidden},
    {"FSecUnitID", Hidden},
    {"FAuxPropID", Hidden},
    {"FStockID", Hidden},
    {"FSecDiffQty", Hidden},
};

const QStringList kColumns = {
    QStringLiteral("FInterID"),        QStringLiteral("FTypeID"),        QStringLiteral("FColCaption"),
    QStringLiteral("FColCaption_CHT"), QStringLiteral("FColCaption_EN"), QStringLiteral("FColName"),
    QStringLiteral("FTableName"),      QStringLiteral("FTableAlias"),    QStringLiteral("FColType"),
    QStringLiteral("FColWidth"),       QStringLiteral("FVisible"),       QStringLiteral("FItemClassID"),
    QStringLiteral("FVisForQuest"),    QStringLiteral("FVisForOrder"),   QStringLiteral("FName")};

const Field &field(const char *colName)
{
    static const QHash<QByteArray, const Field *> byName = [] {
        QHash<QByteArray, const Field *> h;
        for (const Field &f : kFields)
            h.insert(QByteArray(f.colName), &f);
        return h;
    }();
    const Field *f = byName.value(QByteArray(colName));
    Q_ASSERT_X(f, "seedColumnDefinitions", colName);
    return *f;
}

QString marked(const char *caption)
{
    return QString::fromUtf8(caption) + QLatin1Char('$');
}

template<size_t N>
void addMode(AppConnection &connection, int mode, const Use (&uses)[N])
{
    Recordset existing = connection.ExecuteRaiseErr(
        QStringLiteral("SELECT COUNT(*) AS n FROM ICChatBillTitle WHERE FTypeID = ?"), {mode});
    if (existing.integer(u"n") > 0)
        return; // a mode's definitions may have been adapted: never touch them
    BulkInsert insert(connection, QStringLiteral("ICChatBillTitle"), kColumns);
    int order = 0;
    for (const Use &use : uses) {
        const Field &f = field(use.colName);
        insert.add({mode * 100 + ++order, mode, marked(f.chs), marked(f.cht), marked(f.en),
                    QString::fromLatin1(f.colName), QString::fromLatin1(f.table), QString::fromLatin1(f.alias), f.type,
                    f.width, (use.flags & Hidden) ? 0 : 1, f.itemClass, (use.flags & Quest) ? 1 : 0,
                    (use.flags & Order) ? 1 : 0, QString::fromLatin1(f.colName)});
    }
    insert.flush();
}

} // namespace

void seedColumnDefinitions(AppConnection &connection)
{
    addMode(connection, 1, kCheck);
    addMode(connection, 3, kCountBook);
    addMode(connection, 4, kEntry);
}

} // namespace erp
