#include "xlsxreader.h"

#include "host/texts.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <unzip.h>

#include <cmath>

namespace {

constexpr qint64 MaxPartBytes = qint64(16) << 20; // workbook, relations, styles
constexpr int ChunkBytes = 256 * 1024;
constexpr qsizetype MaxMarkupBytes = qsizetype(4) << 20; // text or a tag without its end

unzFile zipOf(void *p)
{
    return static_cast<unzFile>(p);
}

// Built-in number formats that show dates.
bool isDateFormatId(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

// A custom format shows a date when it has days or years outside quoted text and
// brackets ("[Red]", "[$-804]"); months alone could be minutes.
bool isDateFormatCode(QString code)
{
    static const QRegularExpression literal(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\."));
    code.remove(literal);
    return code.contains(QLatin1Char('y'), Qt::CaseInsensitive) || code.contains(QLatin1Char('d'), Qt::CaseInsensitive);
}

// "AB12" -> 27 (from 0); -1 when the reference has no column letters.
int columnOf(QStringView ref)
{
    qint64 col = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i) {
        col = col * 26 + (ref.at(i).toUpper().unicode() - 'A' + 1);
        if (col > 1 << 20)
            return int(1 << 20);
    }
    return i == 0 ? -1 : int(col - 1);
}

QDate serialDate(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465)
        return {};
    const qint64 days = qint64(std::floor(serial));
    if (date1904)
        return QDate(1904, 1, 1).addDays(days);
    // serial 60 is the 29th of February 1900 that never was; later serials count it
    return days < 61 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
}

} // namespace

XlsxReader::XlsxReader(const Limits &limits)
    : SheetReader(limits)
{}

XlsxReader::~XlsxReader()
{
    if (m_zip) {
        if (m_sheetOpen)
            unzCloseCurrentFile(zipOf(m_zip));
        unzClose(zipOf(m_zip));
    }
}

std::unique_ptr<SheetReader> XlsxReader::open(const QString &path, const Limits &limits, QString *error)
{
    std::unique_ptr<XlsxReader> reader(new XlsxReader(limits));
    if (!reader->load(path)) {
        *error = reader->error();
        return nullptr;
    }
    return reader;
}

bool XlsxReader::damaged()
{
    return fail(LoadText("文件不是有效的.xlsx工作簿，可能已损坏或不完整。"));
}

bool XlsxReader::readEntry(const QString &name, qint64 maxBytes, QByteArray *out, bool *found)
{
    out->clear();
    if (found)
        *found = false;
    if (unzLocateFile(zipOf(m_zip), name.toUtf8().constData(), 2) != UNZ_OK)
        return found != nullptr || damaged(); // a missing optional part is no failure
    if (found)
        *found = true;
    if (unzOpenCurrentFile(zipOf(m_zip)) != UNZ_OK)
        return damaged();
    char buffer[ChunkBytes];
    for (;;) {
        const int n = unzReadCurrentFile(zipOf(m_zip), buffer, sizeof buffer);
        if (n < 0) {
            unzCloseCurrentFile(zipOf(m_zip));
            return damaged();
        }
        if (n == 0)
            break;
        m_expanded += n;
        if (out->size() + n > maxBytes || m_expanded > m_limits.maxExpandedBytes) {
            unzCloseCurrentFile(zipOf(m_zip));
            return fail(LoadText("文件解压后过大，超出引入的限制。"));
        }
        out->append(buffer, n);
    }
    if (unzCloseCurrentFile(zipOf(m_zip)) != UNZ_OK) // a CRC that does not match: damaged
        return damaged();
    return true;
}

