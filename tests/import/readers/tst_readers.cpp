#include "readerfiles.h"

#include "import/sheetreader.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace readerfiles;

namespace {

// Every line of a file as text, cells joined by "|": numbers plainly, dates as
// yyyy-MM-dd, errors as "!code"; on failure the last entry is "ERROR: why".
QStringList readAll(const QString &path, const SheetLimits &limits = {})
{
    QString error;
    std::unique_ptr<SheetReader> reader = SheetReader::open(path, &error, limits);
    if (!reader)
        return {QStringLiteral("ERROR: ") + error};
    QStringList lines;
    QList<QVariant> cells;
    while (reader->readLine(&cells)) {
        QStringList texts;
        for (const QVariant &v : cells) {
            if (v.typeId() == QMetaType::Double)
                texts << QString::number(v.toDouble(), 'g', 15);
            else if (v.typeId() == QMetaType::QDate)
                texts << v.toDate().toString(Qt::ISODate);
            else if (v.typeId() == qMetaTypeId<ImportCellError>())
                texts << u'!' + v.value<ImportCellError>().code;
            else
                texts << v.toString();
        }
        lines << texts.join(u'|');
    }
    if (!reader->error().isEmpty())
        lines << QStringLiteral("ERROR: ") + reader->error();
    return lines;
}

} // namespace

