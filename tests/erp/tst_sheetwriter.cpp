#include "erp/sheetwriter.h"
#include "sheetreader.h"
#include "testmain.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Kind = ExportColumn::Kind;

namespace {

struct Cell
{
    Kind kind;
    QVariant value;
    int decimals;
    QString inXlsx; // as the reader shows it; numbers compare by value
    QString inCsv;
};

// A cell read back from an .xlsx equals the expected text, numbers by their value.
bool sameCell(const QString &read, const QString &expected, Kind kind)
{
    if (kind == Kind::Quantity || kind == Kind::Number) {
        bool a = false, b = false;
        const double x = read.toDouble(&a), y = expected.toDouble(&b);
        return a && b ? qFuzzyCompare(1 + x, 1 + y) : read == expected;
    }
    return read == expected;
}

} // namespace

Q_DECLARE_METATYPE(Cell)

// The host's spreadsheet writer, its files read back by programs that did not
// write them: every kind of cell under its heading, and the files it refuses to
// write. Whole sheets go through the count sheet's export tests.
class TestSheetWriter : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    bool write(const QString &path, const QList<ExportColumn> &columns, const QList<ExportRow> &rows, QString *error)
    {
        erp::SpreadsheetWriter writer;
        return writer.Export(
            path, QStringLiteral("盘点表"), columns, int(rows.size()),
            [&rows](int row, ExportRow &values) { values = rows.at(row - 1); }, error);
    }

private slots:
    void cells_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<Cell>("cell");
        const QList<std::pair<const char *, Cell>> cells = {
            {"text with separator and quotes",
             {Kind::Text, "他说\"好\",然后", 0, "他说\"好\",然后", "他说\"好\",然后"}},
            {"text over two lines", {Kind::Text, "第一行\n第二行", 0, "第一行\n第二行", "第一行\n第二行"}},
            {"text with outer spaces", {Kind::Text, " A01 ", 0, " A01 ", " A01 "}},
            {"text like a formula", {Kind::Text, "=1+2", 0, "=1+2", "=1+2"}},
            {"text like a number keeps its zeros", {Kind::Text, "007", 0, "007", "007"}},
            {"quantity, two places", {Kind::Quantity, 1234.5, 2, "1234.5", "1234.50"}},
            {"negative quantity, no places", {Kind::Quantity, -3.0, 0, "-3", "-3"}},
            {"number as it is", {Kind::Number, 0.5, 3, "0.5", "0.5"}},
            {"date", {Kind::Date, QDate(2026, 1, 5), 0, "2026-01-05", "2026-01-05"}},
            {"unreadable date stays text", {Kind::Date, "2026/13/45", 0, "2026/13/45", "2026/13/45"}},
            {"empty quantity", {Kind::Quantity, QVariant(), 2, "", ""}},
        };
        for (const char *format : {"xlsx", "csv"})
            for (const auto &[name, cell] : cells)
                QTest::addRow("%s: %s", format, name) << QString::fromLatin1(format) << cell;
    }
    // One cell under a heading, in each format.
    void cells()
    {
        QFETCH(QString, format);
        QFETCH(Cell, cell);
        if (format == QLatin1String("xlsx"))
            REQUIRE_XLSX_READER();
        const QString path = dir.filePath(QStringLiteral("cell.") + format);
        QString error;
        QVERIFY2(write(path, {{QStringLiteral("备注"), cell.kind, 1200}}, {{{cell.value}, cell.decimals}}, &error),
                 qPrintable(error));
        const sheetreader::Table table = sheetreader::read(path, QStringLiteral("盘点表"), &error);
        QVERIFY2(!table.isEmpty(), qPrintable(error));
        QCOMPARE(table.value(0), QStringList{QStringLiteral("备注")});
        const QString got = table.value(1).value(0);
        const QString expected = format == QLatin1String("xlsx") ? cell.inXlsx : cell.inCsv;
        QVERIFY2(format == QLatin1String("csv") ? got == expected : sameCell(got, expected, cell.kind),
                 qPrintable(QStringLiteral("read \"%1\", expected \"%2\"").arg(got, expected)));
        QVERIFY2(table.size() <= 2, qPrintable(QStringLiteral("%1 records").arg(table.size())));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("old workbook format") << QStringLiteral("out.xls") << QStringLiteral(".xlsx");
        QTest::newRow("xlsx in a missing folder") << QStringLiteral("missing/out.xlsx") << QStringLiteral("out.xlsx");
        QTest::newRow("csv in a missing folder") << QStringLiteral("missing/out.csv") << QStringLiteral("out.csv");
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString path = dir.filePath(name);
        QString error;
        QVERIFY(!write(path, {{QStringLiteral("备注"), Kind::Text, 0}}, {{{QStringLiteral("x")}, 0}}, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path));
    }
};

STOCKCHECK_TEST(TestSheetWriter)
#include "tst_sheetwriter.moc"
