#include "bulkinsert.h"

#include "host/appconnection.h"

namespace erp {

namespace {
// PostgreSQL: large statements save round trips (its limit is 65535 values). SQLite
// runs in-process, and its driver looks up every bound value's name in a linear
// list, so a statement of n values costs n squared: small statements are faster.
constexpr int kMaxRowsPerStatement = 400;

int maxValuesPerStatement(const Dialect &dialect)
{
    return dialect.isSQLite() ? 250 : 8000;
}
} // namespace

BulkInsert::BulkInsert(AppConnection &connection, const QString &table, const QStringList &columns,
                       const QString &suffix)
    : m_connection(connection)
    , m_head(QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(QStringLiteral(", "))))
    , m_suffix(suffix)
    , m_columns(int(columns.size()))
    , m_chunkRows(std::clamp(maxValuesPerStatement(connection.dialect()) / std::max(1, int(columns.size())), 1,
                             kMaxRowsPerStatement))
{
    QStringList marks;
    for (int i = 0; i < m_columns; ++i)
        marks << QStringLiteral("?");
    m_rowPlaceholders = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    m_fullChunk = statement(m_chunkRows);
    m_pending.reserve(m_chunkRows * m_columns);
}

BulkInsert::~BulkInsert() = default;

QString BulkInsert::statement(int rows) const
{
    QString sql = m_head;
    sql.reserve(m_head.size() + rows * (m_rowPlaceholders.size() + 1) + m_suffix.size() + 1);
    for (int i = 0; i < rows; ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        sql += m_rowPlaceholders;
    }
    if (!m_suffix.isEmpty())
        sql += QLatin1Char(' ') + m_suffix;
    return sql;
}

void BulkInsert::add(const QVariantList &row)
{
    Q_ASSERT(row.size() == m_columns);
    m_pending += row;
    if (++m_pendingRows == m_chunkRows)
        flush();
}

void BulkInsert::flush()
{
    if (m_pendingRows == 0)
        return;
    const QString sql = m_pendingRows == m_chunkRows ? m_fullChunk : statement(m_pendingRows);
    m_connection.ExecuteRaiseErr(sql, m_pending);
    m_written += m_pendingRows;
    m_pending.clear();
    m_pendingRows = 0;
}

} // namespace erp