// The readers on their own: what each format's cells read as, and files that are
// refused with a reason instead of read wrongly. Built with the address and
// undefined-behaviour sanitizers, together with a run over thousands of damaged
// copies of valid files.
class TestReaders : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void xlsxCells()
    {
        const QByteArray shared = "<si><t>仓库</t></si>"
                                  "<si><r><t>螺</t></r><r><rPr/><t xml:space=\"preserve\">丝 </t></r>"
                                  "<rPh><t>ルビ</t></rPh></si>";
        const QByteArray rows =
            "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"s\"><v>1</v></c></row>"
            "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>内联</t></is></c><c r=\"B2\"><v>12.5</v></c>"
            "<c r=\"C2\" s=\"1\"><v>45292</v></c><c r=\"D2\" s=\"2\"><v>45293</v></c><c r=\"E2\" "
            "s=\"3\"><v>7</v></c></row>"
            "<row r=\"4\"><c r=\"A4\"><f>B4*2</f><v>24</v></c><c r=\"B4\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c>"
            "<c r=\"C4\"><f>1/0</f></c><c r=\"D4\" t=\"e\"><v>#DIV/0!</v></c><c r=\"E4\" t=\"b\"><v>1</v></c></row>"
            "<row r=\"5\"><c r=\"B5\"/></row>"
            "<row r=\"6\"><c r=\"AB6\"><v>3</v></c></row>";
        QVERIFY(writeZip(path("cells.xlsx"), workbook(rows, shared)));
        const QStringList lines = readAll(path("cells.xlsx"));
        QCOMPARE(lines.value(0), QStringLiteral("仓库||螺丝 "));
        QCOMPARE(lines.value(1), QStringLiteral("内联|12.5|2024-01-01|2024-01-02|7"));
        QCOMPARE(lines.value(2), QStringLiteral("24|ab||!#DIV/0!|1")); // the empty line 5 is left out
        QCOMPARE(lines.value(3), QString(27, u'|') + QStringLiteral("3"));
        QCOMPARE(lines.size(), 4);

        // the same serial in the 1904 system, and a serial before the 1900 leap day
        QVERIFY(writeZip(path("1904.xlsx"),
                         workbook("<row><c s=\"1\"><v>0</v></c><c s=\"1\"><v>59</v></c></row>", {}, true)));
        QCOMPARE(readAll(path("1904.xlsx")), QStringList{QStringLiteral("1904-01-01|1904-02-29")});
        QVERIFY(writeZip(path("1900.xlsx"), workbook("<row><c s=\"1\"><v>59</v></c><c s=\"1\"><v>61</v></c></row>")));
        QCOMPARE(readAll(path("1900.xlsx")), QStringList{QStringLiteral("1900-02-28|1900-03-01")});

        // prefixed names, a comment and character data that hold '>', and references
        QVERIFY(
            writeZip(path("markup.xlsx"),
                     workbook("<!-- a > b --><x:row><x:c t=\"inlineStr\"><x:is><x:t><![CDATA[1>0]]></x:t></x:is></x:c>"
                              "<x:c t=\"inlineStr\"><x:is><x:t>&lt;&#20013;&#x6587;&amp;</x:t></x:is></x:c></x:row>")));
        QCOMPARE(readAll(path("markup.xlsx")), QStringList{QStringLiteral("1>0|<中文&")});
    }

    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList plain{QStringLiteral("仓库|数量"), QStringLiteral("A|12")};
        QTest::addRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF仓库,数量\r\nA,12\r\n") << plain;
        QTest::addRow("utf-8 without mark") << QByteArray("仓库,数量\nA,12\n") << plain;
        QTest::addRow("gb18030") << QByteArray("\xB2\xD6\xBF\xE2,\xCA\xFD\xC1\xBF\nA,12\n") << plain;
        QTest::addRow("no last line end") << QByteArray("仓库,数量\nA,12") << plain;
        QTest::addRow("quotes") << QByteArray("\"a,b\",\"say \"\"hi\"\"\", \" x \" ,y\n")
                                << QStringList{QStringLiteral("a,b|say \"hi\"| x |y")};
        QTest::addRow("line break in quotes")
            << QByteArray("\"two\r\nlines\",z\r\nnext,1") << QStringList{QStringLiteral("two\r\nlines|z"), "next|1"};
        QTest::addRow("blank lines and cells")
            << QByteArray("a,,c\n\n,,\nd\n") << QStringList{QStringLiteral("a||c"), "d"};
        QTest::addRow("open quote") << QByteArray("a,\"b\nc\n")
                                    << QStringList{QStringLiteral("ERROR: CSV文件第1行的引号没有结束。")};
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QVERIFY(writeFile(path("t.csv"), bytes));
        QCOMPARE(readAll(path("t.csv")), lines);
    }

    // Files that are no spreadsheet, or damaged ones: each is refused with a reason.
    void badFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QVERIFY(writeFile(path("empty.csv"), {}));
        QVERIFY(writeFile(path("text.xls"), "StockNumber\tStockName\n01\tA\n"));
        QVERIFY(writeZip(path("good.xlsx"), workbook("<row><c t=\"inlineStr\"><is><t>x</t></is></c></row>")));
        QFile good(path("good.xlsx"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QVERIFY(writeFile(path("cut.xlsx"), bytes.left(bytes.size() * 2 / 3)));
        Entries bomb = workbook({});
        bomb.last().second = sheetXml(QByteArray(4 << 20, ' '));
        QVERIFY(writeZip(path("bomb.xlsx"), bomb));
        Entries noSheet = workbook({});
        noSheet.removeLast();
        QVERIFY(writeZip(path("nosheet.xlsx"), noSheet));
        QVERIFY(writeZip(path("xml.xlsx"), workbook("<row><c><v>1</v></row>")));
        QVERIFY(writeFile(path("long.csv"), "a," + QByteArray(200, 'x') + "\n"));
        QVERIFY(writeFile(path("wide.csv"), QByteArray(100, ',') + "\n"));
        QVERIFY(writeFile(path("ole.xls"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0')));
        const QList<std::pair<const char *, const char *>> rows{
            {"empty.csv", "文件是空的"},
            {"text.xls", "不是.xls、.xlsx或.csv格式"},
            {"cut.xlsx", "不是有效的.xlsx工作簿"},
            {"bomb.xlsx", "解压后过大"},
            {"nosheet.xlsx", "不是有效的.xlsx工作簿"},
            {"xml.xlsx", "不是有效的.xlsx工作簿"},
            {"long.csv", "文字过长"},
            {"wide.csv", "列数过多"},
            {"ole.xls", "不是有效的.xls工作簿"},
        };
        for (const auto &[name, reason] : rows)
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(reason);
    }
    void badFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        SheetLimits limits;
        limits.maxExpandedBytes = 1 << 20;
        limits.maxTextLength = 100;
        limits.maxColumns = 50;
        const QStringList lines = readAll(path(name), limits);
        QVERIFY2(!lines.isEmpty() && lines.last().startsWith(QLatin1String("ERROR: ")) && lines.last().contains(reason),
                 qPrintable(lines.join(u'\n')));
    }

    // The binary workbook as another program writes it.
    void xls()
    {
        if (ssconvert().isEmpty())
            QSKIP("ssconvert (gnumeric) is not installed");
        QVERIFY(writeFile(path("x.csv"), "仓库,数量,日期\nA,12.5,2024-03-05\n01,,x\n"));
        QVERIFY(convert(path("x.csv"), path("x.xls")));
        const QStringList lines = readAll(path("x.xls"));
        QCOMPARE(lines.value(0), QStringLiteral("仓库|数量|日期"));
        QCOMPARE(lines.value(1), QStringLiteral("A|12.5|2024-03-05"));
        QVERIFY2(lines.value(2) == QLatin1String("1||x") || lines.value(2) == QLatin1String("01||x"),
                 qPrintable(lines.value(2)));
    }

    // Thousands of damaged copies of valid files: each is read or refused, and
    // nothing crashes (this program runs under the sanitizers).
    void mutations()
    {
        QList<QPair<QString, QByteArray>> seeds;
        QByteArray rows;
        for (int r = 1; r <= 30; ++r)
            rows +=
                QStringLiteral("<row r=\"%1\"><c r=\"A%1\" t=\"s\"><v>%2</v></c><c r=\"B%1\" s=\"1\"><v>%3</v></c>"
                               "<c r=\"C%1\" t=\"inlineStr\"><is><t>n%1</t></is></c><c r=\"D%1\"><v>%1.5</v></c></row>")
                    .arg(r)
                    .arg(r % 2)
                    .arg(45000 + r)
                    .toUtf8();
        Entries book = workbook(rows, "<si><t>甲</t></si><si><r><t>乙</t></r></si>");
        QVERIFY(writeZip(path("seed.xlsx"), book));
        Entries twice = book;
        twice << book.last(); // a duplicated entry
        QVERIFY(writeZip(path("twice.xlsx"), twice));
        QByteArray csv = "\xEF\xBB\xBF仓库,\"数,量\",日期\r\n";
        for (int r = 1; r <= 30; ++r)
            csv += QStringLiteral("A%1,\"%1\"\"\",2024-01-%2\r\n").arg(r).arg(r % 28 + 1).toUtf8();
        QVERIFY(writeFile(path("seed.csv"), csv));
        for (const QString &name :
             {QStringLiteral("seed.xlsx"), QStringLiteral("twice.xlsx"), QStringLiteral("seed.csv")}) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            seeds << qMakePair(name, f.readAll());
        }
        if (!ssconvert().isEmpty()) {
            QVERIFY(convert(path("seed.csv"), path("seed.xls")));
            QFile f(path("seed.xls"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            seeds << qMakePair(QStringLiteral("seed.xls"), f.readAll());
        }
        QRandomGenerator random(20240613); // the same copies on every run
        SheetLimits limits;
        limits.maxExpandedBytes = 8 << 20;
        int read = 0, refused = 0;
        const int copies = 500;
        for (const auto &[name, bytes] : seeds) {
            for (int i = 0; i < copies; ++i) {
                QByteArray copy = bytes;
                switch (i % 3) {
                case 0: // a few flipped bytes
                    for (int n = 1 + int(random.bounded(8)); n > 0; --n)
                        copy[int(random.bounded(copy.size()))] ^= char(1 + random.bounded(255));
                    break;
                case 1: // cut off
                    copy.truncate(int(random.bounded(copy.size())));
                    break;
                default: { // a stretch repeated
                    const int from = int(random.bounded(copy.size()));
                    const int length = int(random.bounded(qMin(512, copy.size() - from)) + 1);
                    copy.insert(from, copy.mid(from, length));
                }
                }
                const QString file = path(QStringLiteral("m%1_").arg(i) + name);
                QVERIFY(writeFile(file, copy));
                const QStringList lines = readAll(file, limits);
                (lines.isEmpty() || !lines.last().startsWith(QLatin1String("ERROR: ")) ? read : refused)++;
                QFile::remove(file);
            }
        }
        qInfo("%d damaged copies: %d read, %d refused", read + refused, read, refused);
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_readers.moc"
