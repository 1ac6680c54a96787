#include "seeds.h"

#include "bulkinsert.h"

#include "host/appconnection.h"

namespace erp {

namespace {

struct TypeName
{
    int id;
    const char *chs;
    const char *cht;
    const char *en;
};

// Transaction types of the stock documents the count module reads or makes.
const TypeName kTransactionTypes[] = {
    {1, "外购入库", "外購入庫", "Purchase receipt"},
    {2, "产品入库", "產品入庫", "Product receipt"},
    {5, "委外加工入库", "委外加工入庫", "Subcontract receipt"},
    {6, "虚仓入库", "虛倉入庫", "Virtual warehouse receipt"},
    {10, "其他入库", "其他入庫", "Other receipt"},
    {21, "销售出库", "銷售出庫", "Sales issue"},
    {24, "领料单", "領料單", "Material requisition"},
    {26, "虚仓出库", "虛倉出庫", "Virtual warehouse issue"},
    {28, "委外加工出库", "委外加工出庫", "Subcontract issue"},
    {29, "其他出库", "其他出庫", "Other issue"},
    {40, "盘盈入库", "盤盈入庫", "Count gain"},
    {41, "调拨单", "調撥單", "Transfer"},
    {43, "盘亏毁损", "盤虧毀損", "Count loss"},
    {74, "虚仓调拨", "虛倉調撥", "Virtual warehouse transfer"},
    {92, "受托加工材料入库", "受託加工材料入庫", "Processing material receipt"},
    {137, "受托加工领料", "受託加工領料", "Processing requisition"},
};

const TypeName kClassTypes[] = {
    {1007601, "VMI入库单", "VMI入庫單", "VMI receipt"},
    {1107011, "计划跟踪号调整单", "計畫追蹤號調整單", "MTO number change"},
};

const QString kIgnoreExisting = QStringLiteral("ON CONFLICT DO NOTHING");

} // namespace

void seedSystemRows(AppConnection &connection)
{
    BulkInsert types(
        connection, QStringLiteral("ICTransactionType"),
        {QStringLiteral("FID"), QStringLiteral("FName"), QStringLiteral("FName_CHT"), QStringLiteral("FName_EN")},
        kIgnoreExisting);
    for (const TypeName &t : kTransactionTypes)
        types.add({t.id, QString::fromUtf8(t.chs), QString::fromUtf8(t.cht), QString::fromUtf8(t.en)});
    types.flush();

    BulkInsert classes(connection, QStringLiteral("ICClassType"),
                       {QStringLiteral("FID"), QStringLiteral("FName"), QStringLiteral("FName_CHS"),
                        QStringLiteral("FName_CHT"), QStringLiteral("FName_EN")},
                       kIgnoreExisting);
    for (const TypeName &t : kClassTypes)
        classes.add({t.id, QString::fromUtf8(t.chs), QString::fromUtf8(t.chs), QString::fromUtf8(t.cht),
                     QString::fromUtf8(t.en)});
    classes.flush();

    // "No stock place": current stock joins stock places with an inner join.
    connection.ExecuteRaiseErr(QStringLiteral("INSERT INTO t_StockPlace (FSPID, FSPGroupID, FNumber, FName) "
                                              "VALUES (0, 0, '', '') ON CONFLICT DO NOTHING"));
    // The day counter of count process numbers.
    connection.ExecuteRaiseErr(QStringLiteral("INSERT INTO icbillno (FBillID, FBillName, FCurNo) "
                                              "VALUES (-1, ?, 1) ON CONFLICT DO NOTHING"),
                               {QStringLiteral("盘点方案")});
}

} // namespace erp
