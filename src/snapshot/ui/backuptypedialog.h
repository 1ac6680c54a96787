#pragma once

#include "snapshot/backupinvlogic.h"

#include <QDialog>
#include <QVariantMap>

class QRadioButton;

// FrmBackupType: asks for the backup type of a count process that has none.
class BackupTypeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BackupTypeDialog(QWidget *parent = nullptr);

    const BackupTypeLogic &logic() const { return m_logic; }
    // The opener of the window registry: {"BackupType": 1|2, "Cancelled": bool}.
    static QVariantMap open(const QVariantMap &args);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    BackupTypeLogic m_logic;
    QRadioButton *m_curStock = nullptr;
    QRadioButton *m_cutDate = nullptr;
};
