#pragma once

#include <QWidget>

class QAbstractItemModel;
class QTableView;

// A table with a frozen last line: the rows in one view, the totals in a second
// one-row view under it that follows the first one's columns and horizontal
// scrolling (the pattern of Qt's frozen-column example, turned on its side). Rows
// have a fixed height, so 100,000 of them scroll as fast as ten.
class FrozenTable : public QWidget
{
    Q_OBJECT
public:
    explicit FrozenTable(QWidget *parent = nullptr);

    // `totals` may be null: the rows stand alone.
    void setModels(QAbstractItemModel *rows, QAbstractItemModel *totals);
    QTableView *view() const;
    QTableView *totalsView() const;

    // Widths in pixels; both views follow.
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    void setColumnHidden(int column, bool hidden);
    // Commits the text of an open cell editor and closes it (a command run from a
    // menu or tool takes no focus from the grid, so the editor would not commit).
    void commitEditor();

signals:
    // The person dragged a column to a new width.
    void columnResized(int column, int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class TotalsView;
    class RowsView;
    void syncGeometry();

    RowsView *m_view;
    TotalsView *m_totals;
    bool m_applying = false;
};
