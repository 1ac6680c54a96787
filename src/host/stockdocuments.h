#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

// Transaction types of the host's stock documents (FTranType of ICStockBill,
// ZPStockBill, ICSTJGBill and POStockBill) that a count reads, reconciles or
// writes. One list, so the snapshot, the reconciliation, the documents of a count
// and the demo data agree on what moves stock in which direction.
namespace TranType {

inline constexpr int PurchaseReceipt = 1;     // 外购入库
inline constexpr int ProductReceipt = 2;      // 产品入库
inline constexpr int SubcontractReceipt = 5;  // 委外加工入库
inline constexpr int VirtualReceipt = 6;      // 虚仓入库 (second ledger)
inline constexpr int OtherReceipt = 10;       // 其他入库
inline constexpr int SalesIssue = 21;         // 销售出库
inline constexpr int Requisition = 24;        // 领料单: out of its issuing stock
inline constexpr int VirtualIssue = 26;       // 虚仓出库 (second ledger)
inline constexpr int SubcontractIssue = 28;   // 委外加工出库
inline constexpr int OtherIssue = 29;         // 其他出库
inline constexpr int Gain = 40;               // 盘盈入库: the gain document of a count
inline constexpr int Transfer = 41;           // 调拨单: out of one stock, into another
inline constexpr int Loss = 43;               // 盘亏毁损: the loss document of a count
inline constexpr int VirtualTransfer = 74;    // 虚仓调拨 (second ledger, both sides)
inline constexpr int MaterialsReceived = 92;  // 受托加工领料 (second ledger)
inline constexpr int MaterialsReturned = 137; // 受托加工退料 (second ledger)

// Purchase receipts of this mode are not stock movements of the count.
inline constexpr int PurchaseModeNotStocked = 36681;

// Documents that add to their receiving stock (FDCStockID).
inline constexpr std::initializer_list<int> Inflows = {PurchaseReceipt, ProductReceipt, SubcontractReceipt,
                                                       OtherReceipt,    Gain,           Transfer};
// Documents that take from their receiving-side stock column (FDCStockID).
inline constexpr std::initializer_list<int> Outflows = {SalesIssue, SubcontractIssue, OtherIssue, Loss};

// "(1, 2, 5)": a list of these constants for an IN condition. Constants of the
// program, never values from outside, so they may stand in the statement text.
inline QString sqlList(std::initializer_list<int> types)
{
    QStringList items;
    for (int t : types)
        items << QString::number(t);
    return QLatin1Char('(') + items.join(QStringLiteral(", ")) + QLatin1Char(')');
}

inline QString sqlList(std::initializer_list<int> first, std::initializer_list<int> second)
{
    QStringList items;
    for (auto list : {first, second})
        for (int t : list)
            items << QString::number(t);
    return QLatin1Char('(') + items.join(QStringLiteral(", ")) + QLatin1Char(')');
}

} // namespace TranType
