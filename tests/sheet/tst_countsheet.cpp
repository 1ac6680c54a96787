#include "sheettestbase.h"
#include "testmain.h"

#include "model/countprocesses.h"
#include "sheet/entrygridmodel.h"
#include "sheet/ledgermodel.h"
#include "sheet/sheetcommands.h"

#include <QAbstractItemModelTester>

using namespace sheetfixture;
using Tester = QAbstractItemModelTester;

// The count sheet window's logic on both engines: the process selector, data
// views, settings, the closing sequence, and the Qt models of both grids under
// Qt's model tester.
class TestCountSheet : public SheetTestBase
{
    Q_OBJECT

private slots:
    void opensTheNewestProcess()
    {
        CountSheet sheet(SheetMode::Check);
        sheet.open();
        QCOMPARE(sheet.processes().first().name, QStringLiteral("P2"));
        QCOMPARE(shared().currentProcess, 2);
        QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("仓库中共有3条记录"));
        QCOMPARE(sheet.checkDateText(), QStringLiteral("账存日期:2026-04-02 14:05"));
        sheet.unload();
        QCOMPARE(shared().currentProcess, 0);
        QVERIFY(m_ui.messages.isEmpty());
    }

    void emptyProcessList()
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DELETE FROM ICStockCheckProcess")));
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        QCOMPARE(sheet.currentProcess(), 0);
        QCOMPARE(sheet.entryGrid().dataRows(), 0);
        QVERIFY(sheet.run(QStringLiteral("mnuView_Refresh"))); // still usable
        QVERIFY(m_ui.messages.isEmpty());
    }

    void dataViews_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("rows");
        QTest::newRow("check all") << 1 << false << 3;
        QTest::newRow("check counted") << 1 << true << 1; // not counted, and counted nothing of nothing, drop
        QTest::newRow("book all with items without stock") << 3 << false << 3 + 1;
        QTest::newRow("book with book stock") << 3 << true << 2;
    }
    void dataViews()
    {
        QFETCH(int, mode);
        QFETCH(bool, checked);
        QFETCH(int, rows);
        CountSheet sheet(*sheetModeOf(mode));
        sheet.open();
        if (checked)
            QVERIFY(sheet.run(QStringLiteral("CheckedData")));
        QCOMPARE(sheet.isChecked(*sheetcommands::find(QStringLiteral("mnuVSelectData_Checked"))), checked);
        QCOMPARE(sheet.isChecked(*sheetcommands::find(QStringLiteral("mnuVSelectData_All"))), !checked);
        QCOMPARE(sheet.recordCount(), rows);
        QCOMPARE(sheetcommands::find(QStringLiteral("mnuVSelectData_Checked"))->captionIn(*sheetModeOf(mode)),
                 mode == 3 ? QStringLiteral("账存数据") : QStringLiteral("盘点数据(&P)"));
    }

    // View flags, closed processes shown, the process and ledger widths survive
    // closing (the widths also go back into the column definitions; entry widths:
    // see the window test).
    void settingsSurviveClosing()
    {
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 1));
        {
            CountSheet sheet(SheetMode::Check);
            sheet.open();
            QCOMPARE(processIndex(sheet, 3), -1);
            for (const char *toggle :
                 {"mnuToolBar", "mnuViewLable", "mnuStatusBar", "mnuViewShowDeleted", "mnuShowCloseProc"})
                QVERIFY(sheet.run(QLatin1String(toggle)));
            QVERIFY(processIndex(sheet, 3) >= 0);
            QCOMPARE(sheet.currentProcess(), 2); // the process shown stays chosen
            sheet.chooseProcess(processIndex(sheet, 1));
            QCOMPARE(sheet.recordCount(), 3); // with the deleted item
            sheet.ledgerGrid().column(3).width = 4321;
            sheet.unload();
        }
        Recordset rs = conn().Execute(QStringLiteral("SELECT FColWidth FROM ICChatBillTitle WHERE FTypeID = 1"
                                                     " ORDER BY FInterID"));
        QCOMPARE(rs.value(2, u"FColWidth").toInt(), 4321);
        reopenSettings();
        CountSheet sheet(SheetMode::Check);
        sheet.open();
        const SheetSettings &s = sheet.settings();
        QVERIFY(!s.showToolBar && !s.showToolLabels && !s.showStatusBar && s.showDeleted);
        QCOMPARE(sheet.currentProcess(), 1);
        QCOMPARE(sheet.recordCount(), 3);
        QCOMPARE(sheet.ledgerGrid().column(3).width, 4321);
        QVERIFY(processIndex(sheet, 3) >= 0);
    }

    void corruptSettingsFallBackToDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unreadable values") << QByteArray("[N5StockCheck]\nbShowtoolbar=maybe\nbShowDeleted=2\n"
                                                         "StockID=abc\n[N5STOCKPRICE]\nldgCheck1-3=wide\n");
        QTest::newRow("not an ini file") << QByteArray("\xff\xfe\x00[[[\n=\n\x01\x02[N5StockCheck\nStockID=1\n", 30);
    }
    void corruptSettingsFallBackToDefaults()
    {
        QFETCH(QByteArray, content);
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        reopenSettings();
        CountSheet sheet(SheetMode::Check);
        sheet.open();
        const SheetSettings &s = sheet.settings();
        QVERIFY(s.showToolBar && s.showToolLabels && s.showStatusBar && !s.showDeleted);
        QCOMPARE(sheet.currentProcess(), 2);
        QCOMPARE(sheet.ledgerGrid().column(3).width, sheet.model().columnLayout().at(2).width);
    }

    // The single way into a cell: quotes never land, locked cells refuse.
    void editingACell()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        QVERIFY(!sheet.editCell(1, EntryCol::ItemName, QStringLiteral("x")));
        QVERIFY(sheet.editCell(1, EntryCol::ComplexQty, QStringLiteral("3箱'5\"个")));
        QCOMPARE(sheet.entryGrid().text(1, EntryCol::ComplexQty), QStringLiteral("3箱5个"));
        QVERIFY(sheet.dataChanged() && sheet.entryGrid().isChanged(1));
    }

    // A process made without a backup type is given one before its rows are shown;
    // another process that has one asks nobody.
    void processWithoutBackupTypeAsksForIt()
    {
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 0, QVariant()));
        QVERIFY_SQL(conn(), addManyRows(conn(), 3, 1, 2));
        QStringList asked;
        shared().components.windows.add(QStringLiteral("FrmBackupType"), [&](const QVariantMap &args) {
            asked << args.value(QStringLiteral("ProcessID")).toString();
            return QVariantMap{{QStringLiteral("BackupType"), 2}, {QStringLiteral("Cancelled"), false}};
        });
        CountSheet sheet(SheetMode::Entry);
        sheet.open(); // the newest process, P3
        QCOMPARE(sheet.recordCount(), 2);
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FBackupType FROM ICStockCheckProcess WHERE FID = 3"));
        QCOMPARE(rs.integer(u"FBackupType"), 2);
        sheet.chooseProcess(processIndex(sheet, 1));
        QCOMPARE(asked, QStringList{QStringLiteral("3")});
    }

    // GetProcList: open or all processes, by id up or down, the last seven days,
    // a filter by field, and a field that is not one refused.
    void processListQuery()
    {
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 1));
        for (const auto &[id, days] : {std::pair{1, -3}, std::pair{2, -30}})
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckProcess SET FDate = ? WHERE FID = ?"),
                                            {Dialect::dateTimeValue(QDateTime::currentDateTime().addDays(days)), id}));
        const auto ids = [this](bool all, bool ascending, bool recent, const char *field = nullptr) {
            const QVariantMap filter{{QStringLiteral("AdvancedFilter"),
                                      QVariantList{QVariantMap{{QStringLiteral("Field"), QLatin1String(field)},
                                                               {QStringLiteral("Compare"), QStringLiteral("like")},
                                                               {QStringLiteral("Value"), QStringLiteral("%2")}}}}};
            Recordset rs;
            if (!CountProcesses(conn()).GetProcList(all, ascending, field ? &filter : nullptr, recent, rs))
                return QStringList{QStringLiteral("refused")};
            QStringList out;
            for (int r = 0; r < rs.RecordCount(); ++r)
                out << rs.value(r, u"FID").toString();
            return out;
        };
        QCOMPARE(ids(false, true, false), (QStringList{"1", "2"}));
        QCOMPARE(ids(true, false, true), (QStringList{"3", "1"}));
        QCOMPARE(ids(true, true, true, "FProcessID"), QStringList{"2"});
        QCOMPARE(ids(true, true, false, "1=1 OR FID"), QStringList{"refused"});
    }

    void ledgerRowsAndTotalLine()
    {
        CountSheet sheet(SheetMode::Check);
        LedgerModel rows(&sheet, LedgerModel::Part::Rows);
        LedgerModel total(&sheet, LedgerModel::Part::Total);
        Tester rowsTester(&rows, Tester::FailureReportingMode::QtTest);
        Tester totalTester(&total, Tester::FailureReportingMode::QtTest);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(rows.headerData(0, Qt::Horizontal).toString(), QStringLiteral("仓库")); // no trailing marker
        QCOMPARE(rows.index(0, 0).data().toString(), QStringLiteral("成品仓"));
        QCOMPARE(total.index(0, 0).data().toString(), QStringLiteral("合计"));
        QCOMPARE(total.index(0, 11).data().toString(), QStringLiteral("36.00")); // FQty 36, and 0 for coefficient 0
        sheet.run(QStringLiteral("CheckedData"));
        sheet.run(QStringLiteral("mnuViewShowDeleted"));
        QCOMPARE(rows.rowCount(), 2);
        sheet.chooseProcess(processIndex(sheet, 2));
        QCOMPARE(rows.rowCount(), 1);
    }

    // The count book has no total line. (Its blank counted columns: the row query,
    // the ledger lines and the sheet command.)
    void countBookShowsNoTotal()
    {
        CountSheet sheet(SheetMode::PrintBook);
        LedgerModel rows(&sheet, LedgerModel::Part::Rows);
        LedgerModel total(&sheet, LedgerModel::Part::Total);
        Tester tester(&rows, Tester::FailureReportingMode::QtTest);
        sheet.open();
        QCOMPARE(total.rowCount(), 0);
        QCOMPARE(rows.rowCount(), 3 + 1);
    }

    // Locked cells are coloured; the totals row sums with the widest places.
    void entryGridCells()
    {
        CountSheet sheet(SheetMode::Entry);
        EntryGridModel rows(&sheet, EntryGridModel::Part::Rows);
        EntryGridModel totals(&sheet, EntryGridModel::Part::Totals);
        Tester rowsTester(&rows, Tester::FailureReportingMode::QtTest);
        Tester totalsTester(&totals, Tester::FailureReportingMode::QtTest);
        sheet.open();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.index(0, EntryCol::ItemName - 1).data(Qt::BackgroundRole),
                 EntryGridModel::hostColor(EntryGridModel::LockedColor));
        QCOMPARE(totals.index(0, EntryCol::StockNumber - 1).data().toString(), QStringLiteral("合计"));
        QCOMPARE(totals.index(0, EntryCol::BookQty - 1).data().toString(), QStringLiteral("15.00"));
        QVERIFY(rows.setData(rows.index(1, EntryCol::CheckQty - 1), QStringLiteral("7")));
        sheet.chooseProcess(processIndex(sheet, 1));
        QCOMPARE(rows.rowCount(), 2);
    }
};

STOCKCHECK_TEST(TestCountSheet)
#include "tst_countsheet.moc"
