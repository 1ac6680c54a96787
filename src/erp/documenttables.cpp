#include "schemaddl.h"

// Current stock, period balances and the stock documents of the host.
//
// Production dates (FKFDate) are texts "yyyy-MM-dd" in every table, so that stock
// positions, document entries and count rows compare them as they are. Current
// stock and balances write '' for "no date"; document entries leave it NULL.
// Headers never repeat an entry column (FQty, FDCStockID, FNote, ...): statements
// read entry columns without an alias.

namespace {

// A stock position of the first (ICInventory) or second (POInventory) ledger.
const char *const kInventoryColumns = R"(
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FStockPlaceID INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMtoNo {T:300} NOT NULL DEFAULT '',
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FKFDate {T:20} NULL DEFAULT '',
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FSecQty {Q} NOT NULL DEFAULT 0,
    FQtyLock {Q} NOT NULL DEFAULT 0,
    FBal {Q} NOT NULL DEFAULT 0,
    FStockInDate {D} NULL
)";

// Opening balance of a period per stock position; FStockInDate must be set, the
// cut-off reconstruction takes only balances that were in stock by the cut-off.
const char *const kBalanceColumns = R"(
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FYear INTEGER NOT NULL,
    FPeriod INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    %1 INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMtoNo {T:300} NOT NULL DEFAULT '',
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FKFDate {T:20} NULL DEFAULT '',
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FStockInDate {D} NULL,
    FBegQty {Q} NOT NULL DEFAULT 0,
    FReceive {Q} NOT NULL DEFAULT 0,
    FSend {Q} NOT NULL DEFAULT 0,
    FEndQty {Q} NOT NULL DEFAULT 0,
    FSecBegQty {Q} NOT NULL DEFAULT 0,
    FSecReceive {Q} NOT NULL DEFAULT 0,
    FSecSend {Q} NOT NULL DEFAULT 0,
    FSecEndQty {Q} NOT NULL DEFAULT 0,
    FBegBal {Q} NOT NULL DEFAULT 0,
    FEndBal {Q} NOT NULL DEFAULT 0%2
)";

// Header of a stock document. FCheckerID: NULL or 0 unaudited; FUpStockWhenSave = 1
// posts on saving. FProcID links gain (40) and loss (43) documents to their count.
const char *const kBillHeaderColumns = R"(
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FInterID INTEGER NOT NULL PRIMARY KEY,
    FBillNo {T:50} NOT NULL,
    FTranType INTEGER NOT NULL,
    FDate {D} NOT NULL,
    FROB SMALLINT NOT NULL DEFAULT 1,
    FStatus SMALLINT NOT NULL DEFAULT 0,
    FCheckerID INTEGER NULL,
    FCheckDate {D} NULL,
    FBillerID INTEGER NOT NULL DEFAULT 0,
    FCancellation SMALLINT NOT NULL DEFAULT 0,
    FUpStockWhenSave SMALLINT NOT NULL DEFAULT 0,
    FPOMode INTEGER NULL DEFAULT 0,
    FProcID INTEGER NOT NULL DEFAULT 0,
    FSupplyID INTEGER NOT NULL DEFAULT 0,
    FDeptID INTEGER NOT NULL DEFAULT 0,
    FEmpID INTEGER NOT NULL DEFAULT 0,
    FFManagerID INTEGER NOT NULL DEFAULT 0,
    FSManagerID INTEGER NOT NULL DEFAULT 0,
    FExplanation {T:255} NOT NULL DEFAULT ''
)";

