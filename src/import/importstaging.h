#pragma once

#include "importvalidator.h"

#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QString>

class AppConnection;

// The valid records of one import on their way into the count rows: staged in a
// temporary table of this connection, a batch of at most 100 records per
// statement, then checked as a set (gain and loss in the same direction in both
// units, the same row key twice) and merged into ICInvBackup: matching count rows
// are updated, the others inserted, both in one transaction with the rows' count
// journal entries. The staging tables
// are dropped when the object goes, on every path.
class ImportStaging
{
public:
    struct Context
    {
        int processId = 0;
        int operatorId = 0;
        int maxBillInterId = 0;
        QDateTime importTime; // FDateBackup of inserted rows
        QString fileName;     // the count journal's source of the merged rows
    };
    struct Duplicate
    {
        int itemId = 0;
        QString number, name;
        QList<int> lines; // the file's line numbers (record number + 1)
    };
    struct Result
    {
        QList<int> directionErrors; // record numbers
        QList<int> recounted;       // record numbers of rows already recounted: left alone
        QList<Duplicate> duplicates;
        int duplicateRecords = 0;
        int merged = 0; // records updated or inserted
    };

    // `table` names the staging table ("IcInvBackUpTemp_<user>_<yymmddhhmmss>").
    ImportStaging(AppConnection &connection, const QString &table, const Context &context);
    ~ImportStaging();
    ImportStaging(const ImportStaging &) = delete;
    ImportStaging &operator=(const ImportStaging &) = delete;

    // Each throws DbException.
    void create();
    void add(const StagedRow &row);
    void flush(); // the buffered rows as one statement; nothing when none
    Result merge();

    int batchCount() const { return m_batches; }
    int stagedCount() const { return m_staged; }

private:
    QString keyEquals(const QString &a, const QString &b, bool withBranch) const;
    void drop();

    AppConnection &m_c;
    QString m_table;
    QString m_double;
    Context m_context;
    QJsonArray m_buffer;
    bool m_created = false;
    int m_batches = 0;
    int m_staged = 0;
};
