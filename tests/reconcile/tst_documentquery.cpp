#include "reconcilefixture.h"
#include "testmain.h"

#include "reconcile/documentquery.h"

// Which documents a count row lists: the later ones by date or by id as the
// process was snapshot, only on its exact stock line, only audited and free (or
// its own), the MTO changes only in MTO planning mode.
class TestDocumentQuery : public ReconcileFixture
{
    Q_OBJECT

    // "bill:direction:mark" of every listed entry, in the listed order.
    static QString listed(const SelectLogic &l)
    {
        QStringList out;
        for (int i = 0; i < l.rowCount(); ++i) {
            // every row carries the counted row's names, whichever came back first
            if (l.entry(i).itemName.isEmpty() || l.entry(i).itemNumber.isEmpty() || l.entry(i).unit.isEmpty())
                return QStringLiteral("row %1 without names").arg(i);
            out << QStringLiteral("%1:%2%3").arg(l.entry(i).billNo,
                                                 l.entry(i).inflow ? QStringLiteral("in") : QStringLiteral("out"),
                                                 l.entry(i).marked ? QStringLiteral(":Y") : QString());
        }
        return out.join(QLatin1Char(' '));
    }

    int doc(int type, const factory::Entry &e, const QDate &date, const QString &bill, factory::Header h = {})
    {
        h.date = date;
        h.billNo = bill;
        return m_f->document(type, {e}, h);
    }

private slots:
    // Documents 1 and 2 existed at the snapshot; 3 was posted later but dated
    // before the cut-off, 2 was dated after it although it existed.
    void laterDocuments_data()
    {
        QTest::addColumn<int>("backupType");
        QTest::addColumn<QString>("expected");
        QTest::addRow("current stock: by id") << 1 << "D3:in D5:in D4:in";
        QTest::addRow("cut-off date: by date") << 2 << "D4:in D2:in";
    }
    void laterDocuments()
    {
        QFETCH(int, backupType);
        QFETCH(QString, expected);
        doc(1, line(1), cutDate.addDays(-1), QStringLiteral("D1"));
        doc(1, line(2), cutDate.addDays(2), QStringLiteral("D2"));
        doc(1, line(3), cutDate.addDays(-5), QStringLiteral("D3"));
        doc(1, line(4), cutDate.addDays(1), QStringLiteral("D4"));
        doc(1, line(5), cutDate, QStringLiteral("D5")); // on the cut-off day: in the snapshot
        auto l = logic(backupType, 2);
        l->open();
        QCOMPARE(listed(*l), expected);
    }

