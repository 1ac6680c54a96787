// The count sheet's commands that narrow and order its rows: the filter dialog on
// the database side, and find, sort and filter on the rows already loaded.

#include "countsheet.h"
#include "filterdialog.h"

#include "host/hostui.h"
#include "host/openwindow.h"
#include "host/recordsetfilter.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QDate>

#include <algorithm>

void CountSheet::mnuEdit_Filter()
{
    openFilterDialog(FilterDialogLogic::FilterTab);
}

void CountSheet::mnuEdit_Sort()
{
    openFilterDialog(FilterDialogLogic::SortTab);
}

void CountSheet::openFilterDialog(int tab)
{
    if (!saveBeforeReload())
        return;
    SharedState &s = shared();
    s.filterCancelled = false;
    if (!OpenWindow(QStringLiteral("frmFilter"), {{QLatin1String(MainDo::ArgShowType), modeNumber(m_mode)},
                                                  {QLatin1String(FilterDialogLogic::ArgTab), tab}}))
        return;
    if (!s.filterCancelled)
        loadRows();
    setSelectBillEnabled(false);
}

namespace {

QString quoted(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

// One search text as a condition on the loaded rows. `match` 1 looks for the text
// anywhere in a text column, 0 for the whole value; a number compares as a number.
QString findCondition(const SearchTarget &t, int match)
{
    const QString field = t.rowField();
    switch (t.kind) {
    case SearchTarget::Kind::Date: {
        const QDate date = QDate::fromString(t.value, Qt::ISODate);
        return field + QStringLiteral(" = ") +
               quoted(date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : t.value);
    }
    case SearchTarget::Kind::Text:
        return match == 1 ? field + QStringLiteral(" Like ") + quoted(QLatin1Char('%') + t.value + QLatin1Char('%'))
                          : field + QStringLiteral(" = ") + quoted(t.value);
    case SearchTarget::Kind::Number: {
        bool number = false;
        t.value.toDouble(&number);
        // text that is no number is compared as text, and so matches nothing
        const QString value = number ? t.value : quoted(t.value);
        return field + (match == 1 ? QStringLiteral(" Like ") : QStringLiteral(" = ")) + value;
    }
    }
    return {};
}

} // namespace

void CountSheet::mnuEdit_Find()
{
    SaveStockData(true);
    emit finderRequested(0);
    setSelectBillEnabled(false);
}

void CountSheet::loadSearchTargets()
{
    m_searchTargets.clear();
    MainDo::HeadStrings lists;
    if (!m_model.GetHeadString(modeNumber(m_mode), lists))
        return;
    for (const QString &caption : std::as_const(lists.filterOrder)) {
        const sheetfilter::Column c = sheetfilter::column(lists.filterColumns.value(caption));
        SearchTarget t;
        t.caption = caption;
        t.field = c.name;
        t.itemClass = c.itemClass;
        switch (c.kind()) {
        case sheetfilter::ValueKind::Date:
            t.kind = SearchTarget::Kind::Date;
            break;
        case sheetfilter::ValueKind::Text:
            t.kind = SearchTarget::Kind::Text;
            break;
        case sheetfilter::ValueKind::Number:
            t.kind = SearchTarget::Kind::Number;
            break;
        }
        m_searchTargets << t;
    }
}

int CountSheet::gridRowOf(int record) const
{
    return m_mode == SheetMode::Entry ? record + 1 : record + 3;
}

// The first loaded row from `start` on that meets `condition`, -1 when none does.
int CountSheet::findFrom(const QString &condition, int start) const
{
    const Recordset &rows = m_model.rows();
    const RecordsetFilter::Predicate matches = RecordsetFilter::parse(rows, condition, nullptr);
    if (!matches)
        return -1;
    for (int r = std::max(0, start); r < rows.RecordCount(); ++r)
        if (matches(rows, r))
            return r;
    return -1;
}

CountSheet::FindResult CountSheet::frmF_FindNow(int match, int caseOption)
{
    Q_UNUSED(caseOption); // texts compare without regard to case either way
    QStringList parts;
    for (const SearchTarget &t : std::as_const(m_searchTargets))
        if (!t.value.isEmpty())
            parts << findCondition(t, match);
    const QString condition = parts.join(QStringLiteral(" AND "));
    if (condition.size() < 4) {
        showMessage(LoadText("请输入要搜索的字符!"));
        return FindResult::NotFound;
    }
    // the loaded rows carry the filter in force, so a find sees only rows that pass it
    if (condition != m_lastFind) {
        m_lastFind = condition;
        m_lastFound = -1;
    }
    int found = findFrom(condition, m_lastFound + 1);
    if (found < 0) {
        HostUi *ui = shared().ui;
        if (!ui ||
            ui->question(LoadText("你已搜索完全部记录，但没有找到相应的内容!是否重新搜索?")) != HostUi::Answer::Yes) {
            emit finderCloseRequested();
            return FindResult::CloseFinder;
        }
        m_lastFound = -1;
        found = findFrom(condition, 0);
        if (found < 0)
            return FindResult::NotFound;
    }
    m_lastFound = found;
    emit foundRowRequested(gridRowOf(found));
    return FindResult::Found;
}

bool CountSheet::frmF_SortNow(const QString &sort)
{
    return applyToLoadedRows(sort, m_rowFilter);
}

bool CountSheet::frmF_FilterNow(const QString &filter)
{
    return applyToLoadedRows(m_model.rows().sort(), filter);
}

// Counts saved since the rows were loaded are in the database but not in the loaded
// rows: those are read again first, or the grid filled from them would show the
// counts as they were before.
bool CountSheet::applyToLoadedRows(const QString &sort, const QString &filter)
{
    if (!saveBeforeReload())
        return false;
    if (m_mode == SheetMode::Entry && m_rowsSaved)
        loadRows();
    Recordset &rows = m_model.rows();
    const bool applied = rows.setSort(sort) && rows.setFilter(filter);
    m_rowFilter = rows.filter();
    refillRows();
    return applied;
}

bool CountSheet::headingClicked(int col)
{
    if (m_mode == SheetMode::Entry && (col < 2 || col > 17))
        return false;
    const QList<SheetColumn> &layout = m_model.columnLayout();
    if (col < 1 || col > layout.size())
        return false;
    const QString field = layout.at(col - 1).field;
    const bool ascending = m_model.rows().sort().contains(field + QStringLiteral(" ASC"), Qt::CaseInsensitive);
    return frmF_SortNow(field + (ascending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

// The grid again from the loaded rows in their new order or selection.
void CountSheet::refillRows()
{
    emit rowsAboutToReset();
    m_lastFound = -1;
    const int count = m_model.rows().RecordCount();
    if (m_mode == SheetMode::Entry) {
        m_model.InputFillRow(m_entry);
    } else {
        m_ledger.setMaxRows(count + (m_mode == SheetMode::Check ? 3 : 2));
        m_model.GetSumData();
    }
    m_session.dataChanged = false;
    m_session.resetCursor();
    m_activeRow = m_activeCol = 0;
    setSelectBillEnabled(false);
    emit rowsReset();
    emit stateChanged();
}
