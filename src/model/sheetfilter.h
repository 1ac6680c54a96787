#pragma once

#include "host/dialect.h"
#include "host/sqlfragment.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One row of the filter dialog's condition grid (or of `--filter` on the command
// line): a column of the sheet by its shown caption, a comparison, a value and the
// logic word that joins it to the next row.
struct SheetCondition
{
    QString field;   // shown caption ("物料代码")
    QString compare; // "=", "<>", ">", ">=", "<", "<=", "like", "not like"
    QString value;
    QString logic; // "and", "or"; may be empty on the last row

    bool isEmpty() const;
    bool operator==(const SheetCondition &other) const = default;
};

// One row of the sort grid: a column by its caption and "升序" / "降序" (or the
// words they are written as, "Asc" / "Desc").
struct SheetSortKey
{
    QString field;
    QString direction;

    bool isEmpty() const { return field.trimmed().isEmpty() && direction.trimmed().isEmpty(); }
    bool operator==(const SheetSortKey &other) const = default;
};

// The rows of the filter dialog compiled for the count sheet's row query. Fields
// are checked against the columns the definitions offer (caption ->
// "FColName|FItemClassID|FColType", as MainDo::GetHeadString lists them) and
// comparisons against the fixed list; values only ever travel as bound values, so
// nothing typed can change the statement.
namespace sheetfilter {

using Columns = QMap<QString, QString>;

enum class ValueKind { Number, Text, Date };

struct Column
{
    QString name; // FColName
    int itemClass = 0;
    int type = 8; // FColType
    ValueKind kind() const;
};
// "FColName|FItemClassID|FColType"
Column column(const QString &target);

QStringList comparisons();
QStringList logics();
QString canonicalComparison(const QString &shown); // lower case; empty when unknown
QString canonicalLogic(const QString &shown);      // lower case; empty when unknown
// As the sort grid shows them: "升序", "降序" (source texts).
QStringList directions();

// The column of the row query that a definition's field reads: item, place and
// stock numbers follow the numbering option, and the counting-unit differences
// count a missing value as 0.
QString sqlField(const QString &colName, bool useFullNumber);

// The first message about rows that are partly filled, as the dialog shows it, the
// sort rows first ("第%1行排序类型不能为空!", "第%1行，[名称]列数据不完整！", ...);
// rows count from 1, empty rows included. Empty when the rows are usable.
QString validate(const QList<SheetCondition> &conditions, const QList<SheetSortKey> &sortKeys);

// "FItemShortNumber LIKE ? AND FQty > ?" over the filled rows, the logic of the
// last row left out; empty when no row is filled. False with a message when a row
// names a column or comparison not offered. A number column given a value that is
// not a number matches no row.
bool compileFilter(const QList<SheetCondition> &rows, const Columns &columns, const Dialect &dialect,
                   bool useFullNumber, SqlFragment *out, QString *error);
// "FName Asc,FQty Desc" over the filled rows; empty when none is filled.
bool compileSort(const QList<SheetSortKey> &keys, const Columns &columns, bool useFullNumber, QString *out,
                 QString *error);

// "FIELD:OP:VALUE[:LOGIC]" and "FIELD:asc|desc" of the command line. The value may
// itself hold ":"; a trailing ":and" / ":or" is the logic.
bool parseCondition(const QString &text, SheetCondition *out, QString *error);
bool parseSortKey(const QString &text, SheetSortKey *out, QString *error);

// Remembered grid rows, cells joined by a tab.
QStringList toLines(const QList<SheetCondition> &rows);
QList<SheetCondition> conditionsFromLines(const QStringList &lines);
QStringList toLines(const QList<SheetSortKey> &keys);
QList<SheetSortKey> sortKeysFromLines(const QStringList &lines);

} // namespace sheetfilter
