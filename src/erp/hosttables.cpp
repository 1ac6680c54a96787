#include "schemaddl.h"

// Master data and system tables of the host. Column names are those the count
// module's statements use; a column that a joined statement reads without a table
// alias must exist in one table of the join only, so the tables below avoid
// repeating such names (no FStockID or FBatchNo on items, no FID on users, ...).

namespace {

// t_Item holds one row for every base-data record of every class (4 items,
// 5 stocks, 7 units, 8 suppliers, 3 employees, 2037 goods categories, 2038 brands):
// the trees of the backup dialog group the detail rows (FDetail = 1) under the
// rows whose number is a prefix of theirs (FDetail = 0).
const char *const kItem = R"(
CREATE TABLE IF NOT EXISTS t_Item (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FItemClassID INTEGER NOT NULL,
    FNumber {T:80} NOT NULL,
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FFullName {T:255} NOT NULL DEFAULT '',
    FFullNumber {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FLevel SMALLINT NOT NULL DEFAULT 1,
    FDetail SMALLINT NOT NULL DEFAULT 1,
    FDeleted SMALLINT NOT NULL DEFAULT 0,
    FBrNo {T:10} NOT NULL DEFAULT '0'
))";

const char *const kUnitGroup = R"(
CREATE TABLE IF NOT EXISTS t_UnitGroup (
    FUnitGroupID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FName {T:80} NOT NULL DEFAULT '',
    FDefaultUnitID INTEGER NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

// Statements join units on FItemID as well as on FMeasureUnitID: both hold the
// same id. FCoefficient converts to the group's base unit (FStandard = 1).
const char *const kMeasureUnit = R"(
CREATE TABLE IF NOT EXISTS t_MeasureUnit (
    FMeasureUnitID INTEGER NOT NULL PRIMARY KEY,
    FItemID INTEGER NOT NULL,
    FUnitGroupID INTEGER NOT NULL DEFAULT 0,
    FNumber {T:80} NOT NULL DEFAULT '',
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:80} NOT NULL DEFAULT '',
    FCoefficient {Q} NOT NULL DEFAULT 1,
    FConversation SMALLINT NOT NULL DEFAULT 1,
    FStandard SMALLINT NOT NULL DEFAULT 0,
    FPrecision SMALLINT NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kAuxItem = R"(
CREATE TABLE IF NOT EXISTS t_AuxItem (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FItemClassID INTEGER NOT NULL DEFAULT 0,
    FNumber {T:80} NOT NULL DEFAULT '',
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

// The item as the count module sees it. FUnitID is the base unit, FStoreUnitID the
// stock unit (the unit of count rows), FCUUnitID the counting unit of the count book,
// FSecUnitID the secondary unit. FCheckCycUnit: 11603 day, 11602 week, other > 0
// month. t_ICItemBase and t_ICItemMaterial repeat the columns that statements read
// there; FLastCheckDate written to t_ICItemMaterial is copied here by a trigger.
const char *const kICItem = R"(
CREATE TABLE IF NOT EXISTS t_ICItem (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL,
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FFullName {T:255} NOT NULL DEFAULT '',
    FModel {T:255} NOT NULL DEFAULT '',
    FHelpCode {T:80} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FErpClsID INTEGER NOT NULL DEFAULT 1,
    FUnitGroupID INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FStoreUnitID INTEGER NOT NULL DEFAULT 0,
    FCUUnitID INTEGER NOT NULL DEFAULT 0,
    FOrderUnitID INTEGER NOT NULL DEFAULT 0,
    FSaleUnitID INTEGER NOT NULL DEFAULT 0,
    FProductUnitID INTEGER NOT NULL DEFAULT 0,
    FSecUnitID INTEGER NOT NULL DEFAULT 0,
    FSecCoefficient {Q} NOT NULL DEFAULT 0,
    FSecUnitDecimal SMALLINT NOT NULL DEFAULT 0,
    FQtyDecimal SMALLINT NOT NULL DEFAULT 0,
    FPriceDecimal SMALLINT NOT NULL DEFAULT 2,
    FBatchManager SMALLINT NOT NULL DEFAULT 0,
    FISKFPeriod SMALLINT NOT NULL DEFAULT 0,
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FAuxClassID INTEGER NOT NULL DEFAULT 0,
    FISSNManage SMALLINT NOT NULL DEFAULT 0,
    FSerialClassID INTEGER NOT NULL DEFAULT 0,
    FComBrandID INTEGER NOT NULL DEFAULT 0,
    FComCategoryID INTEGER NOT NULL DEFAULT 0,
    FGoodsBarCode {T:80} NOT NULL DEFAULT '',
    FSource INTEGER NOT NULL DEFAULT 0,
    FCheckCycUnit INTEGER NOT NULL DEFAULT 0,
    FCheckCycle INTEGER NOT NULL DEFAULT 0,
    FDaysPer INTEGER NOT NULL DEFAULT 0,
    FLastCheckDate {D} NULL,
    FPlanPrice {Q} NOT NULL DEFAULT 0,
    FSalePrice {Q} NOT NULL DEFAULT 0,
    FOrderPrice {Q} NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kICItemBase = R"(
CREATE TABLE IF NOT EXISTS t_ICItemBase (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FErpClsID INTEGER NOT NULL DEFAULT 1,
    FUnitGroupID INTEGER NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FStoreUnitID INTEGER NOT NULL DEFAULT 0,
    FSecUnitID INTEGER NOT NULL DEFAULT 0,
    FSecCoefficient {Q} NOT NULL DEFAULT 0,
    FSecUnitDecimal SMALLINT NOT NULL DEFAULT 0,
    FQtyDecimal SMALLINT NOT NULL DEFAULT 0,
    FPriceDecimal SMALLINT NOT NULL DEFAULT 2,
    FAuxClassID INTEGER NOT NULL DEFAULT 0,
    FSerialClassID INTEGER NOT NULL DEFAULT 0
))";

const char *const kICItemMaterial = R"(
CREATE TABLE IF NOT EXISTS t_ICItemMaterial (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FBatchManager SMALLINT NOT NULL DEFAULT 0,
    FISKFPeriod SMALLINT NOT NULL DEFAULT 0,
    FKFPeriod INTEGER NOT NULL DEFAULT 0,
    FISSNManage SMALLINT NOT NULL DEFAULT 0,
    FCheckCycUnit INTEGER NOT NULL DEFAULT 0,
    FCheckCycle INTEGER NOT NULL DEFAULT 0,
    FDaysPer INTEGER NOT NULL DEFAULT 0,
    FLastCheckDate {D} NULL
))";

// FTypeID: 500 ordinary, 501 and 502/503 special stocks (502/503 keep the second
// ledger's documents), 20291/20293 further kinds offered for counting.
const char *const kStock = R"(
CREATE TABLE IF NOT EXISTS t_Stock (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL,
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FFullName {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FTypeID INTEGER NOT NULL DEFAULT 500,
    FIsStockMgr SMALLINT NOT NULL DEFAULT 0,
    FSPGroupID INTEGER NOT NULL DEFAULT 0,
    FEmpID INTEGER NOT NULL DEFAULT 0,
    FAddress {T:255} NOT NULL DEFAULT '',
    FUnderStock SMALLINT NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kStockPlaceGroup = R"(
CREATE TABLE IF NOT EXISTS t_StockPlaceGroup (
    FSPGroupID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FName {T:80} NOT NULL DEFAULT '',
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

// The row FSPID = 0 (empty number and name) stands for "no stock place": current
// stock joins places with an inner join.
const char *const kStockPlace = R"(
CREATE TABLE IF NOT EXISTS t_StockPlace (
    FSPID INTEGER NOT NULL PRIMARY KEY,
    FSPGroupID INTEGER NOT NULL DEFAULT 0,
    FNumber {T:80} NOT NULL DEFAULT '',
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FFullName {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FLevel SMALLINT NOT NULL DEFAULT 1,
    FDetail SMALLINT NOT NULL DEFAULT 1,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

// FTypeID 4 with FCodeType 0: the item's own barcode (searched and shown).
const char *const kBarcode = R"(
CREATE TABLE IF NOT EXISTS t_barcode (
    FID INTEGER NOT NULL PRIMARY KEY,
    FItemID INTEGER NOT NULL,
    FBarCode {T:80} NOT NULL,
    FTypeID INTEGER NOT NULL DEFAULT 4,
    FCodeType SMALLINT NOT NULL DEFAULT 0,
    FUnitID INTEGER NOT NULL DEFAULT 0,
    FAuxPropID INTEGER NOT NULL DEFAULT 0,
    FRemark {T:255} NOT NULL DEFAULT ''
))";

// FPassword holds the Argon2id string of the password (older databases: "salt$sha256(salt +
// password)" in hex, replaced at the next login), never the password.
const char *const kUser = R"(
CREATE TABLE IF NOT EXISTS t_user (
    FUserID INTEGER NOT NULL PRIMARY KEY,
    FName {T:80} NOT NULL,
    FNumber {T:80} NOT NULL DEFAULT '',
    FDescription {T:255} NOT NULL DEFAULT '',
    FEmpID INTEGER NOT NULL DEFAULT 0,
    FForbidden SMALLINT NOT NULL DEFAULT 0,
    FPassword {T:200} NOT NULL DEFAULT ''
))";

const char *const kEmp = R"(
CREATE TABLE IF NOT EXISTS t_Emp (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FName {T:80} NOT NULL DEFAULT '',
    FDepartmentID INTEGER NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kSupplier = R"(
CREATE TABLE IF NOT EXISTS t_Supplier (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FShortNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

// Brands (class 2038) and goods categories (2037): the tables that row-level
// access rules name; their rows mirror t_Item.
const char *const kComBrand = R"(
CREATE TABLE IF NOT EXISTS t_ComBrand (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kComCategory = R"(
CREATE TABLE IF NOT EXISTS t_ComCategory (
    FItemID INTEGER NOT NULL PRIMARY KEY,
    FNumber {T:80} NOT NULL DEFAULT '',
    FName {T:255} NOT NULL DEFAULT '',
    FParentID INTEGER NOT NULL DEFAULT 0,
    FDeleted SMALLINT NOT NULL DEFAULT 0
))";

const char *const kMasterIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ix_t_Item_class ON t_Item (FItemClassID, FNumber)",
    "CREATE INDEX IF NOT EXISTS ix_t_MeasureUnit_item ON t_MeasureUnit (FItemID)",
    "CREATE INDEX IF NOT EXISTS ix_t_MeasureUnit_group ON t_MeasureUnit (FUnitGroupID)",
    "CREATE INDEX IF NOT EXISTS ix_t_AuxItem_class ON t_AuxItem (FItemClassID)",
    "CREATE INDEX IF NOT EXISTS ix_t_ICItem_number ON t_ICItem (FNumber)",
    "CREATE INDEX IF NOT EXISTS ix_t_ICItem_short ON t_ICItem (FShortNumber)",
    "CREATE INDEX IF NOT EXISTS ix_t_ICItem_help ON t_ICItem (FHelpCode)",
    "CREATE INDEX IF NOT EXISTS ix_t_Stock_number ON t_Stock (FNumber)",
    "CREATE INDEX IF NOT EXISTS ix_t_StockPlace_group ON t_StockPlace (FSPGroupID, FNumber)",
    "CREATE INDEX IF NOT EXISTS ix_t_barcode_code ON t_barcode (FBarCode)",
    "CREATE INDEX IF NOT EXISTS ix_t_barcode_item ON t_barcode (FItemID)",
};

// System parameters: FCategory "IC" (inventory) and "RTSTOCK" among others.
const char *const kSystemProfile = R"(
CREATE TABLE IF NOT EXISTS t_SystemProfile (
    FCategory {T:30} NOT NULL,
    FKey {T:100} NOT NULL,
    FValue {T:255} NULL,
    FReadonly SMALLINT NOT NULL DEFAULT 0,
    FDescription {T:255} NOT NULL DEFAULT '',
    FLevel {T:30} NOT NULL DEFAULT '',
    FExplanation {T:255} NOT NULL DEFAULT '',
    FFormat {T:100} NOT NULL DEFAULT '',
    FSort INTEGER NOT NULL DEFAULT 0,
    FDescription_cht {T:255} NOT NULL DEFAULT '',
    FDescription_en {T:255} NOT NULL DEFAULT '',
    PRIMARY KEY (FCategory, FKey)
))";

// Accounting periods; both dates are days (midnight), FEndDate the last day.
const char *const kPeriodDate = R"(
CREATE TABLE IF NOT EXISTS t_PeriodDate (
    FYear INTEGER NOT NULL,
    FPeriod INTEGER NOT NULL,
    FStartDate {D} NOT NULL,
    FEndDate {D} NOT NULL,
    PRIMARY KEY (FYear, FPeriod)
))";

// Document numbering. The row FBillID = -1 is the day counter of count process
// numbers; other rows count documents of the transaction type FBillID.
const char *const kBillNo = R"(
CREATE TABLE IF NOT EXISTS icbillno (
    FBillID INTEGER NOT NULL PRIMARY KEY,
    FBillName {T:80} NOT NULL DEFAULT '',
    FPreLetter {T:20} NOT NULL DEFAULT '',
    FCurNo INTEGER NOT NULL DEFAULT 1,
    FLength INTEGER NOT NULL DEFAULT 6
))";

// Document numbers reserved by open editors; FFlag = 1 once used.
const char *const kMaxNum = R"(
CREATE TABLE IF NOT EXISTS IC_MaxNum (
    FTableName {T:50} NOT NULL,
    FNumber INTEGER NOT NULL,
    FUserID INTEGER NOT NULL DEFAULT 0,
    FFlag SMALLINT NOT NULL DEFAULT 0
))";

const char *const kTransactionType = R"(
CREATE TABLE IF NOT EXISTS ICTransactionType (
    FID INTEGER NOT NULL PRIMARY KEY,
    FName {T:80} NOT NULL DEFAULT '',
    FName_CHT {T:80} NOT NULL DEFAULT '',
    FName_EN {T:80} NOT NULL DEFAULT ''
))";

// Selected by "FName_" + the login language ("chs", "CHT", "EN").
const char *const kClassType = R"(
CREATE TABLE IF NOT EXISTS ICClassType (
    FID INTEGER NOT NULL PRIMARY KEY,
    FName {T:80} NOT NULL DEFAULT '',
    FName_CHS {T:80} NOT NULL DEFAULT '',
    FName_CHT {T:80} NOT NULL DEFAULT '',
    FName_EN {T:80} NOT NULL DEFAULT ''
))";