// Entry of a stock document: FDC* is the destination (receiving) side, FSC* the
// source side. FSelectedProcID reserves the entry for the count process that
// folded it in (0 or NULL: free).
const char *const kBillEntryColumns = R"(
    FInterID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMtoNo {T:300} NOT NULL DEFAULT '',
    FKFDate {T:20} NULL,
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FAuxQty {Q} NOT NULL DEFAULT 0,
    FSecQty {Q} NOT NULL DEFAULT 0,
    FSecCoefficient {Q} NOT NULL DEFAULT 0,
    FQtyMust {Q} NOT NULL DEFAULT 0,
    FAuxQtyMust {Q} NOT NULL DEFAULT 0,
    FPrice {Q} NOT NULL DEFAULT 0,
    FAuxPrice {Q} NOT NULL DEFAULT 0,
    FAmount {Q} NOT NULL DEFAULT 0,
    FPlanPrice {Q} NOT NULL DEFAULT 0,
    FPlanAmount {Q} NOT NULL DEFAULT 0,
    FDCStockID INTEGER NOT NULL DEFAULT 0,
    FDCSPID INTEGER NOT NULL DEFAULT 0,
    FSCStockID INTEGER NOT NULL DEFAULT 0,
    FSCSPID INTEGER NOT NULL DEFAULT 0,
    FSelectedProcID INTEGER NULL DEFAULT 0,
    FSourceInterID INTEGER NOT NULL DEFAULT 0,
    FSourceEntryID INTEGER NOT NULL DEFAULT 0,
    FSourceTranType INTEGER NOT NULL DEFAULT 0,
    FSourceBillNo {T:50} NOT NULL DEFAULT '',
    FNote {T:255} NOT NULL DEFAULT '',
    PRIMARY KEY (FInterID, FEntryID)
)";

// MTO number changes (class 1107011): stock moves from FFromMtoNo to FToMtoNo.
const char *const kMtoChange = R"(
CREATE TABLE IF NOT EXISTS t_MTOChange (
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FID INTEGER NOT NULL PRIMARY KEY,
    FBillNo {T:50} NOT NULL,
    FClassTypeID INTEGER NOT NULL DEFAULT 1107011,
    FDate {D} NOT NULL,
    FStatus SMALLINT NOT NULL DEFAULT 0,
    FCheckerID INTEGER NULL,
    FCheckDate {D} NULL,
    FBillerID INTEGER NOT NULL DEFAULT 0,
    FCancellation SMALLINT NOT NULL DEFAULT 0,
    FUpStockWhenSave SMALLINT NOT NULL DEFAULT 0,
    FExplanation {T:255} NOT NULL DEFAULT ''
))";

const char *const kMtoChangeEntry = R"(
CREATE TABLE IF NOT EXISTS t_MTOChangeEntry (
    FID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FSPID INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FFromMtoNo {T:300} NOT NULL DEFAULT '',
    FToMtoNo {T:300} NOT NULL DEFAULT '',
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FKFDate {T:20} NULL,
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FChangeQty {Q} NOT NULL DEFAULT 0,
    FChangeBaseQty {Q} NOT NULL DEFAULT 0,
    FChangeSecQty {Q} NOT NULL DEFAULT 0,
    FSelectedProcID INTEGER NULL DEFAULT 0,
    FNote {T:255} NOT NULL DEFAULT '',
    PRIMARY KEY (FID, FEntryID)
))";

// Receipts of consigned (vendor-managed) stock, class 1007601.
const char *const kVmiInStock = R"(
CREATE TABLE IF NOT EXISTS ICVMIInStock (
    FBrNo {T:10} NOT NULL DEFAULT '0',
    FID INTEGER NOT NULL PRIMARY KEY,
    FBillNo {T:50} NOT NULL,
    FClassTypeID INTEGER NOT NULL DEFAULT 1007601,
    FDate {D} NOT NULL,
    FStatus SMALLINT NOT NULL DEFAULT 0,
    FSupplyID INTEGER NOT NULL DEFAULT 0,
    FCheckerID INTEGER NULL,
    FCheckDate {D} NULL,
    FBillerID INTEGER NOT NULL DEFAULT 0,
    FCancellation SMALLINT NOT NULL DEFAULT 0,
    FUpStockWhenSave SMALLINT NOT NULL DEFAULT 0,
    FExplanation {T:255} NOT NULL DEFAULT ''
))";