    // One document per row, varied from the counted line in one respect.
    void stockLine_data()
    {
        QTest::addColumn<QString>("vary");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected"); // empty: not listed
        const QList<std::tuple<const char *, const char *, int, const char *>> rows{
            {"purchase receipt", "", 1, "X:in"},
            {"sales issue", "", 21, "X:out"},
            {"transfer into the place", "from other stock", 41, "X:in"},
            {"transfer out of the place", "to other stock", 41, "X:out"},
            {"transfer within the place: in and out", "within the place", 41, "X:in X:out"},
            {"transfer out, the place only on the receiving side", "to other stock, receiving place", 41, ""},
            {"requisition: its place is on the receiving side", "issuing place elsewhere", 24, "X:out"},
            {"requisition, the place only on the issuing side", "receiving place elsewhere", 24, ""},
            {"virtual receipt is another ledger", "", 6, ""},
            {"other batch", "batch", 1, ""},
            {"other MTO number", "mto", 1, ""},
            {"other place", "place", 1, ""},
            {"other stock", "stock", 1, ""},
            {"other item", "item", 1, ""},
            {"other auxiliary property", "aux", 1, ""},
            {"other shelf life", "period", 1, ""},
            {"not audited", "unaudited", 1, ""},
            {"posted on save", "upstock", 1, "X:in"},
            {"cancelled", "cancelled", 1, ""},
            {"reserved by another count", "other process", 1, ""},
            {"reserved by this count", "this process", 1, "X:in:Y"},
        };
        for (const auto &[name, vary, type, expected] : rows)
            QTest::newRow(name) << QString::fromUtf8(vary) << type << QString::fromUtf8(expected);
    }
    void stockLine()
    {
        QFETCH(int, type);
        QFETCH(QString, vary);
        QFETCH(QString, expected);
        factory::Entry e = line(3);
        factory::Header h;
        if (vary == QLatin1String("from other stock"))
            e.fromStock = m_stock2;
        if (vary == QLatin1String("to other stock")) {
            e.fromStock = m_stock, e.fromPlace = m_place;
            e.stock = m_stock2, e.place = 0;
        }
        if (vary == QLatin1String("within the place"))
            e.fromStock = m_stock, e.fromPlace = m_place;
        if (vary == QLatin1String("to other stock, receiving place")) {
            e.fromStock = m_stock, e.fromPlace = m_place2;
            e.stock = m_stock2, e.place = m_place;
        }
        if (vary == QLatin1String("batch"))
            e.batch = QStringLiteral("B2");
        if (vary == QLatin1String("mto"))
            e.mto = QStringLiteral("M2");
        if (vary == QLatin1String("place"))
            e.place = m_place2;
        if (vary == QLatin1String("stock"))
            e.stock = m_stock2;
        if (vary == QLatin1String("item"))
            e.item = m_other;
        if (vary == QLatin1String("aux"))
            e.auxId = m_aux;
        if (vary == QLatin1String("period"))
            e.kfPeriod = 30;
        h.audited = vary != QLatin1String("unaudited") && vary != QLatin1String("upstock");
        h.upStockWhenSave = vary == QLatin1String("upstock");
        h.cancelled = vary == QLatin1String("cancelled");
        const int id = doc(type, e, cutDate.addDays(1), QStringLiteral("X"), h);
        if (vary.endsWith(QLatin1String("place elsewhere")))
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockBillEntry SET %1 = ? WHERE FInterID = ?")
                                                .arg(vary.startsWith(QLatin1String("issuing")) ? "FSCSPID" : "FDCSPID"),
                                            {m_place2, id}));
        const int owner = vary == QLatin1String("other process")  ? otherProcess
                          : vary == QLatin1String("this process") ? process
                                                                  : 0;
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICStockBillEntry SET FSelectedProcID = ? "
                                                       "WHERE FInterID = ?"),
                                        {owner, id}));
        auto l = logic();
        l->open();
        QCOMPARE(listed(*l), expected);
        QCOMPARE(m_ui.messageTexts().join(QLatin1Char('\n')), QString());
    }

    // A row without a production date takes the entries without one (NULL or
    // empty); a dated row those of its day.
    void productionDate()
    {
        doc(1, line(1), cutDate.addDays(1), QStringLiteral("NONE"));
        factory::Entry dated = line(2);
        dated.kfDate = QStringLiteral("2026-01-05");
        doc(1, dated, cutDate.addDays(1), QStringLiteral("DATED"));
        auto l = logic();
        l->open();
        QCOMPARE(listed(*l), QStringLiteral("NONE:in"));
        SelectContext c = rowContext();
        c.kfDate = QStringLiteral("2026-01-05");
        l->setContext(c);
        l->GetRSSelect();
        QCOMPARE(listed(*l), QStringLiteral("DATED:in"));
    }

    // MTO changes into and out of the counted MTO number, in planning mode only.
    void mtoChanges_data()
    {
        QTest::addColumn<bool>("planMode");
        QTest::addColumn<QString>("expected");
        QTest::addRow("planning mode") << true << "IN:in OUT:out";
        QTest::addRow("no planning mode") << false << "";
    }
    void mtoChanges()
    {
        QFETCH(bool, planMode);
        QFETCH(QString, expected);
        factory::Entry into = line(2);
        into.mto = QStringLiteral("M0");
        m_f->mtoChange(into, QStringLiteral("M1"), {.date = cutDate.addDays(1), .billNo = "IN"});
        m_f->mtoChange(line(1), QStringLiteral("M9"), {.date = cutDate.addDays(2), .billNo = "OUT"});
        factory::Entry elsewhere = line(1);
        elsewhere.mto = QStringLiteral("M7");
        m_f->mtoChange(elsewhere, QStringLiteral("M8"), {.date = cutDate.addDays(2), .billNo = "NOT"});
        auto l = logic(1, 0, 0, planMode);
        l->open();
        QCOMPARE(listed(*l), expected);
        QCOMPARE(l->isColumnHidden(SelectCol::MtoNo), !planMode);
        if (planMode) {
            QCOMPARE(l->text(0, SelectCol::TypeName), QStringLiteral("计划跟踪号调整单"));
            QCOMPARE(l->text(0, SelectCol::TranTypeID), QStringLiteral("1107011"));
        }
    }

    // The columns a person sees, as the grid shows them.
    void columns()
    {
        factory::Entry e = line(1234);
        e.secQty = 617;
        doc(1, e, QDate(2026, 3, 12), QStringLiteral("WIN-1"));
        auto l = logic();
        SelectContext c = rowContext();
        c.decimals = 2;
        l->setContext(c);
        l->open();
        QCOMPARE(l->rowCount(), 1);
        QStringList cells;
        for (int col = 1; col <= SelectCol::Count; ++col)
            if (!l->isColumnHidden(col))
                cells << l->text(0, col);
        QCOMPARE(cells.join(QLatin1Char('|')),
                 QStringLiteral("|2026/03/12|外购入库|WIN-1|一号架|R.001|轴承|||B1||0|个|1,234.00|箱|617.00"));
        QCOMPARE(l->statusText(SelectLogic::ItemPanel), QStringLiteral("与物料R.001相关的单据"));
    }

    void missingProcessInfo()
    {
        auto l = logic();
        l->setDicupInfo({});
        l->open();
        QCOMPARE(l->rowCount(), 0);
        QCOMPARE(m_ui.messageTexts(), QStringList{QStringLiteral("没有设置盘点方案信息!")});
        QVERIFY(!l->isCalculateEnabled());
    }
};

STOCKCHECK_TEST(TestDocumentQuery)
#include "tst_documentquery.moc"
