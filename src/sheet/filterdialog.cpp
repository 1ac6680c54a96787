#include "filterdialog.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/lookups.h"
#include "host/sharedstate.h"

#include <algorithm>

namespace {

template<typename T>
QList<T> padded(QList<T> rows, int count)
{
    while (rows.size() < count)
        rows << T();
    return rows;
}

void tell(const QString &text)
{
    if (HostUi *ui = shared().ui)
        ui->message(text, HostUi::Icon::Warning);
}

} // namespace

FilterDialogLogic::FilterDialogLogic(SheetMode mode, Tab tab)
    : m_mode(mode)
    , m_tab(tab)
{
    m_model.setMode(mode);
    m_model.GetHeadString(modeNumber(mode), m_lists);
    const FilterSettings &s = shared().filterSettings;
    m_conditions = padded(sheetfilter::conditionsFromLines(s.filterRows), GridRows);
    m_sortKeys = padded(sheetfilter::sortKeysFromLines(s.sortRows), GridRows);
}

bool FilterDialogLogic::pickValue(int row)
{
    if (row < 0 || row >= m_conditions.size())
        return false;
    SheetCondition &c = m_conditions[row];
    const sheetfilter::Column col = sheetfilter::column(m_lists.filterColumns.value(c.field.trimmed()));
    if (col.itemClass <= 0)
        return false;
    const LookupRecord chosen = LookupBaseData(col.itemClass, c.value, 0);
    if (!chosen.isValid())
        return false;
    const bool number = col.name.contains(QLatin1String("Number"), Qt::CaseInsensitive);
    const QString key = !number                  ? QStringLiteral("FName")
                        : shared().useFullNumber ? QStringLiteral("FNumber")
                                                 : QStringLiteral("FShortNumber");
    c.value = chosen.value(key).toString();
    return true;
}

bool FilterDialogLogic::ok()
{
    const QString problem = sheetfilter::validate(m_conditions, m_sortKeys);
    if (!problem.isEmpty()) {
        tell(problem);
        return false;
    }
    AppConnection *conn = shared().connection;
    const Dialect dialect = conn ? conn->dialect() : Dialect();
    const bool full = shared().useFullNumber;
    SqlFragment filter;
    QString sortBy, error;
    if (!sheetfilter::compileFilter(m_conditions, m_lists.filterColumns, dialect, full, &filter, &error) ||
        !sheetfilter::compileSort(m_sortKeys, m_lists.sortColumns, full, &sortBy, &error)) {
        tell(error);
        return false;
    }
    FilterSettings &s = shared().filterSettings;
    s.filter = filter;
    s.sortBy = sortBy;
    QList<SheetCondition> filled;
    for (const SheetCondition &c : std::as_const(m_conditions))
        if (!c.isEmpty())
            filled << c;
    QList<SheetSortKey> keys;
    for (const SheetSortKey &k : std::as_const(m_sortKeys))
        if (!k.isEmpty())
            keys << k;
    s.filterRows = sheetfilter::toLines(filled);
    s.sortRows = sheetfilter::toLines(keys);
    m_cancelled = false;
    shared().filterCancelled = false;
    return true;
}

void FilterDialogLogic::cancel()
{
    m_cancelled = true;
    shared().filterCancelled = true;
}

QVariantMap FilterDialogLogic::result() const
{
    return {{QStringLiteral("Cancelled"), m_cancelled}};
}
