#include "frozentable.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

// The totals line leaves room on the right for the rows' vertical scroll bar, so
// that both views scroll over the same width.
class FrozenTable::TotalsView : public QTableView
{
public:
    using QTableView::QTableView;
    void setRightMargin(int margin) { setViewportMargins(0, 0, margin, 0); }
};

// The rows, with the commit of an open editor reachable from the window.
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

} // namespace

FrozenTable::FrozenTable(QWidget *parent)
    : QWidget(parent)
    , m_view(new RowsView(this))
    , m_totals(new TotalsView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_totals);
    fixRows(m_view);
    fixRows(m_totals);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->horizontalHeader()->hide();
    m_totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_totals->setFocusPolicy(Qt::NoFocus);
    m_totals->setSelectionMode(QAbstractItemView::NoSelection);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        m_totals->setColumnWidth(column, width);
        if (!m_applying)
            emit columnResized(column, width);
    });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_totals->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_totals->horizontalScrollBar(), &QScrollBar::valueChanged, m_view->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_view->verticalScrollBar(), &QScrollBar::rangeChanged, this, &FrozenTable::syncGeometry);
    connect(m_totals->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &FrozenTable::syncGeometry);
    m_view->verticalHeader()->installEventFilter(this);
    m_view->verticalScrollBar()->installEventFilter(this);
}

QTableView *FrozenTable::view() const
{
    return m_view;
}

QTableView *FrozenTable::totalsView() const
{
    return m_totals;
}

void FrozenTable::setModels(QAbstractItemModel *rows, QAbstractItemModel *totals)
{
    m_view->setModel(rows);
    m_totals->setModel(totals);
    // without a totals line the rows scroll sideways themselves
    m_view->setHorizontalScrollBarPolicy(totals ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_totals->setVisible(totals != nullptr);
    syncGeometry();
}

void FrozenTable::setColumnWidth(int column, int width)
{
    m_applying = true;
    m_view->setColumnWidth(column, width);
    m_totals->setColumnWidth(column, width);
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
    m_totals->setRightMargin(vbar->isVisible() ? vbar->width() : 0);
    const QScrollBar *hbar = m_totals->horizontalScrollBar();
    const bool showsBar = hbar->maximum() > hbar->minimum();
    const int rows = m_totals->model() ? m_totals->model()->rowCount() : 0;
    const int height = rows * m_totals->verticalHeader()->defaultSectionSize() + 2 * m_totals->frameWidth() +
                       (showsBar ? hbar->sizeHint().height() : 0);
    m_totals->setFixedHeight(std::max(height, 2 * m_totals->frameWidth()));
}
