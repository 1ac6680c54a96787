#include "importvalidator.h"

#include "host/texts.h"

namespace {

using namespace ImportCol;

QString message(const char *text, int record, const QString &name = {})
{
    return FormatText(text, {record, name});
}

} // namespace

QString ImportValidator::check(const ImportRecord &r, StagedRow *row) const
{
    if (!r.problem.isEmpty())
        return r.problem;
    const int n = r.number;
    const auto item = m_lookups.items.constFind(r.key(ItemNumber, ItemName));
    if (item == m_lookups.items.constEnd())
        return message("第%1条记录的物料为：%2 在基础资料中不存在!", n, r.text(ItemName));
    if (!m_lookups.units.contains(r.key(UnitNumber, UnitName)))
        return message("第%1条记录的基本单位为：%2在基础资料中不存在!", n, r.text(UnitName));
    const auto unit = m_lookups.units.constFind(r.key(CCUnitNumber, CCUnitName));
    if (unit == m_lookups.units.constEnd())
        return message("第%1条记录的单位为：%2在基础资料中不存在!", n, r.text(CCUnitName));
    const auto stock = m_lookups.stocks.constFind(r.key(StockNumber, StockName));
    if (stock == m_lookups.stocks.constEnd())
        return message("第%1条记录的仓库为：%2在基础资料中不存在!", n, r.text(StockName));
    const QString placeKey = r.key(SPNumber, SPName);
    if (!m_lookups.places.contains(placeKey))
        return message("第%1条记录的仓位为：%2在基础资料中不存在!", n, r.text(SPName));

    // an aux property or secondary unit that is given must exist; one left out is
    // for the rules below to judge
    const bool auxGiven = !r.text(AuxPropNumber).isEmpty() || !r.text(AuxPropName).isEmpty();
    const auto aux = m_lookups.auxItems.constFind(r.key(AuxPropNumber, AuxPropName));
    if (item->auxClass > 0 && auxGiven && aux == m_lookups.auxItems.constEnd())
        return message("第%1条记录的辅助属性为：%2在基础资料中不存在!", n, r.text(AuxPropName));
    const bool secGiven = !r.text(SecUnitNumber).isEmpty() || !r.text(SecUnitName).isEmpty();
    const auto secUnit = m_lookups.units.constFind(r.key(SecUnitNumber, SecUnitName));
    if (item->secUnit > 0 && secGiven && secUnit == m_lookups.units.constEnd())
        return message("第%1条记录的辅助计量单位为：%2在基础资料中不存在!", n, r.text(SecUnitName));

    const bool batchGiven = !r.text(BatchNo).isEmpty();
    if (item->batch && !batchGiven)
        return message("第%1条记录进行批次管理物料批次为空!", n);
    if (!item->batch && batchGiven)
        return message("第%1条记录不进行批次管理物料批次不为空!", n);
    if (item->auxClass > 0 && !auxGiven)
        return message("第%1条记录进行辅助属性管理物料辅助属性为空!", n);
    if (item->auxClass == 0 && auxGiven)
        return message("第%1条记录不进行辅助属性管理物料辅助属性不为空!", n);
    if (auxGiven && (aux == m_lookups.auxItems.constEnd() || aux->classId != item->auxClass))
        return message("第%1条记录的辅助属性类别与物料辅助属性类别不一致!", n);
    if (item->shelfLife && !r.kfDateGiven)
        return message("第%1条记录进行了保质期管理但生产/采购日期为空!", n);
    if (!item->shelfLife && r.kfDateGiven)
        return message("第%1条记录不进行保质期管理但生产/采购日期不为空!", n);
    if (item->shelfLife && (!r.kfPeriodGiven || !r.kfPeriodValid || r.kfPeriod <= 0))
        return message("第%1条记录进行了保质期管理但保质期为空或不正确!", n);
    if (!item->shelfLife && r.kfPeriodGiven && r.kfPeriod != 0)
        return message("第%1条记录不进行保质期管理但保质期不为空!", n);
    if (m_mtoMode && item->serial && !r.text(MtoNo).isEmpty())
        return message("第%1条记录启用了序列号管理但计划跟踪号不为空！", n);

    // converted as the count sheet stores a count: the base unit by the count
    // unit's coefficient, the secondary unit by the file's rate or, when a
    // secondary count is written, by the rate that count implies
    row->rowNum = n;
    row->itemId = item->id;
    row->unitId = unit->id;
    row->stockId = stock->id;
    row->auxPropId = auxGiven ? aux->id : 0;
    row->secUnitId = secGiven && secUnit != m_lookups.units.constEnd() ? secUnit->id : 0;
    row->stockPlaceId = m_lookups.placeOf(placeKey, *stock);
    row->batchNo = r.text(BatchNo);
    row->mtoNo = m_mtoMode ? r.text(MtoNo) : QString();
    row->kfDate = r.kfDateGiven ? r.kfDate.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    row->kfPeriod = r.kfPeriodGiven ? r.kfPeriod : 0;
    row->complexQty = r.text(ComplexQty);
    row->note = r.text(Note);
    const double c = unit->coefficient;
    row->coefficient = c;
    row->decimals = m_lookups.decimals.value(item->id); // an item without its row counts whole units
    double k = r.coefficient;
    row->auxCheckQty = r.checkQty;
    row->checkQty = r.checkQty * c;
    row->adjQty = r.adjQty;
    row->secCheckQty = r.secCheckQty;
    if (r.secCheckQty != 0)
        k = r.checkQty * c / r.secCheckQty;
    else if (k != 0)
        row->secCheckQty = r.checkQty * c / k;
    row->secAdjQty = k != 0 ? r.adjQty * c / k : 0;
    return {};
}
