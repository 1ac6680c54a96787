#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <zip.h>

// Spreadsheet files for the reader tests, written byte by byte so that each test
// controls exactly what the reader sees.
namespace readerfiles {

using Entries = QList<QPair<QString, QByteArray>>;

inline bool writeZip(const QString &path, const Entries &entries)
{
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!z)
        return false;
    for (const auto &[name, data] : entries) {
        zip_fileinfo info{};
        if (zipOpenNewFileInZip64(z, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION, 1) != ZIP_OK ||
            zipWriteInFileInZip(z, data.constData(), unsigned(data.size())) != ZIP_OK ||
            zipCloseFileInZip(z) != ZIP_OK) {
            zipClose(z, nullptr);
            return false;
        }
    }
    return zipClose(z, nullptr) == ZIP_OK;
}

inline QByteArray sheetXml(const QByteArray &rows)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           rows + "</sheetData></worksheet>";
}

// A workbook of one sheet; styles: 0 general, 1 a built-in date, 2 a custom date,
// 3 a custom number format that is not a date.
inline Entries workbook(const QByteArray &rows, const QByteArray &sharedStrings = {}, bool date1904 = false)
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    Entries e;
    e << qMakePair(QStringLiteral("[Content_Types].xml"), QByteArray("<Types/>"));
    e << qMakePair(QStringLiteral("xl/workbook.xml"),
                   "<workbook " + ns +
                       " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                       "<workbookPr" +
                       (date1904 ? QByteArray(" date1904=\"1\"") : QByteArray()) +
                       "/><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId7\"/></sheets></workbook>");
    e << qMakePair(QStringLiteral("xl/_rels/workbook.xml.rels"),
                   QByteArray("<Relationships><Relationship Id=\"rId7\" Target=\"worksheets/first.xml\"/>"
                              "</Relationships>"));
    e << qMakePair(QStringLiteral("xl/styles.xml"),
                   "<styleSheet " + ns +
                       "><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/>"
                       "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00&quot;d&quot;\"/></numFmts>"
                       "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
                       "</cellXfs></styleSheet>");
    if (!sharedStrings.isEmpty())
        e << qMakePair(QStringLiteral("xl/sharedStrings.xml"), "<sst " + ns + ">" + sharedStrings + "</sst>");
    e << qMakePair(QStringLiteral("xl/worksheets/first.xml"), sheetXml(rows));
    return e;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The independent converter of the tests (gnumeric's ssconvert); empty when the
// machine has none.
inline QString ssconvert()
{
    return QStandardPaths::findExecutable(QStringLiteral("ssconvert"));
}

inline bool convert(const QString &from, const QString &to)
{
    QProcess p;
    p.start(ssconvert(), {QStringLiteral("--export-type=Gnumeric_Excel:excel_biff8"), from, to});
    return p.waitForFinished(60000) && p.exitCode() == 0 && QFile::exists(to);
}

} // namespace readerfiles
