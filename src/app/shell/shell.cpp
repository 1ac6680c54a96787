#include "shell.h"

#include "logindialog.h"
#include "mainwindow.h"

#include "app/iccheckinterface.h"
#include "erp/resloader.h"
#include "erp/standins.h"
#include "erp/ui/lookupdialog.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>

#include <cstdio>

namespace {

QLocale localeOf(const QString &language)
{
    if (language == QLatin1String("CHT"))
        return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
    if (language == QLatin1String("EN"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

QString qtCatalog(const QString &language)
{
    if (language == QLatin1String("CHT"))
        return QStringLiteral("qtbase_zh_TW");
    if (language == QLatin1String("EN"))
        return {}; // Qt's own texts are English
    return QStringLiteral("qtbase_zh_CN");
}

} // namespace

Shell::Shell(const ShellOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_logic(m_settings)
{
    // the main window decides when the program ends: the login dialog shown while
    // switching user is the only window for a moment
    qApp->setQuitOnLastWindowClosed(false);
}

Shell::~Shell()
{
    endSession();
}

void Shell::applyLanguage(const QString &language)
{
    m_language = language;
    // texts follow the language of the login properties; before a login (and while
    // another one is chosen) they carry the language picked in the dialog
    LoginResult login = m_login;
    login.language = language;
    ParseProps(LoginLogic::propsString(login));
    SharedState &s = shared();
    if (!s.components.resLoader)
        s.components.resLoader = std::make_shared<erp::QtResLoader>();
    s.components.resLoader->setLanguageID(language);

    // the connection broker's own messages are translated by the application
    QCoreApplication::removeTranslator(&m_appTranslator);
    const QString catalog = erp::QtResLoader::catalogFile(language);
    if (!catalog.isEmpty() && m_appTranslator.load(QDir(erp::QtResLoader::catalogDir()).filePath(catalog)))
        QCoreApplication::installTranslator(&m_appTranslator);

    QCoreApplication::removeTranslator(&m_qtTranslator);
    const QString qt = qtCatalog(language);
    if (!qt.isEmpty() && m_qtTranslator.load(qt, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
    QLocale::setDefault(localeOf(language));
}

LoginChoice Shell::initialChoice(QString *error) const
{
    LoginChoice choice = m_logic.remembered();
    if (!m_options.dbUrl.isEmpty()) {
        DbLocation location;
        if (DbLocation::parse(m_options.dbUrl, &location, error))
            choice.database = location;
    }
    if (!m_options.user.isEmpty()) {
        choice.user = m_options.user;
        choice.password = m_options.password;
    }
    if (!m_options.language.isEmpty())
        choice.language = m_options.language;
    return choice;
}

int Shell::start()
{
    QString error;
    const LoginChoice choice = initialChoice(&error);
    applyLanguage(choice.language);
    if (m_options.skipsLogin() && error.isEmpty()) {
        if (tryLogin(choice, &error)) {
            startSession();
            return -1;
        }
        if (!m_options.screenshot.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    if (!loginInteractively(choice, error))
        return 0;
    startSession();
    return -1;
}

bool Shell::loginInteractively(const LoginChoice &initial, const QString &error)
{
    LoginDialog dialog(initial,
                       [this](const LoginChoice &choice, QString *message) { return tryLogin(choice, message); });
    connect(&dialog, &LoginDialog::languageChanged, this, &Shell::applyLanguage);
    dialog.showError(error);
    if (!m_options.screenshot.isEmpty() && !m_window)
        scheduleScreenshot(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool Shell::tryLogin(const LoginChoice &choice, QString *error)
{
    auto connection = std::make_unique<AppConnection>();
    LoginResult result;
    if (!m_logic.login(choice, m_options.demo, *connection, &result, error))
        return false;
    m_logic.remember(choice);
    m_pendingConnection = std::move(connection);
    m_pendingResult = result;
    return true;
}

void Shell::startSession()
{
    m_connection = std::move(m_pendingConnection);
    m_login = m_pendingResult;

    SharedState &s = shared();
    s.reset();
    s.connection = m_connection.get();
    ParseProps(LoginLogic::propsString(m_login));
    erp::installStandIns(s.components, *m_connection);
    s.components.lookup = std::make_shared<erp::DialogLookup>();
    erp::registerWindows(s.components.windows);
    s.ui = &m_ui;
    applyLanguage(m_login.language);
    try {
        GetConnection(); // the numbering option every window shows numbers by
    } catch (const DbException &) {
        // the windows read it again and report a failing database themselves
    }

    m_entry = std::make_unique<ICCheckInterface>();
    m_entry->LocalConnection(m_connection.get());
    m_entry->OperaterID(m_login.userId);

    m_window = new MainWindow(s.components.windows, [this](const QString &op) { runOperation(op); });
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setSessionInfo(m_login.database.display(), m_login.userName);
    connect(m_window, &MainWindow::switchRequested, this, &Shell::switchSession, Qt::QueuedConnection);
    connect(m_window, &QObject::destroyed, this, [] { QCoreApplication::quit(); });
    m_window->show();
    if (!m_options.screenshot.isEmpty())
        scheduleScreenshot(m_window);
}

void Shell::endSession()
{
    if (m_window) {
        // the window goes without ending the program
        disconnect(m_window, &QObject::destroyed, this, nullptr);
        delete m_window;
    }
    m_entry.reset();
    shared().reset();
    m_connection.reset();
}

void Shell::switchSession()
{
    const QString sessionLanguage = m_language;
    m_window->hide();
    LoginChoice initial = m_logic.remembered();
    initial.language = sessionLanguage;
    if (!loginInteractively(initial, {})) {
        applyLanguage(sessionLanguage);
        m_window->show();
        return;
    }
    endSession();
    startSession();
}

QVariantMap Shell::hostContext() const
{
    return {{QStringLiteral("UserID"), m_login.userId},
            {QStringLiteral("CurYear"), SystemValue(QStringLiteral("IC"), QStringLiteral("CurrentYear")).toInt()},
            {QStringLiteral("CurPeriod"), SystemValue(QStringLiteral("IC"), QStringLiteral("CurrentPeriod")).toInt()}};
}

void Shell::runOperation(const QString &operation)
{
    try {
        if (operation == QLatin1String("BackupCheckData"))
            m_entry->BackupCheckData();
        else if (operation == QLatin1String("DisChkStockProc"))
            m_entry->DisChkStockProc(hostContext());
        else if (operation == QLatin1String("PrintCheckBook"))
            m_entry->PrintCheckBook();
        else if (operation == QLatin1String("CheckDataInput"))
            m_entry->CheckDataInput();
        else if (operation == QLatin1String("CheckDataCheck"))
            m_entry->CheckDataCheck(m_login.userId);
    } catch (const DbException &e) {
        m_ui.message(FormatText("操作失败：%1", {e.error().message}), HostUi::Icon::Critical, e.error().detailed());
    } catch (const std::exception &e) {
        m_ui.message(FormatText("操作失败：%1", {QString::fromUtf8(e.what())}), HostUi::Icon::Critical);
    }
}

void Shell::scheduleScreenshot(QWidget *widget)
{
    const QString file = m_options.screenshot;
    QPointer<QWidget> target = widget;
    // let the window lay itself out and paint once before it is grabbed
    QTimer::singleShot(600, this, [target, file] {
        const bool saved = target && target->grab().save(file);
        if (!saved)
            std::fprintf(stderr, "could not save the screenshot %s\n", qPrintable(file));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}
