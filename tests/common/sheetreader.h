#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Exported spreadsheet files read back by programs that did not write them: .xlsx
// through xlsx2csv (Debian package xlsx2csv), .csv by a plain RFC 4180 reading.
namespace sheetreader {

using Table = QList<QStringList>;

// Records of CSV text: quoted fields may hold separators, quotes ("") and line breaks.
inline Table parseCsv(const QString &text)
{
    Table table;
    QStringList record;
    QString field;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty())
                table << (record << field);
            record.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty())
        table << (record << field);
    return table;
}

inline QString xlsx2csv()
{
    return QStandardPaths::findExecutable(QStringLiteral("xlsx2csv"));
}

// The cells of sheet `sheetName` (dates as yyyy-MM-dd); empty with `error` set when
// the reader refuses the file or has no such sheet.
inline Table readXlsx(const QString &path, const QString &sheetName, QString *error)
{
    QProcess p;
    p.start(xlsx2csv(), {QStringLiteral("-f"), QStringLiteral("%Y-%m-%d"), QStringLiteral("-n"), sheetName, path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("xlsx2csv: ") + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return parseCsv(QString::fromUtf8(p.readAllStandardOutput()));
}

// The records of a .csv file, which must start with the UTF-8 byte order mark.
inline Table readCsv(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return {};
    }
    const QByteArray bytes = f.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF")) {
        *error = QStringLiteral("no UTF-8 byte order mark");
        return {};
    }
    return parseCsv(QString::fromUtf8(bytes.mid(3)));
}

// Either kind of file, by its name.
inline Table read(const QString &path, const QString &sheetName, QString *error)
{
    return path.endsWith(QLatin1String(".csv")) ? readCsv(path, error) : readXlsx(path, sheetName, error);
}

} // namespace sheetreader

// Skips the test when the independent .xlsx reader is not installed.
#define REQUIRE_XLSX_READER()                                                                                          \
    do {                                                                                                               \
        if (sheetreader::xlsx2csv().isEmpty())                                                                         \
            QSKIP("xlsx2csv is not installed (Debian package xlsx2csv; scripts/setup-deps)");                          \
    } while (false)
