#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class EntryGrid;

// The count row whose later documents are listed: its stock line (the values the
// documents must match exactly) and the figures the negative-stock rule reads.
struct SelectContext
{
    int itemId = 0;
    QString itemNumber; // for the status bar
    QString stockName;  // for the label beside "仓库名称:"
    int stockId = 0;
    int stockPlaceId = 0;
    QString batchNo;
    QString mtoNo;
    QString kfDate; // "yyyy-MM-dd", empty for goods without a production date
    int kfPeriod = 0;
    int auxPropId = 0;
    double accountQty = 0; // book quantity in the base unit
    double checkQty = 0;   // counted quantity in the base unit
    int decimals = 0;      // places of the item's quantities

    // The keys the count sheet hands to the window ("ItemID", "StockID", ...).
    static SelectContext fromArgs(const QVariantMap &args);
    // The same values read from a row of the count sheet's entry grid.
    static SelectContext fromGrid(const EntryGrid &grid, int row);
    QVariantMap toArgs() const;
};

// What the count sheet knows of a process: how its snapshot was taken and the
// highest document ids that existed then.
struct ProcessInfo
{
    enum BackupType { CurrentStock = 1, CutOffDate = 2 };
    int backupType = CurrentStock;
    QDate cutDate;
    int maxInterId = 0;
    int maxMtoChangeId = 0;

    // From the dictionary keyed "<id>|BackupType", "<id>|CuteDate", "<id>|MaxInterID"
    // and "<id>|MaxMTOChangeID"; nothing when the process has no backup type (1 or 2).
    static std::optional<ProcessInfo> fromDictionary(int processId, const QVariantMap &info);
};
