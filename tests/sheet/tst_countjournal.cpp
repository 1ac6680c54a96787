#include "sheettestbase.h"
#include "testmain.h"

#include "model/countentryservice.h"
#include "model/countjournal.h"

#include <QHash>

using namespace EntryCol;

namespace {

// A row of the process with a plain key (no batch, MTO, date or property): the
// command line's key options and the key itself.
struct PlainRow
{
    QStringList options;
    CountRowKey key;
};

} // namespace

// Every writer of counted figures on the demo data, as people use them: the
// entry sheet's save, `count` and `count --add`, adds and undo through the entry
// service, documents folded in (`reconcile`), goods added (`add-item`), an
// imported file and the shop's retail results. Afterwards each row's counted
// figures are the replay of its journal entries, and every kind of entry is there.
class TestCountJournal : public SheetTestBase
{
    Q_OBJECT

    int m_process = 0;

    bool fill() override
    {
        ParseProps(QStringLiteral("UserID=16394;LANGUAGE=chs;"));
        QString error;
        return erp::fillDemoData(conn(), erp::DemoOptions{}, &error);
    }

    ProgramRun cli(const QString &command, const QStringList &args)
    {
        QStringList all{command, QStringLiteral("--db"), m_db->url(), QStringLiteral("--user"),
                        QStringLiteral("16394")};
        if (m_process > 0 && command != QLatin1String("post"))
            all << QStringLiteral("--process") << QString::number(m_process);
        return runProgram(QStringLiteral(STOCKCHECK_CLI), all + args);
    }

    // The `n`-th plain row of the process that `condition` (on "b") selects.
    PlainRow plainRow(const QString &condition, int n = 0)
    {
        Recordset rs = conn().Execute(
            QStringLiteral("SELECT b.FItemID, b.FUnitID, b.FStockID, b.FStockPlaceID, i.FNumber AS FItem,"
                           " s.FNumber AS FStock, COALESCE(p.FNumber, '') AS FPlace"
                           "  FROM ICInvBackup b JOIN t_ICItem i ON i.FItemID = b.FItemID"
                           "  JOIN t_Stock s ON s.FItemID = b.FStockID"
                           "  LEFT JOIN t_StockPlace p ON p.FSPID = b.FStockPlaceID AND b.FStockPlaceID <> 0"
                           " WHERE b.FInterID = ? AND b.FBatchNo = '' AND b.FMtoNo = '' AND b.FKFDate = ''"
                           "   AND b.FAuxPropID = 0 AND b.FKFPeriod = 0 AND ") +
                condition + QStringLiteral(" ORDER BY b.FItemID, b.FStockID, b.FStockPlaceID"),
            {m_process});
        PlainRow row;
        if (n >= rs.RecordCount())
            return row;
        rs.setPosition(n);
        row.options =
            QStringList{QStringLiteral("--item"), rs.text(u"FItem"), QStringLiteral("--stock"), rs.text(u"FStock")};
        if (!rs.text(u"FPlace").isEmpty())
            row.options << QStringLiteral("--place") << rs.text(u"FPlace");
        row.key.processId = m_process;
        row.key.itemId = rs.integer(u"FItemID");
        row.key.unitId = rs.integer(u"FUnitID");
        row.key.stockId = rs.integer(u"FStockID");
        row.key.stockPlaceId = rs.integer(u"FStockPlaceID");
        return row;
    }

    static QString keyText(const CountRowKey &k)
    {
        return QStringLiteral("%1/%2/%3/%4/%5/%6/%7/%8/%9")
            .arg(k.itemId)
            .arg(k.auxPropId)
            .arg(k.unitId)
            .arg(k.batchNo, k.mtoNo, k.kfDate)
            .arg(k.kfPeriod)
            .arg(k.stockId)
            .arg(k.stockPlaceId);
    }

