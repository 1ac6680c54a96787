#include "countrowkey.h"

#include "recordset.h"

SqlFragment CountRowKey::whereClause(const QString &alias) const
{
    const QString a = alias;
    SqlFragment f;
    f.sql = QStringLiteral(" %1FInterID = ? AND %1FItemID = ? AND %1FAuxPropID = ? AND %1FUnitID = ?"
                           " AND %1FBatchNo = ? AND %1FMtoNo = ? AND COALESCE(%1FKFDate, '') = ?"
                           " AND %1FKFPeriod = ? AND %1FStockID = ? AND %1FStockPlaceID = ? ")
                .arg(a);
    // the text columns are never NULL: a key left empty means '' (a NULL bind would match nothing)
    auto text = [](const QString &s) { return s.isNull() ? QString(QLatin1String("")) : s; };
    f.binds = {processId,   itemId,       auxPropId, unitId,  text(batchNo),
               text(mtoNo), text(kfDate), kfPeriod,  stockId, stockPlaceId};
    return f;
}

CountRowKey CountRowKey::fromRecord(const Recordset &rs, int processId)
{
    CountRowKey k;
    k.processId = processId;
    k.itemId = rs.integer(u"FItemID");
    k.auxPropId = rs.integer(u"FAuxPropID");
    k.unitId = rs.integer(u"FUnitID");
    k.batchNo = rs.text(u"FBatchNo");
    k.mtoNo = rs.text(u"FMtoNo");
    k.kfDate = rs.text(u"FKFDate");
    k.kfPeriod = rs.integer(u"FKFPeriod");
    k.stockId = rs.integer(u"FStockID");
    k.stockPlaceId = rs.integer(u"FStockPlaceID");
    return k;
}
