#pragma once

#include "checktreemodel.h"
#include "conditiongridmodel.h"
#include "icbackupinv.h"
#include "snapshotparams.h"

#include <QDate>
#include <QObject>

// The backup dialog (frmBackupInv) without its widgets: the date and kind of the
// snapshot, the stock tree, the goods restriction (condition grid, or a tree of
// suppliers, brands or categories) and the commands. Everything it tells a person
// goes through the host UI.
class BackupInvLogic : public QObject
{
    Q_OBJECT

public:
    enum class Restriction { Commodity, Supplier, CommBrand, CommCategory };

    explicit BackupInvLogic(QObject *parent = nullptr);

    // Reads the numbering option and fills the stock tree; false (told) when the
    // database cannot be read.
    bool load();

    CheckTreeModel *stockTree() { return &m_stocks; }
    CheckTreeModel *typeTree() { return &m_types; }
    ConditionGridModel *conditions() { return &m_conditions; }

    bool cutDate() const { return m_cutDate; }
    void setCutDate(bool cutDate) { m_cutDate = cutDate; }
    QDate date() const { return m_date; }
    void setDate(const QDate &date) { m_date = date; }
    Restriction restriction() const { return m_restriction; }
    // The condition grid for goods; the tree of the chosen kind otherwise.
    void setRestriction(Restriction restriction);
    bool showsTypeTree() const { return m_restriction != Restriction::Commodity; }

    // F7 in the value cell of a grid row: the item chooser for item fields (and
    // barcodes), the stock place list for place fields. True when a value was set.
    bool lookupValue(int row);
    // F1 shows the help of the dialog.
    void keyPressed(int keyCode);

    // The first failure of the dialog's checks, in their order; empty when none.
    QString validate() const;
    SnapshotParams buildParams() const;

    // cmdOK: checks, pre-checks and the snapshot. True when it was taken and the
    // dialog is to close.
    bool ok();
    const ICBackupInv &engine() const { return m_engine; }

signals:
    void restrictionChanged();

private:
    QString lookupItem(const QString &field, const QString &search);
    QString lookupPlace(const QString &field, const QString &search);
    bool fillTree(CheckTreeModel &tree, int itemClass, const char *root);

    CheckTreeModel m_stocks;
    CheckTreeModel m_types;
    ConditionGridModel m_conditions;
    ICBackupInv m_engine;
    bool m_cutDate = false;
    QDate m_date = QDate::currentDate();
    Restriction m_restriction = Restriction::Commodity;
};

// The backup-type dialog (FrmBackupType): the type of an existing process that has
// none recorded, 1 current stock (chosen on opening) or 2 cut-off date.
class BackupTypeLogic
{
public:
    int type() const { return m_type; }
    void setType(int type) { m_type = type == 2 ? 2 : 1; }
    bool cancelled() const { return m_cancelled; }
    void ok() { m_cancelled = false; }
    void cancel() { m_cancelled = true; }
    void keyPressed(int keyCode);
    // {"BackupType": 1|2, "Cancelled": bool}
    QVariantMap result() const;

private:
    int m_type = 1;
    bool m_cancelled = true;
};
