#pragma once

#include "sheet/filterdialog.h"

#include <QDialog>
#include <QVariantMap>

class QTabWidget;
class QTableWidget;

// frmFilter: the filter dialog of the count sheet, a condition grid (vsFilter) and
// a sort grid (vsSortBy) on two tabs, drawn from a FilterDialogLogic. F7 in a
// value cell opens the base-data list of its column.
class FrmFilter : public QDialog
{
    Q_OBJECT

public:
    FrmFilter(SheetMode mode, FilterDialogLogic::Tab tab, QWidget *parent = nullptr);

    FilterDialogLogic &logic() { return m_logic; }
    // Reads the grids into the logic and runs its OK; closes when it was accepted.
    void accept() override;
    void reject() override;
    // The opener of the window registry: "ShowType" the mode, "Tab" 0 filter or 1
    // sort; answers {"Cancelled": bool}.
    static QVariantMap open(const QVariantMap &args);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFilterGrid();
    void buildSortGrid();
    void readGrids();
    void showCondition(int row);

    FilterDialogLogic m_logic;
    QTabWidget *m_tabs = nullptr;
    QTableWidget *m_vsFilter = nullptr;
    QTableWidget *m_vsSortBy = nullptr;
};
