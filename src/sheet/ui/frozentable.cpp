#include "frozentable.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

// The rows, with the commit of an open editor reachable from the window, and
// scrolling that keeps the cursor's cell out from under the frozen columns.
class FrozenTable::RowsView : public QTableView
{
public:
    using QTableView::QTableView;
    void commitOpenEditor()
    {
        if (state() != EditingState)
            return;
        if (QWidget *editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    // `width` is 0 while the frozen columns scroll with the others.
    void setFrozen(int count, int width)
    {
        m_frozenCount = count;
        m_frozenWidth = width;
    }
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override
    {
        QScrollBar *bar = horizontalScrollBar();
        const int before = bar->value();
        QTableView::scrollTo(index, hint);
        if (m_frozenWidth <= 0 || !index.isValid())
            return;
        if (index.column() < m_frozenCount) {
            bar->setValue(before); // always in sight: only the row needs scrolling to
            return;
        }
        const int left = columnViewportPosition(index.column());
        if (left < m_frozenWidth)
            bar->setValue(bar->value() - (m_frozenWidth - left));
    }

private:
    int m_frozenCount = 0;
    int m_frozenWidth = 0;
};

// The frozen columns, drawn over the left part of a view, with a line where the
// scrolling columns begin. A click in them puts the cursor into the grid.
class FrozenTable::FrozenView : public QTableView
{
public:
    explicit FrozenView(QTableView *base)
        : QTableView(base)
    {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        verticalHeader()->hide();
        setEditTriggers(NoEditTriggers);
        setFocusPolicy(Qt::ClickFocus);
        setFocusProxy(base);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QTableView::paintEvent(event);
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Dark));
        const int x = viewport()->width() - 1;
        painter.drawLine(x, 0, x, viewport()->height());
    }
};

namespace {

void fixRows(QTableView *view)
{
    QHeaderView *rows = view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setWordWrap(false);
}

// Captions run onto more lines rather than being cut: "基本单位账存数量" needs a
// column far wider than its figures do.
void wrapHeadings(QTableView *view)
{
    QHeaderView *header = view->horizontalHeader();
    header->setDefaultAlignment(Qt::Alignment(int(Qt::AlignCenter) | int(Qt::TextWordWrap)));
    header->setTextElideMode(Qt::ElideNone);
}

void hideUnfrozen(QTableView *frozen, int count)
{
    if (!frozen->model())
        return;
    for (int c = count; c < frozen->model()->columnCount(); ++c)
        frozen->setColumnHidden(c, true);
}

} // namespace

FrozenTable::FrozenTable(QWidget *parent)
    : QWidget(parent)
    , m_view(new RowsView(this))
    , m_totals(new QTableView(this))
    , m_corner(new QWidget(this))
    , m_frozen(new FrozenView(m_view))
    , m_frozenTotals(new FrozenView(m_totals))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    // the totals line leaves room on the right for the rows' vertical scroll bar,
    // so that both views scroll over the same width (a viewport margin would be
    // taken back by the view's own layout of its headers)
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(0);
    bottom->addWidget(m_totals, 1);
    bottom->addWidget(m_corner);
    layout->addLayout(bottom);
    for (QTableView *v : {static_cast<QTableView *>(m_view), m_totals, static_cast<QTableView *>(m_frozen),
                          static_cast<QTableView *>(m_frozenTotals)})
        fixRows(v);
    wrapHeadings(m_view);
    wrapHeadings(m_frozen);
    m_view->viewport()->stackUnder(m_frozen);
    m_totals->viewport()->stackUnder(m_frozenTotals);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->horizontalHeader()->hide();
    m_totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_totals->setFocusPolicy(Qt::NoFocus);
    m_totals->setSelectionMode(QAbstractItemView::NoSelection);
    m_frozenTotals->horizontalHeader()->hide();
    m_frozenTotals->setFocusProxy(nullptr);
    m_frozenTotals->setFocusPolicy(Qt::NoFocus);
    m_frozenTotals->setSelectionMode(QAbstractItemView::NoSelection);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        m_totals->setColumnWidth(column, width);
        m_frozen->setColumnWidth(column, width);
        m_frozenTotals->setColumnWidth(column, width);
        syncFrozen();
        if (!m_applying) {
            m_fitted.remove(column);
            emit columnResized(column, width);
        }
    });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_totals->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_totals->horizontalScrollBar(), &QScrollBar::valueChanged, m_view->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_view->verticalScrollBar(), &QScrollBar::rangeChanged, this, &FrozenTable::syncGeometry);
    connect(m_totals->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &FrozenTable::syncGeometry);
    connect(m_view->horizontalHeader(), &QHeaderView::geometriesChanged, this, &FrozenTable::syncFrozen);
    connectFrozen();
    for (QWidget *w : {static_cast<QWidget *>(m_view->verticalHeader()),
                       static_cast<QWidget *>(m_view->verticalScrollBar()), m_view->viewport(), m_totals->viewport()})
        w->installEventFilter(this);
}

