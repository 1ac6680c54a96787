#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

// Reads the first sheet of a spreadsheet file one line at a time: .xlsx, .xls or
// .csv, told apart by their content (a workbook renamed .xls still reads). Lines
// stream from the file, so a large file is never held as a whole. A cell is null
// when empty, a QString for text, a double for a number, a QDate for a date, and
// an ImportCellError for an error value (#N/A, #DIV/0!).
struct ImportCellError
{
    QString code;
};
Q_DECLARE_METATYPE(ImportCellError)

// Guards against files made to exhaust the machine (a zip whose entries expand to
// gigabytes, a line of a million columns).
struct SheetLimits
{
    qint64 maxExpandedBytes = qint64(1) << 30; // all zip entries read, uncompressed
    qint64 maxSharedStringBytes = qint64(256) << 20;
    int maxColumns = 16384;
    int maxTextLength = 32767; // of one cell, as spreadsheet programs allow
    qint64 maxLines = 1048576;
};

class SheetReader
{
public:
    using Limits = SheetLimits;

    virtual ~SheetReader() = default;

    // The reader for `path`; null with a message for a person in `error` when the
    // file cannot be read at all (missing, empty, not a spreadsheet, damaged).
    static std::unique_ptr<SheetReader> open(const QString &path, QString *error, const Limits &limits = SheetLimits());
    // What the file's first bytes say it is; Unknown for anything else.
    enum class Format { Unknown, Xlsx, Xls, Csv };
    static Format formatOf(const QString &path);

    // The next line that has a value in any cell; false at the end or on a failure
    // (then error() is not empty). Cells are in column order from the first column;
    // trailing empty cells may be missing.
    bool readLine(QList<QVariant> *cells);
    // Why reading stopped early, for a person; empty at a clean end.
    QString error() const { return m_error; }
    // The number of the last line read, from 1 (the caption line is 1).
    qint64 lineNumber() const { return m_line; }

protected:
    explicit SheetReader(const Limits &limits)
        : m_limits(limits)
    {}
    // The next line of the sheet, empty lines included; false at the end or on a
    // failure (fail() called).
    virtual bool nextLine(QList<QVariant> *cells) = 0;
    bool fail(const QString &message);
    // A cell's text within the length limit; false (and failed) when too long.
    bool acceptText(const QString &text);

    Limits m_limits;
    qint64 m_line = 0;

private:
    QString m_error;
};
