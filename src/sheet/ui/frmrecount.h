#pragma once

#include "sheet/recountlogic.h"

#include <QDialog>
#include <QVariantMap>

class QTableWidget;

// frmRecount: the recount sheet of a process (vsRecount) with the recount typed
// into its last column, drawn from a RecountLogic; tools to save, export and read
// the sheet again.
class FrmRecount : public QDialog
{
    Q_OBJECT

public:
    FrmRecount(AppConnection &connection, int processId, int userId, QWidget *parent = nullptr);

    RecountLogic &logic() { return m_logic; }
    void reject() override;
    // The opener of the window registry: "ProcessID"; answers {"Changed": bool}.
    static QVariantMap open(const QVariantMap &args);

private:
    void fill();
    void cellEdited(int row, int column);

    RecountLogic m_logic;
    QTableWidget *m_grid = nullptr;
    bool m_filling = false;
};
