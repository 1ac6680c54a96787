#pragma once

#include "sheetreader.h"

#include <QString>
#include <QStringList>

class AppConnection;
class WindowRegistry;

// Counted quantities from a spreadsheet file into the count rows of a process:
// the file is read line by line, its template checked on column 11, every record
// validated against the master data (lookups loaded once), the valid ones staged a
// hundred at a time and merged in one transaction. Record-level problems never
// stop the import: each failing record is listed and the others are merged. A file
// that cannot be read, or has the wrong template, writes nothing.
class CountImport
{
public:
    struct Options
    {
        int processId = 0;
        int operatorId = 0;
        bool useFullNumber = true;
        bool mtoMode = false;
        SheetReader::Limits limits;
    };
    struct Outcome
    {
        enum class Status {
            Refused, // the file was not read, or its template is wrong: nothing written
            Failed,  // the database refused: nothing merged
            Done     // read and merged; `errors` lists the records left out
        };
        Status status = Status::Refused;
        QString message; // Refused and Failed: what to tell the person
        QString details; // Failed: the statement and its values
        QStringList errors;
        QString summary; // Done without errors
        int merged = 0, duplicates = 0, uncounted = 0, batches = 0;
        bool read = false; // the file could be read (its template may still be wrong)
    };

    CountImport(AppConnection &connection, const Options &options);
    Outcome run(const QString &path);

private:
    bool readCaptions(SheetReader &reader, Outcome *out);
    QString stagingName() const;

    AppConnection &m_c;
    Options m_options;
};

namespace countimport {
// The import from a window: the shared connection, operator, numbering and MTO
// mode; the hourglass while it runs; then the error list, or the summary (in test
// mode a line in "TestTime.txt" beside the program instead). True once the file
// could be read, even when a check then refused it.
bool ImportData(const QString &path, int processId);
// The host's TestImport: the operator's last open process, full numbers, no dialog.
void TestImport(const QString &path);
// Registers the import as the operation "CountImport" (arguments "Path" and
// "ProcID"; result "Read") for the count sheet, which cannot reach this layer.
void registerOperation(WindowRegistry &windows);
} // namespace countimport