QString XlsxReader::firstSheetPath(const QByteArray &workbook, const QByteArray &rels)
{
    QString firstId;
    QXmlStreamReader wb(workbook);
    while (!wb.atEnd()) {
        if (wb.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = wb.name();
        if (name == QLatin1String("workbookPr")) {
            const QStringView v = wb.attributes().value(QLatin1String("date1904"));
            m_date1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (name == QLatin1String("sheet") && firstId.isEmpty()) {
            for (const QXmlStreamAttribute &a : wb.attributes())
                if (a.name() == QLatin1String("id"))
                    firstId = a.value().toString();
        }
    }
    QXmlStreamReader rl(rels);
    while (!firstId.isEmpty() && !rl.atEnd()) {
        if (rl.readNext() == QXmlStreamReader::StartElement && rl.name() == QLatin1String("Relationship") &&
            rl.attributes().value(QLatin1String("Id")) == firstId) {
            const QString target = rl.attributes().value(QLatin1String("Target")).toString();
            return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

bool XlsxReader::readSharedStrings(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    QString current;
    bool inItem = false, inText = false;
    int phonetic = 0;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            if (r.name() == QLatin1String("si")) {
                inItem = true;
                current.clear();
            } else if (r.name() == QLatin1String("rPh")) {
                ++phonetic;
            } else if (r.name() == QLatin1String("t")) {
                inText = inItem && phonetic == 0;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (r.name() == QLatin1String("si")) {
                m_shared << current;
                inItem = false;
            } else if (r.name() == QLatin1String("rPh")) {
                --phonetic;
            } else if (r.name() == QLatin1String("t")) {
                inText = false;
            }
            break;
        case QXmlStreamReader::Characters:
            if (inText)
                current += r.text();
            break;
        default:
            break;
        }
    }
    return !r.hasError() || damaged();
}

void XlsxReader::readStyles(const QByteArray &xml)
{
    QHash<int, bool> customDates;
    QXmlStreamReader r(xml);
    bool inCellXfs = false;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::EndElement && r.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == QLatin1String("numFmt")) {
            customDates.insert(a.value(QLatin1String("numFmtId")).toInt(),
                               isDateFormatCode(a.value(QLatin1String("formatCode")).toString()));
        } else if (r.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && r.name() == QLatin1String("xf")) {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            m_dateStyles.push_back(customDates.contains(id) ? customDates.value(id) : isDateFormatId(id));
        }
    }
}

bool XlsxReader::load(const QString &path)
{
    m_zip = unzOpen64(QFile::encodeName(path).constData());
    if (!m_zip)
        return damaged();
    QByteArray workbook, rels, styles, shared;
    bool found = false;
    if (!readEntry(QStringLiteral("xl/workbook.xml"), MaxPartBytes, &workbook) ||
        !readEntry(QStringLiteral("xl/_rels/workbook.xml.rels"), MaxPartBytes, &rels, &found) ||
        !readEntry(QStringLiteral("xl/styles.xml"), MaxPartBytes, &styles, &found) ||
        !readEntry(QStringLiteral("xl/sharedStrings.xml"), m_limits.maxSharedStringBytes, &shared, &found))
        return false;
    readStyles(styles);
    if (!shared.isEmpty() && !readSharedStrings(shared))
        return false;
    shared.clear();
    return openSheet(firstSheetPath(workbook, rels));
}

bool XlsxReader::openSheet(const QString &name)
{
    if (unzLocateFile(zipOf(m_zip), name.toUtf8().constData(), 2) != UNZ_OK ||
        unzOpenCurrentFile(zipOf(m_zip)) != UNZ_OK)
        return damaged();
    m_sheetOpen = true;
    return true;
}

bool XlsxReader::fill()
{
    if (m_eof || !error().isEmpty())
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype size = m_buffer.size();
    m_buffer.resize(size + ChunkBytes);
    const int n = unzReadCurrentFile(zipOf(m_zip), m_buffer.data() + size, ChunkBytes);
    m_buffer.resize(size + std::max(n, 0));
    if (n < 0)
        return damaged();
    if (n == 0) {
        m_eof = true;
        m_sheetOpen = false;
        if (unzCloseCurrentFile(zipOf(m_zip)) != UNZ_OK) // a CRC that does not match
            damaged();
        return false;
    }
    m_expanded += n;
    if (m_expanded > m_limits.maxExpandedBytes)
        return fail(LoadText("文件解压后过大，超出引入的限制。"));
    return true;
}

bool XlsxReader::findByte(char c, qsizetype *at)
{
    qsizetype from = m_pos;
    for (;;) {
        const qsizetype i = m_buffer.indexOf(c, from);
        if (i >= 0) {
            *at = i;
            return true;
        }
        if (m_buffer.size() - m_pos > MaxMarkupBytes)
            return damaged();           // no markup for megabytes: not a sheet
        from = m_buffer.size() - m_pos; // offsets move when fill() drops what was read
        if (!fill())
            return false;
        from += m_pos;
    }
}

bool XlsxReader::readTag(QByteArray *tag)
{
    qsizetype lt = 0, gt = 0;
    if (!findByte('<', &lt))
        return false;
    m_text = m_buffer.mid(m_pos, lt - m_pos);
    m_pos = lt;
    if (!findByte('>', &gt))
        return false;
    *tag = m_buffer.mid(m_pos + 1, gt - m_pos - 1);
    m_pos = gt + 1;
    return true;
}

QVariant XlsxReader::cellValue() const
{
    if (m_type == "s") {
        bool ok = false;
        const int index = m_value.toInt(&ok);
        return ok && index >= 0 && index < m_shared.size() ? QVariant(m_shared.at(index)) : QVariant();
    }
    if (m_type == "inlineStr" || m_type == "str")
        return m_value.isEmpty() ? QVariant() : QVariant(m_value);
    if (m_type == "e")
        return QVariant::fromValue(ImportCellError{m_value});
    if (m_value.isEmpty()) // a formula without a cached value
        return {};
    if (m_type == "d") {
        const QDate d = QDate::fromString(m_value.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant(m_value);
    }
    bool ok = false;
    const double number = m_value.toDouble(&ok);
    if (!ok)
        return m_value;
    if (m_style >= 0 && size_t(m_style) < m_dateStyles.size() && m_dateStyles[size_t(m_style)]) {
        const QDate d = serialDate(number, m_date1904);
        if (d.isValid())
            return d;
    }
    return number;
}

namespace {

// The local name of a tag ("x:row a=1" -> "row"), and whether it ends it or closes itself.
QByteArrayView tagName(QByteArrayView tag, bool *end, bool *selfClosing)
{
    *end = tag.startsWith('/');
    *selfClosing = tag.endsWith('/');
    if (*end)
        tag = tag.sliced(1);
    qsizetype stop = 0;
    while (stop < tag.size() && tag.at(stop) != ' ' && tag.at(stop) != '/' && tag.at(stop) != '\t' &&
           tag.at(stop) != '\n' && tag.at(stop) != '\r')
        ++stop;
    QByteArrayView name = tag.first(stop);
    const qsizetype colon = name.indexOf(':');
    return colon >= 0 ? name.sliced(colon + 1) : name;
}

// The value of attribute `name` in a start tag; empty when it has none.
QByteArrayView attribute(QByteArrayView tag, QByteArrayView name)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = tag.indexOf(name, from);
        if (at < 0 || at + name.size() + 2 > tag.size())
            return {};
        from = at + 1;
        const bool startsWord = at > 0 && (tag.at(at - 1) == ' ' || tag.at(at - 1) == '\t' || tag.at(at - 1) == '\n' ||
                                           tag.at(at - 1) == '\r');
        if (!startsWord || tag.at(at + name.size()) != '=')
            continue;
        const char quote = tag.at(at + name.size() + 1);
        if (quote != '"' && quote != '\'')
            continue;
        const qsizetype begin = at + name.size() + 2;
        const qsizetype close = tag.indexOf(quote, begin);
        return close < 0 ? QByteArrayView() : tag.sliced(begin, close - begin);
    }
}

// Character data with its references resolved (&amp; &lt; &#20013; &#x4E2D; ...).
QString unescape(QByteArrayView bytes)
{
    if (!bytes.contains('&'))
        return QString::fromUtf8(bytes);
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        const qsizetype semi = c == '&' ? bytes.indexOf(';', i) : -1;
        if (semi < 0 || semi - i > 10) {
            out += c;
            continue;
        }
        const QByteArrayView name = bytes.sliced(i + 1, semi - i - 1);
        uint code = 0;
        bool ok = true;
        if (name == "amp")
            code = '&';
        else if (name == "lt")
            code = '<';
        else if (name == "gt")
            code = '>';
        else if (name == "quot")
            code = '"';
        else if (name == "apos")
            code = '\'';
        else if (name.startsWith("#x") || name.startsWith("#X"))
            code = name.sliced(2).toByteArray().toUInt(&ok, 16);
        else if (name.startsWith('#'))
            code = name.sliced(1).toByteArray().toUInt(&ok, 10);
        else
            ok = false;
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += c;
            continue;
        }
        const char32_t ch = char32_t(code);
        out += QString::fromUcs4(&ch, 1).toUtf8();
        i = semi;
    }
    return QString::fromUtf8(out);
}

} // namespace

