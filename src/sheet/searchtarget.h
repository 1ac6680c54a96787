#pragma once

#include <QString>

// A column of the count sheet offered to the find window: the definitions of the
// mode that may be searched (FVisForQuest), in their order.
struct SearchTarget
{
    enum class Kind { Number, Text, Date };
    QString caption; // shown, without the definition's trailing marker
    QString field;   // the column of the loaded rows
    Kind kind = Kind::Text;
    int itemClass = 0; // base-data class of the value picker, 0 for none
    QString value;     // the search text last entered

    // The column of the loaded rows it reads: item, place and stock numbers follow
    // the numbering option.
    QString rowField() const;
};