    // The rows whose counted figures are not the replay of their entries.
    QStringList mismatches()
    {
        QHash<QString, QList<CountJournalEntry>> byRow;
        for (const CountJournalEntry &e : CountJournal::processEntries(conn(), m_process))
            byRow[keyText(e.key)] << e;
        QStringList out;
        Recordset rs = conn().Execute(
            QStringLiteral(
                "SELECT FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod, FStockID,"
                " FStockPlaceID, FAuxCheckQty, FCheckQty, FSecCheckQty, FQty FROM ICInvBackup WHERE FInterID = ?"),
            {m_process});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const CountRowKey k = CountRowKey::fromRecord(rs, m_process);
            const CountFigures row{rs.number(u"FAuxCheckQty"), rs.number(u"FCheckQty"), rs.number(u"FSecCheckQty")};
            const auto entries = byRow.constFind(keyText(k));
            if (entries == byRow.constEnd()) {
                // a row without entries is as the snapshot left it: counted nothing or its book
                if (row.baseQty != 0 && row.baseQty != rs.number(u"FQty"))
                    out << keyText(k) + QStringLiteral(": counted %1 without an entry").arg(row.baseQty);
                continue;
            }
            const CountFigures replayed = CountJournal::replay(*entries);
            if (!replayed.sameAs(row))
                out << QStringLiteral("%1: row %2/%3/%4, replay %5/%6/%7")
                           .arg(keyText(k))
                           .arg(row.unitQty)
                           .arg(row.baseQty)
                           .arg(row.secQty)
                           .arg(replayed.unitQty)
                           .arg(replayed.baseQty)
                           .arg(replayed.secQty);
        }
        return out;
    }

    void saveFromSheet()
    {
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        QCOMPARE(sheet.currentProcess(), m_process);
        for (int r = 1; r <= 12; ++r) {
            sheet.enterCell(r, CheckQty);
            sheet.editCell(r, CheckQty, QString::number(r));
        }
        sheet.run(QStringLiteral("Save")); // a row the rules refuse is listed, the others saved
    }

    // A row with a document after the snapshot gets it folded in.
    void foldInDocuments()
    {
        QCOMPARE(cli(QStringLiteral("post"), {QStringLiteral("--documents"), QStringLiteral("30"),
                                              QStringLiteral("--seed"), QStringLiteral("7")})
                     .exitCode,
                 0);
        const QString withDocuments = QStringLiteral(
            "EXISTS (SELECT 1 FROM ICStockBillEntry e WHERE e.FItemID = b.FItemID AND e.FDCStockID = b.FStockID"
            " AND e.FDCSPID = b.FStockPlaceID AND e.FInterID > b.FMaxBillInterID)");
        for (int n = 0; n < 5; ++n) {
            const PlainRow row = plainRow(withDocuments, n);
            QVERIFY(!row.options.isEmpty());
            const ProgramRun list = cli(QStringLiteral("reconcile"), row.options + QStringList{"--list"});
            QCOMPARE(list.exitCode, 0);
            if (list.out.isEmpty())
                continue;
            const QString id = list.out.section(QLatin1Char('\t'), 0, 0);
            const ProgramRun mark = cli(QStringLiteral("reconcile"), row.options + QStringList{"--mark", id});
            QVERIFY2(mark.exitCode == 0, qPrintable(mark.err));
            return;
        }
        QFAIL("no row with documents after the snapshot");
    }

    void importFile()
    {
        const QString exported = m_settingsDir.filePath(QStringLiteral("count.csv"));
        QCOMPARE(cli(QStringLiteral("export"), {"--mode", "4", "--out", exported}).exitCode, 0);
        QFile in(exported);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList head = lines.first().split(QLatin1Char(','));
        const qsizetype counted = head.indexOf(QStringLiteral("盘点数量"));
        const qsizetype base = head.indexOf(QStringLiteral("基本单位盘点数量"));
        QVERIFY(counted > 0 && base > 0);
        QStringList file{lines.first()};
        for (qsizetype i = lines.size() - 1; i > 0 && file.size() < 4; --i) {
            if (lines.at(i).contains(QLatin1Char('"')))
                continue;
            QStringList cells = lines.at(i).split(QLatin1Char(','));
            cells[counted] = QStringLiteral("2");
            cells[base].clear();
            file << cells.join(QLatin1Char(','));
        }
        const QString path = m_settingsDir.filePath(QStringLiteral("counted.csv"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.join(QLatin1Char('\n')).toUtf8());
        out.close();
        const ProgramRun run = cli(QStringLiteral("import"), {path});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    }

    void openCount()
    {
        m_process = 0;
        const ProgramRun snapshot = cli(QStringLiteral("snapshot"), {"--stocks", "1025,1027"});
        QVERIFY2(snapshot.exitCode == 0, qPrintable(snapshot.err));
        m_process = snapshot.out.section(QLatin1Char('\t'), 0, 0).toInt();
        QVERIFY(m_process > 0);
    }

    double countedNow(const CountRowKey &key)
    {
        const SqlFragment sql =
            SqlFragment(QStringLiteral("SELECT FAuxCheckQty FROM ICInvBackup WHERE")) + key.whereClause();
        return conn().Execute(sql.sql, sql.binds).number(u"FAuxCheckQty");
    }

private slots:
    void everyWriterReplays()
    {
        openCount();

        saveFromSheet();
        const PlainRow set = plainRow(QStringLiteral("1 = 1"), 20), add = plainRow(QStringLiteral("1 = 1"), 21);
        QCOMPARE(cli(QStringLiteral("count"), set.options + QStringList{"--qty", "7"}).exitCode, 0);
        QCOMPARE(cli(QStringLiteral("count"), add.options + QStringList{"--qty", "3", "--add"}).exitCode, 0);
        QCOMPARE(cli(QStringLiteral("count"), set.options + QStringList{"--qty", "2", "--add"}).exitCode, 0);
        for (int n : {1, 4}) // the first sheet rows again: added to what the sheet saved
            QVERIFY(
                CountEntryService::add(conn(), plainRow(QStringLiteral("1 = 1"), n).key, 5, CountSource::scanner, 16394)
                    .ok());
        QVERIFY(CountEntryService::undoLastAdd(conn(), m_process, 16394, CountSource::scanner).ok());
        foldInDocuments();
        const QString itemWithoutRow =
            conn()
                .Execute(QStringLiteral("SELECT MIN(FNumber) AS n FROM t_ICItem t WHERE t.FBatchManager = 0"
                                        " AND t.FISKFPeriod = 0 AND t.FAuxClassID = 0 AND t.FDeleted = 0"
                                        " AND NOT EXISTS (SELECT 1 FROM ICInvBackup b WHERE b.FItemID ="
                                        " t.FItemID)"))
                .text(u"n");
        const ProgramRun added = cli(QStringLiteral("add-item"), {"--item", itemWithoutRow, "--stock", "01.01",
                                                                  "--place", "A01", "--qty", "4", "--yes"});
        QVERIFY2(added.exitCode == 0, qPrintable(added.err));
        importFile();
        QCOMPARE(cli(QStringLiteral("retail-demo"), {}).exitCode, 0);
        QCOMPARE(cli(QStringLiteral("retail-results"), {}).exitCode, 0);

        QSet<int> kinds;
        for (const CountJournalEntry &e : CountJournal::processEntries(conn(), m_process))
            kinds.insert(int(e.kind));
        for (CountEntryKind k : {CountEntryKind::Start, CountEntryKind::Set, CountEntryKind::Add, CountEntryKind::Undo,
                                 CountEntryKind::Import, CountEntryKind::AddedItem, CountEntryKind::RetailResult,
                                 CountEntryKind::Documents})
            QVERIFY2(kinds.contains(int(k)), qPrintable(CountJournal::kindText(k)));
        const QStringList wrong = mismatches();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));

        // the history of a row as the command line lists it
        const ProgramRun history = cli(QStringLiteral("history"), set.options);
        QCOMPARE(history.exitCode, 0);
        const QStringList lines = history.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines.at(0).section(QLatin1Char('\t'), 3, 4), QStringLiteral("录入\t命令行"));
        QCOMPARE(lines.at(1).section(QLatin1Char('\t'), 3, 4), QStringLiteral("累加\t命令行"));
    }

    void saveOverAnotherEntry_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<double>("stored"); // in the row's unit, after the other's 5 and our 9
        QTest::addColumn<bool>("stillChanged");
        QTest::addColumn<QString>("adjust"); // an adjustment typed on the row with the count
        QTest::addRow("keep ours") << int(HostUi::Answer::Yes) << 9.0 << false << QString();
        QTest::addRow("take theirs") << int(HostUi::Answer::No) << 5.0 << false << QString();
        QTest::addRow("take theirs, keep the adjustment")
            << int(HostUi::Answer::No) << 5.0 << false << QStringLiteral("1");
        QTest::addRow("save nothing") << int(HostUi::Answer::Cancel) << 5.0 << true << QString();
    }
    // Somebody adds to a row after the sheet read it; saving the sheet's own
    // figure for that row asks first and shows the other entry, also after a save
    // of other rows (which does not take that change for seen).
    void saveOverAnotherEntry()
    {
        QFETCH(int, answer);
        QFETCH(double, stored);
        QFETCH(bool, stillChanged);
        QFETCH(QString, adjust);
        openCount();
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        const int row = 3;
        const CountRowKey key = CountRowValues::fromGrid(sheet.entryGrid(), row).key(m_process);
        QCOMPARE(countedNow(key), 0.0);

        AppConnection other;
        QString error;
        QVERIFY2(other.open(m_db->url(), &error), qPrintable(error));
        QVERIFY(CountEntryService::add(other, key, 5, CountSource::device(QStringLiteral("hh2")), 16394).ok());

        sheet.enterCell(row + 1, CheckQty);
        QVERIFY(sheet.editCell(row + 1, CheckQty, QStringLiteral("1"))); // nobody else touched this one
        sheet.run(QStringLiteral("Save"));
        QCOMPARE(m_ui.questions.size(), 0);

        sheet.enterCell(row, CheckQty);
        QVERIFY(sheet.editCell(row, CheckQty, QStringLiteral("9")));
        if (!adjust.isEmpty()) {
            sheet.enterCell(row, AdjQty);
            QVERIFY(sheet.editCell(row, AdjQty, adjust));
        }
        sheet.enterCell(row + 1, CheckQty);
        QVERIFY(sheet.editCell(row + 1, CheckQty, QStringLiteral("2")));
        m_ui.answers << HostUi::Answer(answer);
        sheet.run(QStringLiteral("Save"));
        QCOMPARE(m_ui.questions.size(), 1);
        QVERIFY2(m_ui.questions.first().contains(QStringLiteral("手持终端 hh2")), qPrintable(m_ui.questions.first()));
        QCOMPARE(countedNow(key), stored);
        QCOMPARE(sheet.entryGrid().number(row, CheckQty), answer == int(HostUi::Answer::Yes)  ? 9.0
                                                          : answer == int(HostUi::Answer::No) ? 5.0
                                                                                              : 9.0);
        QCOMPARE(sheet.entryGrid().isChanged(row), stillChanged);
        QCOMPARE(sheet.entryGrid().isChanged(row + 1), stillChanged);
        if (!adjust.isEmpty()) { // saved with their count, not dropped
            SqlFragment adjusted =
                SqlFragment(QStringLiteral("SELECT FAdjQty FROM ICInvBackup WHERE")) + key.whereClause();
            QCOMPARE(conn().Execute(adjusted.sql, adjusted.binds).number(u"FAdjQty"), adjust.toDouble());
        }

        // once saved, the sheet's own entries are no news to it
        if (!stillChanged) {
            sheet.enterCell(row, CheckQty);
            QVERIFY(sheet.editCell(row, CheckQty, QStringLiteral("11")));
            sheet.run(QStringLiteral("Save"));
            QCOMPARE(m_ui.questions.size(), 1);
            QCOMPARE(countedNow(key), 11.0);
        }
        const std::optional<CountFigures> replayed = CountJournal::replayRow(conn(), key);
        QVERIFY(replayed);
        QCOMPARE(replayed->unitQty, countedNow(key));

        // "盘点记录" of the row, in mode 4 and in mode 1: the start, the other's add, ours
        sheet.enterCell(row, CheckQty);
        QVERIFY(sheet.run(QStringLiteral("mnuVHistory")));
        QCOMPARE(m_ui.lists.size(), 1);
        const QList<QStringList> entryRows = m_ui.lists.last().rows;
        QCOMPARE(m_ui.lists.last().caption, QStringLiteral("盘点记录"));
        QCOMPARE(entryRows.at(1).mid(2, 4), (QStringList{"累加", "手持终端 hh2", "+5.00", "5.00"}));
        // taking theirs with an adjustment of ours saves the row with their count: one entry more
        QCOMPARE(entryRows.size(), answer == int(HostUi::Answer::Cancel)                     ? 2
                                   : answer == int(HostUi::Answer::Yes) || !adjust.isEmpty() ? 4
                                                                                             : 3);
        CountSheet ledger(SheetMode::Check);
        ledger.open();
        const Recordset &rows = ledger.model().rows();
        for (int r = 0; r < rows.RecordCount(); ++r)
            if (rows.value(r, u"FItemID").toInt() == key.itemId && rows.value(r, u"FStockID").toInt() == key.stockId &&
                rows.value(r, u"FStockPlaceID").toInt() == key.stockPlaceId &&
                rows.value(r, u"FBatchNo").toString() == key.batchNo &&
                rows.value(r, u"FAuxPropID").toInt() == key.auxPropId)
                ledger.setLedgerRow(r);
        QVERIFY(ledger.run(QStringLiteral("mnuVHistory")));
        QCOMPARE(m_ui.lists.size(), 2);
        QCOMPARE(m_ui.lists.last().rows, entryRows);
    }
};

STOCKCHECK_TEST(TestCountJournal)
#include "tst_countjournal.moc"
