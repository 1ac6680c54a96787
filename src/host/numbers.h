#pragma once

#include <QString>

// Quantities in this program are doubles. Decisions and stored figures round them
// to the item's decimals the way the original formatting did: on the decimal text
// of the value (15 significant digits), halves away from zero. So 2.5 -> 3,
// -2.5 -> -3 and 1.005 -> 1.01, although 1.005 is a little less in binary.
double roundQuantity(double value, int decimals);

// The leading number of a text, as cell texts are read: leading blanks, a sign,
// digits and one decimal point; "12abc" is 12, "abc" and "" are 0.
double leadingNumber(const QString &text);

// A quantity as plain text with exactly `decimals` places (no grouping).
QString quantityText(double value, int decimals);

// The text without the zeros that end its fraction, nor a bare point: "5.50" reads
// "5.5" and "3.000" reads "3", as a person writes them. Texts without a point stay.
QString withoutTrailingZeros(QString text);

// A number as it is held in a cell: whole numbers without a point, others with up
// to ten decimals and no trailing zeros.
QString plainNumber(double value);
