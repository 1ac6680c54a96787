#pragma once

#include "sheetreader.h"

#include <QByteArray>

// The first sheet of an .xls workbook (the binary format before .xlsx) through
// FreeXL. FreeXL trusts the lengths written in the file: a damaged workbook can
// make it read past its buffers. So it runs in a child process of its own that
// streams the cells through a pipe; a child that dies or hangs is a damaged file,
// never a crash of the program.
class XlsReader : public SheetReader
{
public:
    static std::unique_ptr<SheetReader> open(const QString &path, const Limits &limits, QString *error);
    ~XlsReader() override;

protected:
    bool nextLine(QList<QVariant> *cells) override;

private:
    explicit XlsReader(const Limits &limits);
    bool start(const QString &path);
    bool damaged();
    bool readBytes(void *data, qint64 size);
    bool readText(QString *text);

    int m_pid = -1;
    int m_fd = -1;
    bool m_done = false;
};
