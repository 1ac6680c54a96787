#pragma once

#include "host/dberror.h"
#include "host/dialect.h"
#include "host/hostcomponents.h"
#include "host/recordset.h"
#include "host/sqlfragment.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

class AppConnection;

namespace erp {

// One column of a lookup: the record field it fills, its SQL expression, and
// where it is shown (a caption, or none for a field that is only carried along).
struct LookupColumn
{
    QString field;       // name in LookupRecord::properties ("FNumber")
    QString expr;        // SQL expression over the source tables
    const char *caption; // N_() text; nullptr: carried, not shown
    int width = 100;     // pixels
    bool searched = false;
};

// What the base-data lookup lists and how it searches, without any widget: the
// dialog shows what this finds. Every restriction is a structured option turned
// into bound values; the search text is one bound LIKE pattern, so nothing typed
// can change a statement.
//
// Item classes (lookup): 1 customers, 2 departments, 3 employees, 8 suppliers,
// 2037 goods categories, 2038 brands (t_Item of the class); 4 items (t_ICItem);
// 5 stocks (t_Stock); 7 units (t_MeasureUnit).
// Tables (listLookup): "t_StockPlace", "Batch", "t_AuxItem", "t_ComBrand",
// "t_ComCategory", "t_Stock", "t_ICItem", "t_MeasureUnit", "t_Supplier".
//
// Options: "Search" (the search box starts with it), "BeShortNumber" (show the
// short number), "ErpClsIDs" / "ExcludeErpClsIDs" (items of these kinds only / not
// of these kinds), "StockTypeIDs" (stocks of these types), "StockID" (stock places
// of that stock's group; batches in that stock), "ItemID" (batches of the item;
// auxiliary properties of the item's class), "AuxClassID", "UnitGroupID",
// "Conversation" (units with that conversion kind), "HideQty" (batches without
// their stock quantity).
class LookupQuery
{
public:
    static std::optional<LookupQuery> forItemClass(int itemClass, const QVariantMap &options);
    static std::optional<LookupQuery> forTable(const QString &table, const QVariantMap &options);

    QString caption() const; // in the user language
    QString initialSearch() const { return m_initialSearch; }
    QString keyField() const { return m_keyField; }
    QList<LookupColumn> shownColumns() const;
    const QList<LookupColumn> &columns() const { return m_columns; }

    // The statement for a search text: rows whose number, name, short number or
    // help code contains the text (all rows for an empty text), at most `limit`.
    SqlFragment statement(const Dialect &dialect, const QString &text, int limit) const;
    // Runs it; a closed recordset with `error` set when the database fails.
    Recordset search(AppConnection &connection, const QString &text, int limit, DbError *error = nullptr) const;
    // The fields of one row of a search result under their record names.
    LookupRecord record(const Recordset &rows, int row) const;

    // "%text%" with the LIKE wildcards of the text itself taken literally.
    static QString containsPattern(const QString &text);

private:
    LookupQuery() = default;
    static LookupQuery baseItems(int itemClass, const char *caption, bool shortNumber);
    static LookupQuery icItems(const QVariantMap &options, bool shortNumber);
    static LookupQuery stocks(const QVariantMap &options, bool shortNumber);
    static LookupQuery units(const QVariantMap &options, bool shortNumber);
    static LookupQuery stockPlaces(const QVariantMap &options, bool shortNumber);
    static LookupQuery batches(const QVariantMap &options);
    static LookupQuery auxItems(const QVariantMap &options);

    void addRestriction(const SqlFragment &condition);
    void addIdList(const QString &expr, const QVariant &ids, bool negated);

    const char *m_caption = nullptr;
    QString m_from;
    SqlFragment m_where;
    QString m_groupBy;
    QString m_orderBy;
    QString m_keyField;
    QList<LookupColumn> m_columns;
    QString m_initialSearch;
};

} // namespace erp
