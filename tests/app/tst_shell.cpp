#include "app/shell/logindialog.h"
#include "app/shell/mainwindow.h"
#include "app/shell/shell.h"
#include "erp/users.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "testdb.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// A session from the command line, and switching to another user through the
// login dialog: what the count module is handed each time.
class TestShell : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    QTemporaryDir settingsDir;

    // Answers the login dialog once it is open.
    void whenLoginOpens(std::function<void(LoginDialog *)> answer)
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [timer, answer] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<LoginDialog *>(w);
                if (dialog && dialog->isVisible()) {
                    timer->deleteLater();
                    timer->stop();
                    answer(dialog);
                    return;
                }
            }
        });
        timer->start(20);
    }

    void switchUser(Shell &shell)
    {
        emit shell.mainWindow()->switchRequested();
        QTest::qWait(0); // the switch is queued; the login dialog's loop runs inside it
    }

private slots:
    void initTestCase()
    {
        STOCKCHECK_REQUIRE_ENGINE();
        qputenv("STOCKCHECK_SETTINGS", settingsDir.filePath(QStringLiteral("StockCheck.ini")).toUtf8());
    }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        QString error;
        for (const auto &[id, name, password] : {std::tuple{1, "张三", "a"}, {2, "李四", "b"}}) {
            QVERIFY_SQL(db->conn(), db->conn().Exec(QStringLiteral("INSERT INTO t_user (FUserID, FName) VALUES (?, ?)"),
                                                    {id, QString::fromUtf8(name)}));
            QVERIFY2(erp::setPassword(db->conn(), id, QString::fromUtf8(password), &error), qPrintable(error));
        }
    }
    void cleanup()
    {
        db.reset();
        shared().reset();
    }

    void sessionAndSwitch()
    {
        ShellOptions options;
        options.dbUrl = db->url();
        options.user = QStringLiteral("张三");
        options.password = QStringLiteral("a");
        options.language = QStringLiteral("EN");
        Shell shell(options);
        QCOMPARE(shell.start(), -1);
        QVERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        QCOMPARE(shared().operatorId, 1);
        QCOMPARE(GetUserId(), 1);
        QCOMPARE(UserLanguage(), QStringLiteral("EN"));
        QVERIFY(shared().connection && shared().connection->isOpen());
        QVERIFY(shared().ui && shared().components.lookup && shared().components.settings);

        // cancelled: the session goes on as it was
        whenLoginOpens([](LoginDialog *dialog) { dialog->reject(); });
        switchUser(shell);
        QTRY_VERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        QCOMPARE(shared().operatorId, 1);
        QCOMPARE(UserLanguage(), QStringLiteral("EN"));

        // a wrong password first, then the right one, in another language
        QString firstError;
        whenLoginOpens([&](LoginDialog *dialog) {
            dialog->findChild<QComboBox *>(QStringLiteral("cboUser"))->setEditText(QStringLiteral("李四"));
            dialog->findChild<QComboBox *>(QStringLiteral("cboLanguage"))->setCurrentIndex(1);
            dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(QStringLiteral("a"));
            dialog->accept();
            firstError = dialog->errorText();
            dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(QStringLiteral("b"));
            dialog->accept();
        });
        switchUser(shell);
        QTRY_COMPARE(shared().operatorId, 2);
        QVERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        QVERIFY(!firstError.isEmpty());
        QCOMPARE(GetProp(QStringLiteral("UserName")), QStringLiteral("李四"));
        QCOMPARE(UserLanguage(), QStringLiteral("CHT"));
        QVERIFY(shell.mainWindow()
                    ->findChild<QLabel *>(QStringLiteral("labUser"))
                    ->text()
                    .contains(QStringLiteral("李四")));
    }
};

STOCKCHECK_TEST(TestShell)
#include "tst_shell.moc"