// Column definitions of the count sheet, one set per sheet mode (FTypeID).
const char *const kChatBillTitle = R"(
CREATE TABLE IF NOT EXISTS ICChatBillTitle (
    FInterID INTEGER NOT NULL PRIMARY KEY,
    FTypeID INTEGER NOT NULL,
    FColCaption {T:100} NOT NULL DEFAULT '',
    FColCaption_CHT {T:100} NOT NULL DEFAULT '',
    FColCaption_EN {T:100} NOT NULL DEFAULT '',
    FHeadSecond {T:100} NOT NULL DEFAULT '',
    FColName {T:50} NOT NULL,
    FTableName {T:50} NOT NULL DEFAULT '',
    FColType INTEGER NOT NULL DEFAULT 8,
    FColWidth INTEGER NOT NULL DEFAULT 1000,
    FVisible SMALLINT NOT NULL DEFAULT 1,
    FItemClassID INTEGER NOT NULL DEFAULT 0,
    FVisForQuest SMALLINT NOT NULL DEFAULT 0,
    FReturnDataType INTEGER NOT NULL DEFAULT 0,
    FCountPriceType INTEGER NOT NULL DEFAULT 0,
    FCtlIndex INTEGER NOT NULL DEFAULT 0,
    FName {T:50} NOT NULL DEFAULT '',
    FTableAlias {T:20} NOT NULL DEFAULT '',
    FAction {T:50} NOT NULL DEFAULT '',
    FNeedCount SMALLINT NOT NULL DEFAULT 0,
    FIsPrimary SMALLINT NOT NULL DEFAULT 0,
    FLogicAction {T:50} NOT NULL DEFAULT '',
    FStatistical SMALLINT NOT NULL DEFAULT 0,
    FMergeable SMALLINT NOT NULL DEFAULT 0,
    FVisForOrder SMALLINT NOT NULL DEFAULT 0,
    FControl INTEGER NOT NULL DEFAULT 0,
    FMode INTEGER NOT NULL DEFAULT 0
))";

const char *const kSystemIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ix_IC_MaxNum_table ON IC_MaxNum (FTableName, FNumber)",
    "CREATE INDEX IF NOT EXISTS ix_ICChatBillTitle_type ON ICChatBillTitle (FTypeID, FInterID)",
};

template<size_t N>
void append(QStringList &out, const char *const (&statements)[N])
{
    for (const char *s : statements)
        out << QString::fromUtf8(s);
}

} // namespace

namespace erp::ddl {

QStringList masterDataTables()
{
    QStringList out;
    append(out, {kItem, kUnitGroup, kMeasureUnit, kAuxItem, kICItem, kICItemBase, kICItemMaterial, kStock,
                 kStockPlaceGroup, kStockPlace, kBarcode, kUser, kEmp, kSupplier, kComBrand, kComCategory});
    append(out, kMasterIndexes);
    return out;
}

QStringList systemTables()
{
    QStringList out;
    append(out, {kSystemProfile, kPeriodDate, kBillNo, kMaxNum, kTransactionType, kClassType, kChatBillTitle});
    append(out, kSystemIndexes);
    return out;
}

} // namespace erp::ddl
