#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

// The import template: columns by position (from 1). With MTO planning on, the MTO
// number is column 11 and every later column moves one place to the right.
namespace ImportCol {
enum Field : int {
    StockNumber,
    StockName,
    SPNumber,
    SPName,
    ItemNumber,
    ItemName,
    AuxPropNumber,
    AuxPropName,
    BatchNo,
    MtoNo,
    KFDate,
    KFPeriod,
    UnitNumber,
    UnitName,
    CCUnitNumber,
    CCUnitName,
    CheckQty,
    ComplexQty,
    AdjQty,
    SecUnitNumber,
    SecUnitName,
    Coefficient,
    SecCheckQty,
    Note,
    FieldCount
};
// The position (from 1) of a field in the file; 0 for the MTO number with the mode off.
int position(Field field, bool mtoMode);
} // namespace ImportCol

// One data record of the file, read by position: texts trimmed (a number in a text
// column reads as it is written, a date as yyyy-MM-dd), numbers from number cells
// or from text that is a plain number. What a cell held that its column cannot
// take is kept as a problem for the validation to report.
struct ImportRecord
{
    int number = 0; // record number, from 1
    QString texts[ImportCol::FieldCount];
    double checkQty = 0, adjQty = 0, coefficient = 0, secCheckQty = 0;
    bool counted = false; // a counted quantity (base or secondary) is written
    QDate kfDate;
    bool kfDateGiven = false;
    int kfPeriod = 0;
    bool kfPeriodGiven = false;
    bool kfPeriodValid = true; // a whole number of days, not below 0

    QString problem; // the first cell the record cannot use, as a message

    QString text(ImportCol::Field f) const { return texts[f]; }
    // "number|name", the key of the lookups.
    QString key(ImportCol::Field number, ImportCol::Field name) const { return texts[number] + u'|' + texts[name]; }

    static ImportRecord read(const QList<QVariant> &cells, int number, bool mtoMode);
};
