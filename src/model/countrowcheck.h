#pragma once

#include <QString>

// Why a count row's new figures are not written. Every writer of counted figures
// (the entry grid's save, the entry service, the command line) decides with the
// same check, so a row refused in the window is refused from a scanner too.
enum class RowCheck {
    Accepted = 0,
    NegativeBook = 1, // negative book quantity and an actual quantity below it
    Direction = 2,    // a secondary difference without a base one, or the two of opposite signs
};

// The figures of one count row the check looks at, in base units unless said.
struct RowCheckFigures
{
    double accountQty = 0; // book
    double baseActual = 0; // actual
    double adjQty = 0;     // adjustment, in the row's unit
    double coefficient = 0;
    double secUnitQty = 0, secAdjQty = 0, secQtyAct = 0; // secondary book, adjustment, actual
    int decimals = 0;
};

// Every counted quantity stays within what the cells and the database's columns
// hold; counted quantities are never below 0.
inline constexpr double countQuantityLimit = 9999999999.9999;

RowCheck checkCountRow(const RowCheckFigures &figures);
QString rowCheckMessage(RowCheck check);
