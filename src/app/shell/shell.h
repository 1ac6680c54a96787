#pragma once

#include "loginlogic.h"
#include "mainwindow.h"
#include "shelloptions.h"

#include "erp/inisettings.h"
#include "erp/ui/widgetui.h"

#include <QObject>
#include <QPointer>
#include <QTranslator>

#include <memory>

class ICCheckInterface;
class LoginDialog;

// The host application around the count module: logs a person in, hands the
// count module its connection, operator and components, and offers the entry
// operations in the main window. Switching user or database ends one session
// and starts the next without leaving the program.
class Shell : public QObject
{
    Q_OBJECT
public:
    explicit Shell(const ShellOptions &options, QObject *parent = nullptr);
    ~Shell() override;

    // Logs in (dialog or command line) and opens the main window; the exit code
    // when the program should end at once, -1 when the event loop should run.
    int start();

    MainWindow *mainWindow() const { return m_window; }

    // Loads the texts of a language ("chs", "CHT", "EN"): the count module's
    // catalog and Qt's own for standard buttons and dialogs.
    void applyLanguage(const QString &language);

private:
    LoginChoice initialChoice(QString *error) const;
    // Shows the login dialog; true when someone logged in.
    bool loginInteractively(const LoginChoice &initial, const QString &error);
    bool tryLogin(const LoginChoice &choice, QString *error);
    void startSession();
    void endSession();
    void switchSession();
    void runOperation(const QString &operation);
    QVariantMap hostContext() const;
    void scheduleScreenshot(QWidget *widget);

    ShellOptions m_options;
    erp::IniSettings m_settings;
    LoginLogic m_logic;
    erp::WidgetUi m_ui;
    QTranslator m_appTranslator;
    QTranslator m_qtTranslator;
    QString m_language;

    // the login that succeeded and waits for its session
    std::unique_ptr<AppConnection> m_pendingConnection;
    LoginResult m_pendingResult;

    std::unique_ptr<AppConnection> m_connection;
    std::unique_ptr<ICCheckInterface> m_entry;
    LoginResult m_login;
    QPointer<MainWindow> m_window;
};
