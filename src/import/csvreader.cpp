#include "csvreader.h"

#include "host/texts.h"

#include <cerrno>
#include <iconv.h>

namespace {
constexpr qint64 ChunkBytes = 256 * 1024;
}

CsvReader::CsvReader(const Limits &limits)
    : SheetReader(limits)
{}

CsvReader::~CsvReader()
{
    if (m_iconv)
        iconv_close(static_cast<iconv_t>(m_iconv));
}

std::unique_ptr<SheetReader> CsvReader::open(const QString &path, const Limits &limits, QString *error)
{
    std::unique_ptr<CsvReader> reader(new CsvReader(limits));
    if (!reader->load(path)) {
        *error = reader->error();
        return nullptr;
    }
    return reader;
}

// One pass over the file: the encoding must be known before the first line.
bool CsvReader::isUtf8()
{
    QStringDecoder probe(QStringDecoder::Utf8);
    while (!m_file.atEnd()) {
        const QString text = probe.decode(m_file.read(ChunkBytes)); // decoding happens on conversion
        if (probe.hasError())
            return false;
    }
    const QString rest = probe.decode(QByteArray()); // a sequence cut off at the end is an error too
    return !probe.hasError();
}

bool CsvReader::load(const QString &path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return fail(FormatText("不能打开文件：%1", {m_file.errorString()}));
    const bool bom = m_file.peek(3) == QByteArray("\xEF\xBB\xBF");
    m_gb18030 = !bom && !isUtf8();
    m_file.seek(bom ? 3 : 0);
    if (m_gb18030) {
        iconv_t cd = iconv_open("UTF-16LE", "GB18030");
        if (cd == iconv_t(-1))
            return fail(LoadText("文件不是有效的UTF-8或GB18030文本。"));
        m_iconv = cd;
    }
    return true;
}

bool CsvReader::decodeGb18030(const QByteArray &bytes, bool last)
{
    m_pending += bytes;
    QByteArray out(m_pending.size() * 4 + 16, Qt::Uninitialized);
    char *in = m_pending.data();
    size_t inLeft = size_t(m_pending.size());
    char *o = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(static_cast<iconv_t>(m_iconv), &in, &inLeft, &o, &outLeft) != size_t(-1))
            continue;
        if (errno == EINVAL && !last) // a character continues in the next read
            break;
        return fail(LoadText("文件不是有效的UTF-8或GB18030文本。"));
    }
    const qsizetype produced = out.size() - qsizetype(outLeft);
    m_buffer += QString(reinterpret_cast<const QChar *>(out.constData()), produced / 2);
    m_pending = m_pending.right(qsizetype(inLeft));
    return true;
}

bool CsvReader::refill()
{
    if (m_atEnd)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const QByteArray bytes = m_file.read(ChunkBytes);
    const bool last = bytes.isEmpty();
    if (m_gb18030) {
        if (!decodeGb18030(bytes, last))
            return false;
    } else {
        m_buffer += m_utf8.decode(bytes);
    }
    m_atEnd = last;
    return true;
}

bool CsvReader::nextLine(QList<QVariant> *cells)
{
    cells->clear();
    QString field;
    bool quoted = false, wasQuoted = false, closed = false, any = false;
    auto endField = [&] {
        if (!acceptText(field))
            return false;
        if (cells->size() >= m_limits.maxColumns)
            return fail(FormatText("第%1行的列数过多（超过%2列）。", {m_line + 1, m_limits.maxColumns}));
        const QString text = wasQuoted ? field : field.trimmed();
        cells->append(text.isEmpty() ? QVariant() : QVariant(text));
        field.clear();
        wasQuoted = closed = false;
        return true;
    };
    for (;;) {
        if (m_pos >= m_buffer.size()) {
            if (!refill()) {
                if (!error().isEmpty())
                    return false;
                if (quoted)
                    return fail(FormatText("CSV文件第%1行的引号没有结束。", {m_line + 1}));
                if (!any)
                    return false;
                return endField(); // the last line without its line end
            }
            continue;
        }
        const QChar c = m_buffer.at(m_pos++);
        any = true;
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (m_pos >= m_buffer.size() && !m_atEnd) { // is the next a doubled quote?
                    --m_pos;
                    if (!refill() && !error().isEmpty())
                        return false;
                    ++m_pos;
                }
                if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == QLatin1Char('"')) {
                    field += c;
                    ++m_pos;
                } else {
                    quoted = false;
                    closed = true;
                }
            } else {
                field += c;
                if (field.size() > m_limits.maxTextLength && !acceptText(field))
                    return false;
            }
            continue;
        }
        if (closed && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            continue; // blanks between a closing quote and the separator
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty() && !closed) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == QLatin1Char(',')) {
            if (!endField())
                return false;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r')) { // CR LF is one line end
                if (m_pos >= m_buffer.size() && !m_atEnd) {
                    if (!refill() && !error().isEmpty())
                        return false;
                }
                if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == QLatin1Char('\n'))
                    ++m_pos;
            }
            return endField();
        } else {
            field += c;
            if (field.size() > m_limits.maxTextLength && !acceptText(field))
                return false;
        }
    }
}