const char *const kVmiInStockEntry = R"(
CREATE TABLE IF NOT EXISTS ICVMIInStockEntry (
    FID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FSPID INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FMTONo {T:300} NOT NULL DEFAULT '',
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FKFDate {T:20} NULL,
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FAuxQty {Q} NOT NULL DEFAULT 0,
    FSecQty {Q} NOT NULL DEFAULT 0,
    FPrice {Q} NOT NULL DEFAULT 0,
    FAmount {Q} NOT NULL DEFAULT 0,
    FSelectedProcID INTEGER NULL DEFAULT 0,
    FNote {T:255} NOT NULL DEFAULT '',
    PRIMARY KEY (FID, FEntryID)
))";

// Point-of-sale documents: FisSettle = 0 not yet submitted, FDailyBillID = 0 not
// yet closed by the day's settlement. Entries of a counter (FShoppeID <> 0) are
// not stock of the shop.
const char *const kRetail = R"(
CREATE TABLE IF NOT EXISTS T_LS_Retail (
    FID INTEGER NOT NULL PRIMARY KEY,
    FBillNo {T:50} NOT NULL,
    FDate {D} NOT NULL,
    FisSettle SMALLINT NOT NULL DEFAULT 0,
    FDailyBillID INTEGER NOT NULL DEFAULT 0,
    FStatus SMALLINT NOT NULL DEFAULT 0,
    FBillerID INTEGER NOT NULL DEFAULT 0,
    FTotalAmount {Q} NOT NULL DEFAULT 0
))";

const char *const kRetailEntry = R"(
CREATE TABLE IF NOT EXISTS T_LS_RetailEntry (
    FID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FStock INTEGER NOT NULL,
    FSPID INTEGER NOT NULL DEFAULT 0,
    FShoppeID INTEGER NULL DEFAULT 0,
    FBatchNo {T:200} NOT NULL DEFAULT '',
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FPrice {Q} NOT NULL DEFAULT 0,
    FAmount {Q} NOT NULL DEFAULT 0,
    PRIMARY KEY (FID, FEntryID)
))";

// Retail count and re-count documents of a count process (FProcessID = FID of the
// process); FAuditFlag 2 = audited.
const char *const kRetailCheckHeader = R"(
CREATE TABLE IF NOT EXISTS %1 (
    FID INTEGER NOT NULL PRIMARY KEY,
    FBillNo {T:50} NOT NULL,
    FDate {D} NOT NULL,
    FProcessID INTEGER NOT NULL DEFAULT 0,
    FAuditFlag SMALLINT NOT NULL DEFAULT 1,
    FCancellation SMALLINT NOT NULL DEFAULT 0,
    FBillerID INTEGER NOT NULL DEFAULT 0,
    FCheckerID INTEGER NULL,
    FExplanation {T:255} NOT NULL DEFAULT ''
))";

const char *const kRetailCheckEntry = R"(
CREATE TABLE IF NOT EXISTS %1 (
    FID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FStockPlaceID INTEGER NOT NULL DEFAULT 0,
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FBatchNo {T:300} NULL DEFAULT '',
    FMtoNo {T:300} NULL DEFAULT '',
    FKFDate {T:20} NULL,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FQty {Q} NOT NULL DEFAULT 0,
    FActualQty {Q} NOT NULL DEFAULT 0,
    PRIMARY KEY (FID, FEntryID)
))";

