#include "additemfixture.h"
#include "testmain.h"

#include "additions/ui/frmadditem.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The wiring of frmAddItem: Enter takes a field and moves on, the place follows
// the stock, "添加(&A)" adds and stays open for the next entry, "确定(&O)" adds
// and closes, F1 shows the window's help.
class TestAddItemWidget : public AddItemTestBase
{
    Q_OBJECT

    template<class T>
    static T *child(QWidget &dialog, const char *name)
    {
        T *w = dialog.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no %s in the dialog", name);
        return w;
    }
    static void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    int rowCount()
    {
        return conn()
            .Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ?"), {m_process})
            .integer(u"n");
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init() { setUpData(); }
    void cleanup() { tearDownData(); }

    void addStaysOpen()
    {
        FrmAddItem dialog(m_process, QDate(2026, 3, 15));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *number = child<QLineEdit>(dialog, "txtNumber");
        typeInto(number, QStringLiteral("1.01.001"));
        QCOMPARE(child<QLineEdit>(dialog, "txtName")->text(), QStringLiteral("螺丝"));
        QCOMPARE(child<QLineEdit>(dialog, "txtUnitName")->text(), QStringLiteral("盒"));
        // name and model are not stops: Enter goes to the unit
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "txtUnitName"));
        auto *place = child<QLineEdit>(dialog, "txtSPNumber");
        QVERIFY(!place->isEnabled());
        typeInto(child<QLineEdit>(dialog, "txtStockNumber"), QStringLiteral("02"));
        QVERIFY(place->isEnabled());
        QCOMPARE(QApplication::focusWidget(), place);
        typeInto(place, QStringLiteral("A01"));
        QCOMPARE(child<QLineEdit>(dialog, "txtSPName")->text(), QStringLiteral("A区01"));
        auto *qty = child<QLineEdit>(dialog, "grdQty");
        qty->setFocus();
        QTest::keyClicks(qty, QStringLiteral("2")); // not left: the button takes it
        const int before = rowCount();
        QTest::mouseClick(child<QPushButton>(dialog, "cmdADD"), Qt::LeftButton);
        QCOMPARE(m_ui.messageTexts(), QStringList());
        QCOMPARE(rowCount(), before + 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(number->text(), QString());
        QCOMPARE(qty->text(), QString());
        QCOMPARE(QApplication::focusWidget(), number);
        QTest::keyClick(number, Qt::Key_F1);
        QCOMPARE(m_ui.helpTopics, QStringList{QStringLiteral("ICStockCheckAddItem")});
    }

    void okCloses()
    {
        FrmAddItem dialog(m_process, QDate(2026, 3, 15));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(child<QLineEdit>(dialog, "txtNumber"), QStringLiteral("1.01.003"));
        typeInto(child<QLineEdit>(dialog, "txtStockNumber"), QStringLiteral("01"));
        child<QLineEdit>(dialog, "grdQty")->setText(QStringLiteral("x"));
        child<QLineEdit>(dialog, "grdQty")->setModified(true);
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(m_ui.messageTexts(), QStringList{QStringLiteral("“盘点数量”不是数字。")});
        QVERIFY(dialog.isVisible()); // refused: the entry stays
        typeInto(child<QLineEdit>(dialog, "grdQty"), QStringLiteral("1"));
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.logic().added(), 1);
    }
};

STOCKCHECK_TEST(TestAddItemWidget)
#include "tst_additemwidget.moc"
