#include "sheettestbase.h"
#include "testmain.h"

// The document commands of the check mode: the request for the process shown,
// the viewer opened on what was made, the status bar back at "就绪". (The
// refusals of DocumentOutput: the host stand-in's tests.)
class TestSheetDocuments : public SheetTestBase
{
    Q_OBJECT

    QList<QVariantMap> viewerCalls;

    void setPeriod(const QDate &start)
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, "
                                                       "FEndDate) VALUES (?, ?, ?, ?)"),
                                        {start.year(), start.month(), Dialect::dateValue(start),
                                         Dialect::dateValue(start.addMonths(1).addDays(-1))}));
        for (const auto &[key, value] : {std::pair{"CurrentYear", start.year()}, {"CurrentPeriod", start.month()}})
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
                                                           "VALUES ('IC', ?, ?)"),
                                            {QString::fromLatin1(key), QString::number(value)}));
    }

private slots:
    void outputCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QDate>("periodStart"); // invalid: no current period
        QTest::addColumn<int>("tranType");      // 0: no viewer
        QTest::addColumn<QString>("message");
        QTest::addRow("gain") << "mnuFOutBill" << QDate() << 40 << "盘盈单已生成1张";
        QTest::addRow("loss, by its tool") << "OutLossBill" << QDate(2026, 3, 1) << 43 << "盘亏单已生成1张";
    }
    void outputCommands()
    {
        QFETCH(QString, command);
        QFETCH(QDate, periodStart);
        QFETCH(int, tranType);
        QFETCH(QString, message);
        if (periodStart.isValid())
            setPeriod(periodStart);
        viewerCalls.clear();
        shared().components.windows.add(QStringLiteral("NVE_N5Bills.Bills"), [this](const QVariantMap &args) {
            viewerCalls << args;
            return QVariantMap{{QStringLiteral("Shown"), true}};
        });
        CountSheet sheet(SheetMode::Check);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1)); // the sample: one row over, one short
        m_ui.clear();
        QVERIFY(sheet.run(command));
        QCOMPARE(sheet.statusText(CountSheet::MessagePanel), QStringLiteral("就绪"));
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY2(m_ui.lastMessage().startsWith(message), qPrintable(m_ui.lastMessage()));
        QCOMPARE(viewerCalls.size(), tranType ? 1 : 0);
        if (tranType) {
            QCOMPARE(viewerCalls.first().value(QStringLiteral("FTranType")).toInt(), tranType);
            const QVariantList ids = viewerCalls.first().value(QStringLiteral("FInterID")).toList();
            QCOMPARE(ids.size(), 1);
            const Recordset bill = conn().Execute(
                QStringLiteral("SELECT FTranType, FProcID FROM ICStockBill WHERE FInterID = ?"), {ids.first()});
            QCOMPARE(bill.integer(u"FTranType"), tranType);
            QCOMPARE(bill.integer(u"FProcID"), 1);
        }
        sheet.unload();
    }
};

STOCKCHECK_TEST(TestSheetDocuments)
#include "tst_sheetdocuments.moc"