const char *const kStockIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ix_ICInventory_stock ON ICInventory (FStockID, FStockPlaceID, FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInventory_item ON ICInventory (FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_POInventory_stock ON POInventory (FStockID, FStockPlaceID, FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_POInventory_item ON POInventory (FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInvBal_period ON ICInvBal (FYear, FPeriod, FStockID)",
    "CREATE INDEX IF NOT EXISTS ix_ICInvBal_item ON ICInvBal (FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_ICVMIInvBal_period ON ICVMIInvBal (FYear, FPeriod, FStockID)",
    "CREATE INDEX IF NOT EXISTS ix_POInvBal_period ON POInvBal (FYear, FPeriod, FStockID)",
    "CREATE INDEX IF NOT EXISTS ix_POInvBal_item ON POInvBal (FItemID)",
};

const char *const kDocumentIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ix_t_MTOChange_date ON t_MTOChange (FDate)",
    "CREATE INDEX IF NOT EXISTS ix_t_MTOChangeEntry_stock ON t_MTOChangeEntry (FStockID, FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_t_MTOChangeEntry_proc ON t_MTOChangeEntry (FSelectedProcID)",
    "CREATE INDEX IF NOT EXISTS ix_ICVMIInStock_date ON ICVMIInStock (FDate)",
    "CREATE INDEX IF NOT EXISTS ix_ICVMIInStockEntry_stock ON ICVMIInStockEntry (FStockID, FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_ICVMIInStockEntry_proc ON ICVMIInStockEntry (FSelectedProcID)",
    "CREATE INDEX IF NOT EXISTS ix_T_LS_Retail_date ON T_LS_Retail (FDate)",
    "CREATE INDEX IF NOT EXISTS ix_T_LS_RetailEntry_stock ON T_LS_RetailEntry (FStock)",
    "CREATE INDEX IF NOT EXISTS ix_t_LS_InventoryCheck_proc ON t_LS_InventoryCheck (FProcessID)",
    "CREATE INDEX IF NOT EXISTS ix_t_LS_ReInventoryCheck_proc ON t_LS_ReInventoryCheck (FProcessID)",
};

// The four header/entry pairs share one layout.
const char *const kBillTables[] = {"ICStockBill", "ZPStockBill", "POStockBill", "ICSTJGBill"};

QString createTable(const QString &name, const QString &columns)
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(name, columns);
}

QStringList billTables()
{
    QStringList out;
    for (const char *name : kBillTables) {
        const QString header = QString::fromLatin1(name);
        const QString entry = header + QStringLiteral("Entry");
        out << createTable(header, QString::fromUtf8(kBillHeaderColumns));
        out << createTable(entry, QString::fromUtf8(kBillEntryColumns));
        out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_date ON %1 (FDate, FTranType)").arg(header);
        out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_dc ON %1 (FDCStockID, FItemID)").arg(entry);
        out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_sc ON %1 (FSCStockID, FItemID)").arg(entry);
        out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_proc ON %1 (FSelectedProcID)").arg(entry);
    }
    out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_ICStockBill_proc ON ICStockBill (FProcID)");
    out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_ICStockBillEntry_source ON ICStockBillEntry "
                          "(FSourceInterID, FSourceEntryID)");
    return out;
}

} // namespace

namespace erp::ddl {

QStringList stockTables()
{
    const QString inventory = QString::fromUtf8(kInventoryColumns);
    const QString balance = QString::fromUtf8(kBalanceColumns);
    QStringList out;
    out << createTable(QStringLiteral("ICInventory"), inventory);
    out << createTable(QStringLiteral("POInventory"), inventory);
    out << createTable(QStringLiteral("ICInvBal"), balance.arg(QStringLiteral("FStockPlaceID"), QString()));
    out << createTable(QStringLiteral("ICVMIInvBal"),
                       balance.arg(QStringLiteral("FStockPlaceID"), QStringLiteral(",\n    FSupplyID INTEGER NOT "
                                                                                   "NULL DEFAULT 0")));
    // the second ledger names its stock place FSPID
    out << createTable(QStringLiteral("POInvBal"), balance.arg(QStringLiteral("FSPID"), QString()));
    for (const char *s : kStockIndexes)
        out << QString::fromLatin1(s);
    return out;
}

QStringList documentTables()
{
    QStringList out = billTables();
    for (const char *s : {kMtoChange, kMtoChangeEntry, kVmiInStock, kVmiInStockEntry, kRetail, kRetailEntry})
        out << QString::fromUtf8(s);
    out << QString::fromUtf8(kRetailCheckHeader).arg(QStringLiteral("t_LS_InventoryCheck"));
    out << QString::fromUtf8(kRetailCheckEntry).arg(QStringLiteral("t_LS_InventoryCheckEntry"));
    out << QString::fromUtf8(kRetailCheckHeader).arg(QStringLiteral("t_LS_ReInventoryCheck"));
    out << QString::fromUtf8(kRetailCheckEntry).arg(QStringLiteral("t_LS_ReInventoryCheckEntry"));
    for (const char *s : kDocumentIndexes)
        out << QString::fromLatin1(s);
    return out;
}

} // namespace erp::ddl
