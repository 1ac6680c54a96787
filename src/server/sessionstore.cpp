#include "sessionstore.h"

#include "erp/gldata.h"
#include "erp/users.h"
#include "host/appconnection.h"
#include "host/dberror.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRandomGenerator>

namespace {

const QString kFailuresSince =
    QStringLiteral("SELECT COUNT(*) AS FCount FROM ICStockCheckLoginFailure WHERE FName = ? AND FTime > ?");
const QString kAddFailure = QStringLiteral("INSERT INTO ICStockCheckLoginFailure (FName, FTime) VALUES (?, ?)");
const QString kClearFailures = QStringLiteral("DELETE FROM ICStockCheckLoginFailure WHERE FName = ? OR FTime < ?");
const QString kUserName = QStringLiteral("SELECT FName FROM t_user WHERE FUserID = ?");
const QString kDropExpired = QStringLiteral("DELETE FROM ICStockCheckSession WHERE FExpires < ?");
const QString kAddSession = QStringLiteral(
    "INSERT INTO ICStockCheckSession (FToken, FUserID, FCreated, FExpires, FDevice) VALUES (?, ?, ?, ?, ?)");
// Whether the user's stocks are limited comes with the session, not as a query of
// its own per request; read with it each time, a change of the user's stock rules
// counts from the next request (well before the next login).
const QString kFindSession =
    QStringLiteral(R"(SELECT s.FUserID, s.FExpires, s.FDevice, s.FInterID, s.FLastEntry, u.FName, u.FForbidden,
       CASE WHEN EXISTS (SELECT 1 FROM t_UserDataAccess a
                          WHERE a.FUserID = s.FUserID AND LOWER(a.FTableName) = 't_stock') THEN 1 ELSE 0 END
       AS FLimited
  FROM ICStockCheckSession s INNER JOIN t_user u ON s.FUserID = u.FUserID
 WHERE s.FToken = ?)");
const QString kDropSession = QStringLiteral("DELETE FROM ICStockCheckSession WHERE FToken = ?");

QString newToken()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

qint64 SessionStore::now()
{
    return QDateTime::currentSecsSinceEpoch();
}

QString SessionStore::hashOf(const QString &token)
{
    return QString::fromLatin1(QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256).toHex());
}

ApiReply SessionStore::login(AppConnection &conn, const QString &name, const QString &password, const QString &device,
                             bool *failed) const
{
    *failed = false;
    const qint64 t = now();
    const Recordset recent = conn.ExecuteRaiseErr(kFailuresSince, {name, t - m_options.failureWindowSeconds});
    if (recent.integer(u"FCount") >= m_options.maxFailures)
        return ApiReply::refused(
            429, QStringLiteral("loginThrottled"),
            QStringLiteral("登录失败次数过多，请 %1 分钟后再试。").arg((m_options.failureWindowSeconds + 59) / 60));
    int userId = 0;
    QString error;
    if (!erp::checkLogin(conn, name, password, &userId, &error)) {
        *failed = true;
        conn.ExecuteRaiseErr(kAddFailure, {name, t});
        // the same answer for an unknown name and a wrong password: the device
        // learns nothing about which names exist
        return ApiReply::refused(401, QStringLiteral("badLogin"), QStringLiteral("用户名或密码不正确。"));
    }
    erp::UserRights rights;
    if (!rights.AccessCheck(conn, userId, GLData::Right::EnterCount))
        return ApiReply::refused(403, QStringLiteral("noRight"), QStringLiteral("这个用户没有从手持终端盘点的权限。"));
    const QString token = newToken();
    const qint64 expires = t + qint64(m_options.sessionHours) * 3600;
    {
        Transaction tx(conn);
        conn.ExecuteRaiseErr(kClearFailures, {name, t - 86400});
        conn.ExecuteRaiseErr(kDropExpired, {t});
        conn.ExecuteRaiseErr(kAddSession, {hashOf(token), userId, t, expires, device});
        tx.commit();
    }
    const QString userName = conn.ExecuteRaiseErr(kUserName, {userId}).text(u"FName");
    return ApiReply::ok(QJsonObject{
        {QStringLiteral("token"), token},
        {QStringLiteral("user"), QJsonObject{{QStringLiteral("id"), userId}, {QStringLiteral("name"), userName}}},
        {QStringLiteral("expires"), expires}});
}

std::optional<SessionStore::Session> SessionStore::find(AppConnection &conn, const QString &token) const
{
    // a token is 43 characters of base64url; anything else cannot be one
    if (token.size() != 43)
        return std::nullopt;
    const QString hash = hashOf(token);
    const Recordset rs = conn.ExecuteRaiseErr(kFindSession, {hash});
    if (rs.isEmpty() || rs.integer(u"FForbidden") != 0)
        return std::nullopt;
    Session s;
    s.tokenHash = hash;
    s.userId = rs.integer(u"FUserID");
    s.userName = rs.text(u"FName");
    s.expires = rs.Fields(u"FExpires").toLongLong();
    s.device = rs.text(u"FDevice");
    s.process = rs.integer(u"FInterID");
    s.lastEntry = rs.Fields(u"FLastEntry").toLongLong();
    s.limited = rs.integer(u"FLimited") != 0;
    if (s.expires < now())
        return std::nullopt;
    return s;
}

bool SessionStore::logout(AppConnection &conn, const QString &token) const
{
    int rows = 0;
    return conn.Exec(kDropSession, {hashOf(token)}, &rows) && rows > 0;
}