// The frozen rows scroll up and down with the rows; a column the person widens in
// the frozen heading widens in every view.
void FrozenTable::connectFrozen()
{
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged, m_view->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_frozen->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_applying)
            m_view->setColumnWidth(column, width);
    });
}

QTableView *FrozenTable::view() const
{
    return m_view;
}

QTableView *FrozenTable::totalsView() const
{
    return m_totals;
}

QTableView *FrozenTable::frozenView() const
{
    return m_frozen;
}

void FrozenTable::setModels(QAbstractItemModel *rows, QAbstractItemModel *totals)
{
    m_view->setModel(rows);
    m_totals->setModel(totals);
    m_frozen->setModel(rows);
    // one cursor and one selection, whichever of the two views shows the cell
    QItemSelectionModel *own = m_frozen->selectionModel();
    m_frozen->setSelectionModel(m_view->selectionModel());
    delete own;
    m_frozenTotals->setModel(totals);
    for (QAbstractItemModel *model : {rows, totals}) {
        if (!model)
            continue;
        // a reset shows every column again
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            hideUnfrozen(m_frozen, m_frozenCount);
            hideUnfrozen(m_frozenTotals, m_frozenCount);
        });
    }
    if (totals) {
        connect(totals, &QAbstractItemModel::dataChanged, this, &FrozenTable::fitTotals);
        connect(totals, &QAbstractItemModel::modelReset, this, &FrozenTable::fitTotals);
    }
    // without a totals line the rows scroll sideways themselves
    m_view->setHorizontalScrollBarPolicy(totals ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_totals->setVisible(totals != nullptr);
    m_corner->setVisible(totals != nullptr);
    setFrozenColumns(m_frozenCount);
    syncGeometry();
}

void FrozenTable::applyWidth(int column, int width)
{
    m_view->setColumnWidth(column, width);
    m_totals->setColumnWidth(column, width);
    m_frozen->setColumnWidth(column, width);
    m_frozenTotals->setColumnWidth(column, width);
}

void FrozenTable::setColumnWidth(int column, int width)
{
    m_applying = true;
    applyWidth(column, width);
    m_fitted.remove(column);
    m_applying = false;
}

void FrozenTable::commitEditor()
{
    m_view->commitOpenEditor();
}

int FrozenTable::columnWidth(int column) const
{
    return m_view->columnWidth(column);
}

void FrozenTable::setColumnHidden(int column, bool hidden)
{
    m_view->setColumnHidden(column, hidden);
    m_totals->setColumnHidden(column, hidden);
    m_frozen->setColumnHidden(column, hidden || column >= m_frozenCount);
    m_frozenTotals->setColumnHidden(column, hidden || column >= m_frozenCount);
    syncFrozen();
}

void FrozenTable::setFrozenColumns(int count)
{
    m_frozenCount = std::max(0, count);
    for (FrozenView *frozen : {m_frozen, m_frozenTotals}) {
        if (!frozen->model())
            continue;
        for (int c = 0; c < frozen->model()->columnCount(); ++c)
            frozen->setColumnHidden(c, c >= m_frozenCount || m_view->isColumnHidden(c));
    }
    syncFrozen();
}

bool FrozenTable::isFrozenShown() const
{
    return !m_frozen->isHidden();
}

int FrozenTable::frozenWidth() const
{
    int width = 0;
    const int columns = m_view->model() ? std::min(m_frozenCount, m_view->model()->columnCount()) : 0;
    for (int c = 0; c < columns; ++c)
        if (!m_view->isColumnHidden(c))
            width += m_view->columnWidth(c);
    return width;
}

