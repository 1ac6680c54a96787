#include "sheetreader.h"
#include "sheettestbase.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "host/countparams.h"
#include "model/sheetquery.h"
#include "sheet/entrygridmodel.h"
#include "sheet/sheetexport.h"

using namespace EntryCol;
using sheetfixture::User;

namespace {

constexpr int Accountant = 16393; // may view count reports

} // namespace

// Blind counting seen from every way a counter reaches the books: the rows behind
// find, filter, sort and print, the entry grid on screen and in an export, the
// command line; and the accountant, who still sees them. The grid keeps the books
// out of sight only: the save checks that need them still work.
class TestBlindCount : public SheetTestBase
{
    Q_OBJECT

    QTemporaryDir m_dir;

    bool fill() override
    {
        return SheetTestBase::fill() &&
               sheetfixture::exec(conn(), "INSERT INTO t_user (FUserID, FName) VALUES (?, ?)",
                                  {Accountant, QStringLiteral("会计")}) &&
               (erp::grantRights(conn(), Accountant, {GLData::Right::ViewCountReport}), true);
    }

    void setBlind(bool on)
    {
        countparams::setValue(conn(), *countparams::find(QStringLiteral("BlindCount")),
                              on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void logIn(int user) { ParseProps(QStringLiteral("UserID=%1;LANGUAGE=chs;").arg(user)); }

    ProgramRun cli(int user, const QStringList &args)
    {
        return runProgram(QStringLiteral(STOCKCHECK_CLI), QStringList{args.first(), QStringLiteral("--db"), m_db->url(),
                                                                      QStringLiteral("--user"), QString::number(user)} +
                                                              args.mid(1));
    }

    // Non-null book fields of the loaded rows, as "FQty=24" words.
    static QStringList bookValues(const Recordset &rows)
    {
        QStringList found;
        for (const QString &f : sheetquery::bookFields()) {
            const int col = rows.fieldIndex(f);
            for (int r = 0; col >= 0 && r < rows.RecordCount(); ++r)
                if (!rows.value(r, col).isNull())
                    found << f + QLatin1Char('=') + rows.value(r, col).toString();
        }
        return found;
    }

private slots:
    void parameters_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("flag on") << "BlindCount"
                                 << " 1"
                                 << "1";
        QTest::newRow("flag word") << "BlindCount"
                                   << "true"
                                   << "";
        QTest::newRow("flag two") << "BlindCount"
                                  << "2"
                                  << "";
        QTest::newRow("quantity") << "RecountToleranceQty"
                                  << "2.50"
                                  << "2.5";
        QTest::newRow("negative") << "RecountToleranceQty"
                                  << "-1"
                                  << "";
        QTest::newRow("percent sign") << "RecountTolerancePercent"
                                      << "5%"
                                      << "";
        QTest::newRow("exponent") << "RecountTolerancePercent"
                                  << "1e3"
                                  << "";
    }
    void parameters()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const countparams::Param *p = countparams::find(key);
        QVERIFY(p);
        QString value, error;
        QCOMPARE(countparams::normalise(*p, text, &value, &error), !stored.isEmpty());
        QCOMPARE(value, stored);
        QCOMPARE(error.isEmpty(), !stored.isEmpty());
    }

    // Absent rows read as the defaults; a set adds the row once and then updates it.
    void parametersStored()
    {
        QCOMPARE(countparams::blindCount(conn()), false);
        QCOMPARE(countparams::recountTolerance(conn()).quantity, 10.0);
        QCOMPARE(countparams::recountTolerance(conn()).percent, 5.0);
        setBlind(true);
        setBlind(true);
        QCOMPARE(conn()
                     .Execute(QStringLiteral("SELECT COUNT(*) AS n FROM t_SystemProfile WHERE FKey = 'BlindCount'"))
                     .integer(u"n"),
                 1);
        QVERIFY(countparams::blindCount(conn()));

        const ProgramRun counter = cli(User, {"param", "--set", "BlindCount=0"});
        QCOMPARE(counter.exitCode, 1); // a counter cannot switch it off
        erp::grantRights(conn(), User, {GLData::Right::ChangeCountPlan});
        QCOMPARE(cli(User, {"param", "--set", "RecountTolerancePercent=7.5"}).out.trimmed(),
                 QStringLiteral("RecountTolerancePercent=7.5"));
        QCOMPARE(cli(User, {"param", "--get", "BlindCount"}).out.trimmed(), QStringLiteral("BlindCount=1"));
        QCOMPARE(cli(User, {"param", "--get", "UseShortNumber"}).exitCode, 2); // not ours
        QCOMPARE(cli(User, {"param", "--set", "BlindCount"}).exitCode, 2);
        // counts that start at the book would show it: blind counting is refused then
        QVERIFY(
            sheetfixture::exec(conn(), "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES (?, ?, ?)",
                               {QStringLiteral("RTSTOCK"), QStringLiteral("IsInputStockDate"), QStringLiteral("1")}));
        QCOMPARE(cli(User, {"param", "--set", "BlindCount=0"}).exitCode, 0);
        QCOMPARE(cli(User, {"param", "--set", "BlindCount=1"}).exitCode, 1);
    }

