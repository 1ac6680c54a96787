#pragma once

#include <QHash>
#include <QWidget>

class QAbstractItemModel;
class QFontMetrics;
class QTableView;

// A table with a frozen last line and frozen first columns: the rows in one view,
// the totals in a second one-row view under it that follows the first one's
// columns and horizontal scrolling, and over the left part of both a view of the
// first columns that stays in place when the others scroll sideways (the pattern
// of Qt's frozen-column example). Rows have a fixed height, so 100,000 of them
// scroll as fast as ten.
class FrozenTable : public QWidget
{
    Q_OBJECT
public:
    explicit FrozenTable(QWidget *parent = nullptr);

    // `totals` may be null: the rows stand alone.
    void setModels(QAbstractItemModel *rows, QAbstractItemModel *totals);
    QTableView *view() const;
    QTableView *totalsView() const;
    QTableView *frozenView() const;

    // Widths in pixels; every view follows.
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    void setColumnHidden(int column, bool hidden);
    // Commits the text of an open cell editor and closes it (a command run from a
    // menu or tool takes no focus from the grid, so the editor would not commit).
    void commitEditor();

    // The first `count` columns stay in place while the others scroll sideways. They
    // scroll with the others while they would take more than half of the grid.
    void setFrozenColumns(int count);
    int frozenColumns() const { return m_frozenCount; }
    bool isFrozenShown() const;

    // Widens every column whose totals cell would not show its text whole. A column
    // widened so keeps that width until the program or the person sets another.
    void fitTotals();
    // True while `column` has the width fitTotals gave it (nobody chose it).
    bool isFittedToTotals(int column) const;
    // The width a cell of `view` needs to show `text` whole in the font `metrics`
    // measures: the text, the item margins on both sides and the grid line.
    static int cellWidth(const QTableView *view, const QFontMetrics &metrics, const QString &text);

signals:
    // The person dragged a column to a new width.
    void columnResized(int column, int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class RowsView;
    class FrozenView;
    void connectFrozen();
    void applyWidth(int column, int width);
    void syncGeometry();
    void syncFrozen();
    void fitHeadings();
    int frozenWidth() const;

    RowsView *m_view;
    QTableView *m_totals;
    QWidget *m_corner;          // beside the totals line, under the rows' vertical scroll bar
    FrozenView *m_frozen;       // over the rows
    FrozenView *m_frozenTotals; // over the totals line
    int m_frozenCount = 0;
    bool m_applying = false;
    QHash<int, int> m_fitted; // column -> width given by fitTotals
};
