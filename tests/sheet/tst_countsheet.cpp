#include "sheettestbase.h"
#include "testmain.h"

#include "sheet/countsheet.h"
#include "sheet/sheetcommands.h"

using namespace sheetfixture;

// The count sheet window's logic on both engines: modes, the process selector,
// data views, the slow-data warning, settings and the closing sequence.
class TestCountSheet : public SheetTestBase
{
    Q_OBJECT

    static const SheetCommand &command(const char *name)
    {
        const SheetCommand *c = sheetcommands::find(QLatin1String(name));
        Q_ASSERT(c);
        return *c;
    }

    static int indexOf(const CountSheet &sheet, int processId)
    {
        for (int i = 0; i < sheet.processes().size(); ++i)
            if (sheet.processes().at(i).id == processId)
                return i;
        return -1;
    }

private slots:
    void modesShowTheirCommands_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("check") << 1 << "物料盘点报告单"
                               << "物料盘点报告单"
                               << QStringList{"mnuFOutBill", "OutLossBill",    "mnuFPrint", "PrintPreview",
                                              "mnuFileOut",  "mnuVSelectData", "Show",      "mnuFSpace",
                                              "mnuVSS",      "mnuFExit"}
                               << QStringList{"mnuFSave",          "Save",    "Export",       "mnuFileIn",
                                              "mnuAddItem",        "SubItem", "mnuAlertSame", "mnuVSelectBill",
                                              "mnuEdit_DeleteRow", "Delete"};
        QTest::newRow("print") << 3 << "打印物料盘点表"
                               << "物料盘点表"
                               << QStringList{"mnuFPrint", "Print", "mnuFPrintSetup", "mnuVSelectData", "AllData"}
                               << QStringList{"mnuFOutBill", "OutProBill", "mnuFileOut",
                                              "mnuFSpace",   "mnuFSave",   "mnuAddItem"};
        QTest::newRow("input") << 4 << "录入盘点数据"
                               << "物料盘点表" << QStringList{"mnuFSave",       "Save",       "mnuFileOut",   "Export",
                                                              "mnuFileIn",      "Import",     "mnuAddItem",   "SubItem",
                                                              "mnuVSelectBill", "SelectBill", "mnuAlertSame", "mnuS2",
                                                              "mnuVSpace",      "mnuASItem"}
                               << QStringList{"mnuFPrint",   "Print",     "mnuVSelectData", "Show",
                                              "mnuFOutBill", "mnuFSpace", "mnuEdit_SS"};
    }
    void modesShowTheirCommands()
    {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        CountSheet sheet(mode);
        QCOMPARE(sheet.caption(), caption);
        QCOMPARE(sheet.title(), title);
        const auto visible = [&](const QString &name) {
            const SheetCommand *c = sheetcommands::find(name);
            if (!c)
                return false;
            const bool tool = name.compare(QLatin1String(c->menu), Qt::CaseInsensitive) != 0;
            return tool ? sheet.isToolShown(*c) : sheet.isShown(*c);
        };
        for (const QString &name : shown)
            QVERIFY2(visible(name), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(!visible(name), qPrintable(name));
        // commands whose behaviour is not there yet stay visible but disabled
        QVERIFY(!sheet.isEnabled(command("mnuEdit_Find")));
        QVERIFY(sheet.isEnabled(command("mnuView_Refresh")));
    }

    void opensTheNewestOrTheSavedProcess()
    {
        {
            CountSheet sheet(1);
            sheet.open();
            QCOMPARE(sheet.processes().size(), 2);
            QCOMPARE(sheet.processes().first().name, QStringLiteral("P2")); // newest first
            QCOMPARE(sheet.currentProcess(), 2);
            QCOMPARE(shared().currentProcess, 2);
            QCOMPARE(sheet.recordCount(), 3);
            QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("仓库中共有3条记录"));
            QCOMPARE(sheet.checkDateText(), QStringLiteral("账存日期:2026-04-02 14:05"));
            QCOMPARE(sheet.processAttribute(1, "|BackupType").toInt(), 1);
            QCOMPARE(sheet.ledgerGrid().maxRows(), 3 + 3);
            sheet.chooseProcess(indexOf(sheet, 1));
            QCOMPARE(sheet.recordCount(), 2);
            sheet.unload();
            QCOMPARE(shared().currentProcess, 0);
        }
        reopenSettings();
        CountSheet again(1);
        again.open();
        QCOMPARE(again.currentProcess(), 1);
        QVERIFY(m_ui.messages.isEmpty());
    }

    void closedProcessesOnlyWhenAsked()
    {
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 1));
        CountSheet sheet(1);
        sheet.open();
        QCOMPARE(indexOf(sheet, 3), -1);
        QVERIFY(sheet.run(QStringLiteral("mnuShowCloseProc")));
        QVERIFY(indexOf(sheet, 3) >= 0);
        QCOMPARE(sheet.currentProcess(), 2); // the process shown stays chosen
        reopenSettings();
        CountSheet again(3);
        again.open();
        QVERIFY(again.settings().showClosedProcesses);
        QVERIFY(indexOf(again, 3) >= 0);
    }

    void emptyProcessList()
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DELETE FROM ICStockCheckProcess")));
        CountSheet sheet(4);
        sheet.open();
        QVERIFY(sheet.processes().isEmpty());
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
        CountSheet sheet(mode);
        sheet.open();
        QVERIFY(sheet.isChecked(command("mnuVSelectData_All")));
        if (checked)
            QVERIFY(sheet.run(QStringLiteral("CheckedData")));
        QCOMPARE(sheet.isChecked(command("mnuVSelectData_Checked")), checked);
        QCOMPARE(sheet.recordCount(), rows);
        QCOMPARE(command("mnuVSelectData_Checked").captionIn(mode),
                 mode == 3 ? QStringLiteral("账存数据") : QStringLiteral("盘点数据(&P)"));
    }

    void slowDataWarning_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("warned");
        QTest::newRow("10000") << 10000 << false;
        QTest::newRow("10001") << 10001 << true;
    }
    void slowDataWarning()
    {
        QFETCH(int, rows);
        QFETCH(bool, warned);
        QVERIFY_SQL(conn(), addProcess(conn(), 5, QStringLiteral("P5"), QDateTime::currentDateTime()));
        QVERIFY_SQL(conn(), addManyRows(conn(), 5, 2, rows));
        CountSheet sheet(1);
        sheet.open();
        QCOMPARE(sheet.currentProcess(), 5);
        QCOMPARE(sheet.recordCount(), rows);
        sheet.run(QStringLiteral("mnuView_Refresh")); // once per process is enough
        const QStringList expected =
            warned ? QStringList{QStringLiteral("方案数据已超过一万条，数据操作可能比较慢")} : QStringList();
        QCOMPARE(m_ui.messageTexts(), expected);
    }

    void settingsSurviveClosing()
    {
        {
            CountSheet sheet(1);
            sheet.open();
            for (const char *toggle : {"mnuToolBar", "mnuViewLable", "mnuStatusBar", "mnuViewShowDeleted"})
                QVERIFY(sheet.run(QLatin1String(toggle)));
            sheet.chooseProcess(indexOf(sheet, 1));
            QCOMPARE(sheet.recordCount(), 3); // with the deleted item
            sheet.ledgerGrid().column(3).width = 4321;
            sheet.unload();
        }
        {
            CountSheet sheet(4);
            sheet.open();
            sheet.setEntryColumnWidth(EntryCol::ItemName, 3456);
            sheet.unload();
        }
        reopenSettings();
        CountSheet sheet(1);
        sheet.open();
        const SheetSettings &s = sheet.settings();
        QVERIFY(!s.showToolBar);
        QVERIFY(!s.showToolLabels);
        QVERIFY(!s.showStatusBar);
        QVERIFY(s.showDeleted);
        QVERIFY(sheet.isChecked(command("mnuViewShowDeleted")));
        QCOMPARE(sheet.currentProcess(), 1);
        QCOMPARE(sheet.recordCount(), 3);
        QCOMPARE(sheet.ledgerGrid().column(3).width, 4321);
        CountSheet input(4);
        input.open();
        QCOMPARE(input.entryColumnWidth(EntryCol::ItemName), 3456);
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
        CountSheet sheet(1);
        sheet.open();
        const SheetSettings &s = sheet.settings();
        QVERIFY(s.showToolBar);
        QVERIFY(s.showToolLabels);
        QVERIFY(s.showStatusBar);
        QVERIFY(!s.showDeleted);
        QCOMPARE(sheet.currentProcess(), 2);
        QCOMPARE(sheet.ledgerGrid().column(3).width, sheet.model().columnLayout().at(2).width);
    }

    // The single way into a cell: quotes never land, locked cells refuse, and an
    // accepted change marks the row; choosing another process then asks first.
    void editingAndChoosingAnotherProcess()
    {
        CountSheet sheet(4);
        sheet.open();
        QVERIFY(!sheet.editCell(1, EntryCol::ItemName, QStringLiteral("x")));
        QVERIFY(sheet.editCell(1, EntryCol::Note, QStringLiteral("x")) == EntryGrid::isEditable(EntryCol::Note));
        QVERIFY(sheet.editCell(1, EntryCol::CheckQty, QStringLiteral("1'2\"3")));
        QCOMPARE(sheet.entryGrid().number(1, EntryCol::CheckQty), 123.0);
        QVERIFY(sheet.editCell(1, EntryCol::ComplexQty, QStringLiteral("3箱'5个")));
        QCOMPARE(sheet.entryGrid().text(1, EntryCol::ComplexQty), QStringLiteral("3箱5个"));
        QVERIFY(sheet.dataChanged());
        QVERIFY(sheet.entryGrid().isChanged(1));
        m_ui.answers = {HostUi::Answer::No};
        sheet.chooseProcess(indexOf(sheet, 1));
        QCOMPARE(m_ui.questions, QStringList{QStringLiteral("盘点数据已经修改，是否保存？")});
        QCOMPARE(sheet.currentProcess(), 1);
        QVERIFY(!sheet.dataChanged());
        QCOMPARE(CountSheet::withoutQuotes(QStringLiteral("a'b\"c")), QStringLiteral("abc"));
    }

    // A process made without a backup type is given one before its rows are shown;
    // cancelling shows the process all the same.
    void processWithoutBackupTypeAsksForIt_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled") << true;
    }
    void processWithoutBackupTypeAsksForIt()
    {
        QFETCH(bool, cancelled);
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 0, QVariant()));
        QVERIFY_SQL(conn(), addManyRows(conn(), 3, 1, 2));
        QStringList asked;
        shared().components.windows.add(QStringLiteral("FrmBackupType"), [&](const QVariantMap &args) {
            asked << args.value(QStringLiteral("ProcessID")).toString();
            return QVariantMap{{QStringLiteral("BackupType"), 2}, {QStringLiteral("Cancelled"), cancelled}};
        });
        CountSheet sheet(4);
        sheet.open(); // the newest process, P3
        QCOMPARE(asked, QStringList{QStringLiteral("3")});
        QCOMPARE(sheet.currentProcess(), 3);
        QCOMPARE(sheet.recordCount(), 2);
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FBackupType FROM ICStockCheckProcess WHERE FID = 3"));
        QCOMPARE(rs.Fields(u"FBackupType").isNull(), cancelled);
        QCOMPARE(sheet.processAttribute(3, "|BackupType").toInt(), cancelled ? 0 : 2);
        sheet.chooseProcess(indexOf(sheet, 1)); // P1 has its type: nobody is asked
        QCOMPARE(asked.size(), 1);
    }

    void closingKeepsLedgerWidthsInTheDefinitions()
    {
        CountSheet sheet(3);
        sheet.open();
        sheet.ledgerGrid().column(2).width = 2468;
        sheet.unload();
        Recordset rs = conn().Execute(QStringLiteral("SELECT FColWidth FROM ICChatBillTitle WHERE FTypeID = 3"
                                                     " ORDER BY FInterID"));
        QVERIFY(rs.RecordCount() > 2);
        QCOMPARE(rs.value(1, u"FColWidth").toInt(), 2468);
    }

    void helpAndTestMode()
    {
        CountSheet sheet(1);
        QVERIFY(sheet.run(QStringLiteral("mnuHContents")));
        QCOMPARE(m_ui.helpTopics, QStringList{QStringLiteral("ICStockCheckMain")});
        QVERIFY(!sheet.closesItself());
        shared().isTest = true;
        QVERIFY(sheet.closesItself());
    }

    void processListQuery()
    {
        ICBackupInv engine;
        QVERIFY_SQL(conn(), addProcess(conn(), 3, QStringLiteral("P3"), QDateTime::currentDateTime(), 1));
        const QDateTime now = QDateTime::currentDateTime();
        for (const auto &[id, days] : {std::pair{1, -3}, std::pair{2, -30}})
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockCheckProcess SET FDate = ? WHERE FID = ?"),
                                            {Dialect::dateTimeValue(now.addDays(days)), id}));
        Recordset rs;
        const auto ids = [&rs] {
            QList<int> out;
            for (int r = 0; r < rs.RecordCount(); ++r)
                out << rs.value(r, u"FID").toInt();
            return out;
        };
        QVERIFY(engine.GetProcList(false, true, nullptr, false, rs));
        QCOMPARE(ids(), (QList<int>{1, 2}));
        QCOMPARE(rs.value(0, u"username").toString(), QStringLiteral("张三"));
        QVERIFY(engine.GetProcList(true, false, nullptr, false, rs));
        QCOMPARE(ids(), (QList<int>{3, 2, 1}));
        QVERIFY(engine.GetProcList(true, true, nullptr, true, rs)); // the last seven days
        QCOMPARE(ids(), (QList<int>{1, 3}));
        QVariantMap options{{QStringLiteral("AdvancedFilter"),
                             QVariantList{QVariantMap{{QStringLiteral("Field"), QStringLiteral("FProcessID")},
                                                      {QStringLiteral("Compare"), QStringLiteral("like")},
                                                      {QStringLiteral("Value"), QStringLiteral("%2")}}}}};
        QVERIFY(engine.GetProcList(true, true, &options, true, rs));
        QCOMPARE(ids(), QList<int>{2});
        options[QStringLiteral("AdvancedFilter")] = QVariantList{QVariantMap{
            {QStringLiteral("Field"), QStringLiteral("1=1 OR FID")}, {QStringLiteral("Compare"), QStringLiteral("=")}}};
        QVERIFY(!engine.GetProcList(true, true, &options, false, rs));
        QVERIFY(!rs.isOpen());
    }
};

STOCKCHECK_TEST(TestCountSheet)
#include "tst_countsheet.moc"
