#include "xlsreader.h"

#include "host/texts.h"

#include <QDate>
#include <QFile>

#include <freexl.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the child writes: per line a cell count (uint32), then per cell a kind
// byte and its value; after the last line EndOfSheet, or Failure.
enum Kind : quint8 { Empty, Number, Text, Date };
constexpr quint32 EndOfSheet = 0xFFFFFFFF;
constexpr quint32 Failure = 0xFFFFFFFE;
constexpr int ChildSeconds = 60; // a child that says nothing for so long has hung

bool writeAll(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool writeText(int fd, Kind kind, const char *text)
{
    const quint32 length = quint32(text ? std::strlen(text) : 0);
    return writeAll(fd, &kind, 1) && writeAll(fd, &length, 4) && writeAll(fd, text, length);
}

// The child: reads the workbook and writes its cells; never returns.
[[noreturn]] void readInChild(const char *path, int fd, unsigned int maxColumns)
{
    const void *handle = nullptr;
    unsigned int value = 0, rows = 0;
    unsigned short columns = 0;
    bool ok = freexl_open(path, &handle) == FREEXL_OK &&
              freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &value) == FREEXL_OK && value > 0 &&
              freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
              freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK;
    for (unsigned int row = 0; ok && row < rows; ++row) {
        const quint32 count = std::min<quint32>(columns, maxColumns);
        ok = writeAll(fd, &count, 4);
        for (unsigned short col = 0; ok && col < count; ++col) {
            FreeXL_CellValue cell{};
            if (freexl_get_cell_value(handle, row, col, &cell) != FREEXL_OK) {
                ok = false;
                break;
            }
            switch (cell.type) {
            case FREEXL_CELL_INT:
            case FREEXL_CELL_DOUBLE: {
                const double number =
                    cell.type == FREEXL_CELL_INT ? double(cell.value.int_value) : cell.value.double_value;
                const Kind k = Number;
                ok = writeAll(fd, &k, 1) && writeAll(fd, &number, 8);
                break;
            }
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                ok = writeText(fd, Text, cell.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                ok = writeText(fd, Date, cell.value.text_value);
                break;
            default: {
                const Kind k = Empty;
                ok = writeAll(fd, &k, 1);
            }
            }
        }
    }
    const quint32 end = ok ? EndOfSheet : Failure;
    writeAll(fd, &end, 4);
    ::_exit(ok ? 0 : 1); // no destructors, no atexit handlers of the parent's libraries
}

} // namespace

XlsReader::XlsReader(const Limits &limits)
    : SheetReader(limits)
{}

XlsReader::~XlsReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

std::unique_ptr<SheetReader> XlsReader::open(const QString &path, const Limits &limits, QString *error)
{
    std::unique_ptr<XlsReader> reader(new XlsReader(limits));
    if (!reader->start(path)) {
        *error = reader->error();
        return nullptr;
    }
    return reader;
}

bool XlsReader::damaged()
{
    return fail(LoadText("文件不是有效的.xls工作簿，可能已损坏或不完整。"));
}

bool XlsReader::start(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return damaged();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return damaged();
    }
    if (pid == 0) {
        ::close(fds[0]);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) // a damaged file's complaints are not the program's output
            ::dup2(null, STDERR_FILENO);
        readInChild(name.constData(), fds[1], unsigned(m_limits.maxColumns));
    }
    ::close(fds[1]);
    m_pid = pid;
    m_fd = fds[0];
    return true;
}

bool XlsReader::readBytes(void *data, qint64 size)
{
    char *p = static_cast<char *>(data);
    while (size > 0) {
        pollfd pfd{m_fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, ChildSeconds * 1000);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::read(m_fd, p, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) // the child ended without finishing: it failed on the file
            return false;
        p += n;
        size -= n;
    }
    return true;
}

bool XlsReader::readText(QString *text)
{
    quint32 length = 0;
    if (!readBytes(&length, 4) || length > quint32(m_limits.maxTextLength) * 4 + 16)
        return false;
    QByteArray bytes(qsizetype(length), Qt::Uninitialized);
    if (!readBytes(bytes.data(), length))
        return false;
    *text = QString::fromUtf8(bytes);
    return true;
}

bool XlsReader::nextLine(QList<QVariant> *cells)
{
    cells->clear();
    if (m_done)
        return false;
    quint32 count = 0;
    if (!readBytes(&count, 4))
        return damaged();
    if (count == EndOfSheet) {
        m_done = true;
        return false;
    }
    if (count == Failure || count > quint32(m_limits.maxColumns))
        return damaged();
    for (quint32 c = 0; c < count; ++c) {
        quint8 kind = Empty;
        if (!readBytes(&kind, 1))
            return damaged();
        QVariant value;
        QString text;
        switch (kind) {
        case Number: {
            double number = 0;
            if (!readBytes(&number, 8))
                return damaged();
            value = number;
            break;
        }
        case Text:
            if (!readText(&text))
                return damaged();
            if (!text.isEmpty())
                value = text;
            break;
        case Date: {
            if (!readText(&text))
                return damaged();
            const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
            value = d.isValid() ? QVariant(d) : QVariant(text);
            break;
        }
        case Empty:
            break;
        default:
            return damaged();
        }
        if (value.typeId() == QMetaType::QString && !acceptText(value.toString()))
            return false;
        cells->append(value);
    }
    while (!cells->isEmpty() && cells->last().isNull())
        cells->removeLast();
    return true;
}
