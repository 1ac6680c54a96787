#include "erp/complexqty.h"
#include "erp/ui/complexqtyeditor.h"
#include "host/sharedstate.h"
#include "testdb.h"
#include "testmain.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QTest>

using erp::ComplexQty;
using erp::MeasureUnit;

namespace {

// 箱 = 120 个, 盒 = 10 个.
QList<MeasureUnit> boxes()
{
    return {{3, QStringLiteral("箱"), 120}, {2, QStringLiteral("盒"), 10}, {1, QStringLiteral("个"), 1}};
}

} // namespace

// Composite quantities: writing a quantity over an item's units, reading such a
// text back, the stand-in of the stored procedure, and the editor.
class TestComplexQty : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<QString>("unitList");
        QTest::addColumn<double>("base");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::addRow("all units") << "" << 125.0 << 0 << "1箱5个";
        QTest::addRow("zero") << "" << 0.0 << 0 << "0个";
        QTest::addRow("negative") << "" << -125.0 << 0 << "-1箱5个";
        QTest::addRow("listed units only") << "箱,个" << 365.0 << 0 << "3箱5个";
        QTest::addRow("list order does not matter") << "个,盒" << 125.0 << 0 << "12盒5个";
        QTest::addRow("rest in the smallest listed unit") << "箱,盒" << 125.0 << 1 << "1箱0.5盒";
        QTest::addRow("rounding never leaves a full unit") << "" << 119.9999 << 0 << "1箱";
        QTest::addRow("list of unknown names: all units") << "瓶" << 21.0 << 0 << "2盒1个";
    }
    void format()
    {
        QFETCH(QString, unitList);
        QFETCH(double, base);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        const QList<MeasureUnit> units = ComplexQty::chooseUnits(boxes(), unitList);
        QCOMPARE(ComplexQty::format(units, base, decimals), text);
        if (!qFuzzyCompare(base, 119.9999) && base >= 0) // and back again (a count is never negative)
            QCOMPARE(ComplexQty::parse(units, text).value_or(-1), base);
    }

    // Larger units take whole numbers, the smallest the item's places; a negative
    // or fractional amount is refused rather than rounded or turned positive.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("base"); // -1: refused
        QTest::addRow("two units") << "3箱5个" << 0 << 365.0;
        QTest::addRow("spaces and decimals") << " 1 箱 2.5 个" << 1 << 122.5;
        QTest::addRow("bare number in the smallest unit") << "2盒3" << 0 << 23.0;
        QTest::addRow("same unit twice") << "1个1个" << 0 << 2.0;
        QTest::addRow("negative") << "-1箱5个" << 0 << -1.0;
        QTest::addRow("fraction of a box") << "1.5箱" << 4 << -1.0;
        QTest::addRow("more places than the item") << "2.25个" << 1 << -1.0;
        QTest::addRow("unknown unit") << "3瓶" << 0 << -1.0;
        QTest::addRow("empty") << "" << 0 << -1.0;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(double, base);
        QString error;
        const std::optional<double> got = ComplexQty::parse(boxes(), text, &error, decimals);
        if (base == -1) {
            QVERIFY(!got);
            QVERIFY(!error.isEmpty());
        } else {
            QCOMPARE(got.value_or(-1), base);
        }
    }

    void storedProcedureStandIn()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        TestDb db;
        OPEN_TEST_DB(db);
        AppConnection &c = db.conn();
        const QString unit = QStringLiteral("INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FUnitGroupID, FName, "
                                            "FCoefficient, FDeleted) VALUES (?, ?, ?, ?, ?, ?)");
        const QString item =
            QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FUnitGroupID, FQtyDecimal) VALUES (?, ?, ?, ?)");
        QVERIFY_SQL(c, c.ExecuteBatch({{unit, {1, 1, 1, QStringLiteral("个"), 1, 0}},
                                       {unit, {2, 2, 1, QStringLiteral("盒"), 10, 0}},
                                       {unit, {3, 3, 1, QStringLiteral("箱"), 120, 0}},
                                       {unit, {4, 4, 1, QStringLiteral("旧箱"), 100, 1}}, // deleted
                                       {unit, {5, 5, 2, QStringLiteral("kg"), 1, 0}},
                                       {item, {1, QStringLiteral("1.1"), 1, 0}},
                                       {item, {2, QStringLiteral("1.2"), 2, 3}}}));
        QCOMPARE(ComplexQty::loadGroup(c, 1).size(), 3);
        QCOMPARE(erp::CalComplexQty(c, 1, QString(), 12.5, QStringLiteral("盒")), QStringLiteral("1箱5个"));
        QCOMPARE(erp::CalComplexQty(c, 1, QStringLiteral("箱,个"), 3.1, QStringLiteral("箱")),
                 QStringLiteral("3箱12个"));
        QCOMPARE(erp::CalComplexQty(c, 2, QStringLiteral("箱"), 1.25, QStringLiteral("KG")), QStringLiteral("1.25kg"));
        QVERIFY(!erp::CalComplexQty(c, 1, QString(), 1, QStringLiteral("kg"))); // not a unit of the item
        QVERIFY(!erp::CalComplexQty(c, 99, QString(), 1, QStringLiteral("个")));
    }

    // The editor: a start text fills the boxes (a figure a box may not hold is not
    // put in at all); keys type a figure per unit, the total follows, Enter accepts
    // only what every box may hold, Escape rejects.
    void editor()
    {
        erp::ComplexQtyEditor started(boxes(), 1);
        started.setText(QStringLiteral("1箱2.5个"));
        QCOMPARE(started.box(2)->value(), 2.5);
        QCOMPARE(started.baseQuantity(), 122.5);
        QVERIFY(!started.isEdited());
        started.setText(QString());
        QCOMPARE(started.complexText(), QStringLiteral("0个"));
        // what a box cannot take is not put in rounded or turned positive
        for (const char *text : {"-1箱", "1.5箱", "2.25个"}) {
            started.setText(QString::fromUtf8(text));
            QCOMPARE(started.baseQuantity(), 0.0);
            QVERIFY2(!started.note().isEmpty(), text);
        }
        started.setText(QStringLiteral("1箱"));
        QVERIFY(started.note().isEmpty());

        erp::ComplexQtyEditor editor(boxes(), 0);
        QSignalSpy accepted(&editor, &QDialog::accepted);
        QSignalSpy rejected(&editor, &QDialog::rejected);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.box(0)->setFocus();
        QVERIFY(!editor.isEdited());
        // a sign, or places a unit has not, keep the editor open and say why
        for (const char *typed : {"-3", "1.5"}) {
            editor.box(0)->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
            QVERIFY(editor.isEdited());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(accepted.count(), 0);
            QVERIFY2(editor.note().startsWith(QStringLiteral("“箱”的数量")), qPrintable(editor.note()));
        }
        editor.box(0)->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor.box(2));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QCOMPARE(editor.totalText(), QStringLiteral("合计：365 个"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(editor.complexText(), QStringLiteral("3箱5个"));
        QCOMPARE(editor.baseQuantity(), 365.0);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
    }
};

STOCKCHECK_TEST(TestComplexQty)
#include "tst_complexqty.moc"
