#include "lookupquery.h"

#include "host/appconnection.h"
#include "host/texts.h"

namespace erp {

namespace {

// Number and name are the columns a person searches by; the short number and the
// help code are searched too, so any of the codes people know finds the row.
LookupColumn shown(const QString &field, const QString &expr, const char *caption, int width, bool searched = false)
{
    return {field, expr, caption, width, searched};
}

LookupColumn carried(const QString &field, const QString &expr, bool searched = false)
{
    return {field, expr, nullptr, 0, searched};
}

// The two number columns: the one people use is shown, both are carried.
QList<LookupColumn> numberColumns(const QString &alias, bool shortNumber)
{
    const QString full = alias + QStringLiteral(".FNumber");
    const QString shortNo = alias + QStringLiteral(".FShortNumber");
    if (shortNumber)
        return {shown(QStringLiteral("FShortNumber"), shortNo, N_("代码"), 120, true),
                carried(QStringLiteral("FNumber"), full, true)};
    return {shown(QStringLiteral("FNumber"), full, N_("代码"), 120, true),
            carried(QStringLiteral("FShortNumber"), shortNo, true)};
}

QList<int> idList(const QVariant &value)
{
    QList<int> ids;
    const QVariantList list = value.toList();
    for (const QVariant &v : list) {
        bool ok = false;
        const int id = v.toInt(&ok);
        if (ok)
            ids << id;
    }
    return ids;
}

const char *baseItemCaption(int itemClass)
{
    switch (itemClass) {
    case 1:
        return N_("客户");
    case 2:
        return N_("部门");
    case 3:
        return N_("职员");
    case 8:
        return N_("供应商");
    case 2037:
        return N_("商品类别");
    case 2038:
        return N_("品牌");
    default:
        return nullptr;
    }
}

} // namespace

std::optional<LookupQuery> LookupQuery::forItemClass(int itemClass, const QVariantMap &options)
{
    const bool shortNumber = options.value(QStringLiteral("BeShortNumber")).toBool();
    std::optional<LookupQuery> query;
    if (itemClass == 4)
        query = icItems(options, shortNumber);
    else if (itemClass == 5)
        query = stocks(options, shortNumber);
    else if (itemClass == 7)
        query = units(options, shortNumber);
    else if (const char *caption = baseItemCaption(itemClass))
        query = baseItems(itemClass, caption, shortNumber);
    if (query)
        query->m_initialSearch = options.value(QStringLiteral("Search")).toString().trimmed();
    return query;
}

std::optional<LookupQuery> LookupQuery::forTable(const QString &table, const QVariantMap &options)
{
    const bool shortNumber = options.value(QStringLiteral("BeShortNumber")).toBool();
    const QString name = table.trimmed().toLower();
    std::optional<LookupQuery> query;
    if (name == QLatin1String("t_stockplace"))
        query = stockPlaces(options, shortNumber);
    else if (name == QLatin1String("batch") || name == QLatin1String("icinventory"))
        query = batches(options);
    else if (name == QLatin1String("t_auxitem"))
        query = auxItems(options);
    else if (name == QLatin1String("t_combrand"))
        query = forItemClass(2038, options);
    else if (name == QLatin1String("t_comcategory"))
        query = forItemClass(2037, options);
    else if (name == QLatin1String("t_supplier"))
        query = forItemClass(8, options);
    else if (name == QLatin1String("t_stock"))
        query = forItemClass(5, options);
    else if (name == QLatin1String("t_icitem"))
        query = forItemClass(4, options);
    else if (name == QLatin1String("t_measureunit"))
        query = forItemClass(7, options);
    if (query)
        query->m_initialSearch = options.value(QStringLiteral("Search")).toString().trimmed();
    return query;
}

LookupQuery LookupQuery::baseItems(int itemClass, const char *caption, bool shortNumber)
{
    LookupQuery q;
    q.m_caption = caption;
    q.m_from = QStringLiteral("t_Item t");
    q.m_keyField = QStringLiteral("FItemID");
    q.m_columns << carried(QStringLiteral("FItemID"), QStringLiteral("t.FItemID"))
                << numberColumns(QStringLiteral("t"), shortNumber)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 200, true)
                << shown(QStringLiteral("FFullName"), QStringLiteral("t.FFullName"), N_("全名"), 240)
                << carried(QStringLiteral("FItemClassID"), QStringLiteral("t.FItemClassID"));
    q.addRestriction(
        SqlFragment(QStringLiteral("t.FItemClassID = ? AND t.FDeleted = 0 AND t.FDetail = 1"), {itemClass}));
    q.m_orderBy = QStringLiteral("t.FNumber");
    return q;
}

