#pragma once

#include "snapshotcontext.h"

#include <QDate>
#include <QString>

#include <vector>

struct MovementSource;

// Stock as at a cut-off date, rebuilt in the work table ICInvBackupTemp: the
// opening balances of the base period plus every posted stock movement from the
// period's first day up to the cut-off day, as signed parts per stock position.
// The snapshot then sums the parts into count rows.
//
// The base period is the cut-off date's period when that lies before the current
// period, otherwise the current period. Runs inside the snapshot transaction;
// database errors are thrown (DbException).
class CutoffSnapshot
{
public:
    enum class Result { Rows, NoData };

    explicit CutoffSnapshot(const SnapshotContext &context)
        : m_ctx(context)
    {}

    // Fills the work table. NoData with the message a person is shown when the
    // date lies outside every period or nothing was in stock at that date.
    Result rebuild(QString *message);

    QDate baseStart() const { return m_baseStart; }
    int baseYear() const { return m_baseYear; }
    int basePeriod() const { return m_basePeriod; }

private:
    bool choosePeriod(QString *message);
    void runGroup(const std::vector<MovementSource> &sources);
    SqlFragment statement(const MovementSource &source) const;

    const SnapshotContext &m_ctx;
    QDate m_baseStart;
    int m_baseYear = 0;
    int m_basePeriod = 0;
};
