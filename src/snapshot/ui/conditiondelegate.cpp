#include "conditiondelegate.h"

#include "snapshot/conditiongridmodel.h"

#include <QComboBox>

QWidget *ConditionDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    const QStringList choices = ConditionGridModel::choices(index.column());
    if (choices.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *combo = new QComboBox(parent);
    combo->addItem(QString()); // a cell may be cleared again
    combo->addItems(choices);
    // a choice counts at once: the grid's empty last row follows without leaving the cell
    auto *self = const_cast<ConditionDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] { emit self->commitData(combo); });
    return combo;
}

void ConditionDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(std::max(0, combo->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ConditionDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
