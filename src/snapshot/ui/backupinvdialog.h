#pragma once

#include "snapshot/backupinvlogic.h"

#include <QDialog>
#include <QVariantMap>

class QDateEdit;
class QRadioButton;
class QStackedWidget;
class QTableView;
class QTreeView;

// The backup dialog, frmBackupInv: where a person opens a count. The logic and
// the models live in BackupInvLogic; this shows them and passes the clicks on.
class BackupInvDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BackupInvDialog(QWidget *parent = nullptr);

    // Fills the trees; false when the data could not be read (already told).
    bool load();
    BackupInvLogic *logic() { return &m_logic; }

    // The opener of the window registry: shows the dialog modally.
    static QVariantMap open(const QVariantMap &args);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setupUi();
    QWidget *dateFrame();
    QWidget *stockFrame();
    QWidget *restrictionFrame();
    void chooseRestriction(BackupInvLogic::Restriction restriction);
    void lookupValue();

    BackupInvLogic m_logic;
    QRadioButton *m_curStock = nullptr;
    QRadioButton *m_cutDate = nullptr;
    QDateEdit *m_date = nullptr;
    QTreeView *m_stocks = nullptr;
    QTreeView *m_types = nullptr;
    QTableView *m_grid = nullptr;
    QStackedWidget *m_restrictionView = nullptr;
};