    // Which rows come back without books: modes 3 and 4 for a counter while blind
    // counting is on; never the check mode, never for the accountant.
    void rowsOfTheModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("blind");
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("entry, counter") << 4 << true << int(User) << true;
        QTest::newRow("entry, accountant") << 4 << true << Accountant << false;
        QTest::newRow("entry, not blind") << 4 << false << int(User) << false;
        QTest::newRow("book, counter") << 3 << true << int(User) << true;
        QTest::newRow("book, accountant") << 3 << true << Accountant << false;
        QTest::newRow("check, counter") << 1 << true << int(User) << false;
    }
    void rowsOfTheModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, blind);
        QFETCH(int, user);
        QFETCH(bool, hidden);
        setBlind(blind);
        logIn(user);
        CountSheet sheet(*sheetModeOf(mode));
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        QCOMPARE(sheet.hidesBookFigures(), hidden);
        QCOMPARE(bookValues(sheet.model().rows()).isEmpty(), hidden);
        // a filter on a book column finds nothing to tell
        QVERIFY(sheet.frmF_FilterNow(QStringLiteral("FMinus < 0")));
        QCOMPARE(sheet.recordCount() == 0, hidden);
        // nor the count book's rows with book stock: the command is off, asking anyway changes nothing
        if (mode == 3) {
            QCOMPARE(sheet.run(QStringLiteral("mnuVSelectData_Checked")), !hidden);
            sheet.mnuVSelectData_Checked();
            QCOMPARE(sheet.dataView() == CountSheet::DataView::Checked, !hidden);
            QCOMPARE(m_ui.lastMessage() == QStringLiteral("盲盘时不能查看账存数据。"), hidden);
        }
    }

    // The entry grid as the screen and an export show it, while the grid itself
    // keeps the books for the checks: a row with book stock still cannot be deleted.
    void entryGridOfACounter()
    {
        setBlind(true);
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        const int row = rowOfItem(sheet, 1);
        QVERIFY(row > 0);
        QCOMPARE(sheet.entryGrid().number(row, BaseBookQty), 24.0);
        EntryGridModel rows(&sheet, EntryGridModel::Part::Rows), totals(&sheet, EntryGridModel::Part::Totals);
        for (int col : {BaseBookQty, BookQty, SecBookQty}) {
            QVERIFY(sheet.isEntryColumnHidden(col));
            QCOMPARE(rows.data(rows.index(row - 1, col - 1)).toString(), QString());
            QCOMPARE(totals.data(totals.index(0, col - 1)).toString(), QString());
        }
        QCOMPARE(rows.data(rows.index(row - 1, BaseCheckQty - 1)).toString(), QStringLiteral("36.00"));

        const SheetExport table = SheetExport::of(sheet);
        const int bookAt = int(SheetExport::entryColumns().indexOf(BaseBookQty));
        ExportRow values;
        table.loadRow(row, values);
        QVERIFY(values.values.at(bookAt).isNull());

        m_ui.answers = {HostUi::Answer::Yes};
        sheet.entryGrid().markChanged(row);
        QCOMPARE(CountSaver(sheet.entryGrid(), sheet.session(), conn(), &m_ui, {.processId = 1}).deleteAddedItem(row),
                 CountSaver::DeleteResult::Refused);
    }

    // The command line for a counter and for the accountant: the count book's rows
    // with book stock refused to a counter, the sheet printed and
    // the export read back by xlsx2csv.
    void commandLine_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("counter") << int(User) << true;
        QTest::newRow("accountant") << Accountant << false;
    }
    void commandLine()
    {
        QFETCH(int, user);
        QFETCH(bool, hidden);
        setBlind(true);
        QCOMPARE(cli(user, {"sheet", "--process", "1", "--mode", "3", "--view", "counted"}).exitCode, hidden ? 1 : 0);
        if (sheetreader::xlsx2csv().isEmpty())
            QSKIP("xlsx2csv is not installed");
        const ProgramRun sheet = cli(user, {"sheet", "--process", "1", "--mode", "4"});
        QCOMPARE(sheet.exitCode, 0);
        QCOMPARE(sheet.out.section(QLatin1Char('\n'), 0, 0).contains(QStringLiteral("账存数量")), !hidden);

        const QString path = m_dir.filePath(QStringLiteral("%1.xlsx").arg(user));
        QCOMPARE(cli(user, {"export", "--process", "1", "--mode", "4", "--out", path}).exitCode, 0);
        QString error;
        const sheetreader::Table read = sheetreader::readXlsx(path, QStringLiteral("物料盘点表"), &error);
        QVERIFY2(read.size() > 1, qPrintable(error));
        const qsizetype bookAt = read.first().indexOf(QStringLiteral("基本单位账存数量"));
        QVERIFY(bookAt >= 0); // the column stays, so the file still reads back
        QStringList books;
        for (const QStringList &line : read.mid(1))
            books << line.value(bookAt);
        QCOMPARE(books.join(QString()).isEmpty(), hidden);
    }
};

STOCKCHECK_TEST(TestBlindCount)
#include "tst_blindcount.moc"
