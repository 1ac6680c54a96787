#pragma once

#include <QList>
#include <QString>

#include <functional>

class MainDo;

// Gain and loss documents of a count as the count sheet outputs them: the closed
// period and snapshot date checks, the status text and hourglass, the request to
// the model and the document viewer afterwards. The window's commands and the
// command line run these same steps.
class DocumentOutput
{
public:
    enum class Outcome { ClosedPeriod, EarlySnapshot, Made, Nothing, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        int tranType = 0;     // 40 gain, 43 loss
        QList<int> documents; // FInterIDs of the documents made
    };
    using StatusSink = std::function<void(const QString &text)>;

    // `kind` 1 gain, 2 loss, for count process `processId` (which becomes the
    // current process). `status` receives the texts of status panel 1.
    static Result run(MainDo &model, int kind, int processId, const StatusSink &status, bool openViewer = true);

    // The window name of the host's document viewer.
    static QString viewerName();
};
