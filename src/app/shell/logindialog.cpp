#include "logindialog.h"

#include "host/texts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

LoginDialog::LoginDialog(const LoginChoice &initial, Attempt attempt, QWidget *parent)
    : QDialog(parent)
    , m_attempt(std::move(attempt))
{
    setObjectName(QStringLiteral("frmLogin"));
    setupWidgets();
    setChoice(initial);
    retranslate();
    // a server that does not answer would hold the dialog up: ask it only on request
    if (initial.database.engine == Dialect::Engine::SQLite)
        refreshUsers();
    if (!initial.user.isEmpty())
        m_password->setFocus();
}

void LoginDialog::setupWidgets()
{
    m_title = new QLabel(this);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    m_title->setFont(big);

    m_user = new QComboBox(this);
    m_user->setObjectName(QStringLiteral("cboUser"));
    m_user->setEditable(true);
    m_user->setInsertPolicy(QComboBox::NoInsert);
    m_refresh = new QToolButton(this);
    m_refresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    connect(m_refresh, &QToolButton::clicked, this, &LoginDialog::refreshUsers);
    auto *userRow = new QHBoxLayout;
    userRow->addWidget(m_user, 1);
    userRow->addWidget(m_refresh);

    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("cboLanguage"));
    // each language is named in itself, so anyone finds their own
    m_language->addItem(QStringLiteral("简体中文"), QStringLiteral("chs"));
    m_language->addItem(QStringLiteral("繁體中文"), QStringLiteral("CHT"));
    m_language->addItem(QStringLiteral("English"), QStringLiteral("EN"));
    connect(m_language, &QComboBox::currentIndexChanged, this, [this] {
        emit languageChanged(m_language->currentData().toString());
        retranslate();
    });

    m_userLabel = new QLabel(this);
    m_passwordLabel = new QLabel(this);
    m_languageLabel = new QLabel(this);
    m_userLabel->setBuddy(m_user);
    m_passwordLabel->setBuddy(m_password);
    m_languageLabel->setBuddy(m_language);
    auto *form = new QFormLayout;
    form->addRow(m_userLabel, userRow);
    form->addRow(m_passwordLabel, m_password);
    form->addRow(m_languageLabel, m_language);

    m_databaseBox = new QGroupBox(this);
    m_sqlite = new QRadioButton(this);
    m_sqlite->setObjectName(QStringLiteral("optSqlite"));
    m_postgres = new QRadioButton(this);
    m_postgres->setObjectName(QStringLiteral("optPostgres"));
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(createSqlitePage());
    m_pages->addWidget(createPostgresPage());
    connect(m_sqlite, &QRadioButton::toggled, this, &LoginDialog::updateEngine);
    auto *engines = new QHBoxLayout;
    engines->addWidget(m_sqlite);
    engines->addWidget(m_postgres);
    engines->addStretch(1);
    auto *dbLayout = new QVBoxLayout(m_databaseBox);
    dbLayout->addLayout(engines);
    dbLayout->addWidget(m_pages);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("labError"));
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_error->hide();

    // buttons of our own: a box retitles its standard buttons with Qt's own words
    // whenever the language changes, after the dialog has put in ours
    m_buttons = new QDialogButtonBox(this);
    m_ok = m_buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = m_buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &LoginDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &LoginDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(form);
    layout->addWidget(m_databaseBox);
    layout->addWidget(m_error);
    layout->addStretch(1);
    layout->addWidget(m_buttons);
    setMinimumWidth(520);
    // the fields a person fills in come first; the refresh button after them
    setTabOrder(m_user, m_password);
    setTabOrder(m_password, m_language);
}

QWidget *LoginDialog::createSqlitePage()
{
    auto *page = new QWidget(this);
    m_file = new QLineEdit(page);
    m_file->setObjectName(QStringLiteral("txtDbFile"));
    connect(m_file, &QLineEdit::editingFinished, this, &LoginDialog::refreshUsers);
    m_browse = new QToolButton(page);
    m_browse->setObjectName(QStringLiteral("cmdBrowse"));
    connect(m_browse, &QToolButton::clicked, this, &LoginDialog::browse);
    m_fileLabel = new QLabel(page);
    m_fileLabel->setBuddy(m_file);
    auto *row = new QHBoxLayout;
    row->addWidget(m_file, 1);
    row->addWidget(m_browse);
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(m_fileLabel, row);
    return page;
}