bool XlsxReader::nextLine(QList<QVariant> *cells)
{
    cells->clear();
    bool inRow = false, inCell = false, inValue = false, inInline = false, inText = false;
    int phonetic = 0;
    QByteArray tag;
    for (;;) {
        if (m_sheetDone)
            return false;
        if (!readTag(&tag)) {
            if (!error().isEmpty())
                return false;
            return damaged(); // the sheet ends without closing its data
        }
        if ((inValue || (inText && inInline && phonetic == 0)) && !m_text.isEmpty() &&
            m_value.size() <= m_limits.maxTextLength)
            m_value += unescape(m_text);
        if (tag.startsWith('?') || tag.startsWith('!')) {
            // a comment or character data may hold '>': on to their real end
            const bool cdata = tag.startsWith("![CDATA[");
            const QByteArray close = cdata ? QByteArray("]]") : tag.startsWith("!--") ? QByteArray("--") : QByteArray();
            while (!close.isEmpty() && (!tag.endsWith(close) || tag.size() < (cdata ? 10 : 5))) {
                qsizetype gt = 0;
                if (!findByte('>', &gt))
                    return error().isEmpty() ? damaged() : false;
                tag += '>' + m_buffer.mid(m_pos, gt - m_pos);
                m_pos = gt + 1;
                if (tag.size() > MaxMarkupBytes)
                    return damaged();
            }
            if (cdata && (inValue || (inText && inInline && phonetic == 0)) && m_value.size() <= m_limits.maxTextLength)
                m_value += QString::fromUtf8(tag.sliced(8, tag.size() - 10));
            continue;
        }
        bool end = false, selfClosing = false;
        const QByteArrayView name = tagName(tag, &end, &selfClosing);
        if (!end) {
            if (name == "row") {
                if (inRow)
                    return damaged(); // a line inside a line
                inRow = !selfClosing;
                m_col = -1;
                if (selfClosing)
                    return true;
            } else if (name == "c" && inRow) {
                if (inCell)
                    return damaged(); // a cell inside a cell
                const QByteArrayView ref = attribute(tag, "r");
                const int col = ref.isEmpty() ? m_col + 1 : columnOf(QString::fromLatin1(ref));
                if (col >= m_limits.maxColumns)
                    return fail(FormatText("第%1行的列数过多（超过%2列）。", {m_line + 1, m_limits.maxColumns}));
                if (col < 0 || col < m_col)
                    return damaged();
                m_col = col;
                m_type = attribute(tag, "t").toByteArray();
                m_style = attribute(tag, "s").toInt();
                m_value.clear();
                phonetic = 0;
                inCell = !selfClosing;
                if (selfClosing)
                    continue; // an empty cell
            } else if (name == "v") {
                inValue = !selfClosing;
            } else if (name == "is") {
                inInline = !selfClosing;
            } else if (name == "t") {
                inText = !selfClosing;
            } else if (name == "rPh") {
                phonetic += selfClosing ? 0 : 1;
            }
            continue;
        }
        if (name == "v") {
            inValue = false;
        } else if (name == "t") {
            inText = false;
        } else if (name == "is") {
            inInline = false;
        } else if (name == "rPh") {
            --phonetic;
        } else if (name == "c" && inRow) {
            if (!inCell)
                return damaged();
            inCell = false;
            const QVariant value = cellValue();
            if (value.typeId() == QMetaType::QString && !acceptText(value.toString()))
                return false;
            if (!value.isNull()) {
                while (cells->size() < m_col)
                    cells->append(QVariant());
                cells->append(value);
            }
        } else if (name == "row") {
            return !inCell || damaged(); // a cell left open
        } else if (name == "sheetData") {
            m_sheetDone = true;
            return false;
        }
    }
}