// The frozen columns cover the left of the rows and of the totals line, under
// the heading's height, unless they would take more than half of the room.
void FrozenTable::syncFrozen()
{
    fitHeadings();
    const int width = frozenWidth();
    const bool shown = width > 0 && width * 2 <= m_view->viewport()->width();
    m_view->setFrozen(m_frozenCount, shown ? width : 0);
    m_frozen->setVisible(shown);
    m_frozenTotals->setVisible(shown && m_totals->model());
    if (!shown)
        return;
    const int headerHeight = m_view->horizontalHeader()->isHidden() ? 0 : m_view->horizontalHeader()->height();
    m_frozen->horizontalHeader()->setFixedHeight(headerHeight);
    const int frame = m_view->frameWidth();
    const int left = frame + (m_view->verticalHeader()->isHidden() ? 0 : m_view->verticalHeader()->width());
    m_frozen->setGeometry(left, frame, width, headerHeight + m_view->viewport()->height());
    m_frozen->verticalScrollBar()->setValue(m_view->verticalScrollBar()->value());
    // the totals line's row heading is as wide as the rows' (syncGeometry)
    const int totalsFrame = m_totals->frameWidth();
    m_frozenTotals->setGeometry(left - frame + totalsFrame, totalsFrame, width, m_totals->viewport()->height());
}

// The heading is as high as the caption that wraps onto the most lines in its
// column's width needs ("Counted Qty (Secondary Unit)" takes three): two lines at
// least, so the height does not jump with every width, and four at most.
void FrozenTable::fitHeadings()
{
    QHeaderView *header = m_view->horizontalHeader();
    const QAbstractItemModel *model = m_view->model();
    const QFontMetrics metrics(header->font());
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int lines = 2;
    for (int c = 0; model && c < model->columnCount() && lines < 4; ++c) {
        if (m_view->isColumnHidden(c))
            continue;
        const QString text = model->headerData(c, Qt::Horizontal).toString();
        const QRect room(0, 0, std::max(1, m_view->columnWidth(c) - 2 * margin - 2), 10000);
        const QRect needed = metrics.boundingRect(room, int(Qt::AlignCenter | Qt::TextWordWrap), text);
        lines = std::max(lines, (needed.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
    }
    const int height = std::min(lines, 4) * metrics.lineSpacing() + 2 * margin;
    if (header->minimumHeight() != height)
        header->setMinimumHeight(height);
}

int FrozenTable::cellWidth(const QTableView *view, const QFontMetrics &metrics, const QString &text)
{
    // the item text margin on each side (QCommonStyle), the grid line that the
    // table takes from the cell, and a pixel for text advances that are fractional
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return metrics.horizontalAdvance(text) + 2 * margin + (view->showGrid() ? 1 : 0) + 1;
}

void FrozenTable::fitTotals()
{
    const QAbstractItemModel *totals = m_totals->model();
    if (!totals || totals->rowCount() == 0)
        return;
    for (int c = 0; c < totals->columnCount(); ++c) {
        const QModelIndex cell = totals->index(0, c);
        const QString text = cell.data(Qt::DisplayRole).toString();
        if (text.isEmpty() || m_view->isColumnHidden(c))
            continue;
        const QFont font = qvariant_cast<QFont>(cell.data(Qt::FontRole)).resolve(m_totals->font());
        const int needed = cellWidth(m_totals, QFontMetrics(font), text);
        if (m_view->columnWidth(c) >= needed)
            continue;
        m_applying = true;
        applyWidth(c, needed);
        m_applying = false;
        m_fitted.insert(c, needed);
    }
}

bool FrozenTable::isFittedToTotals(int column) const
{
    const auto it = m_fitted.constFind(column);
    return it != m_fitted.constEnd() && m_view->columnWidth(column) == it.value();
}

bool FrozenTable::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::Hide)
        syncGeometry();
    return QWidget::eventFilter(watched, event);
}

// Same row header width, same scrolling width, and a height of one line (plus the
// scroll bar when the columns are wider than the window).
void FrozenTable::syncGeometry()
{
    m_totals->verticalHeader()->setFixedWidth(m_view->verticalHeader()->width());
    const QScrollBar *vbar = m_view->verticalScrollBar();
    m_corner->setFixedWidth(vbar->isVisible() ? vbar->width() : 0);
    const QScrollBar *hbar = m_totals->horizontalScrollBar();
    const bool showsBar = hbar->maximum() > hbar->minimum();
    const int rows = m_totals->model() ? m_totals->model()->rowCount() : 0;
    const int height = rows * m_totals->verticalHeader()->defaultSectionSize() + 2 * m_totals->frameWidth() +
                       (showsBar ? hbar->sizeHint().height() : 0);
    m_totals->setFixedHeight(std::max(height, 2 * m_totals->frameWidth()));
    syncFrozen();
}
