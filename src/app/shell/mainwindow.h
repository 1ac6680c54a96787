#pragma once

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QCommandLinkButton;
class QLabel;
class WindowRegistry;
struct ShellOperation;

// The shell's main window: the entry operations in a menu, a tool bar and a
// welcome page that walks through a count; the database and the user in the
// status bar. An operation whose window is not there is disabled, never dead.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    using Runner = std::function<void(const QString &operation)>;

    MainWindow(const WindowRegistry &windows, Runner run, QWidget *parent = nullptr);

    void setSessionInfo(const QString &database, const QString &userName);
    // Enables each operation whose window is registered.
    void refreshAvailability();

    QAction *operationAction(const QString &operation) const { return m_actions.value(operation); }

signals:
    void switchRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupActions();
    void setupMenus();
    void setupToolBar();
    void setupWelcome();
    void setupStatusBar();
    void runOperation(const QString &operation);
    void showAbout();
    void showHelp();
    // Closes the other top-level windows (a count being entered); false when one stays open.
    bool closeOtherWindows();

    const WindowRegistry &m_windows;
    Runner m_run;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QCommandLinkButton *> m_buttons;
    QAction *m_switchAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QLabel *m_databaseLabel = nullptr;
    QLabel *m_userLabel = nullptr;
};
