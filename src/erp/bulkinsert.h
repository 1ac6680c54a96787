#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class AppConnection;

namespace erp {

// Writes many rows of one table as multi-row INSERT ... VALUES statements with
// bound values, a few hundred rows per statement: one round trip per chunk instead
// of one per row (a prepared statement executed per row is a round trip each on
// PostgreSQL). Meant to run inside the caller's transaction.
class BulkInsert
{
public:
    // `suffix` follows the VALUES list (for example "ON CONFLICT DO NOTHING").
    BulkInsert(AppConnection &connection, const QString &table, const QStringList &columns, const QString &suffix = {});
    ~BulkInsert();
    BulkInsert(const BulkInsert &) = delete;
    BulkInsert &operator=(const BulkInsert &) = delete;

    // Adds one row (one value per column); writes a full chunk. Throws DbException.
    void add(const QVariantList &row);
    // Writes what is pending. Throws DbException.
    void flush();
    qint64 written() const { return m_written; }

private:
    QString statement(int rows) const;

    AppConnection &m_connection;
    QString m_head;
    QString m_rowPlaceholders;
    QString m_suffix;
    int m_columns;
    int m_chunkRows;
    QString m_fullChunk;
    QVariantList m_pending;
    int m_pendingRows = 0;
    qint64 m_written = 0;
};

} // namespace erp
