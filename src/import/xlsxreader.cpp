#include "xlsxreader.h"

#include "host/texts.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

#include <unzip.h>

#include <cmath>

namespace {

constexpr qint64 MaxPartBytes = qint64(16) << 20; // workbook, relations, styles
constexpr int ChunkBytes = 256 * 1024;

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
    m_chunk.resize(ChunkBytes);
    return feed();
}

bool XlsxReader::feed()
{
    if (m_eof)
        return false;
    const int n = unzReadCurrentFile(zipOf(m_zip), m_chunk.data(), int(m_chunk.size()));
    if (n < 0)
        return damaged();
    if (n == 0) {
        m_eof = true;
        m_sheetOpen = false;
        if (unzCloseCurrentFile(zipOf(m_zip)) != UNZ_OK)
            return damaged();
        return true;
    }
    m_expanded += n;
    if (m_expanded > m_limits.maxExpandedBytes)
        return fail(LoadText("文件解压后过大，超出引入的限制。"));
    m_xml.addData(QByteArray(m_chunk.constData(), n));
    return true;
}

QVariant XlsxReader::cellValue() const
{
    if (m_type == QLatin1String("s")) {
        bool ok = false;
        const int index = m_value.toInt(&ok);
        return ok && index >= 0 && index < m_shared.size() ? QVariant(m_shared.at(index)) : QVariant();
    }
    if (m_type == QLatin1String("inlineStr") || m_type == QLatin1String("str"))
        return m_value.isEmpty() ? QVariant() : QVariant(m_value);
    if (m_type == QLatin1String("e"))
        return QVariant::fromValue(ImportCellError{m_value});
    if (m_value.isEmpty()) // a formula without a cached value
        return {};
    if (m_type == QLatin1String("d")) {
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

bool XlsxReader::nextLine(QList<QVariant> *cells)
{
    cells->clear();
    bool inRow = false;
    for (;;) {
        if (m_sheetDone)
            return false;
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        switch (token) {
        case QXmlStreamReader::Invalid:
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_eof) {
                if (!feed())
                    return false;
                continue;
            }
            return damaged();
        case QXmlStreamReader::EndDocument:
            return inRow ? damaged() : false;
        case QXmlStreamReader::StartElement: {
            const QStringView name = m_xml.name();
            if (name == QLatin1String("row")) {
                inRow = true;
                m_col = -1;
            } else if (name == QLatin1String("c") && inRow) {
                const QXmlStreamAttributes a = m_xml.attributes();
                const QStringView ref = a.value(QLatin1String("r"));
                const int col = ref.isEmpty() ? m_col + 1 : columnOf(ref);
                if (col < 0 || col < m_col || col >= m_limits.maxColumns) {
                    if (col >= m_limits.maxColumns)
                        return fail(FormatText("第%1行的列数过多（超过%2列）。", {m_line + 1, m_limits.maxColumns}));
                    return damaged();
                }
                m_col = col;
                m_type = a.value(QLatin1String("t")).toString();
                m_style = a.value(QLatin1String("s")).toInt();
                m_value.clear();
                m_phonetic = 0;
            } else if (name == QLatin1String("v")) {
                m_inValue = true;
            } else if (name == QLatin1String("is")) {
                m_inInline = true;
            } else if (name == QLatin1String("rPh")) {
                ++m_phonetic;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if ((m_inValue || (m_inInline && m_phonetic == 0)) && m_value.size() <= m_limits.maxTextLength)
                m_value += m_xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            const QStringView name = m_xml.name();
            if (name == QLatin1String("v")) {
                m_inValue = false;
            } else if (name == QLatin1String("is")) {
                m_inInline = false;
            } else if (name == QLatin1String("rPh")) {
                --m_phonetic;
            } else if (name == QLatin1String("c") && inRow) {
                const QVariant value = cellValue();
                if (value.typeId() == QMetaType::QString && !acceptText(value.toString()))
                    return false;
                if (!value.isNull()) {
                    while (cells->size() < m_col)
                        cells->append(QVariant());
                    cells->append(value);
                }
            } else if (name == QLatin1String("row")) {
                return true;
            } else if (name == QLatin1String("sheetData")) {
                m_sheetDone = true;
                return false;
            }
            break;
        }
        default:
            break;
        }
    }
}
