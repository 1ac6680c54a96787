#pragma once

#include "snapshot/chkstockproclogic.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QAction;
class QStatusBar;
class QTableView;

// The count process list, frmChkStockProc: the grid of processes with the tool
// bar and menus of the list. The logic lives in ChkStockProcLogic; this shows it
// and passes the clicks on.
class ChkStockProcWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ChkStockProcWindow(const QVariantMap &context, QWidget *parent = nullptr);

    bool load();
    ChkStockProcLogic *logic() { return &m_logic; }
    QAction *tool(ChkStockProcLogic::Tool id) const { return m_tools.value(id); }

    // The opener of the window registry: shows the list modally.
    static QVariantMap open(const QVariantMap &args);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setupActions();
    void setupMenus(QLayout *layout);
    void setupGrid();
    void click(int id);
    void syncTicks();
    void syncSelection();

    ChkStockProcLogic m_logic;
    QHash<int, QAction *> m_tools;
    QTableView *m_grid = nullptr;
    QStatusBar *m_status = nullptr;
    bool m_closing = false;
};
