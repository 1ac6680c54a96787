#include "countrowkey.h"

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