LookupQuery LookupQuery::icItems(const QVariantMap &options, bool shortNumber)
{
    LookupQuery q;
    q.m_caption = N_("物料");
    q.m_from = QStringLiteral("t_ICItem t");
    q.m_keyField = QStringLiteral("FItemID");
    q.m_columns << carried(QStringLiteral("FItemID"), QStringLiteral("t.FItemID"))
                << numberColumns(QStringLiteral("t"), shortNumber)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 200, true)
                << shown(QStringLiteral("FModel"), QStringLiteral("t.FModel"), N_("规格型号"), 140)
                << carried(QStringLiteral("FHelpCode"), QStringLiteral("t.FHelpCode"), true)
                << carried(QStringLiteral("FErpClsID"), QStringLiteral("t.FErpClsID"))
                << carried(QStringLiteral("FUnitID"), QStringLiteral("t.FUnitID"))
                << carried(QStringLiteral("FStoreUnitID"), QStringLiteral("t.FStoreUnitID"))
                << carried(QStringLiteral("FSecUnitID"), QStringLiteral("t.FSecUnitID"))
                << carried(QStringLiteral("FQtyDecimal"), QStringLiteral("t.FQtyDecimal"))
                << carried(QStringLiteral("FBatchManager"), QStringLiteral("t.FBatchManager"))
                << carried(QStringLiteral("FISKFPeriod"), QStringLiteral("t.FISKFPeriod"))
                << carried(QStringLiteral("FKFPeriod"), QStringLiteral("t.FKFPeriod"))
                << carried(QStringLiteral("FAuxClassID"), QStringLiteral("t.FAuxClassID"));
    q.addRestriction(SqlFragment(QStringLiteral("t.FDeleted <> 1")));
    q.addIdList(QStringLiteral("t.FErpClsID"), options.value(QStringLiteral("ErpClsIDs")), false);
    q.addIdList(QStringLiteral("t.FErpClsID"), options.value(QStringLiteral("ExcludeErpClsIDs")), true);
    q.m_orderBy = QStringLiteral("t.FNumber");
    return q;
}

LookupQuery LookupQuery::stocks(const QVariantMap &options, bool shortNumber)
{
    LookupQuery q;
    q.m_caption = N_("仓库");
    q.m_from = QStringLiteral("t_Stock t");
    q.m_keyField = QStringLiteral("FItemID");
    q.m_columns << carried(QStringLiteral("FItemID"), QStringLiteral("t.FItemID"))
                << numberColumns(QStringLiteral("t"), shortNumber)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 200, true)
                << carried(QStringLiteral("FTypeID"), QStringLiteral("t.FTypeID"))
                << carried(QStringLiteral("FSPGroupID"), QStringLiteral("t.FSPGroupID"))
                << carried(QStringLiteral("FIsStockMgr"), QStringLiteral("t.FIsStockMgr"));
    q.addRestriction(SqlFragment(QStringLiteral("t.FDeleted <> 1")));
    q.addIdList(QStringLiteral("t.FTypeID"), options.value(QStringLiteral("StockTypeIDs")), false);
    q.m_orderBy = QStringLiteral("t.FNumber");
    return q;
}

