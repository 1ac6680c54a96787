#include "entrycelldelegate.h"

#include "model/entrygrid.h"
#include "sheet/entrygridmodel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPersistentModelIndex>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

const char *const indexProperty = "entryIndex";

bool isFound(const QModelIndex &index)
{
    return index.data(Qt::BackgroundRole).value<QColor>() == EntryGridModel::hostColor(EntryGridModel::FoundColor);
}

const QRegularExpression &numberPattern()
{
    static const QRegularExpression re(QStringLiteral(R"([-+]?\d*\.?\d*)"));
    return re;
}

} // namespace

EntryCellDelegate::EntryCellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

bool EntryCellDelegate::isNumberInProgress(const QString &text)
{
    return numberPattern()
               .match(text, 0, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
               .capturedLength() == text.size();
}

QWidget *EntryCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setObjectName(QStringLiteral("vsCheckEditor"));
    editor->setProperty(indexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    const int col = EntryGridModel::gridColumn(index.column());
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && EntryGrid::kind(col) == EntryGrid::Kind::Quantity)
        line->setValidator(new QRegularExpressionValidator(numberPattern(), line));
    if (isFound(index)) {
        QPalette palette = editor->palette();
        palette.setColor(QPalette::Base, EntryGridModel::hostColor(EntryGridModel::FoundColor));
        editor->setPalette(palette);
        editor->setAutoFillBackground(true);
    }
    return editor;
}

void EntryCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!isFound(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem found(option);
    found.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, found, index);
}

bool EntryCellDelegate::eventFilter(QObject *watched, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QPersistentModelIndex index = editor->property(indexProperty).value<QPersistentModelIndex>();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && index.isValid() &&
            EntryGridModel::gridColumn(index.column()) == EntryCol::CheckQty) {
            // committed now rather than queued, so the window acts on the new count
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit enterPressed(index);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
