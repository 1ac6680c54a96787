#pragma once

#include "loginlogic.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// The login: user, password, language and database (an SQLite file or a
// PostgreSQL server). A failed attempt shows why under the fields and keeps the
// dialog open for another try.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    // Tries a login; false with the message for the person.
    using Attempt = std::function<bool(const LoginChoice &choice, QString *error)>;

    LoginDialog(const LoginChoice &initial, Attempt attempt, QWidget *parent = nullptr);

    LoginChoice choice() const;
    void showError(const QString &message);
    QString errorText() const;

public slots:
    void accept() override;
    void refreshUsers();

protected:
    void changeEvent(QEvent *event) override;

signals:
    // The person picked another language: the texts are loaded for it, then the
    // dialog retranslates itself.
    void languageChanged(const QString &language);

private:
    void setupWidgets();
    QWidget *createSqlitePage();
    QWidget *createPostgresPage();
    void setChoice(const LoginChoice &choice);
    void retranslate();
    void browse();
    void updateEngine();

    Attempt m_attempt;
    QLabel *m_title = nullptr;
    QLabel *m_userLabel = nullptr, *m_passwordLabel = nullptr, *m_languageLabel = nullptr;
    QComboBox *m_user = nullptr;
    QToolButton *m_refresh = nullptr;
    QLineEdit *m_password = nullptr;
    QComboBox *m_language = nullptr;
    QGroupBox *m_databaseBox = nullptr;
    QRadioButton *m_sqlite = nullptr;
    QRadioButton *m_postgres = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_fileLabel = nullptr;
    QLineEdit *m_file = nullptr;
    QToolButton *m_browse = nullptr;
    QLabel *m_hostLabel = nullptr, *m_portLabel = nullptr, *m_dbNameLabel = nullptr, *m_dbUserLabel = nullptr,
           *m_dbPasswordLabel = nullptr;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QLineEdit *m_dbName = nullptr;
    QLineEdit *m_dbUser = nullptr;
    QLineEdit *m_dbPassword = nullptr;
    QString m_schema; // kept from the command line or the settings; not edited here
    QLabel *m_error = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
