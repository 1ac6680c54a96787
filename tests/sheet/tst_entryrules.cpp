#include "sheet/barcodesearch.h"
#include "sheet/countsaver.h"
#include "sheet/entryrules.h"
#include "testmain.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTest>

using namespace EntryCol;

// The rules of the entry grid without a window or a database: what an edit
// recomputes in its row, the marks and totals, leaving a blank cell, the keys,
// the barcode search, and the row check of saving.
class TestEntryRules : public QObject
{
    Q_OBJECT

    // Cells by their column name, as in EntryCol: "Coefficient=12 DiffQty=2".
    static int column(const QString &name)
    {
        static const QHash<QString, int> columns = {
#define COLUMN(c) {QStringLiteral(#c), c}
            COLUMN(BaseActualQty), COLUMN(BaseCheckQty), COLUMN(BookQty), COLUMN(ActualQty),    COLUMN(CheckQty),
            COLUMN(ComplexQty),    COLUMN(AdjQty),       COLUMN(SecRate), COLUMN(SecActualQty), COLUMN(SecCheckQty),
            COLUMN(SecAdjQty),     COLUMN(Coefficient),  COLUMN(DiffQty), COLUMN(UnitDiffQty),  COLUMN(SecDiffQty),
#undef COLUMN
        };
        return columns.value(name, -1);
    }

