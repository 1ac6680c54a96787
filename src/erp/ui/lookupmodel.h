#pragma once

#include "erp/lookupquery.h"
#include "host/recordset.h"

#include <QAbstractTableModel>

namespace erp {

// The rows a lookup found, in the lookup's shown columns.
class LookupModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit LookupModel(const QList<LookupColumn> &columns, QObject *parent = nullptr);

    void setRows(const Recordset &rows);
    const Recordset &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<LookupColumn> m_columns;
    QList<int> m_fieldIndex; // column -> field of m_rows
    Recordset m_rows;
};

} // namespace erp
