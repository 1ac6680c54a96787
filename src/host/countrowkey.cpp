#include "countrowkey.h"

SqlFragment CountRowKey::whereClause(const QString &alias) const
{
    const QString a = alias;
    SqlFragment f;
    f.sql = QStringLiteral(" %1FInterID = ? AND %1FItemID = ? AND %1FAuxPropID = ? AND %1FUnitID = ?"
                           " AND %1FBatchNo = ? AND %1FMtoNo = ? AND COALESCE(%1FKFDate, '') = ?"
                           " AND %1FKFPeriod = ? AND %1FStockID = ? AND %1FStockPlaceID = ? ")
                .arg(a);
    f.binds = {processId, itemId, auxPropId, unitId, batchNo, mtoNo, kfDate, kfPeriod, stockId, stockPlaceId};
    return f;
}
