#pragma once

#include "host/dialect.h"
#include "host/sqlfragment.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// One row of the goods restriction people build in the backup dialog's condition
// grid (or with `--where` on the command line): a shown field such as "物料代码",
// a comparison, a value and the logic word that joins it to the next row.
struct GoodsCondition
{
    QString field;   // shown name, stored in its source text ("物料代码")
    QString compare; // "=", "<>", ">", ">=", "<", "<=", "like", "not like"
    QString value;
    QString logic; // "and", "or"; empty on the last row

    bool isEmpty() const;
    bool operator==(const GoodsCondition &other) const = default;
};

// The fixed lists of the condition grid, and the compiler that turns its rows
// into a condition on t4 (t_ICItem) and t5 (t_StockPlace). Fields and comparisons
// are checked against the lists; values only ever travel as bound values, so
// nothing typed into the grid can change a statement.
namespace GoodsFilter {

QStringList fields();      // source texts, in list order
QStringList comparisons(); // as shown
QStringList logics();

// The source text of a shown field, accepting its translation too; empty when
// the text names no field of the list.
QString canonicalField(const QString &shown);
QString canonicalComparison(const QString &shown); // lower case; empty when unknown
QString canonicalLogic(const QString &shown);      // lower case; empty when unknown

// The SQL column a field reads; item numbers follow the numbering option.
QString column(const QString &field, bool useFullNumber);

// The first message about rows that are partly filled, as the dialog shows it
// ("第%1行，[名称]列数据不完整！", ...); row numbers count from 1 over all rows
// given, empty rows included. Empty when the rows are usable.
QString validate(const QList<GoodsCondition> &rows);

// " AND (t4.FNumber = ? AND t5.FName LIKE ?)" over the filled rows, the logic of
// the last row left out; an empty fragment when no row is filled. False with a
// message when a row names an unknown field, comparison or logic.
bool compile(const QList<GoodsCondition> &rows, const Dialect &dialect, bool useFullNumber, SqlFragment *out,
             QString *error);

// The rows as a dictionary value ("Filter") and back.
QVariant toVariant(const QList<GoodsCondition> &rows);
QList<GoodsCondition> fromVariant(const QVariant &value);

// "FIELD:OP:VALUE[:LOGIC]" of the command line. The value may itself hold ":";
// a trailing ":and" / ":or" is the logic.
bool parse(const QString &text, GoodsCondition *out, QString *error);

} // namespace GoodsFilter
