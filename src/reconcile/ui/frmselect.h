#pragma once

#include "reconcile/selectlogic.h"

#include <QDialog>
#include <QVariantMap>

class QAction;
class QLabel;
class QStatusBar;
class QTableView;
class QToolBar;
class SelectGridModel;

// frmSelect, "选择单据": the documents posted after the snapshot for the count
// sheet's active row. Renders its logic and forwards clicks and commands; closes
// once a calculation has run (CalFactQty).
class FrmSelect : public QDialog
{
    Q_OBJECT
public:
    FrmSelect(AppConnection &connection, const QVariantMap &args, QWidget *parent = nullptr);
    ~FrmSelect() override;

    SelectLogic &logic() { return m_logic; }
    // The opener of the window registry: shows the window modally and answers
    // {"CalFactQty", "CalcateOK", "DiffQty", "SecDiffQty"}.
    static QVariantMap open(const QVariantMap &args);
    QVariantMap answer() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void setupMenus();
    void setupLayout();
    void applyState();
    void restoreWidths();
    void saveWidths();

    SelectLogic m_logic;
    SelectGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QToolBar *m_toolBar = nullptr;
    QStatusBar *m_status = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_item = nullptr;
    QLabel *m_stock = nullptr;
    QAction *m_calculate = nullptr;
    QAction *m_toolBarCheck = nullptr, *m_statusCheck = nullptr, *m_labelCheck = nullptr;
    QAction *m_calculateTool = nullptr, *m_exitTool = nullptr;
    bool m_raised = false;
    bool m_closing = false;
};
