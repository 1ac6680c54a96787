#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class Recordset;

// The filter language of Recordset::setFilter and the value order shared with its
// sort: comparisons = <> < > <= >= LIKE / NOT LIKE (with % and _), IS [NOT] NULL,
// AND, OR, NOT and parentheses. Texts compare without regard to case.
namespace RecordsetFilter {

using Predicate = std::function<bool(const Recordset &, int row)>;

// A predicate over the rows of `rs`, or an empty one with the reason in `error`.
Predicate parse(const Recordset &rs, const QString &filter, QString *error);
// -1, 0 or 1 for two non-null values: numbers as numbers, dates as dates, else text.
int compareValues(const QVariant &a, const QVariant &b);

} // namespace RecordsetFilter
