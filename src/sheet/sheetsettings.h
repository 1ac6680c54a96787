#pragma once

#include "host/sheetmode.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The count sheet window's per-user settings in the host settings store. A value
// that is missing or cannot be read leaves the default in force; without a
// settings store nothing is read or written.
struct SheetSettings
{
    static constexpr const char *Section = "N5StockCheck";
    static constexpr const char *GridSection = "N5STOCKPRICE";

    bool showToolBar = true;          // "bShowtoolbar"
    bool showToolLabels = true;       // "bShowToolBarLable"
    bool showStatusBar = true;        // "bShowStatBar"
    bool showDeleted = false;         // "bShowDeleted"
    int stockId = 0;                  // "StockID": the process shown last
    bool showClosedProcesses = false; // "ldgCheck_ShowCloseProc" = 1

    void load();
    // Writes the four view flags and the process ("StockID").
    void save() const;
    // Stored at once when toggled, as the window does.
    static void saveShowClosedProcesses(bool show);

    // Column widths in twips: ledger "ldgCheck<mode>-<col>", entry grid "Col<col>".
    static std::optional<int> ledgerWidth(SheetMode mode, int col);
    static void setLedgerWidth(SheetMode mode, int col, int width);
    static std::optional<int> entryWidth(int col);
    static void setEntryWidth(int col, int width);

    // The window's place and size in a mode ("frmMain<mode>_Geometry", the bytes of
    // QWidget::saveGeometry as base64); empty when missing or not base64.
    static QByteArray windowGeometry(SheetMode mode);
    static void setWindowGeometry(SheetMode mode, const QByteArray &geometry);
};
