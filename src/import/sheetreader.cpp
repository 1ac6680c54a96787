#include "sheetreader.h"

#include "csvreader.h"
#include "xlsreader.h"
#include "xlsxreader.h"

#include "host/texts.h"

#include <QFile>
#include <QFileInfo>

SheetReader::Format SheetReader::formatOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Format::Unknown;
    const QByteArray head = file.read(8);
    if (head.startsWith("PK\x03\x04"))
        return Format::Xlsx;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Format::Xls;
    // a text file is read as comma-separated values only when it says so by its name
    if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return Format::Csv;
    return Format::Unknown;
}

std::unique_ptr<SheetReader> SheetReader::open(const QString &path, QString *error, const Limits &limits)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *error = LoadText("指定引入Excel文件不存在，请重新选择!");
        return nullptr;
    }
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        *error = FormatText("不能打开文件：%1", {probe.errorString()});
        return nullptr;
    }
    if (info.size() == 0) {
        *error = LoadText("文件是空的。");
        return nullptr;
    }
    probe.close();
    std::unique_ptr<SheetReader> reader;
    switch (formatOf(path)) {
    case Format::Xlsx:
        reader = XlsxReader::open(path, limits, error);
        break;
    case Format::Xls:
        reader = XlsReader::open(path, limits, error);
        break;
    case Format::Csv:
        reader = CsvReader::open(path, limits, error);
        break;
    case Format::Unknown:
        *error = LoadText("文件不是.xls、.xlsx或.csv格式的表格。");
        break;
    }
    return reader;
}

bool SheetReader::readLine(QList<QVariant> *cells)
{
    for (;;) {
        if (!m_error.isEmpty() || !nextLine(cells))
            return false;
        if (++m_line > m_limits.maxLines)
            return fail(FormatText("文件行数过多（超过%1行）。", {m_limits.maxLines}));
        if (cells->size() > m_limits.maxColumns)
            return fail(FormatText("第%1行的列数过多（超过%2列）。", {m_line, m_limits.maxColumns}));
        for (const QVariant &cell : std::as_const(*cells))
            if (!cell.isNull())
                return true;
    }
}

bool SheetReader::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

bool SheetReader::acceptText(const QString &text)
{
    if (text.size() <= m_limits.maxTextLength)
        return true;
    return fail(FormatText("第%1行的单元格文字过长（超过%2个字符）。", {m_line + 1, m_limits.maxTextLength}));
}
