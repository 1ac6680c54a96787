#include "importfixture.h"
#include "readers/readerfiles.h"
#include "testmain.h"

#include "app/iccheckinterface.h"
#include "sheet/countsheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

// The ways in: the count sheet's mnuFileIn, the host's TestImport and
// stockcheck-cli import; and the round trip with the sheet's own export, also
// through a copy converted to .xls by another program.
class TestImportCallers : public ImportFixture
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };
    Run cli(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI), args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QStringList common() const
    {
        return {QStringLiteral("--db"),      m_db->url(),
                QStringLiteral("--user"),    QString::number(user),
                QStringLiteral("--process"), QString::number(Process)};
    }
    // Every figure of every count row of the process, a line per row.
    QStringList allRows()
    {
        const Recordset rs = conn().Execute(
            QStringLiteral(
                "SELECT FItemID, FStockID, FBatchNo, FKFDate, FKFPeriod, FQty, FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty,"
                " FAuxCheckQty, FMinus, FAdjQty, FSecQty, FSecQtyAct, FSecCheckQty, FSecAdjQty, FSecMinus,"
                " COALESCE(FNote, '') AS FNote FROM ICInvBackup WHERE FInterID = ? ORDER BY FItemID, FStockID, "
                "FBatchNo"),
            {Process});
        QStringList rows;
        for (int r = 0; r < rs.RecordCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c) {
                const QVariant v = rs.value(r, c);
                cells << (v.isNull()         ? QStringLiteral("NULL")
                          : c >= 5 && c < 18 ? QString::number(v.toDouble(), 'g', 10)
                                             : v.toString());
            }
            rows << cells.join(u' ');
        }
        return rows;
    }
    void addCountedRows()
    {
        QVERIFY_SQL(
            conn(),
            conn().Exec(
                QStringLiteral(
                    "INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FUnitID, FBatchNo, FKFDate, "
                    "FKFPeriod,"
                    " FQty, FAuxQty, FQtyAct, FAuxQtyAct, FCheckQty, FAuxCheckQty, FMinus, FNote, FDateBackup) VALUES"
                    " (?, ?, ?, 0, ?, 'B1', '', 0, 5, 5, 7, 7, 7, 7, 2, '第二排', '2026-03-01 09:00:00'),"
                    " (?, ?, ?, ?, ?, '', '2026-01-05', 30, 2, 2, 1, 1, 1, 1, -1, NULL, '2026-03-01 09:00:00')"),
                {Process, batch, stockA, pcs, Process, shelf, stockB, placeB, pcs}));
    }

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addRow("xlsx") << "xlsx";
        QTest::addRow("csv") << "csv";
        QTest::addRow("xls by ssconvert") << "xls";
    }
    void roundTrip()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("xls") && readerfiles::ssconvert().isEmpty())
            QSKIP("ssconvert (gnumeric) is not installed");
        addCountedRows();
        const QStringList before = allRows();
        const QString exported =
            m_dir.filePath(QStringLiteral("sheet.") + (kind == QLatin1String("csv") ? kind : "xlsx"));
        const Run e =
            cli(QStringList{QStringLiteral("export")} + common() + QStringList{"--mode", "4", "--out", exported});
        QVERIFY2(e.exitCode == 0, qPrintable(e.err));
        QString input = exported;
        if (kind == QLatin1String("xls")) {
            input = m_dir.filePath(QStringLiteral("sheet.xls"));
            QVERIFY(readerfiles::convert(exported, input));
        }
        const Run i = cli(QStringList{QStringLiteral("import")} + common() + QStringList{input});
        QVERIFY2(i.exitCode == 0, qPrintable(i.out + i.err));
        QCOMPARE(i.out.trimmed(), QStringLiteral("数据导入成功[3]笔!\n未填盘点数量[1]笔，未引入。\n数据引入完毕!"));
        QCOMPARE(allRows(), before);
    }

    void cliExitCodes()
    {
        const Run bad = cli(QStringList{QStringLiteral("import")} + common() +
                            QStringList{file(QStringLiteral("bad.csv"), csvOf({Rec{.itemName = "钉子"}, Rec()}))});
        QCOMPARE(bad.exitCode, 1);
        QCOMPARE(bad.out, QStringLiteral("引入错误提示\n第1条记录的物料为：钉子 在基础资料中不存在!\n"));
        QCOMPARE(rowsOf(plain, QStringLiteral("FCheckQty")), QStringLiteral("5")); // the good one is merged
        const Run refused = cli(QStringList{QStringLiteral("import")} + common() +
                                QStringList{file(QStringLiteral("captions.csv"), csvOf({}))});
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err.trimmed(), QStringLiteral("引入Excel文件不合法，请确认!"));
    }

    void fromTheCountSheet()
    {
        countimport::registerOperation(shared().components.windows);
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        m_ui.fileNames << m_dir.filePath(QStringLiteral("missing.xlsx"))
                       << file(QStringLiteral("s.csv"), csvOf({Rec{.check = "11"}}));
        QVERIFY(sheet.run(QStringLiteral("mnuFileIn")));
        QCOMPARE(m_ui.messageTexts(), QStringList{QStringLiteral("指定引入Excel文件不存在，请重新选择!")});
        QVERIFY(sheet.run(QStringLiteral("Import")));
        QCOMPARE(m_ui.lastMessage(), QStringLiteral("数据导入成功[1]笔!\n数据引入完毕!"));
        int row = 0;
        for (int r = 1; r <= sheet.entryGrid().dataRows(); ++r)
            if (int(sheet.entryGrid().number(r, EntryCol::ItemID)) == plain)
                row = r;
        QVERIFY(row > 0);
        QCOMPARE(sheet.entryGrid().number(row, EntryCol::CheckQty), 11.0); // reloaded
    }

    void testImport()
    {
        const QString timing = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TestTime.txt"));
        QFile::remove(timing);
        ICCheckInterface host;
        host.IsTest(true);
        host.TestImport(file(QStringLiteral("t.csv"), csvOf({Rec{.check = "12"}})));
        QCOMPARE(m_ui.messageTexts(), QStringList()); // no summary in test mode
        QCOMPARE(rowsOf(plain, QStringLiteral("FCheckQty")), QStringLiteral("12"));
        QFile f(timing);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 1);
        f.close();
        QFile::remove(timing);
    }
};

STOCKCHECK_TEST(TestImportCallers)
#include "tst_importcallers.moc"