QWidget *LoginDialog::createPostgresPage()
{
    auto *page = new QWidget(this);
    m_host = new QLineEdit(page);
    m_host->setObjectName(QStringLiteral("txtDbHost"));
    m_port = new QSpinBox(page);
    m_port->setObjectName(QStringLiteral("txtDbPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    m_dbName = new QLineEdit(page);
    m_dbName->setObjectName(QStringLiteral("txtDbName"));
    m_dbUser = new QLineEdit(page);
    m_dbUser->setObjectName(QStringLiteral("txtDbUser"));
    m_dbPassword = new QLineEdit(page);
    m_dbPassword->setObjectName(QStringLiteral("txtDbPassword"));
    m_dbPassword->setEchoMode(QLineEdit::Password);
    m_hostLabel = new QLabel(page);
    m_portLabel = new QLabel(page);
    m_dbNameLabel = new QLabel(page);
    m_dbUserLabel = new QLabel(page);
    m_dbPasswordLabel = new QLabel(page);
    // a label shows its "&" as the underlined access key only when it has a buddy
    m_hostLabel->setBuddy(m_host);
    m_portLabel->setBuddy(m_port);
    m_dbNameLabel->setBuddy(m_dbName);
    m_dbUserLabel->setBuddy(m_dbUser);
    m_dbPasswordLabel->setBuddy(m_dbPassword);
    auto *hostRow = new QHBoxLayout;
    hostRow->addWidget(m_host, 1);
    hostRow->addWidget(m_portLabel);
    hostRow->addWidget(m_port);
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(m_hostLabel, hostRow);
    form->addRow(m_dbNameLabel, m_dbName);
    form->addRow(m_dbUserLabel, m_dbUser);
    form->addRow(m_dbPasswordLabel, m_dbPassword);
    return page;
}

void LoginDialog::retranslate()
{
    setWindowTitle(LoadText("登录"));
    m_title->setText(LoadText("库存盘点"));
    m_userLabel->setText(LoadText("用户(&U):"));
    m_passwordLabel->setText(LoadText("密码(&P):"));
    m_languageLabel->setText(LoadText("语言(&L):"));
    m_refresh->setToolTip(LoadText("重新读取用户列表"));
    m_databaseBox->setTitle(LoadText("数据库"));
    m_sqlite->setText(LoadText("SQLite 文件"));
    m_postgres->setText(LoadText("PostgreSQL 服务器"));
    m_fileLabel->setText(LoadText("文件(&F):"));
    m_browse->setText(LoadText("浏览..."));
    m_hostLabel->setText(LoadText("服务器(&H):"));
    m_portLabel->setText(LoadText("端口:"));
    m_dbNameLabel->setText(LoadText("数据库名(&D):"));
    m_dbUserLabel->setText(LoadText("数据库用户:"));
    m_dbPasswordLabel->setText(LoadText("数据库密码:"));
    m_ok->setText(LoadText("登录(&O)"));
    m_cancel->setText(LoadText("取消(&C)"));
}

void LoginDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void LoginDialog::setChoice(const LoginChoice &choice)
{
    m_user->setEditText(choice.user);
    m_password->setText(choice.password);
    const int language = m_language->findData(choice.language);
    {
        // the initial language is already loaded; no signal for it
        const QSignalBlocker blocker(m_language);
        m_language->setCurrentIndex(language < 0 ? 0 : language);
    }
    const DbLocation &db = choice.database;
    m_file->setText(db.path);
    m_host->setText(db.host.isEmpty() ? QStringLiteral("localhost") : db.host);
    m_port->setValue(db.port > 0 ? db.port : 5432);
    m_dbName->setText(db.database);
    m_dbUser->setText(db.user);
    m_dbPassword->setText(db.password);
    m_schema = db.schema;
    const bool pg = db.engine == Dialect::Engine::PostgreSQL;
    m_postgres->setChecked(pg);
    m_sqlite->setChecked(!pg);
    updateEngine();
}

LoginChoice LoginDialog::choice() const
{
    LoginChoice c;
    c.user = m_user->currentText().trimmed();
    c.password = m_password->text();
    c.language = m_language->currentData().toString();
    DbLocation &db = c.database;
    db.engine = m_postgres->isChecked() ? Dialect::Engine::PostgreSQL : Dialect::Engine::SQLite;
    db.path = m_file->text().trimmed();
    db.host = m_host->text().trimmed();
    db.port = m_port->value();
    db.database = m_dbName->text().trimmed();
    db.user = m_dbUser->text().trimmed();
    db.password = m_dbPassword->text();
    db.schema = m_schema;
    return c;
}

void LoginDialog::updateEngine()
{
    showError({}); // what went wrong with the other kind of database does not apply
    const int current = m_postgres->isChecked() ? 1 : 0;
    // the box takes the height of the page shown, not of the tallest page
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setSizePolicy(QSizePolicy::Preferred,
                                          i == current ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    m_pages->setCurrentIndex(current);
    m_pages->adjustSize();
    adjustSize();
}

void LoginDialog::browse()
{
    const QString start = m_file->text().isEmpty() ? QString() : QFileInfo(m_file->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(this, LoadText("选择数据库文件"), start,
                                                      LoadText("SQLite 数据库 (*.db *.sqlite *.sqlite3);;所有文件 (*)"),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return;
    m_file->setText(file);
    refreshUsers();
}

void LoginDialog::refreshUsers()
{
    const QString typed = m_user->currentText();
    const QStringList names = LoginLogic::userNames(choice().database);
    m_user->clear();
    m_user->addItems(names);
    m_user->setEditText(typed);
}

void LoginDialog::showError(const QString &message)
{
    m_error->setText(message);
    m_error->setVisible(!message.isEmpty());
}

QString LoginDialog::errorText() const
{
    return m_error->isHidden() ? QString() : m_error->text();
}

void LoginDialog::accept()
{
    showError({});
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = !m_attempt || m_attempt(choice(), &error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        showError(error);
        m_password->selectAll();
        m_password->setFocus();
        return;
    }
    QDialog::accept();
}
