#pragma once

#include "sheet/finddialog.h"

#include <QDialog>

class CountSheet;
class QRadioButton;
class QTabWidget;
class QTableWidget;

// frmFind: the modeless find window of the count sheet, with the tabs find
// (vspSearch), sort, filter and options, drawn from a FindDialogLogic. It belongs to
// the count sheet window and goes with it.
class FrmFind : public QDialog
{
    Q_OBJECT

public:
    FrmFind(CountSheet &sheet, int actionMode, QWidget *parent = nullptr);

    FindDialogLogic &logic() { return m_logic; }
    // Shows the tab of `actionMode` and comes forward.
    void showTab(int actionMode);

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildFindTab();
    void buildSortTab();
    void buildFilterTab();
    void buildOptionsTab();
    void readGrids();
    void runOk();
    // "FindForm_X", "FindForm_Y", "FindForm_Width", "FindForm_Height".
    void storePlace() const;
    void restorePlace();

    FindDialogLogic m_logic;
    QTabWidget *m_tabs = nullptr;
    QTableWidget *m_vspSearch = nullptr;
    QTableWidget *m_vspSort = nullptr;
    QTableWidget *m_vspFilter = nullptr;
    QRadioButton *m_optBlur = nullptr;
    QRadioButton *m_optMatch = nullptr;
    QRadioButton *m_optULYes = nullptr;
    QRadioButton *m_optULNo = nullptr;
};
