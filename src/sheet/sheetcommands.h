#pragma once

#include "host/sheetmode.h"

#include <QString>

#include <span>

// The menus and tools of the count sheet window: names (the objectNames of the
// actions), captions, the modes that show them and whether this build carries
// their behaviour yet. Core data, so that the logic and the tests see the same
// table the window is built from.
struct SheetCommand
{
    enum Kind : quint8 { Command, Title, Separator, Toggle, SubMenu };
    enum Modes : quint8 { None = 0, Check = 1, Print = 2, Input = 4, All = Check | Print | Input };

    const char *menu;    // menu objectName ("mnuFSave")
    const char *caption; // menu caption
    const char *parent;  // the menu title it sits under (empty for titles)
    Kind kind;
    quint8 menuModes; // modes that show the menu entry
    const char *tool; // tool objectName, empty when there is none
    const char *toolCaption;
    const char *tip;  // tool tip, empty for the caption
    quint8 toolModes; // modes that show the tool
    bool available;   // false: shown but disabled until its behaviour is there

    static quint8 modeBit(SheetMode mode);
    bool shownIn(SheetMode mode) const { return menuModes & modeBit(mode); }
    bool toolShownIn(SheetMode mode) const { return *tool && (toolModes & modeBit(mode)); }
    // Captions that change with the mode ("账存数据" for the count book).
    QString captionIn(SheetMode mode) const;
    QString toolCaptionIn(SheetMode mode) const;
};

namespace sheetcommands {
// Every entry in menu order.
std::span<const SheetCommand> all();
// The entry of a menu name or a tool name (compared without regard to case), or null.
const SheetCommand *find(const QString &name);
// The tip of a command that is not available yet.
QString notYetTip();
} // namespace sheetcommands
