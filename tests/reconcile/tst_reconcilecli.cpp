#include "reconcilefixture.h"
#include "testmain.h"

#include "erp/laterpostings.h"

#include <QProcess>

// stockcheck-cli post and reconcile as scripts run them: results on stdout, the
// message a person would see on stderr, exit 0 done, 1 refused, 2 wrong arguments.
class TestReconcileCli : public ReconcileFixture
{
    Q_OBJECT

    struct Output
    {
        int exitCode = -1;
        QString out, err;
    };

    Output run(const QStringList &args, const QString &url = {})
    {
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI),
                QStringList{args.first(), QStringLiteral("--db"), url.isEmpty() ? m_db->url() : url,
                            QStringLiteral("--user"), QStringLiteral("16394")} +
                    args.mid(1));
        if (!p.waitForFinished(120000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    Output reconcile(const QStringList &more)
    {
        return run(
            QStringLiteral("reconcile --process 1 --item 001 --stock 01 --place A1 --batch B1 --mto M1").split(u' ') +
            more);
    }

    // The count row carries an MTO number: the sheet shows it in MTO planning mode.
    void demoUser()
    {
        m_f->user(QStringLiteral("demo"), {}, 16394);
        m_f->systemParam(QStringLiteral("IC"), QStringLiteral("EnableMtoPlanMode"), QStringLiteral("1"));
    }

    double currentStock()
    {
        return conn().Execute(QStringLiteral("SELECT COALESCE(SUM(FQty), 0) AS q FROM ICInventory")).number(u"q");
    }

private slots:
    void listMarkUnmark()
    {
        demoUser();
        addProcess(1, 0, 0, 20, 18);
        const int receipt = m_f->document(1, {line(10), line(2)}, {.date = cutDate.addDays(1), .billNo = "WIN1"});
        const int requisition = m_f->document(24, {line(4)}, {.date = cutDate.addDays(2), .billNo = "SOUT1"});
        const QString r = QString::number(receipt), q = QString::number(requisition);

        Output o = reconcile({QStringLiteral("--list")});
        QCOMPARE(o.err, QString());
        QCOMPARE(o.exitCode, 0);
        const QStringList lines = o.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(
            lines.first(),
            r + QStringLiteral("\t\t2026/03/11\t外购入库\tWIN1\t一号架\t001\t轴承\t\t\tB1\tM1\t\t0\t个\t10\t箱\t5"));

        o = reconcile({QStringLiteral("--mark"), r + QLatin1Char(',') + q});
        QCOMPARE(o.err, QString());
        QCOMPARE(o.out, QStringLiteral("FDiffQty\t-8\nFSecDiffQty\t-4\n"));
        QCOMPARE(reservations(), QStringLiteral("%1.1:1 %1.2:1 %2.1:1").arg(receipt).arg(requisition));
        const Recordset row = conn().Execute(QStringLiteral("SELECT FQtyAct, FCheckQty FROM ICInvBackup"));
        QCOMPARE(row.number(u"FQtyAct"), 10.0);
        QCOMPARE(row.number(u"FCheckQty"), 18.0);

        o = reconcile({QStringLiteral("--unmark"), r});
        QCOMPARE(o.out, QStringLiteral("FDiffQty\t4\nFSecDiffQty\t2\n"));
        QCOMPARE(reservations(), QStringLiteral("%1.1:0 %1.2:0 %2.1:1").arg(receipt).arg(requisition));
        o = reconcile({QStringLiteral("--list")});
        QVERIFY2(o.out.contains(q + QStringLiteral("\tY\t")), qPrintable(o.out));

        o = reconcile({QStringLiteral("--mark"), QStringLiteral("999")});
        QCOMPARE(o.exitCode, 1);
        QVERIFY2(o.err.contains(QStringLiteral("999")), qPrintable(o.err));
        QCOMPARE(reconcile({}).exitCode, 2);
    }

    // The same seed posts the same documents (tried inside a transaction that is
    // rolled back); each moves the current stock by its quantities, and the count
    // row lists those on its line.
    QString postedOnce(quint64 seed)
    {
        Transaction tx(conn());
        QString error;
        const auto posted = erp::postLaterDocuments(
            conn(), {.documents = 12, .date = QDate(2026, 3, 12), .seed = seed, .userId = 16394, .mtoPlanMode = true},
            &error);
        if (!posted)
            return error;
        Recordset rs = conn().Execute(QStringLiteral("SELECT FInterID, FEntryID, FItemID, FQty, FDCStockID, FSCStockID "
                                                     "FROM ICStockBillEntry ORDER BY FInterID, FEntryID"));
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << QStringList{rs.text(u"FInterID"),   rs.text(u"FEntryID"),
                               rs.text(u"FItemID"),    QString::number(rs.number(u"FQty")),
                               rs.text(u"FDCStockID"), rs.text(u"FSCStockID")}
                       .join(QLatin1Char(':'));
        return out.join(QLatin1Char(' '));
    }

    void post()
    {
        demoUser();
        m_f->currentStock(m_item, m_stock, m_place, 100, {.batch = "B1", .mto = "M1"});
        addProcess(1, 0, 0);
        QCOMPARE(postedOnce(5), postedOnce(5));
        QVERIFY(postedOnce(5) != postedOnce(6));

        const double before = currentStock();
        const Output first =
            run({QStringLiteral("post"), QStringLiteral("--documents"), QStringLiteral("12"), QStringLiteral("--seed"),
                 QStringLiteral("5"), QStringLiteral("--date"), QStringLiteral("2026-03-12")});
        QCOMPARE(first.err, QString());
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(first.out.count(QLatin1Char('\n')), 12);
        // receipts add, issues and requisitions take away, transfers move within the stocks
        const Recordset moved =
            conn().Execute(QStringLiteral("SELECT COALESCE(SUM(CASE WHEN b.FTranType IN (1, 2, 5, 10, 40) THEN e.FQty "
                                          "WHEN b.FTranType IN (21, 24, 28, 29, 43) THEN -e.FQty ELSE 0 END), 0) AS q "
                                          "FROM ICStockBill b JOIN ICStockBillEntry e ON e.FInterID = b.FInterID"));
        QCOMPARE(currentStock(), before + moved.number(u"q"));
        const Output listed = reconcile({QStringLiteral("--list")});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out.count(QLatin1Char('\n')),
                 conn()
                     .Execute(QStringLiteral("SELECT (SELECT COUNT(*) FROM ICStockBillEntry) + "
                                             "(SELECT COUNT(*) FROM t_MTOChangeEntry) AS n"))
                     .integer(u"n"));
        QCOMPARE(run({QStringLiteral("post"), QStringLiteral("--documents"), QStringLiteral("0")}).exitCode, 2);
    }
};

STOCKCHECK_TEST(TestReconcileCli)
#include "tst_reconcilecli.moc"
