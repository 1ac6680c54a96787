#include "users.h"

#include "passwordhash.h"

#include "host/appconnection.h"
#include "host/texts.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace erp {

namespace {

const QString kUserNames = QStringLiteral("SELECT FName FROM t_user WHERE FForbidden = 0 ORDER BY FUserID");
const QString kUserByName =
    QStringLiteral("SELECT FUserID, FForbidden, FPassword FROM t_user WHERE FName = ? ORDER BY FUserID");
const QString kSetPassword = QStringLiteral("UPDATE t_user SET FPassword = ? WHERE FUserID = ?");

QByteArray digest(const QByteArray &salt, const QString &password)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(password.toUtf8());
    return hash.result();
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QString passwordHash(const QString &password, const QByteArray &salt)
{
    if (password.isEmpty())
        return QStringLiteral(""); // not a null text: that would be bound as NULL
    QByteArray s = salt;
    if (s.isEmpty()) {
        s.resize(16);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(s.data()), s.size() / 4);
    }
    return QString::fromLatin1(s.toHex() + '$' + digest(s, password).toHex());
}

bool passwordMatches(const QString &password, const QString &stored)
{
    if (stored.isEmpty())
        return password.isEmpty();
    const qsizetype dollar = stored.indexOf(QLatin1Char('$'));
    if (dollar <= 0)
        return false;
    const QByteArray salt = QByteArray::fromHex(stored.left(dollar).toLatin1());
    const QByteArray expected = QByteArray::fromHex(stored.mid(dollar + 1).toLatin1());
    return !expected.isEmpty() && digest(salt, password) == expected;
}

QStringList userNames(AppConnection &connection)
{
    QStringList names;
    Recordset rs = connection.Execute(kUserNames);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names << rs.text(u"FName");
    return names;
}

bool checkLogin(AppConnection &connection, const QString &userName, const QString &password, int *userId,
                QString *error)
{
    const QString name = userName.trimmed();
    if (name.isEmpty()) {
        setError(error, LoadText("请输入用户名。"));
        return false;
    }
    Recordset rs = connection.Execute(kUserByName, {name});
    if (!rs.isOpen()) {
        setError(error, LoadText("读取用户资料失败：") + connection.lastError().message);
        return false;
    }
    if (rs.isEmpty()) {
        setError(error, FormatText("用户“%1”不存在，请重新输入。", {name}));
        return false;
    }
    if (rs.integer(u"FForbidden") != 0) {
        setError(error, FormatText("用户“%1”已被禁用，请与系统管理员联系。", {name}));
        return false;
    }
    if (!passwordMatches(password, rs.text(u"FPassword"))) {
        setError(error, LoadText("密码不正确，请重新输入。"));
        return false;
    }
    if (userId)
        *userId = rs.integer(u"FUserID");
    return true;
}

bool setPassword(AppConnection &connection, int userId, const QString &password, QString *error)
{
    int rows = 0;
    if (!connection.Exec(kSetPassword, {passwordHash(password), userId}, &rows)) {
        setError(error, LoadText("保存密码失败：") + connection.lastError().message);
        return false;
    }
    if (rows == 0) {
        setError(error, FormatText("用户（编号 %1）不存在。", {userId}));
        return false;
    }
    return true;
}

} // namespace erp
