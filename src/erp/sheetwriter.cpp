#include "sheetwriter.h"

#include "host/numbers.h"
#include "host/texts.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>

namespace erp {

namespace {

using Kind = ExportColumn::Kind;

constexpr int MaxDecimals = 10;

// Excel measures columns in characters of the default font, about 7 pixels wide
// plus a margin; the grid's twips are 15 to the pixel.
double widthInCharacters(int twips)
{
    return std::max(1.0, (twips / 15.0 - 5.0) / 7.0);
}

// One workbook being written; the formats belong to the workbook and go with it.
class Workbook
{
public:
    explicit Workbook(const QString &fileName)
        : m_fileName(fileName)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // rows go to disk as they come: a large sheet needs little memory
        m_book = workbook_new_opt(QFile::encodeName(fileName).constData(), &options);
        if (!m_book)
            return;
        m_heading = workbook_add_format(m_book);
        format_set_bold(m_heading);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "yyyy/mm/dd");
    }
    ~Workbook()
    {
        if (m_book) { // given up half way: half a sheet would pass for the whole count
            workbook_close(m_book);
            QFile::remove(m_fileName);
        }
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    lxw_workbook *book() const { return m_book; }
    lxw_format *heading() const { return m_heading; }
    lxw_format *date() const { return m_date; }
    // "#,##0.00" for two places, as the grid groups quantities.
    lxw_format *quantity(int decimals)
    {
        decimals = std::clamp(decimals, 0, MaxDecimals);
        lxw_format *&f = m_quantities[size_t(decimals)];
        if (!f) {
            f = workbook_add_format(m_book);
            const QByteArray pattern = decimals == 0 ? QByteArray("#,##0") : "#,##0." + QByteArray(decimals, '0');
            format_set_num_format(f, pattern.constData());
        }
        return f;
    }
    lxw_error close()
    {
        const lxw_error result = workbook_close(m_book);
        m_book = nullptr;
        return result;
    }

private:
    QString m_fileName;
    lxw_workbook *m_book = nullptr;
    lxw_format *m_heading = nullptr;
    lxw_format *m_date = nullptr;
    std::array<lxw_format *, MaxDecimals + 1> m_quantities{};
};

lxw_error writeCell(Workbook &book, lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QVariant &value,
                    Kind kind, int decimals)
{
    if (value.isNull())
        return LXW_NO_ERROR;
    switch (kind) {
    case Kind::Quantity:
        return worksheet_write_number(sheet, row, col, value.toDouble(), book.quantity(decimals));
    case Kind::Number:
        return worksheet_write_number(sheet, row, col, value.toDouble(), nullptr);
    case Kind::Date:
        if (const QDate d = value.toDate(); d.isValid()) {
            lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0.0};
            return worksheet_write_datetime(sheet, row, col, &dt, book.date());
        }
        break; // a date the grid could not read stays the text it is
    case Kind::Text:
        break;
    }
    const QString text = value.toString();
    return text.isEmpty() ? LXW_NO_ERROR : worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
}

QString failure(const QString &fileName, const QString &reason)
{
    return FormatText("不能写入文件%1：%2", {QDir::toNativeSeparators(fileName), reason});
}

} // namespace

bool SpreadsheetWriter::Export(const QString &fileName, const QString &title, const QList<ExportColumn> &columns,
                               int rowCount, const RowLoader &loadRow, QString *error)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return writeXlsx(fileName, title, columns, rowCount, loadRow, error);
    if (suffix == QLatin1String("csv"))
        return writeCsv(fileName, columns, rowCount, loadRow, error);
    *error = LoadText("引出文件须为 .xlsx 或 .csv 格式。");
    return false;
}

bool SpreadsheetWriter::writeXlsx(const QString &fileName, const QString &title, const QList<ExportColumn> &columns,
                                  int rowCount, const RowLoader &loadRow, QString *error)
{
    Workbook book(fileName);
    lxw_worksheet *sheet = book.book() ? workbook_add_worksheet(book.book(), title.toUtf8().constData()) : nullptr;
    if (!sheet) {
        *error = failure(fileName, LoadText("不能创建工作表。"));
        return false;
    }
    for (qsizetype c = 0; c < columns.size(); ++c) {
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widthInCharacters(columns.at(c).width), nullptr);
        worksheet_write_string(sheet, 0, lxw_col_t(c), columns.at(c).caption.toUtf8().constData(), book.heading());
    }
    worksheet_freeze_panes(sheet, 1, 0);
    ExportRow values;
    for (int r = 1; r <= rowCount; ++r) {
        values.values.clear(); // keeps its capacity: one allocation for the whole sheet
        values.decimals = 0;
        loadRow(r, values);
        for (qsizetype c = 0; c < columns.size() && c < values.values.size(); ++c) {
            const lxw_error e = writeCell(book, sheet, lxw_row_t(r), lxw_col_t(c), values.values.at(c),
                                          columns.at(c).kind, values.decimals);
            if (e != LXW_NO_ERROR) {
                *error = failure(fileName, QString::fromUtf8(lxw_strerror(e)));
                return false;
            }
        }
    }
    if (const lxw_error e = book.close(); e != LXW_NO_ERROR) {
        *error = failure(fileName, QString::fromUtf8(lxw_strerror(e)));
        return false;
    }
    return true;
}

QString SpreadsheetWriter::csvField(const QVariant &value, Kind kind, int decimals)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case Kind::Quantity:
        return QString::number(value.toDouble(), 'f', std::clamp(decimals, 0, MaxDecimals));
    case Kind::Number:
        return plainNumber(value.toDouble());
    case Kind::Date:
        if (const QDate d = value.toDate(); d.isValid())
            return d.toString(Qt::ISODate);
        break;
    case Kind::Text:
        break;
    }
    QString text = value.toString();
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::any_of(text.cbegin(), text.cend(), [](QChar ch) { return special.contains(ch); }) ||
        text != text.trimmed()) {
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

bool SpreadsheetWriter::writeCsv(const QString &fileName, const QList<ExportColumn> &columns, int rowCount,
                                 const RowLoader &loadRow, QString *error)
{
    QSaveFile file(fileName); // a failed export leaves any earlier file as it was
    if (!file.open(QIODevice::WriteOnly)) {
        *error = failure(fileName, file.errorString());
        return false;
    }
    file.write("\xEF\xBB\xBF");
    QStringList line;
    for (const ExportColumn &c : columns)
        line << csvField(c.caption, Kind::Text, 0);
    file.write(line.join(QLatin1Char(',')).toUtf8() + "\r\n");
    ExportRow values;
    for (int r = 1; r <= rowCount; ++r) {
        values.values.clear();
        values.decimals = 0;
        loadRow(r, values);
        line.clear();
        for (qsizetype c = 0; c < columns.size(); ++c)
            line << csvField(values.values.value(c), columns.at(c).kind, values.decimals);
        file.write(line.join(QLatin1Char(',')).toUtf8() + "\r\n");
    }
    if (!file.commit()) {
        *error = failure(fileName, file.errorString());
        return false;
    }
    return true;
}

} // namespace erp
