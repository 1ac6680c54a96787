#include "app/shell/logindialog.h"
#include "app/shell/mainwindow.h"
#include "host/hostcomponents.h"
#include "host/sharedstate.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The shell's windows: operations follow the registered windows, a failed login
// keeps the dialog open with its message.
class TestShellWindow : public QObject
{
    Q_OBJECT

    const QStringList sheetOperations{"PrintCheckBook", "CheckDataInput", "CheckDataCheck"};
    const QStringList allOperations{"BackupCheckData", "DisChkStockProc", "PrintCheckBook", "CheckDataInput",
                                    "CheckDataCheck"};

private slots:
    void cleanup() { shared().reset(); }

    void operationsFollowTheRegisteredWindows()
    {
        WindowRegistry windows;
        QStringList ran;
        MainWindow window(windows, [&](const QString &op) { ran << op; });
        for (const QString &op : allOperations) {
            QAction *action = window.operationAction(op);
            QVERIFY2(action && !action->isEnabled(), qPrintable(op));
            QVERIFY(action->toolTip().contains(QStringLiteral("尚未提供")));
            auto *button = window.findChild<QCommandLinkButton *>(QStringLiteral("cmd") + op);
            QVERIFY(button && !button->isEnabled());
            action->trigger();
        }
        QVERIFY(ran.isEmpty());

        // a window registered later is offered once the main window shows again
        windows.add(QStringLiteral("frmMain"), [](const QVariantMap &) { return QVariantMap(); });
        window.show();
        for (const QString &op : allOperations)
            QCOMPARE(window.operationAction(op)->isEnabled(), sheetOperations.contains(op));
        window.operationAction(QStringLiteral("CheckDataInput"))->trigger();
        QTest::mouseClick(window.findChild<QCommandLinkButton *>(QStringLiteral("cmdCheckDataCheck")), Qt::LeftButton);
        window.operationAction(QStringLiteral("BackupCheckData"))->trigger();
        QCOMPARE(ran, (QStringList{"CheckDataInput", "CheckDataCheck"}));
        window.close();
    }

    void failedLoginKeepsTheDialogOpen()
    {
        LoginChoice initial;
        initial.user = QStringLiteral("demo");
        initial.database.path = QStringLiteral("/nonexistent/demo.db");
        QStringList attempts;
        bool accept = false;
        LoginDialog dialog(initial, [&](const LoginChoice &choice, QString *error) {
            attempts << choice.password + QLatin1Char('/') + choice.language;
            if (!accept)
                *error = QStringLiteral("密码不对。");
            return accept;
        });
        QStringList languages;
        connect(&dialog, &LoginDialog::languageChanged, this, [&](const QString &l) { languages << l; });
        dialog.findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(QStringLiteral("x"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.errorText(), QStringLiteral("密码不对。"));

        dialog.findChild<QComboBox *>(QStringLiteral("cboLanguage"))->setCurrentIndex(2);
        accept = true;
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(attempts, (QStringList{"x/chs", "x/EN"}));
        QCOMPARE(languages, QStringList{"EN"});
        QVERIFY(dialog.errorText().isEmpty());
    }

    // Every "&" of a label marks the access key of its field; the buttons keep
    // their captions when the language changes (Qt would put back its own); a
    // message about one kind of database goes once the other kind is chosen.
    void loginDialogTexts()
    {
        LoginChoice initial;
        initial.user = QStringLiteral("demo");
        initial.database.path = QStringLiteral("/nonexistent/demo.db");
        LoginDialog dialog(initial, [](const LoginChoice &, QString *error) {
            *error = QStringLiteral("数据库文件不存在。");
            return false;
        });
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            if (label->text().contains(QLatin1Char('&')))
                QVERIFY2(label->buddy(), qPrintable(label->text()));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        QStringList captions;
        for (const char *name : {"cmdOK", "cmdCancel"})
            captions << dialog.findChild<QPushButton *>(QLatin1String(name))->text();
        QCOMPARE(captions, (QStringList{"登录(&O)", "取消(&C)"}));

        dialog.accept();
        QCOMPARE(dialog.errorText(), QStringLiteral("数据库文件不存在。"));
        dialog.findChild<QRadioButton *>(QStringLiteral("optPostgres"))->setChecked(true);
        QVERIFY(dialog.errorText().isEmpty());
    }
};

STOCKCHECK_TEST(TestShellWindow)
#include "tst_shellwindow.moc"
