#pragma once

#include <QList>
#include <QString>

// The cycle count of the process list: count processes of the positions whose
// items are due under their count cycle today, one per stock or one for all
// stocks. Messages go to the person through the host UI.
class CycleCount
{
public:
    struct Created
    {
        int id = 0;
        QString number;
    };
    enum class Outcome {
        Done,       // processes were created (a failing stock was told and skipped)
        NothingDue, // "没有需要备份的物料!" was told
        Failed      // nothing was created; the reason was told
    };

    // Runs on the shared connection for `operatorId`; `created` receives the new
    // processes in the order they were made.
    static Outcome run(bool perStock, int operatorId, QList<Created> *created);
};
