#pragma once

#include <QAbstractTableModel>
#include <QColor>

class CountSheet;

// The entry grid of mode 4 (vsCheck) as a Qt table over the sheet's EntryGrid:
// view column c is grid column c + 1. One model shows the data rows, a second one
// the totals row, frozen under them. Locked cells are pale yellow, the cells a
// person types into white, and a counted cell found by barcode orange.
class EntryGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class Part { Rows, Totals };

    // Colours as the host writes them: 0xBBGGRR.
    static QColor hostColor(quint32 bgr);
    static constexpr quint32 LockedColor = 0xD0FFFF;
    static constexpr quint32 FoundColor = 0x0080FF;
    static constexpr quint32 OpenColor = 0xFFFFFF;

    EntryGridModel(CountSheet *sheet, Part part, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int gridRow(int row) const;
    static int gridColumn(int column) { return column + 1; }

private:
    void refreshRow(int gridRow);
    void refreshHighlights();

    CountSheet *m_sheet;
    Part m_part;
};
