#include "entrygrid.h"

#include "host/numbers.h"
#include "host/texts.h"

#include <algorithm>
#include <cmath>

namespace {

using Kind = EntryGrid::Kind;

// Column kinds and slots, built once: quantity and number columns share the
// numbers array, text columns the texts array.
struct Layout
{
    std::array<Kind, EntryCol::Count + 1> kinds{};
    std::array<int, EntryCol::Count + 1> columnSlots{};
    std::array<int, EntryCol::Count + 1> totalIndex{}; // position in totalColumns(), -1 for none

    Layout()
    {
        using namespace EntryCol;
        kinds.fill(Kind::Text);
        for (int c : {BaseBookQty, BaseActualQty, BaseCheckQty, BookQty, ActualQty, CheckQty, AdjQty, SecBookQty,
                      SecActualQty, SecCheckQty, SecAdjQty, DiffQty, UnitDiffQty, SecDiffQty})
            kinds[size_t(c)] = Kind::Quantity;
        for (int c : {ItemID, SecRate, Coefficient, StockPlaceID, UnitID, UnitGroupID, SecUnitID, AuxPropID, StockID})
            kinds[size_t(c)] = Kind::Number;
        int numbers = 0, texts = 0;
        for (int c = 1; c <= Count; ++c)
            columnSlots[size_t(c)] = kinds[size_t(c)] == Kind::Text ? texts++ : numbers++;
        totalIndex.fill(-1);
        int i = 0;
        for (int c : EntryGrid::totalColumns())
            totalIndex[size_t(c)] = i++;
    }
};

const Layout &layout()
{
    static const Layout l;
    return l;
}

} // namespace

EntryGrid::Kind EntryGrid::kind(int col)
{
    return col >= 1 && col <= EntryCol::Count ? layout().kinds[size_t(col)] : Kind::Text;
}

bool EntryGrid::isEditable(int col)
{
    return col == EntryCol::CheckQty || col == EntryCol::ComplexQty || col == EntryCol::AdjQty;
}

const std::array<int, 9> &EntryGrid::totalColumns()
{
    using namespace EntryCol;
    static const std::array<int, 9> cols = {BaseActualQty, BaseCheckQty, BookQty,     ActualQty, CheckQty,
                                            AdjQty,        SecActualQty, SecCheckQty, SecAdjQty};
    return cols;
}

QString EntryGrid::heading(int col)
{
    static const char *const headings[EntryCol::Count + 1] = {"",
                                                              "FItemID",
                                                              N_("仓库代码"),
                                                              N_("仓库"),
                                                              N_("仓位代码"),
                                                              N_("仓位"),
                                                              N_("物料代码"),
                                                              N_("物料名称"),
                                                              N_("规格型号"),
                                                              N_("辅助属性代码"),
                                                              N_("辅助属性"),
                                                              N_("批次"),
                                                              N_("计划跟踪号"),
                                                              N_("生产/采购日期"),
                                                              N_("保质期(天)"),
                                                              N_("基本单位代码"),
                                                              N_("基本单位"),
                                                              N_("基本单位账存数量"),
                                                              N_("基本单位实存数量"),
                                                              N_("基本单位盘点数量"),
                                                              N_("单位代码"),
                                                              N_("单位"),
                                                              N_("品牌"),
                                                              N_("条形码"),
                                                              N_("商品类别"),
                                                              N_("账存数量"),
                                                              N_("实存数量"),
                                                              N_("盘点数量"),
                                                              N_("盘点综合单位数量"),
                                                              N_("调整数量"),
                                                              N_("辅助单位代码"),
                                                              N_("辅助计量单位"),
                                                              N_("换算率"),
                                                              N_("辅助计量单位账存数量"),
                                                              N_("辅助计量单位实存数量"),
                                                              N_("辅助计量单位盘点数量"),
                                                              N_("辅助计量单位调整数量"),
                                                              N_("备注"),
                                                              "",
                                                              "",
                                                              "",
                                                              "",
                                                              "",
                                                              "",
                                                              N_("辅助计量单位ID"),
                                                              N_("辅助属性ID"),
                                                              "",
                                                              ""};
    if (col < 1 || col > EntryCol::Count)
        return {};
    const char *h = headings[col];
    if (!*h || col == EntryCol::ItemID)
        return QString::fromUtf8(h);
    return LoadText(h);
}

bool EntryGrid::isAlwaysHidden(int col)
{
    return col == EntryCol::ItemID || col >= EntryCol::Coefficient;
}

int EntryGrid::slotOf(int col)
{
    return layout().columnSlots[size_t(col)];
}

void EntryGrid::resize(int dataRows)
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_rows.resize(size_t(std::max(0, dataRows)) + 2);
    m_changed.assign(m_rows.size(), 0);
    m_sums.fill(0);
    m_widestDecimals = 0;
}

const EntryGrid::Row *EntryGrid::row(int r) const
{
    return r >= 1 && r < int(m_rows.size()) ? &m_rows[size_t(r)] : nullptr;
}

EntryGrid::Row *EntryGrid::row(int r)
{
    return r >= 1 && r < int(m_rows.size()) ? &m_rows[size_t(r)] : nullptr;
}

