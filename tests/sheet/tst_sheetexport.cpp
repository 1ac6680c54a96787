#include "sheetreader.h"
#include "sheettestbase.h"
#include "testmain.h"

#include <QRegularExpression>

using namespace EntryCol;
using sheetfixture::addProcess;
using sheetfixture::User;

namespace {

// The count import's template by position (from 1), as the entry-grid column whose
// cell each position reads; with MTO planning on, the MTO number is position 11
// and every later column moves one place to the right.
QList<int> importTemplate(bool mto)
{
    QList<int> cols{StockNumber,    StockName,     SPNumber,    SPName,        ItemNumber,   ItemName,
                    Model,          AuxPropNumber, AuxPropName, BatchNo,       KFDate,       KFPeriod,
                    BaseUnitNumber, BaseUnitName,  BaseBookQty, BaseActualQty, BaseCheckQty, UnitNumber,
                    UnitName,       Brand,         BarCode,     Category,      BookQty,      ActualQty,
                    CheckQty,       ComplexQty,    AdjQty,      SecUnitNumber, SecUnitName,  SecRate,
                    SecBookQty,     SecActualQty,  SecCheckQty, SecAdjQty,     Note};
    if (mto)
        cols.insert(10, MtoNo);
    return cols;
}

// A cell as a grid shows it against the same cell read from a file: numbers by
// value (the grid groups thousands), dates whatever their separator.
bool sameValue(const QString &shown, const QString &read)
{
    static const QRegularExpression date(QStringLiteral("^(\\d{4})[/-](\\d{2})[/-](\\d{2})$"));
    if (const auto a = date.match(shown), b = date.match(read); a.hasMatch() && b.hasMatch())
        return a.capturedTexts().mid(1) == b.capturedTexts().mid(1);
    bool x = false, y = false;
    const double u = QString(shown).remove(QLatin1Char(',')).toDouble(&x), v = read.toDouble(&y);
    if (x && y)
        return qFuzzyCompare(1 + u, 1 + v);
    return shown == read;
}

// An .xlsx cell of an entry column holds its type: the reader prints numbers
// plainly (no grouping, no trailing zeros, where a text cell keeps what the grid
// shows) and dates in the ISO form it is asked for.
bool typedInXlsx(int col, const QString &read)
{
    if (read.isEmpty())
        return true;
    if (col == KFDate)
        return QDate::fromString(read, Qt::ISODate).isValid();
    if (EntryGrid::kind(col) != EntryGrid::Kind::Text)
        return read == QString::number(read.toDouble(), 'g', 15);
    return true;
}

} // namespace

// `stockcheck-cli export` on the engine of this run, its files read back by
// programs that did not write them: the entry sheet in the import's template
// (with and without MTO planning), the ledger of the check and print modes cell
// for cell as `sheet` prints it, an empty entry sheet, and wrong requests.
class TestSheetExport : public SheetTestBase
{
    Q_OBJECT

    QTemporaryDir dir;

    using Run = ProgramRun;
    Run cli(const QString &command, const QStringList &args)
    {
        return runProgram(QStringLiteral(STOCKCHECK_CLI), QStringList{command, QStringLiteral("--db"), m_db->url(),
                                                                      QStringLiteral("--user"), QString::number(User)} +
                                                              args);
    }
    Run exportSheet(int process, int mode, const QString &path)
    {
        return cli(QStringLiteral("export"),
                   {QStringLiteral("--process"), QString::number(process), QStringLiteral("--mode"),
                    QString::number(mode), QStringLiteral("--out"), path});
    }
    // A note that needs quoting in a .csv file.
    bool quotedNote()
    {
        return conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FNote = ? WHERE FInterID = 1 AND FItemID = 1"),
                           {QStringLiteral("他说\"好\",再点")});
    }

