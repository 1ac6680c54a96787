#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QStringList>

class CountSheet;

// The ledger grid of the check and print modes (ldgCheck) as a Qt table. Rows ask
// the count sheet model for their line only when a view shows them, so a sheet of
// 100,000 rows costs nothing until it is scrolled. One model shows the data rows,
// a second one the total line of the check mode, frozen under them.
class LedgerModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class Part { Rows, Total };

    LedgerModel(const CountSheet *sheet, Part part, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The grid row (as the sheet model numbers them) behind a row of this model.
    int gridRow(int row) const;
    // Rows or columns changed: forget the cached lines.
    void reload();

private:
    const QStringList &cells(int row) const;

    const CountSheet *m_sheet;
    Part m_part;
    QStringList m_headings;
    mutable QCache<int, QStringList> m_lines;
};
