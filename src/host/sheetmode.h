#pragma once

#include <optional>

// The three faces of the count sheet. The numbers are the host's ShowType and the
// FTypeID of the column definitions in ICChatBillTitle.
enum class SheetMode {
    Check = 1,     // check the count: the ledger grid with book, counted and differences
    PrintBook = 3, // print the count book before counting
    Entry = 4,     // enter counted quantities: the entry grid
};

inline int modeNumber(SheetMode mode)
{
    return static_cast<int>(mode);
}

// A ShowType from outside (the host, a command line); nothing for a number that is
// not a mode.
inline std::optional<SheetMode> sheetModeOf(int number)
{
    switch (number) {
    case 1:
        return SheetMode::Check;
    case 3:
        return SheetMode::PrintBook;
    case 4:
        return SheetMode::Entry;
    default:
        return std::nullopt;
    }
}
