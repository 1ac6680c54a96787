#pragma once

#include <QObject>
#include <QPointer>

class CountSheet;
class EntryCellDelegate;
class FrozenTable;
class QLineEdit;
class QModelIndex;
class QWidget;

// The keyboard and focus of the count sheet's entry mode: the cell editor of the
// entry grid, its keys (F7, F8, Enter in the counted cell), the barcode box, the
// composite-quantity editor on entering its cell, and the focus rules (the grid
// losing the focus to another control saves, getting it back re-enters its cell).
// The decisions are the CountSheet's; this carries them out on the widgets.
class EntryInput : public QObject
{
    Q_OBJECT
public:
    EntryInput(CountSheet *sheet, FrozenTable *grid, QLineEdit *barcode, QWidget *window);
    ~EntryInput() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridKeyPress(int key, const QString &text);
    bool barcodeKeyPress(int key);
    void failureSound();
    void currentChanged(const QModelIndex &current);
    void moveCursor(int row, int col, bool edit);
    void countedEntered(const QModelIndex &index);
    void focusBarcode(bool clear);
    void focusChanged(QWidget *old, QWidget *now);
    void openComplexEditor(int row);
    bool inGrid(const QWidget *w) const;

    CountSheet *m_sheet;
    FrozenTable *m_grid;
    QLineEdit *m_barcode;
    QPointer<QWidget> m_window;
    EntryCellDelegate *m_delegate;
    bool m_focusingBarcode = false; // the save itself moves the focus: no second save
};
