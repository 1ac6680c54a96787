#include "host/numbers.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

// Rounding and reading of quantities: every stored figure, every sum and every
// sign test of a row depends on these.
class TestNumbers : public QObject
{
    Q_OBJECT

    // The rule as the original's formatting applies it: the value's text with 15
    // significant digits, rounded half away from zero on that text.
    static double textRound(double value, int decimals)
    {
        const double magnitude = std::fabs(value);
        const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
        const QString digits = QString::number(magnitude, 'f', qBound(decimals + 1, 15 - integerDigits, 20));
        const qsizetype last = digits.indexOf(QLatin1Char('.')) + decimals; // the last kept digit
        QString kept = digits.left(last + 1);
        kept.remove(QLatin1Char('.'));
        const qint64 units = kept.toLongLong() + (digits.at(last + 1) >= QLatin1Char('5') ? 1 : 0);
        const double result = QString::number(double(units) / std::pow(10.0, decimals), 'f', decimals).toDouble();
        return value < 0 ? -result : result;
    }

private slots:
    void round_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::addRow("half away from zero") << -2.5 << 0 << -3.0;
        QTest::addRow("binary 1.005") << 1.005 << 2 << 1.01;
        QTest::addRow("binary noise to zero") << (0.1 + 0.2 - 0.3) << 4 << 0.0;
        QTest::addRow("not a number") << qQNaN() << 2 << 0.0;
    }
    void round()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(roundQuantity(value, decimals), expected);
        QCOMPARE(quantityText(-0.0001, 2), QStringLiteral("0.00")); // no "-0.00"
    }

    // Quantities round by arithmetic when that cannot differ from the text rule;
    // halves, values a hair off a half and binary neighbours of them must agree.
    void roundingAgreesWithTheDecimalText()
    {
        QRandomGenerator random(20261206);
        int checked = 0;
        for (int i = 0; i < 200000; ++i) {
            const int decimals = int(random.bounded(11));
            const double scale = std::pow(10.0, double(random.bounded(9)));
            double value = double(random.bounded(2000000)) / 1000.0 * scale / 1000.0;
            if (i % 4 == 0) // an exact decimal half at the rounding place
                value = (std::floor(value * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals);
            else if (i % 4 == 1) // binary neighbours of a half
                value = std::nextafter((std::floor(value * 100) + 0.5) / 100, i % 8 < 4 ? 0.0 : 1e300);
            if (i % 3 == 0)
                value = -value;
            if (std::fabs(value) * std::pow(10.0, decimals) >= 1e14)
                continue; // beyond the places a double holds
            const double fast = roundQuantity(value, decimals), text = textRound(value, decimals);
            if (fast != text || std::signbit(fast) != std::signbit(text))
                QFAIL(qPrintable(QStringLiteral("%1 with %2 places: %3, the text rule gives %4")
                                     .arg(value, 0, 'g', 17)
                                     .arg(decimals)
                                     .arg(fast, 0, 'g', 17)
                                     .arg(text, 0, 'g', 17)));
            ++checked;
        }
        QVERIFY(checked > 150000);
    }

    void leading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("letters after") << " 12.5kg" << 12.5;
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
};

STOCKCHECK_TEST(TestNumbers)
#include "tst_numbers.moc"
