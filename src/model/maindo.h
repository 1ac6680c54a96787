#pragma once

#include "host/recordset.h"

#include <QString>

// The model object behind one count sheet: the entry class creates one to show the
// sheet in a mode (1 check, 3 print the count book, 4 enter counted quantities),
// and the sheet window uses one to load and lay out its rows.
class MainDo
{
public:
    // Arguments of the windows Show opens.
    static constexpr const char *ArgShowType = "ShowType"; // the mode
    static constexpr const char *ArgOption = "Option";     // the option of Show, for the filter dialog
    static constexpr const char *ArgModal = "Modal";       // false for mode 4: the window stays open

    MainDo();
    ~MainDo();
    MainDo(const MainDo &) = delete;
    MainDo &operator=(const MainDo &) = delete;

    // Include rows of deleted items.
    void ShowDelete(bool show) { m_showDelete = show; }
    bool showDelete() const { return m_showDelete; }

    // Shows the count sheet in `mode`: the filter dialog first when the parameter
    // asks for it, then the sheet, or a message when no stock has been backed up.
    // Returns at once for mode 4 (the sheet stays open), after the sheet closes
    // for the other modes.
    void Show(int mode, int option);

    // The stocks that have snapshot rows (FName, FItemID, FNumber), by number;
    // closed on a database error.
    Recordset GetBackupStockList() const;

private:
    bool m_showDelete = false;
    Recordset m_rows; // the rows loaded for the sheet
};