void EntryGrid::setDecimals(int r, int decimals)
{
    if (Row *p = row(r)) {
        p->decimals = qint8(qBound(0, decimals, 10));
        if (isDataRow(r))
            m_widestDecimals = std::max(m_widestDecimals, int(p->decimals));
    }
}

int EntryGrid::decimals(int r) const
{
    const Row *p = row(r);
    return p ? p->decimals : 0;
}

QString EntryGrid::text(int r, int col) const
{
    const Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return {};
    const int slot = slotOf(col);
    switch (kind(col)) {
    case Kind::Text:
        return p->texts[size_t(slot)];
    case Kind::Quantity:
        return (p->blank >> slot) & 1 ? QString() : quantityText(p->numbers[size_t(slot)], p->decimals);
    case Kind::Number:
        return (p->blank >> slot) & 1 ? QString() : plainNumber(p->numbers[size_t(slot)]);
    }
    return {};
}

void EntryGrid::setText(int r, int col, const QString &text)
{
    Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return;
    if (kind(col) == Kind::Text) {
        p->texts[size_t(slotOf(col))] = text;
        return;
    }
    if (text.trimmed().isEmpty())
        setBlank(r, col);
    else
        setNumber(r, col, leadingNumber(text));
}

double EntryGrid::number(int r, int col) const
{
    const Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return 0;
    if (kind(col) == Kind::Text)
        return leadingNumber(p->texts[size_t(slotOf(col))]);
    const int slot = slotOf(col);
    return (p->blank >> slot) & 1 ? 0 : p->numbers[size_t(slot)];
}

void EntryGrid::setNumber(int r, int col, double value)
{
    Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return;
    if (!std::isfinite(value))
        value = 0;
    const int slot = slotOf(col);
    switch (kind(col)) {
    case Kind::Text:
        p->texts[size_t(slot)] = plainNumber(value);
        return;
    case Kind::Quantity:
        value = roundQuantity(value, p->decimals);
        break;
    case Kind::Number:
        break;
    }
    value = value == 0 ? 0.0 : value; // no "-0"
    const bool wasBlank = (p->blank >> slot) & 1;
    trackTotal(r, col, wasBlank ? 0.0 : p->numbers[size_t(slot)], value);
    p->numbers[size_t(slot)] = value;
    p->blank &= ~(1u << slot);
}

bool EntryGrid::isBlank(int r, int col) const
{
    const Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return true;
    if (kind(col) == Kind::Text)
        return p->texts[size_t(slotOf(col))].trimmed().isEmpty();
    return (p->blank >> slotOf(col)) & 1;
}

void EntryGrid::setBlank(int r, int col)
{
    Row *p = row(r);
    if (!p || col < 1 || col > EntryCol::Count)
        return;
    if (kind(col) == Kind::Text) {
        p->texts[size_t(slotOf(col))].clear();
        return;
    }
    const int slot = slotOf(col);
    if (!((p->blank >> slot) & 1))
        trackTotal(r, col, p->numbers[size_t(slot)], 0.0);
    p->blank |= 1u << slot;
}

void EntryGrid::trackTotal(int r, int col, double before, double after)
{
    const int i = layout().totalIndex[size_t(col)];
    if (i >= 0 && isDataRow(r))
        m_sums[size_t(i)] += after - before;
}

void EntryGrid::setHighlight(int r, Highlight highlight)
{
    if (Row *p = row(r))
        p->highlight = highlight;
}

EntryGrid::Highlight EntryGrid::highlight(int r) const
{
    const Row *p = row(r);
    return p ? p->highlight : Highlight::None;
}

void EntryGrid::markChanged(int r)
{
    if (isDataRow(r))
        m_changed[size_t(r)] = 1;
}

bool EntryGrid::isChanged(int r) const
{
    return isDataRow(r) && m_changed[size_t(r)];
}

void EntryGrid::clearChanged(int r)
{
    if (isDataRow(r))
        m_changed[size_t(r)] = 0;
}

void EntryGrid::clearChangedMarks()
{
    std::fill(m_changed.begin(), m_changed.end(), 0);
}

void EntryGrid::recomputeTotals()
{
    // From scratch: also drops what rounding the running sums may have gathered.
    int widest = 0;
    for (int r = 1; r <= dataRows(); ++r)
        widest = std::max(widest, decimals(r));
    m_widestDecimals = widest;
    size_t i = 0;
    for (int col : totalColumns()) {
        double sum = 0;
        for (int r = 1; r <= dataRows(); ++r)
            sum += number(r, col);
        m_sums[i++] = sum;
    }
    refreshTotalsRow();
}

void EntryGrid::refreshTotalsRow()
{
    const int total = totalsRow();
    setDecimals(total, m_widestDecimals);
    size_t i = 0;
    for (int col : totalColumns())
        setNumber(total, col, m_sums[i++]);
}

double EntryGrid::runningSum(int col) const
{
    const int i = col >= 1 && col <= EntryCol::Count ? layout().totalIndex[size_t(col)] : -1;
    return i < 0 ? 0.0 : m_sums[size_t(i)];
}