    // Cells written into every row of the grid.
    static void fill(EntryGrid &g, int rows, const QString &cells, int decimals = 2)
    {
        g.resize(rows);
        for (int r = 1; r <= rows; ++r) {
            g.setDecimals(r, decimals);
            g.setNumber(r, ItemID, 100 + r);
            g.setText(r, UnitName, QStringLiteral("箱"));
            for (const QString &pair : cells.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                g.setText(r, column(pair.section(QLatin1Char('='), 0, 0)), pair.section(QLatin1Char('='), 1));
        }
        g.recomputeTotals();
    }

private slots:
    // Coefficient is the row unit's k, SecRate the secondary rate r; DiffQty,
    // UnitDiffQty and SecDiffQty the document differences in the three units.
    void cellChanged_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::addRow("base count, k 12") << "Coefficient=12" << int(BaseCheckQty) << "12" << "BaseActualQty=12 CheckQty=1 ActualQty=1 UnitDiffQty=0";
        QTest::addRow("base count, differences") << "Coefficient=4 DiffQty=2 SecCheckQty=3 SecDiffQty=1" << int(BaseCheckQty) << "10" << "BaseActualQty=12 CheckQty=2.5 ActualQty=3 UnitDiffQty=0.5 SecActualQty=1";
        QTest::addRow("base count, secondary follows") << "Coefficient=4 SecRate=2.5 SecDiffQty=1" << int(BaseCheckQty) << "10" << "SecCheckQty=4 SecActualQty=5";
        QTest::addRow("base count, k rounds to 0") << "Coefficient=0.4 DiffQty=5 CheckQty=3 UnitDiffQty=9" << int(BaseCheckQty) << "10" << "BaseActualQty=15 CheckQty=0 ActualQty=0 UnitDiffQty=0";
        QTest::addRow("count, k 6, unit difference 1") << "Coefficient=6 UnitDiffQty=1" << int(CheckQty) << "2" << "ActualQty=3 BaseActualQty=18 BaseCheckQty=12";
        QTest::addRow("count, r 0") << "Coefficient=6 SecCheckQty=9 SecActualQty=9" << int(CheckQty) << "2" << "SecCheckQty=0 SecActualQty=0";
        QTest::addRow("count, r 4") << "Coefficient=6 SecRate=4 SecDiffQty=1" << int(CheckQty) << "2" << "SecCheckQty=3 SecActualQty=4";
        QTest::addRow("count not a number") << "Coefficient=2 BaseCheckQty=8" << int(CheckQty) << "abc" << "CheckQty=0 BaseCheckQty=0";
        QTest::addRow("rate 4") << "BaseCheckQty=20 AdjQty=2 Coefficient=3 SecDiffQty=1" << int(SecRate) << "4" << "SecCheckQty=5 SecActualQty=6 SecAdjQty=1.5";
        QTest::addRow("secondary count 4 of base count 20: rate 5") << "BaseCheckQty=20 AdjQty=2 Coefficient=4" << int(SecCheckQty) << "4" << "SecRate=5 SecActualQty=4 SecAdjQty=1.6";
        QTest::addRow("adjustment, r 4") << "Coefficient=6 SecRate=4" << int(AdjQty) << "2" << "SecAdjQty=3";
        // clang-format on
    }
    void cellChanged()
    {
        QFETCH(QString, before);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, after);
        EntryGrid g;
        fill(g, 3, before);
        const EntryGrid untouched = g;
        EntrySession s;
        QVERIFY(EntryRules::setCell(g, 2, col, text, s));
        QStringList got;
        for (const QString &pair : after.split(QLatin1Char(' '))) {
            const QString name = pair.section(QLatin1Char('='), 0, 0);
            got << QStringLiteral("%1=%2").arg(name).arg(g.number(2, column(name)));
        }
        QCOMPARE(got.join(QLatin1Char(' ')), after);
        QVERIFY(s.dataChanged && g.isChanged(2) && !g.isChanged(1) && !g.isChanged(3));
        for (int c = 1; c <= Count; ++c) // the other rows stay as they were
            QCOMPARE(g.text(1, c) + g.text(3, c), untouched.text(1, c) + untouched.text(3, c));
    }

    // One edit updates the totals row without visiting the rows; after any number
    // of edits it holds what a full recount gives.
    void totalsFollowEdits()
    {
        EntryGrid g;
        fill(g, 50, QStringLiteral("Coefficient=3 SecRate=2 BookQty=1.25"), 3);
        EntrySession s;
        QRandomGenerator random(7);
        const QList<int> cols{CheckQty, BaseCheckQty, AdjQty, SecCheckQty, SecRate};
        for (int i = 0; i < 500; ++i) {
            const int row = 1 + int(random.bounded(50));
            const double value = random.bounded(100000) / 1000.0 - 20;
            EntryRules::setCell(g, row, cols.at(int(random.bounded(cols.size()))), QString::number(value), s);
        }
        EntryGrid fresh = g;
        fresh.recomputeTotals();
        for (int col : EntryGrid::totalColumns())
            QCOMPARE(g.text(g.totalsRow(), col), fresh.text(fresh.totalsRow(), col));
        QCOMPARE(g.number(g.totalsRow(), BookQty), 62.5);
    }

    // Clearing 27 recomputes with nothing; leaving it blank puts the count back.
    void leavingABlankCellRestoresIt()
    {
        EntryGrid g;
        fill(g, 2, QStringLiteral("Coefficient=6 CheckQty=5 BaseCheckQty=30"));
        EntrySession s;
        EntryRules::enterCell(g, 1, CheckQty, s);
        EntryRules::setCell(g, 1, CheckQty, QStringLiteral("  "), s);
        QCOMPARE(g.number(1, BaseCheckQty), 0.0);
        QVERIFY(EntryRules::leaveCell(g, s));
        QCOMPARE(g.text(1, CheckQty), QStringLiteral("5.00"));
        QCOMPARE(g.number(1, BaseCheckQty), 30.0);
        QCOMPARE(g.number(g.totalsRow(), CheckQty), 10.0);
    }

    // Figures out of bounds, typed or following from what was typed, are refused
    // with a sentence naming the cell: the row, its marks and the totals stay.
    // Cells as in cellChanged; 2 decimals.
    void refusals_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        const QString negative = QStringLiteral("“%1”不能为负数。");
        const QString large = QStringLiteral("数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。");
        // clang-format off
        QTest::addRow("negative count") << "Coefficient=1" << int(CheckQty) << "-5" << negative.arg("盘点数量");
        QTest::addRow("negative secondary count") << "Coefficient=1 BaseCheckQty=6" << int(SecCheckQty) << "-1" << negative.arg("辅助计量单位盘点数量");
        QTest::addRow("below a place is 0") << "Coefficient=1" << int(CheckQty) << "-0.001" << "";
        QTest::addRow("negative adjustment") << "Coefficient=1" << int(AdjQty) << "-5" << "";
        QTest::addRow("huge count") << "Coefficient=1" << int(CheckQty) << "100000000000000000000000" << large.arg("盘点数量");
        QTest::addRow("more digits than a double") << "Coefficient=1" << int(CheckQty) << QString(400, QLatin1Char('9')) << large.arg("盘点数量");
        QTest::addRow("at the limit") << "Coefficient=1" << int(CheckQty) << "9999999999.99" << "";
        QTest::addRow("base count beyond the limit") << "Coefficient=12" << int(CheckQty) << "9999999999" << large.arg("基本单位实存数量");
        QTest::addRow("secondary count beyond it") << "Coefficient=1 SecRate=0.0001" << int(CheckQty) << "9999999" << large.arg("辅助计量单位盘点数量");
        QTest::addRow("huge adjustment") << "Coefficient=1" << int(AdjQty) << "-99999999999" << large.arg("调整数量");
        QTest::addRow("letters read as their number") << "Coefficient=1" << int(CheckQty) << "1e23" << "";
        // clang-format on
    }
    void refusals()
    {
        QFETCH(QString, before);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        EntryGrid g;
        fill(g, 2, before);
        const EntryGrid untouched = g;
        EntrySession s;
        QString why;
        QCOMPARE(EntryRules::setCell(g, 1, col, text, s, &why), refusal.isEmpty());
        QCOMPARE(why, refusal);
        if (refusal.isEmpty())
            return;
        QVERIFY(!s.dataChanged && !g.isChanged(1));
        for (int row : {1, g.totalsRow()})
            for (int c = 1; c <= Count; ++c)
                QCOMPARE(g.text(row, c), untouched.text(row, c));
    }

    // The composite editor's base quantity and the documents' differences pass the
    // same bounds; a base quantity with more places than the row keeps is refused,
    // not rounded into another count.
    void compositeAndDifferences_data()
    {
        QTest::addColumn<double>("baseQty"); // NaN: the differences below instead
        QTest::addColumn<double>("baseDiff");
        QTest::addColumn<bool>("accepted");
        const double none = qQNaN();
        QTest::addRow("composite") << 24.0 << 0.0 << true;
        QTest::addRow("negative composite") << -12.0 << 0.0 << false;
        QTest::addRow("fraction below the places") << 1.125 << 0.0 << false;
        QTest::addRow("beyond the limit") << 1e11 << 0.0 << false;
        QTest::addRow("differences") << none << -3.0 << true;
        QTest::addRow("differences beyond the limit") << none << 1e12 << false;
    }
    void compositeAndDifferences()
    {
        QFETCH(double, baseQty);
        QFETCH(double, baseDiff);
        QFETCH(bool, accepted);
        EntryGrid g;
        fill(g, 1, QStringLiteral("Coefficient=12 SecRate=6 BaseCheckQty=12 CheckQty=1 ComplexQty=1箱"));
        const EntryGrid untouched = g;
        EntrySession s;
        QString why;
        const bool done = qIsNaN(baseQty) ? EntryRules::setDifferences(g, 1, baseDiff, 0, s, &why)
                                          : EntryRules::applyComplexQty(g, 1, QStringLiteral("2箱"), baseQty, s, &why);
        QCOMPARE(done, accepted);
        QCOMPARE(why.isEmpty(), accepted);
        if (!accepted) {
            QVERIFY(!s.dataChanged && !g.isChanged(1));
            for (int c = 1; c <= Count; ++c)
                QCOMPARE(g.text(1, c), untouched.text(1, c));
        } else if (!qIsNaN(baseQty)) { // the secondary count follows, as for a count in boxes
            QCOMPARE(g.text(1, ComplexQty), QStringLiteral("2箱"));
            QCOMPARE(g.number(1, SecCheckQty), 4.0);
            QCOMPARE(g.number(1, CheckQty), 2.0);
        } else {
            QCOMPARE(g.number(1, BaseActualQty), 9.0);
        }
    }

    void keys_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("action");
        using A = EntryRules::KeyAction;
        QTest::addRow("F7 in the unit") << int(UnitName) << int(Qt::Key_F7) << int(A::OpenUnitPicker);
        QTest::addRow("letter in the unit") << int(UnitName) << int(Qt::Key_A) << int(A::Discard);
        QTest::addRow("F8 in the composite") << int(ComplexQty) << int(Qt::Key_F8) << int(A::OpenComplexEditor);
        QTest::addRow("F7 in the composite") << int(ComplexQty) << int(Qt::Key_F7) << int(A::Discard);
        QTest::addRow("quote in the note") << int(Note) << int(Qt::Key_Apostrophe) << int(A::Discard);
    }
    void keys()
    {
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, action);
        EntryGrid g;
        fill(g, 1, {});
        EntrySession s;
        QCOMPARE(int(EntryRules::gridKey(g, 1, col, key, s)), action);
    }

    void barcodeSearch_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("found");
        QTest::addRow("two rows, the first current") << QStringList{"111", "222", "111"} << "111" << QList<int>{1, 3};
        QTest::addRow("unknown code") << QStringList{"111", "222"} << "999" << QList<int>{};
        QTest::addRow("exact match only") << QStringList{"1111", " 111", "111"} << "111" << QList<int>{3};
    }
    // Matching rows light up and the first waits, its counted cell emptied, for the
    // quantity; a second scan with nothing typed gives that cell its count back.
    void barcodeSearch()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, text);
        QFETCH(QList<int>, found);
        EntryGrid g;
        fill(g, int(codes.size()), QStringLiteral("CheckQty=4"));
        for (int r = 1; r <= g.dataRows(); ++r)
            g.setText(r, BarCode, codes.at(r - 1));
        EntrySession s;
        const BarcodeSearch::Result result = BarcodeSearch::search(g, text, s);
        QCOMPARE(result.rows, found);
        const int current = found.isEmpty() ? 0 : found.first();
        QCOMPARE(result.currentRow, current);
        for (int r = 1; r <= g.dataRows(); ++r) {
            QCOMPARE(g.highlight(r), found.contains(r) ? EntryGrid::Highlight::Found : EntryGrid::Highlight::NotFound);
            QCOMPARE(g.isBlank(r, CheckQty), r == current);
        }
        QCOMPARE(s.currentItemId, current ? 100 + current : 0);
        if (current) {
            BarcodeSearch::search(g, codes.at(1), s);
            QCOMPARE(g.text(current, CheckQty), QStringLiteral("4.00"));
            QVERIFY(!s.dataChanged && !g.isChanged(current));
        }
    }

    // The same code scanned again goes to its next row, after the last to the first;
    // any other search in between starts again at the first.
    void barcodeSearchGoesRoundTheRows_data()
    {
        QTest::addColumn<QStringList>("scans");
        QTest::addColumn<QList<int>>("current");
        // rows 1, 3 and 4 carry 111, row 2 carries 222
        QTest::addRow("round and round") << QStringList{"111", "111", "111", "111"} << QList<int>{1, 3, 4, 1};
        QTest::addRow("another code in between") << QStringList{"111", "111", "222", "111"} << QList<int>{1, 3, 2, 1};
        QTest::addRow("unknown code in between") << QStringList{"111", "999", "111"} << QList<int>{1, 0, 1};
    }
    void barcodeSearchGoesRoundTheRows()
    {
        QFETCH(QStringList, scans);
        QFETCH(QList<int>, current);
        const QStringList codes{"111", "222", "111", "111"};
        EntryGrid g;
        fill(g, int(codes.size()), QStringLiteral("CheckQty=4"));
        for (int r = 1; r <= g.dataRows(); ++r)
            g.setText(r, BarCode, codes.at(r - 1));
        EntrySession s;
        QList<int> got;
        for (const QString &code : scans) {
            const BarcodeSearch::Result result = BarcodeSearch::search(g, code, s);
            got << result.currentRow;
            if (result.currentRow > 0)
                QCOMPARE(result.rows.at(result.matchIndex), result.currentRow);
            EntryRules::leaveCell(g, s); // Enter in the counted cell: back to the box
        }
        QCOMPARE(got, current);
    }

    // Kind 1: a negative book with an actual below it. Kind 2: a secondary
    // difference without a base one, or gain and loss of opposite signs. Figures:
    // base book, base actual, secondary book, secondary actual, adjustment (k 6).
    void rowCheck_data()
    {
        QTest::addColumn<QString>("figures");
        QTest::addColumn<int>("kind");
        QTest::addRow("negative book, actual below it") << "-5 -7 0 0 0" << 1;
        QTest::addRow("negative book, actual above it") << "-5 -3 0 0 0" << 0;
        QTest::addRow("gain in both") << "10 12 5 6 0" << 0;
        QTest::addRow("gain and secondary loss") << "10 12 5 4 0" << 2;
        QTest::addRow("secondary difference only") << "10 10 5 6 0" << 2;
        QTest::addRow("base difference only") << "10 12 5 5 0" << 0;
        QTest::addRow("adjustment turns the base difference") << "10 13 5 4 1" << 0;
        QTest::addRow("binary noise is no difference") << "0.3 0.30000000000000004 5 4 0" << 2;
    }
    void rowCheck()
    {
        QFETCH(QString, figures);
        QFETCH(int, kind);
        const QStringList f = figures.split(QLatin1Char(' '));
        CountRowValues v;
        v.decimals = 2;
        v.coefficient = 6;
        v.accountQty = f.at(0).toDouble();
        v.baseActual = f.at(1).toDouble();
        v.secUnitQty = f.at(2).toDouble();
        v.secQtyAct = f.at(3).toDouble();
        v.adjQty = f.at(4).toDouble();
        QCOMPARE(int(CountSaver::checkRow(v)), kind);
    }

    // The database's words for a refusal, as each engine writes them, become a
    // sentence in the user's language; others are shown as the database wrote them.
    void failureReason_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reason");
        const QString range = QStringLiteral("数量超出数据库允许的范围");
        const QString rule = QStringLiteral("数据不符合数据库的约束条件");
        const QString lock = QStringLiteral("这条盘点记录正被其他用户修改，请稍后再保存");
        QTest::addRow("pg numeric") << "numeric field overflow" << range;
        QTest::addRow("pg not null") << "null value in column \"FQty\" violates not-null constraint" << rule;
        QTest::addRow("sqlite not null") << "NOT NULL constraint failed: ICInvBackup.FQty" << rule;
        QTest::addRow("pg deadlock") << "deadlock detected" << lock;
        QTest::addRow("sqlite busy") << "database is locked" << lock;
        QTest::addRow("pg text") << "value too long for type character varying(255)"
                                 << QStringLiteral("文字超过数据库允许的长度");
        QTest::addRow("unknown") << "disk I/O error"
                                 << "disk I/O error";
    }
    void failureReason()
    {
        QFETCH(QString, message);
        QFETCH(QString, reason);
        QCOMPARE(CountSaver::failureReason({message, {}, {}}), reason);
    }
};

STOCKCHECK_TEST(TestEntryRules)
#include "tst_entryrules.moc"
