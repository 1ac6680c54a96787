#include "entryinput.h"

#include "entrycelldelegate.h"
#include "frozentable.h"

#include "sheet/countsheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace {

using Action = EntryRules::KeyAction;

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

EntryInput::EntryInput(CountSheet *sheet, FrozenTable *grid, QLineEdit *barcode, QWidget *window)
    : QObject(window)
    , m_sheet(sheet)
    , m_grid(grid)
    , m_barcode(barcode)
    , m_window(window)
    , m_delegate(new EntryCellDelegate(this))
{
    QTableView *view = grid->view();
    view->setItemDelegate(m_delegate);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->installEventFilter(this);
    barcode->installEventFilter(this);
    connect(m_delegate, &EntryCellDelegate::enterPressed, this, &EntryInput::countedEntered);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, &EntryInput::currentChanged);
    connect(sheet, &CountSheet::currentCellRequested, this, &EntryInput::moveCursor);
    connect(sheet, &CountSheet::barcodeFocusRequested, this, [this] {
        // only when the person is in the grid: a save on leaving it keeps the focus
        // where the person put it
        if (!inGrid(QApplication::focusWidget()))
            return;
        m_focusingBarcode = true;
        focusBarcode(false);
        m_focusingBarcode = false;
    });
    connect(qApp, &QApplication::focusChanged, this, &EntryInput::focusChanged);
    // heard by someone looking at the shelf: once for a scan stored, twice for one
    // that was not; the code stays selected, so the next scan replaces it
    connect(sheet, &CountSheet::barcodeNotFound, this, [this] {
        failureSound();
        m_barcode->selectAll();
    });
    connect(sheet, &CountSheet::scanAdded, this, [this] {
        QApplication::beep();
        m_barcode->selectAll();
    });
    connect(sheet, &CountSheet::scanRefused, this, [this] {
        failureSound();
        m_barcode->selectAll();
    });
}

EntryInput::~EntryInput() = default;

bool EntryInput::inGrid(const QWidget *w) const
{
    return w && (w == m_grid || m_grid->isAncestorOf(w));
}

bool EntryInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_grid->view())
            return gridKeyPress(key->key(), key->text());
        if (watched == m_barcode)
            return barcodeKeyPress(key->key());
    }
    return QObject::eventFilter(watched, event);
}

bool EntryInput::gridKeyPress(int key, const QString &text)
{
    QTableView *view = m_grid->view();
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return false;
    const int row = current.row() + 1;
    const int col = current.column() + 1;
    switch (m_sheet->gridKey(row, col, key)) {
    case Action::Discard:
        return true;
    case Action::OpenUnitPicker:
        m_sheet->openUnitPicker(row);
        return true;
    case Action::OpenComplexEditor:
        openComplexEditor(row);
        return true;
    case Action::ReturnToBarcode:
        focusBarcode(true);
        return true;
    case Action::Pass:
        break;
    }
    // A typed character never searches the rows (the cursor would jump about): it
    // opens the editor of a cell a person types into, when the cell takes it.
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (!(view->model()->flags(current) & Qt::ItemIsEditable))
        return true;
    return EntryGrid::kind(col) == EntryGrid::Kind::Quantity && !EntryCellDelegate::isNumberInProgress(text);
}

bool EntryInput::barcodeKeyPress(int key)
{
    if (m_sheet->barcodeKeyClearsBox(key))
        m_barcode->clear();
    if (!isEnter(key))
        return false;
    if (m_sheet->scanAddOn()) {
        m_sheet->scanAdd(m_barcode->text());
        // the box keeps the focus for the next scan, its code selected to be replaced
        m_barcode->setFocus(Qt::OtherFocusReason);
        m_barcode->selectAll();
        return true;
    }
    m_sheet->searchBarcode(m_barcode->text());
    return true;
}

void EntryInput::failureSound()
{
    QApplication::beep();
    QTimer::singleShot(180, this, [] { QApplication::beep(); });
}

void EntryInput::currentChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const int row = current.row() + 1;
    const int col = current.column() + 1;
    if (!m_sheet->enterCell(row, col).attachComplexEditor)
        return;
    // after the click or key that brought the cursor here has been handled
    QTimer::singleShot(0, this, [this, row, col] {
        const QModelIndex now = m_grid->view()->currentIndex();
        if (now.row() + 1 == row && now.column() + 1 == col && inGrid(QApplication::focusWidget()))
            openComplexEditor(row);
    });
}

void EntryInput::moveCursor(int row, int col, bool edit)
{
    QTableView *view = m_grid->view();
    const QModelIndex index = view->model()->index(row - 1, col - 1);
    if (!index.isValid())
        return;
    view->setCurrentIndex(index);
    view->scrollTo(index);
    if (edit) {
        view->setFocus(Qt::OtherFocusReason);
        view->edit(index);
    }
}

void EntryInput::countedEntered(const QModelIndex &index)
{
    if (m_sheet->takeEditRefused()) {
        // the count was refused: the next digits belong in this cell again, not in
        // the barcode box, where they would read as a code
        const int row = index.row() + 1, col = index.column() + 1;
        QTimer::singleShot(0, this, [this, row, col] { moveCursor(row, col, true); });
        return;
    }
    if (m_sheet->gridKey(index.row() + 1, index.column() + 1, Qt::Key_Return) == Action::ReturnToBarcode) {
        focusBarcode(true);
        // the count reaches the database now even when the grid had not kept the
        // focus (a message box in between gives it back elsewhere); a save with
        // nothing changed does nothing
        QTimer::singleShot(0, m_sheet, [sheet = m_sheet] { sheet->mnuFSave(); });
    }
}

void EntryInput::focusBarcode(bool clear)
{
    if (clear)
        m_barcode->clear();
    m_barcode->setFocus(Qt::OtherFocusReason);
}

// Only moves within the window count: a dialog the grid opens (the composite
// editor, a question, the error list) or another program leaves the cell as it is.
void EntryInput::focusChanged(QWidget *old, QWidget *now)
{
    if (!m_window)
        return;
    const bool wasIn = inGrid(old), isIn = inGrid(now);
    if (wasIn && !isIn) {
        if (!now || now->window() != m_window)
            return;
        m_sheet->gridFocusOut(false);
        if (!m_focusingBarcode) // after the move has settled: the save may ask or list
            QTimer::singleShot(0, m_sheet, [sheet = m_sheet] { sheet->mnuFSave(); });
    } else if (!wasIn && isIn) {
        m_sheet->gridFocusIn();
    }
}

void EntryInput::openComplexEditor(int row)
{
    QTableView *view = m_grid->view();
    QVariantMap placement{{QStringLiteral("Parent"), QVariant::fromValue<QObject *>(m_window.data())}};
    const QModelIndex cell = view->model()->index(row - 1, EntryCol::ComplexQty - 1);
    if (cell.isValid())
        placement.insert(QStringLiteral("Position"),
                         view->viewport()->mapToGlobal(view->visualRect(cell).bottomLeft()));
    m_sheet->openComplexEditor(row, placement);
}
