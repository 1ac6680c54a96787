#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QTableWidget;

namespace erp {

// The host's display list: rows in columns, shown modally (error lists of an
// import, say). Widths come in twips and become pixels; a column grows to show its
// texts whole (wrapping the longest ones) and the window can be resized; the rows
// can be copied.
class ListDialog : public QDialog
{
    Q_OBJECT
public:
    ListDialog(const QString &caption, const QStringList &titles, const QList<int> &widths,
               const QList<QStringList> &rows, QWidget *parent = nullptr);

    // The same list with 确定 and 取消 (double-click or Enter chooses): the chosen
    // row, 0-based, or -1 when cancelled.
    static int choose(const QString &caption, const QStringList &titles, const QList<QStringList> &rows,
                      QWidget *parent = nullptr);

    static int twipsToPixels(int twips) { return twips / 15; }
    // Rows whose texts size the columns and heights.
    static constexpr int MeasuredRows = 500;

private:
    void fitColumns(int widest);
    void fill(const QStringList &titles, const QList<int> &widths, const QList<QStringList> &rows);
    void copyAll() const;

    QTableWidget *m_table = nullptr;
};

} // namespace erp