LookupQuery LookupQuery::units(const QVariantMap &options, bool shortNumber)
{
    LookupQuery q;
    q.m_caption = N_("计量单位");
    q.m_from = QStringLiteral("t_MeasureUnit t");
    q.m_keyField = QStringLiteral("FMeasureUnitID");
    q.m_columns << carried(QStringLiteral("FMeasureUnitID"), QStringLiteral("t.FMeasureUnitID"))
                << carried(QStringLiteral("FItemID"), QStringLiteral("t.FMeasureUnitID"))
                << numberColumns(QStringLiteral("t"), shortNumber)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 160, true)
                << shown(QStringLiteral("FCoefficient"), QStringLiteral("t.FCoefficient"), N_("换算率"), 90)
                << carried(QStringLiteral("FUnitGroupID"), QStringLiteral("t.FUnitGroupID"));
    q.addRestriction(SqlFragment(QStringLiteral("t.FDeleted <> 1")));
    if (options.contains(QStringLiteral("UnitGroupID")))
        q.addRestriction(
            SqlFragment(QStringLiteral("t.FUnitGroupID = ?"), {options.value(QStringLiteral("UnitGroupID")).toInt()}));
    if (options.contains(QStringLiteral("Conversation")))
        q.addRestriction(SqlFragment(QStringLiteral("t.FConversation = ?"),
                                     {options.value(QStringLiteral("Conversation")).toInt()}));
    q.m_orderBy = QStringLiteral("t.FUnitGroupID, t.FNumber");
    return q;
}

LookupQuery LookupQuery::stockPlaces(const QVariantMap &options, bool shortNumber)
{
    LookupQuery q;
    q.m_caption = N_("仓位");
    q.m_from = QStringLiteral("t_StockPlace t");
    q.m_keyField = QStringLiteral("FSPID");
    q.m_columns << carried(QStringLiteral("FSPID"), QStringLiteral("t.FSPID"))
                << numberColumns(QStringLiteral("t"), shortNumber)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 200, true)
                // the same place number recurs in every group: the group tells them apart
                << shown(QStringLiteral("FSPGroupName"),
                         QStringLiteral("(SELECT g.FName FROM t_StockPlaceGroup g WHERE g.FSPGroupID = t.FSPGroupID)"),
                         N_("仓位组"), 140)
                << carried(QStringLiteral("FSPGroupID"), QStringLiteral("t.FSPGroupID"));
    // place 0 stands for "no place"; it is not something to choose
    q.addRestriction(SqlFragment(QStringLiteral("t.FSPID <> 0 AND t.FDetail = 1 AND t.FDeleted = 0")));
    if (options.contains(QStringLiteral("StockID")))
        q.addRestriction(
            SqlFragment(QStringLiteral("t.FSPGroupID = (SELECT s.FSPGroupID FROM t_Stock s WHERE s.FItemID = ?)"),
                        {options.value(QStringLiteral("StockID")).toInt()}));
    q.m_orderBy = QStringLiteral("t.FNumber, t.FSPGroupID");
    return q;
}

LookupQuery LookupQuery::batches(const QVariantMap &options)
{
    LookupQuery q;
    q.m_caption = N_("批次");
    q.m_from = QStringLiteral("ICInventory t");
    q.m_keyField = QStringLiteral("FBatchNo");
    q.m_columns << shown(QStringLiteral("FBatchNo"), QStringLiteral("t.FBatchNo"), N_("批次"), 160, true);
    // a blind counter picks a batch without learning what the books hold of it
    if (!options.value(QStringLiteral("HideQty")).toBool())
        q.m_columns << shown(QStringLiteral("FQty"), QStringLiteral("SUM(t.FQty)"), N_("库存数量"), 110);
    // without an item there is nothing to list: batches belong to an item
    q.addRestriction(SqlFragment(QStringLiteral("t.FItemID = ? AND t.FBatchNo <> ''"),
                                 {options.value(QStringLiteral("ItemID")).toInt()}));
    if (options.contains(QStringLiteral("StockID")))
        q.addRestriction(
            SqlFragment(QStringLiteral("t.FStockID = ?"), {options.value(QStringLiteral("StockID")).toInt()}));
    q.m_groupBy = QStringLiteral("t.FBatchNo");
    q.m_orderBy = QStringLiteral("t.FBatchNo");
    return q;
}

