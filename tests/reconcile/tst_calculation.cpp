#include "reconcilefixture.h"
#include "testmain.h"

#include <QSignalSpy>

// Marking whole documents and "计算": the signed totals, the reservations, the
// negative-stock refusal, and the reservations written with the row or not at all.
class TestCalculation : public ReconcileFixture
{
    Q_OBJECT

    // A row writer as the count sheet's: the row's new difference on the same connection.
    SelectLogic::RowWriter rowWriter(QList<std::pair<double, double>> *calls)
    {
        return [this, calls](double base, double sec, QString *) {
            calls->append({base, sec});
            return conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FQtyAct = FCheckQty + ?, FSecQtyAct = ? "
                                              "WHERE FInterID = ?"),
                               {base, sec, process});
        };
    }

    QString rowFigures()
    {
        const Recordset rs =
            conn().Execute(QStringLiteral("SELECT FQtyAct, FSecQtyAct FROM ICInvBackup WHERE FInterID = ?"), {process});
        return QStringLiteral("%1/%2").arg(rs.number(u"FQtyAct")).arg(rs.number(u"FSecQtyAct"));
    }

private slots:
    void clickMarksTheWholeDocument()
    {
        m_f->document(1, {line(1), line(2), line(3)}, {.date = cutDate.addDays(1), .billNo = "THREE"});
        m_f->document(1, {line(4)}, {.date = cutDate.addDays(1), .billNo = "TWO"}); // after THREE by number
        auto l = logic();
        l->open();
        QCOMPARE(l->rowCount(), 4);
        QVERIFY(!l->click(1, SelectCol::Date)); // only the mark column counts
        QVERIFY(l->click(1, SelectCol::Mark));
        QStringList marks;
        for (int i = 0; i < l->rowCount(); ++i)
            marks << l->text(i, SelectCol::Mark) + l->text(i, SelectCol::Changed);
        QCOMPARE(marks.join(QLatin1Char(',')), QStringLiteral("Y1,Y1,Y1,"));
        l->click(2, SelectCol::Mark);
        QCOMPARE(l->text(0, SelectCol::Mark), QString());
    }

    // Inflows lower the difference, outflows raise it; marked entries are reserved
    // for this count, the rest stay free.
    void totalsAndReservations()
    {
        const int receipt = m_f->document(1, {line(10)}, {.date = cutDate.addDays(1)});
        const int requisition = m_f->document(24, {line(4)}, {.date = cutDate.addDays(2)});
        const int sale = m_f->document(21, {line(7)}, {.date = cutDate.addDays(3)});
        addProcess(1, 0, 0);
        auto l = logic();
        QList<std::pair<double, double>> calls;
        l->setRowWriter(rowWriter(&calls));
        l->open();
        QSignalSpy raised(l.get(), &SelectLogic::CalFactQty);
        QVERIFY(l->setMarked({receipt, requisition}, true));
        l->mnuVCalulate();
        QCOMPARE(raised.size(), 1);
        QVERIFY(l->CalcateOK());
        QCOMPARE(l->baseTotal(), -6.0);
        QCOMPARE(l->secTotal(), -3.0);
        QCOMPARE(calls.size(), 1);
        QCOMPARE(reservations(), QStringLiteral("%1.1:1 %2.1:1 %3.1:0").arg(receipt).arg(requisition).arg(sale));
        QCOMPARE(rowFigures(), QStringLiteral("12/-3"));

        // listed again marked; unmarking and calculating releases and leaves it out
        auto again = logic();
        again->setRowWriter(rowWriter(&calls));
        again->open();
        QCOMPARE(again->text(0, SelectCol::Mark), QStringLiteral("Y"));
        again->click(0, SelectCol::Mark);
        again->mnuVCalulate();
        QVERIFY(again->CalcateOK());
        QCOMPARE(again->baseTotal(), 4.0);
        QCOMPARE(reservations(), QStringLiteral("%1.1:0 %2.1:1 %3.1:0").arg(receipt).arg(requisition).arg(sale));
    }

    // Book -5, counted 0 and a marked inflow of 10: 0 - 10 < -5 is refused, nothing written.
    void negativeStockRefused_data()
    {
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("inflow");
        QTest::addColumn<bool>("refused");
        QTest::addRow("below a negative book") << -5.0 << 10.0 << true;
        QTest::addRow("down to a negative book") << -5.0 << 5.0 << false;
        QTest::addRow("positive book") << 5.0 << 10.0 << false;
    }
    void negativeStockRefused()
    {
        QFETCH(double, book);
        QFETCH(double, inflow);
        QFETCH(bool, refused);
        const int receipt = m_f->document(1, {line(inflow)}, {.date = cutDate.addDays(1)});
        auto l = logic();
        l->setContext(rowContext(book, 0));
        QList<std::pair<double, double>> calls;
        l->setRowWriter(rowWriter(&calls));
        l->open();
        l->click(0, SelectCol::Mark);
        QSignalSpy raised(l.get(), &SelectLogic::CalFactQty);
        l->mnuVCalulate();
        QCOMPARE(raised.size(), 1); // raised either way
        QCOMPARE(l->CalcateOK(), !refused);
        QCOMPARE(m_ui.messageTexts(),
                 refused ? QStringList{QStringLiteral("不允许账存数量为负且实存数量小于账存数量，计算失败！")}
                         : QStringList());
        QCOMPARE(calls.size(), refused ? 0 : 1);
        QCOMPARE(reservations(), QStringLiteral("%1.1:%2").arg(receipt).arg(refused ? 0 : process));
    }

    // A failure after the reservations (the row's statement, the row refused by the
    // writer, an entry another count took meanwhile) leaves neither written.
    void allOrNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addRow("row statement fails") << "statement";
        QTest::addRow("row refused") << "refused";
        QTest::addRow("taken by another count meanwhile") << "taken";
    }
    void allOrNothing()
    {
        QFETCH(QString, fault);
        const int first = m_f->document(1, {line(10)}, {.date = cutDate.addDays(1)});
        const int second = m_f->document(1, {line(3)}, {.date = cutDate.addDays(2)});
        addProcess(1, 0, 0);
        const QString before = rowFigures();
        auto l = logic();
        QList<std::pair<double, double>> calls;
        l->setRowWriter(fault == QLatin1String("refused")
                            ? SelectLogic::RowWriter([](double, double, QString *) { return false; })
                            : rowWriter(&calls));
        l->open();
        l->click(0, SelectCol::Mark);
        l->click(1, SelectCol::Mark);
        if (fault == QLatin1String("statement"))
            conn().setStatementHook([](const QString &sql, const QVariantList &) {
                return sql.contains(QLatin1String("UPDATE ICInvBackup")) ? QStringLiteral("disk full") : QString();
            });
        if (fault == QLatin1String("taken"))
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockBillEntry SET FSelectedProcID = ? "
                                                           "WHERE FInterID = ?"),
                                            {otherProcess, second}));
        l->mnuVCalulate();
        conn().setStatementHook({});
        QVERIFY(!l->CalcateOK());
        QCOMPARE(m_ui.messages.size(), 1);
        QCOMPARE(reservations(), QStringLiteral("%1.1:0 %2.1:%3")
                                     .arg(first)
                                     .arg(second)
                                     .arg(fault == QLatin1String("taken") ? otherProcess : 0));
        QCOMPARE(rowFigures(), before);
        QVERIFY(!conn().inTransaction());
    }

    // What a person set in the window is there the next time it opens.
    void viewSettingsKept()
    {
        auto l = logic();
        l->open();
        QVERIFY(l->showToolBar() && l->showStatusBar());
        l->mnuVToolBar();
        l->setColumnWidth(6, 1500);
        l->saveSettings();
        auto next = logic();
        next->open();
        QVERIFY(!next->showToolBar());
        QVERIFY(next->showStatusBar());
        QCOMPARE(next->columnWidth(6), 1500);
    }
};

STOCKCHECK_TEST(TestCalculation)
#include "tst_calculation.moc"
