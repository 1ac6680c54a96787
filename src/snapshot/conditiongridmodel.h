#pragma once

#include "goodsfilter.h"

#include <QAbstractTableModel>
#include <QList>

// The condition grid of the backup dialog: rows of field, comparison, value and
// logic, the first, second and fourth chosen from fixed lists. The grid always
// ends with one empty row: filling the last row adds another, and a second empty
// row at the end goes again.
class ConditionGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Field, Compare, Value, Logic, ColumnCount };

    explicit ConditionGridModel(QObject *parent = nullptr);

    // All rows, the empty last one included.
    const QList<GoodsCondition> &rows() const { return m_rows; }
    void setRows(const QList<GoodsCondition> &rows);
    // The shown choices of a column with a fixed list; empty for the value column.
    static QStringList choices(int column);
    // Widths of the columns in characters.
    static int widthInCharacters(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void keepOneEmptyRow();
    static QString shown(int column, const QString &stored);

    QList<GoodsCondition> m_rows;
};
