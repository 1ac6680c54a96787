#pragma once

#include <QStyledItemDelegate>

// The cell editor of the entry grid. Quantity cells take a number only, as a
// numeric cell does: letters and other characters are ignored while typing (a
// pasted text is still read by its leading number). Enter in the counted cell
// commits the number and reports it, so that the window can send the cursor back
// to the barcode box for the next scan.
class EntryCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit EntryCellDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // A counted cell found by barcode stays orange while it is current or edited.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // True for a text a quantity cell accepts while it is typed ("", "-", "1.", "12.5").
    static bool isNumberInProgress(const QString &text);

signals:
    // Enter was pressed in the editor of a counted cell, after its text was committed.
    void enterPressed(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