private slots:
    // The writer does not depend on MTO planning nor the template on the format:
    // each format once, each template once.
    void entrySheetFollowsImportTemplate_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("mto");
        QTest::addRow("xlsx, MTO planning off") << "xlsx" << false;
        QTest::addRow("csv, MTO planning on") << "csv" << true;
    }
    // Every position of the import template holds the entry grid's cell of its column.
    void entrySheetFollowsImportTemplate()
    {
        QFETCH(QString, format);
        QFETCH(bool, mto);
        if (format == QLatin1String("xlsx"))
            REQUIRE_XLSX_READER();
        QVERIFY_SQL(conn(), quotedNote());
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue)"
                                                       " VALUES ('IC', 'EnableMtoPlanMode', ?)"),
                                        {mto ? QStringLiteral("1") : QStringLiteral("0")}));
        const QString path = dir.filePath(QStringLiteral("entry.") + format);
        const Run run = exportSheet(1, 4, path);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));

        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        const EntryGrid &grid = sheet.entryGrid();
        QString error;
        const sheetreader::Table table = sheetreader::read(path, QStringLiteral("物料盘点表"), &error);
        QVERIFY2(!table.isEmpty(), qPrintable(error));
        QCOMPARE(table.size(), grid.dataRows() + 1); // no totals row: it would read back as a record
        const QList<int> cols = importTemplate(mto);
        QCOMPARE(table.first().size(), cols.size());
        QCOMPARE(table.first().at(10), mto ? QStringLiteral("计划跟踪号") : QStringLiteral("生产/采购日期"));
        for (int i = 0; i < cols.size(); ++i)
            QCOMPARE(table.first().at(i), EntryGrid::heading(cols.at(i)));
        for (int row = 1; row <= grid.dataRows(); ++row)
            for (int i = 0; i < cols.size(); ++i) {
                const QString shown = grid.text(row, cols.at(i)), got = table.at(row).value(i);
                const bool typed = format == QLatin1String("csv") || typedInXlsx(cols.at(i), got);
                QVERIFY2(sameValue(shown, got) && typed,
                         qPrintable(QStringLiteral("row %1, %2: grid \"%3\", file \"%4\"")
                                        .arg(row)
                                        .arg(EntryGrid::heading(cols.at(i)), shown, got)));
            }
    }

    void ledgerAsSheetPrintsIt_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("mode");
        QTest::addRow("xlsx, check") << "xlsx" << 1;
        QTest::addRow("csv, count book") << "csv" << 3;
    }
    // The visible ledger columns and every row, the total line of the check mode
    // included, hold what the grid shows.
    void ledgerAsSheetPrintsIt()
    {
        QFETCH(QString, format);
        QFETCH(int, mode);
        if (format == QLatin1String("xlsx"))
            REQUIRE_XLSX_READER();
        QVERIFY_SQL(conn(), quotedNote());
        const QString path = dir.filePath(QStringLiteral("ledger.") + format);
        const Run run = exportSheet(1, mode, path);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const Run shown = cli(QStringLiteral("sheet"), {QStringLiteral("--process"), QStringLiteral("1"),
                                                        QStringLiteral("--mode"), QString::number(mode)});
        QVERIFY2(shown.exitCode == 0, qPrintable(shown.err));
        const QStringList lines = shown.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QString error;
        const sheetreader::Table table = sheetreader::read(path, QStringLiteral("盘点表"), &error);
        QVERIFY2(!table.isEmpty(), qPrintable(error));
        QCOMPARE(table.size(), lines.size());
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cells = lines.at(r).split(QLatin1Char('\t'));
            QCOMPARE(table.at(r).size(), cells.size());
            for (int c = 0; c < cells.size(); ++c)
                QVERIFY2(sameValue(cells.at(c), table.at(r).at(c)),
                         qPrintable(QStringLiteral("row %1, column %2: shown \"%3\", file \"%4\"")
                                        .arg(r)
                                        .arg(c + 1)
                                        .arg(cells.at(c), table.at(r).at(c))));
        }
    }

    // An entry sheet without rows exports nothing; the other requests are refused.
    void nothingWritten_data()
    {
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty entry sheet") << 3 << 4 << "empty.xlsx" << 0 << "没有可引出的数据。";
        QTest::newRow("old workbook format") << 1 << 1 << "old.xls" << 2 << ".xlsx or .csv";
        QTest::newRow("no such process") << 9 << 1 << "none.csv" << 1 << "盘点方案 9 不存在";
    }
    void nothingWritten()
    {
        QFETCH(int, process);
        QFETCH(int, mode);
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime(QDate(2026, 4, 3), QTime(8, 0))));
        const QString path = dir.filePath(file);
        const Run run = exportSheet(process, mode, path);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
        QVERIFY(!QFileInfo::exists(path));
    }

    // The window's command: a count typed and not saved is offered for saving
    // first, and the file holds it.
    void windowOffersSavingFirst()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        const int row = rowOfItem(sheet, 1);
        sheet.enterCell(row, CheckQty);
        QVERIFY(sheet.editCell(row, CheckQty, QStringLiteral("4")));
        const QString path = dir.filePath(QStringLiteral("window.csv"));
        m_ui.answers = {HostUi::Answer::Yes};
        m_ui.fileNames = {path};
        QVERIFY(sheet.run(QStringLiteral("Export")));
        QCOMPARE(m_ui.questions.size(), 1);
        QVERIFY(!sheet.dataChanged());
        QCOMPARE(m_ui.messageTexts(), QStringList());
        QString error;
        const sheetreader::Table table = sheetreader::readCsv(path, &error);
        QVERIFY2(!table.isEmpty(), qPrintable(error));
        const qsizetype name = importTemplate(false).indexOf(ItemName),
                        counted = importTemplate(false).indexOf(CheckQty);
        const auto it = std::find_if(table.cbegin(), table.cend(),
                                     [name](const QStringList &r) { return r.value(name) == QStringLiteral("螺丝"); });
        QVERIFY(it != table.cend());
        QCOMPARE(it->value(counted), QStringLiteral("4.00"));
        // a name typed without its kind becomes a workbook rather than a refusal
        m_ui.fileNames = {dir.filePath(QStringLiteral("named"))};
        QVERIFY(sheet.run(QStringLiteral("Export")));
        QCOMPARE(m_ui.messageTexts(), QStringList());
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("named.xlsx"))));
        QVERIFY2(sheet.statusText(CountSheet::MessagePanel).startsWith(QStringLiteral("已引出")),
                 qPrintable(sheet.statusText(CountSheet::MessagePanel)));
    }

    void windowWritesOrNot_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("process");
        QTest::addColumn<bool>("chosen"); // the person names a file when asked
        QTest::addColumn<bool>("written");
        QTest::newRow("check mode") << 1 << 1 << true << true;
        QTest::newRow("empty entry sheet") << 4 << 3 << true << false;
        QTest::newRow("file choice cancelled") << 4 << 1 << false << false;
    }
    void windowWritesOrNot()
    {
        QFETCH(int, mode);
        QFETCH(int, process);
        QFETCH(bool, chosen);
        QFETCH(bool, written);
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime(QDate(2026, 4, 3), QTime(8, 0))));
        CountSheet sheet(*sheetModeOf(mode));
        sheet.open();
        const int index = processIndex(sheet, process);
        QVERIFY(index >= 0);
        sheet.chooseProcess(index);
        const QString path = dir.filePath(QStringLiteral("window-%1-%2.csv").arg(mode).arg(process));
        if (chosen)
            m_ui.fileNames = {path};
        QVERIFY(sheet.run(QStringLiteral("mnuFileOut")));
        QCOMPARE(QFileInfo::exists(path), written);
        QCOMPARE(m_ui.fileNames.isEmpty(), !chosen || written); // an empty sheet does not ask for a file
        QCOMPARE(m_ui.messageTexts(), QStringList());
        if (!written)
            return;
        QString error;
        const sheetreader::Table table = sheetreader::readCsv(path, &error);
        QCOMPARE(table.size(), sheet.recordCount() + 2); // the heading, the rows, the total line
        QCOMPARE(table.last().value(0), QStringLiteral("合计"));
    }
};

STOCKCHECK_TEST(TestSheetExport)
#include "tst_sheetexport.moc"
