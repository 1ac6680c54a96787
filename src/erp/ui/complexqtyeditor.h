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
// and the base quantity (for the base counted cell).
class ComplexQtyEditor : public QDialog
{
    Q_OBJECT
public:
    ComplexQtyEditor(const QList<MeasureUnit> &units, int decimals, QWidget *parent = nullptr);

    // Fills the boxes from a composite text ("3箱5个"); a text that cannot be read
    // leaves them empty.
    void setText(const QString &text);
    QString complexText() const;
    double baseQuantity() const;
    QDoubleSpinBox *box(int index) const { return m_boxes.value(index); }
    QString totalText() const;

    // Opener of the window "ComplexQtyEditor" for core logic. Arguments: "ItemID",
    // "UnitGroupID" (the item's group when 0), "sAuxMutilCheckQtyStr" (the text to
    // start from; empty starts empty), optional "Parent" (a QWidget) and "Position"
    // (global QPoint). Result: "FComplexQty" and "BaseQty", or empty when cancelled.
    static void registerOpener(WindowRegistry &windows);

private:
    void updateTotal();

    QList<MeasureUnit> m_units;
    int m_decimals;
    QList<QDoubleSpinBox *> m_boxes;
    QLabel *m_total = nullptr;
};

} // namespace erp
