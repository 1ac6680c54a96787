#include "importlookups.h"

#include "host/appconnection.h"

namespace {

QString key(const Recordset &rs, int number, int name)
{
    return rs.Fields(number).toString().trimmed() + u'|' + rs.Fields(name).toString().trimmed();
}

} // namespace

void ImportLookups::load(AppConnection &c, bool useFullNumber)
{
    const QString n = useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber");
    // the lowest id wins a number and name that two records share, as it comes first
    Recordset rs =
        c.ExecuteRaiseErr(QStringLiteral("SELECT FItemID, %1, FName, FBatchManager, FISKFPeriod, FISSNManage,"
                                         " FAuxClassID, FSecUnitID FROM t_ICItem ORDER BY FItemID")
                              .arg(n));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        items.insert(key(rs, 1, 2), Item{rs.Fields(0).toInt(), rs.Fields(3).toInt() == 1, rs.Fields(4).toInt() > 0,
                                         rs.Fields(5).toInt() == 1, rs.Fields(6).toInt(), rs.Fields(7).toInt()});
    rs = c.ExecuteRaiseErr(
        QStringLiteral("SELECT FMeasureUnitID, %1, FName, FCoefficient FROM t_MeasureUnit ORDER BY FMeasureUnitID")
            .arg(n));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        units.insert(key(rs, 1, 2), Unit{rs.Fields(0).toInt(), Recordset::toNumber(rs.Fields(3))});
    rs =
        c.ExecuteRaiseErr(QStringLiteral("SELECT FItemID, %1, FName, FSPGroupID FROM t_Stock ORDER BY FItemID").arg(n));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        stocks.insert(key(rs, 1, 2), Stock{rs.Fields(0).toInt(), rs.Fields(3).toInt()});
    rs = c.ExecuteRaiseErr(
        QStringLiteral("SELECT FSPID, %1, FName, FSPGroupID FROM t_StockPlace ORDER BY FSPID").arg(n));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString k = key(rs, 1, 2);
        places.insert(k, places.value(k, rs.Fields(0).toInt()));
        const QString g = rs.Fields(3).toString() + u'|' + k;
        groupPlaces.insert(g, groupPlaces.value(g, rs.Fields(0).toInt()));
    }
    rs = c.ExecuteRaiseErr(QStringLiteral("SELECT FItemID, FQtyDecimal FROM t_ICItemBase"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        decimals.insert(rs.Fields(0).toInt(), rs.Fields(1).toInt());
    rs = c.ExecuteRaiseErr(
        QStringLiteral("SELECT FItemID, %1, FName, FItemClassID FROM t_AuxItem ORDER BY FItemID").arg(n));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        auxItems.insert(key(rs, 1, 2), AuxItem{rs.Fields(0).toInt(), rs.Fields(3).toInt()});
}

int ImportLookups::placeOf(const QString &placeKey, const Stock &stock) const
{
    const auto own = groupPlaces.constFind(QString::number(stock.placeGroup) + u'|' + placeKey);
    return own != groupPlaces.constEnd() ? own.value() : places.value(placeKey);
}
