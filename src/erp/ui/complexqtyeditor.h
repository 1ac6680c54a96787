#pragma once

#include "erp/complexqty.h"

#include <QDialog>
#include <QList>

class QDoubleSpinBox;
class QLabel;
class WindowRegistry;

namespace erp {

// The composite-quantity editor of the count sheet: one box per unit of the item's
// unit group, largest first, and the total in the base unit as it is typed. Enter
// accepts, Esc cancels. The result is the composite text (for the composite cell)
// and the base quantity (for the base counted cell). A negative amount, or places a
// unit does not have, keeps the editor open with a note saying why (never rounded
// or turned positive); an editor closed without typing gives no result, so it
// never changes a count by itself.
class ComplexQtyEditor : public QDialog
{
    Q_OBJECT
public:
    ComplexQtyEditor(const QList<MeasureUnit> &units, int decimals, QWidget *parent = nullptr);

    // Fills the boxes from a composite text ("3箱5个"); a text that cannot be read
    // (or holds a negative or fractional amount a box cannot take) leaves them empty
    // and says why in note().
    void setText(const QString &text);
    // Whether the person changed a figure since the boxes were filled.
    bool isEdited() const { return m_edited; }
    QString note() const;
    // Accepts only figures every box may hold; else the note says why.
    void accept() override;
    QString complexText() const;
    double baseQuantity() const;
    QDoubleSpinBox *box(int index) const { return m_boxes.value(index); }
    QString totalText() const;

    // Opener of the window "ComplexQtyEditor" for core logic. Arguments: "ItemID",
    // "UnitGroupID" (the item's group when 0), "sAuxMutilCheckQtyStr" (the text to
    // start from; empty starts empty), optional "Parent" (a QWidget) and "Position"
    // (global QPoint). Result: "FComplexQty" and "BaseQty", or empty when cancelled
    // or closed without a change.
    static void registerOpener(WindowRegistry &windows);

private:
    void updateTotal();
    int places(qsizetype index) const;
    QString refusal() const;
    void showNote(const QString &text);

    QList<MeasureUnit> m_units;
    int m_decimals;
    QList<QDoubleSpinBox *> m_boxes;
    QLabel *m_total = nullptr;
    QLabel *m_note = nullptr;
    bool m_edited = false;
    bool m_filling = false;
};

} // namespace erp
