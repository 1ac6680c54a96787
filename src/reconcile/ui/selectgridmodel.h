#pragma once

#include <QAbstractTableModel>

class SelectLogic;

// The 23 columns of the documents grid over the window's logic; a mark shows as
// "Y" in the mark column.
class SelectGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SelectGridModel(SelectLogic &logic, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    SelectLogic &m_logic;
};
