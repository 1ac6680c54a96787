#include "host/numbers.h"
#include "testmain.h"

#include <QTest>

// Rounding and reading of quantities: every stored figure and every sign test of
// a row depends on these.
class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void round_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::addRow("half up") << 2.5 << 0 << 3.0;
        QTest::addRow("half away from zero") << -2.5 << 0 << -3.0;
        QTest::addRow("truncating digits") << 1.23456 << 2 << 1.23;
        QTest::addRow("binary 1.005") << 1.005 << 2 << 1.01;
        QTest::addRow("binary noise to zero") << (0.1 + 0.2 - 0.3) << 4 << 0.0;
        QTest::addRow("one decimal") << 1.25 << 1 << 1.3;
        QTest::addRow("big") << 123456789.125 << 2 << 123456789.13;
        QTest::addRow("already round") << 7.0 << 3 << 7.0;
    }

    void round()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(roundQuantity(value, decimals), expected);
    }

    void leading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("plain") << "12" << 12.0;
        QTest::addRow("letters after") << " 12.5kg" << 12.5;
        QTest::addRow("letters only") << "abc" << 0.0;
        QTest::addRow("empty") << "" << 0.0;
        QTest::addRow("negative") << "-3.25" << -3.25;
        QTest::addRow("second point stops") << "1.2.3" << 1.2;
        QTest::addRow("sign alone") << "-" << 0.0;
    }

    void leading()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(leadingNumber(text), expected);
    }

    void text() { QCOMPARE(quantityText(-0.0001, 2), QStringLiteral("0.00")); }
};

STOCKCHECK_TEST(TestNumbers)
#include "tst_numbers.moc"
