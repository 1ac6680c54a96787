#pragma once

#include "snapshotrowappend.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <optional>

// What the add-item dialog holds: the item found and its attributes, the unit,
// stock, place and the other parts of the row's key, and the figures as typed.
struct AddItemFields
{
    // the item and what it manages
    int itemId = 0;
    QString itemNumber, itemName, itemModel;
    bool batchManaged = false, shelfLife = false, serial = false;
    int defaultKFPeriod = 0, auxClassId = 0, decimals = 0, unitGroupId = 0;
    // counting unit
    int unitId = 0;
    QString unitName;
    double coefficient = 1;
    // stock and place
    int stockId = 0;
    QString stockNumber, stockName;
    bool placeManaged = false;
    int placeId = 0;
    QString placeNumber, placeName;
    // the rest of the key
    QString batchNo, mtoNo;
    QDate kfDate;
    QString kfPeriod; // as typed
    int auxPropId = 0;
    QString auxPropNumber, auxPropName;
    int secUnitId = 0;
    QString secUnitName;
    // figures as typed; empty is 0
    QString qty, adjQty, secQty;
    QString note;
};

// The add-item dialog (frmAddItem) without its widgets: the look-ups of its
// fields, the checks of what is typed, and the acceptance that appends the entry
// to the count process. Everything it tells or asks a person goes through the
// host UI; the widget renders fields() after changed() and moves the focus on
// focusRequested().
class AddItemLogic : public QObject
{
    Q_OBJECT

public:
    enum class Field {
        Item,
        Unit,
        Stock,
        StockPlace,
        Batch,
        MtoNo,
        KFDate,
        KFPeriod,
        AuxProp,
        SecUnit,
        Qty,
        AdjQty,
        SecQty,
        Note,
    };
    Q_ENUM(Field)

    // `today`: where the production date starts (the server's day).
    explicit AddItemLogic(int processId, const QDate &today, QObject *parent = nullptr);

    int processId() const { return m_processId; }
    const AddItemFields &fields() const { return m_f; }
    // Entries appended since the dialog opened.
    int added() const { return m_added; }

    // A typed value, taken when the person leaves its field. False when it was
    // refused (told; the focus goes back to the field).
    bool enterItem(const QString &number);
    bool enterUnit(const QString &numberOrName);
    bool enterStock(const QString &number);
    bool enterStockPlace(const QString &number);
    bool enterAuxProp(const QString &number);
    bool enterSecUnit(const QString &numberOrName);
    bool enterMtoNo(const QString &text);
    void setBatchNo(const QString &text);
    void setKFDate(const QDate &date);
    void setNote(const QString &text);
    // Qty, AdjQty, SecQty and KFPeriod: checked as numbers.
    bool enterNumber(Field field, const QString &text);

    // The look-up of a field (F7, the small buttons); true when a value was chosen.
    bool lookup(Field field);
    // F1 shows help; F7 (and F8 on the item and the batch) opens the field's look-up.
    bool keyPressed(int keyCode, Field field);

    // cmdADD: checks and appends, then clears the entry for the next one; the
    // dialog stays open. cmdOK: the same, and the dialog closes on success.
    bool cmdADD();
    bool cmdOK();

    // The first acceptance check that fails, in order, with the field it concerns;
    // nullopt when the entry may be appended.
    struct Refusal
    {
        QString message;
        Field field;
    };
    std::optional<Refusal> check() const;
    // The entry as the append takes it (call after check()).
    AddedEntry entry() const;
    SnapshotRowAppend::Outcome lastOutcome() const { return m_outcome; }

    // The number of a typed figure, or the message refusing it.
    static std::optional<double> parseFigure(Field field, const QString &text, int decimals, QString *message);
    static QString fieldCaption(Field field);

signals:
    void changed();
    void focusRequested(AddItemLogic::Field field);
    void closeRequested();

private:
    bool accept();
    void clearEntry();
    void clearItem();
    bool takeItem(const Recordset &rows);
    void takeUnit(int unitId);
    bool takeStock(const Recordset &rows);
    bool refuse(const QString &message, Field field);
    QString numberColumn() const;

    int m_processId;
    QDate m_today;
    AddItemFields m_f;
    int m_added = 0;
    SnapshotRowAppend::Outcome m_outcome = SnapshotRowAppend::Outcome::Declined;
};
