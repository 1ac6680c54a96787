#include "lookups.h"

#include "appconnection.h"
#include "hostui.h"
#include "loginprops.h"
#include "sharedstate.h"

namespace {

const QString unitSql =
    QStringLiteral(R"(SELECT FName, FCoefficient, FUnitGroupID FROM t_MeasureUnit WHERE FMeasureUnitID = ?)");

// The three tries of FindItem; the number column of the first depends on the
// numbering option.
const QString itemByNumberSql = QStringLiteral(
    R"(SELECT FISSNManage, FItemID, FNumber, FShortNumber, FName, FModel, FStoreUnitID, FUnitID, FQtyDecimal,
              FBatchManager, FISKFPeriod, FKFPeriod, FAuxClassID, FSecUnitID
         FROM t_ICItem
        WHERE %1 = ? AND FErpClsID NOT IN (6, 8) AND FDeleted <> 1
        ORDER BY FNumber)");
const QString itemByHelpCodeSql = QStringLiteral(
    R"(SELECT FItemID, FNumber, FShortNumber, FName, FModel, FStoreUnitID, FUnitID, FQtyDecimal,
              FBatchManager, FISKFPeriod, FKFPeriod, FAuxClassID, FSecUnitID
         FROM t_ICItem
        WHERE FHelpCode = ? AND FErpClsID NOT IN (6, 8) AND FDeleted <> 1
        ORDER BY LENGTH(FNumber))");
const QString itemByBarcodeSql = QStringLiteral(
    R"(SELECT FItemID, FNumber, FShortNumber, FName, FModel, FStoreUnitID, FUnitID, FQtyDecimal,
              FBatchManager, FISKFPeriod, FKFPeriod, FAuxClassID, FSecUnitID
         FROM t_ICItem
        WHERE FItemID IN (SELECT FItemID FROM t_Barcode WHERE FTypeID = 4 AND FBarcode = ?))");

const QString deleteRowSql = QStringLiteral("DELETE FROM ICInvBackup WHERE");

const int helpKey = 112; // F1

// Which lookup of the host an item class opens; empty for a class without one.
QString lookupKind(int itemClass)
{
    switch (itemClass) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 8:
        return QStringLiteral("ItemLookUp");
    case 7:
        return QStringLiteral("UnitLookup");
    case 12:
        return QStringLiteral("CurrencyLookup");
    case 13:
        return QStringLiteral("AccountLookup");
    case 130:
        return QStringLiteral("SettTypeLookup");
    default:
        break;
    }
    if (itemClass >= 20 && itemClass <= 999)
        return QStringLiteral("SubMesLookup");
    return {};
}

bool isItemKind(const QString &kind)
{
    return kind == QLatin1String("ItemLookUp");
}

bool lookupOpen = false;

// Marks a lookup as open for its lifetime, also when the dialog throws.
struct OpenLookup
{
    OpenLookup() { lookupOpen = true; }
    ~OpenLookup() { lookupOpen = false; }
};

} // namespace

QString GetUnitInfo(int unitId, int *groupId, double *coefficient, bool wantGroup)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    Recordset rs = conn->Execute(unitSql, {unitId});
    if (!rs.isOpen() || rs.isEmpty())
        return {};
    if (coefficient)
        *coefficient = rs.number(u"FCoefficient");
    if (wantGroup && groupId)
        *groupId = rs.integer(u"FUnitGroupID");
    return rs.text(u"FName");
}

Recordset FindItem(const QString &text, int preferredItemId)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    const QString numberColumn = shared().useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber");
    Recordset rs = conn->Execute(itemByNumberSql.arg(numberColumn), {text});
    if (!rs.isOpen())
        return rs;
    if (!rs.isEmpty()) {
        if (preferredItemId > 0) {
            // the preferred item wins among items sharing a number; otherwise all stay
            rs.setFilter(QStringLiteral("FItemID = %1").arg(preferredItemId));
            if (rs.isEmpty())
                rs.setFilter(QString());
        }
        return rs;
    }
    rs = conn->Execute(itemByHelpCodeSql, {text});
    if (!rs.isOpen() || !rs.isEmpty())
        return rs;
    return conn->Execute(itemByBarcodeSql, {text});
}

bool DeleteSnapshotRow(const CountRowKey &key)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    const SqlFragment sql = SqlFragment(deleteRowSql) + key.whereClause();
    return conn->Exec(sql.sql, sql.binds);
}

LookupRecord LookupBaseData(int itemClass, const QString &searchText, int dataType, const QVariantMap &options)
{
    if (lookupOpen)
        return {};
    const QString kind = lookupKind(itemClass);
    BaseDataLookup *lookup = shared().components.lookup.get();
    if (kind.isEmpty() || !lookup)
        return {};
    QVariantMap opts = options;
    opts.insert(QStringLiteral("LookupKind"), kind);
    opts.insert(QStringLiteral("Search"), searchText);
    if (isItemKind(kind)) {
        opts.insert(QStringLiteral("BeShortNumber"), !shared().useFullNumber);
        opts.insert(QStringLiteral("GetDataType"), dataType);
    }
    OpenLookup open;
    try {
        return lookup->lookup(itemClass, opts);
    } catch (const std::exception &) {
        return {};
    }
}

void ShowHelp(int keyCode, const QString &topic)
{
    if (keyCode != helpKey || !shared().ui)
        return;
    // the cost sub-system has one help topic of its own
    const bool cost = GetPropsValue(QStringLiteral("SubID")) == QLatin1String("StdCost") ||
                      topic.startsWith(QLatin1String("N5CaculateRpt."));
    shared().ui->showHelp(cost ? QStringLiteral("StdCost") : topic);
}