LookupQuery LookupQuery::auxItems(const QVariantMap &options)
{
    LookupQuery q;
    q.m_caption = N_("辅助属性");
    q.m_from = QStringLiteral("t_AuxItem t");
    q.m_keyField = QStringLiteral("FItemID");
    q.m_columns << carried(QStringLiteral("FItemID"), QStringLiteral("t.FItemID"))
                << shown(QStringLiteral("FNumber"), QStringLiteral("t.FNumber"), N_("代码"), 120, true)
                << shown(QStringLiteral("FName"), QStringLiteral("t.FName"), N_("名称"), 200, true)
                << carried(QStringLiteral("FItemClassID"), QStringLiteral("t.FItemClassID"));
    q.addRestriction(SqlFragment(QStringLiteral("t.FDeleted = 0")));
    if (options.contains(QStringLiteral("AuxClassID")))
        q.addRestriction(
            SqlFragment(QStringLiteral("t.FItemClassID = ?"), {options.value(QStringLiteral("AuxClassID")).toInt()}));
    else if (options.contains(QStringLiteral("ItemID")))
        q.addRestriction(
            SqlFragment(QStringLiteral("t.FItemClassID = (SELECT i.FAuxClassID FROM t_ICItem i WHERE i.FItemID = ?)"),
                        {options.value(QStringLiteral("ItemID")).toInt()}));
    else
        q.addRestriction(SqlFragment(QStringLiteral("t.FItemClassID > 0")));
    q.m_orderBy = QStringLiteral("t.FNumber");
    return q;
}

void LookupQuery::addRestriction(const SqlFragment &condition)
{
    m_where += SqlFragment(QStringLiteral(" AND (")) + condition + SqlFragment(QStringLiteral(")"));
}

void LookupQuery::addIdList(const QString &expr, const QVariant &ids, bool negated)
{
    const QList<int> list = idList(ids);
    if (list.isEmpty())
        return;
    SqlFragment in(expr + (negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")));
    for (qsizetype i = 0; i < list.size(); ++i) {
        in.sql += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
        in.binds << list.at(i);
    }
    in.sql += QLatin1Char(')');
    addRestriction(in);
}

QString LookupQuery::caption() const
{
    return m_caption ? LoadText(m_caption) : QString();
}

QList<LookupColumn> LookupQuery::shownColumns() const
{
    QList<LookupColumn> result;
    for (const LookupColumn &c : m_columns)
        if (c.caption)
            result << c;
    return result;
}

QString LookupQuery::containsPattern(const QString &text)
{
    QString escaped;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('%') || ch == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += ch;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

SqlFragment LookupQuery::statement(const Dialect &dialect, const QString &text, int limit) const
{
    QStringList select;
    for (const LookupColumn &c : m_columns)
        select << c.expr + QStringLiteral(" AS ") + c.field;
    SqlFragment sql(QStringLiteral("SELECT ") + select.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + m_from +
                    QStringLiteral(" WHERE 1 = 1"));
    sql += m_where;
    const QString wanted = text.trimmed();
    if (!wanted.isEmpty()) {
        const QString pattern = containsPattern(wanted);
        QStringList matches;
        SqlFragment search;
        for (const LookupColumn &c : m_columns) {
            if (!c.searched)
                continue;
            matches << c.expr + QLatin1Char(' ') + dialect.likeOperator() + QStringLiteral(R"( ? ESCAPE '\')");
            search.binds << pattern;
        }
        search.sql = QStringLiteral(" AND (") + matches.join(QStringLiteral(" OR ")) + QLatin1Char(')');
        sql += search;
    }
    if (!m_groupBy.isEmpty())
        sql += SqlFragment(QStringLiteral(" GROUP BY ") + m_groupBy);
    sql += SqlFragment(QStringLiteral(" ORDER BY ") + m_orderBy + QStringLiteral(" LIMIT ?"), {limit});
    return sql;
}

Recordset LookupQuery::search(AppConnection &connection, const QString &text, int limit, DbError *error) const
{
    const SqlFragment sql = statement(connection.dialect(), text, limit);
    Recordset rows = connection.Execute(sql.sql, sql.binds);
    if (error)
        *error = rows.isOpen() ? DbError() : connection.lastError();
    return rows;
}

LookupRecord LookupQuery::record(const Recordset &rows, int row) const
{
    LookupRecord record;
    if (row < 0 || row >= rows.RecordCount())
        return record;
    for (const LookupColumn &c : m_columns) {
        const int index = rows.fieldIndex(c.field);
        if (index >= 0)
            record.properties.insert(c.field, rows.value(row, index));
    }
    return record;
}

} // namespace erp
