#include "users.h"

#include "passwordhash.h"

#include "host/appconnection.h"
#include "host/texts.h"

#include <QCryptographicHash>
#include <sodium.h>

namespace erp {

namespace {

const QString kUserNames = QStringLiteral("SELECT FName FROM t_user WHERE FForbidden = 0 ORDER BY FUserID");
const QString kUserByName =
    QStringLiteral("SELECT FUserID, FForbidden, FPassword FROM t_user WHERE FName = ? ORDER BY FUserID");
const QString kSetPassword = QStringLiteral("UPDATE t_user SET FPassword = ? WHERE FUserID = ?");

// Today's costs: 2 passes over 19 MiB, the smallest setting commonly advised for
// Argon2id. A login takes tens of milliseconds; a guess costs an attacker the same.
constexpr unsigned long long kOpsLimit = 2;
constexpr size_t kMemLimit = 19 * 1024 * 1024;
constexpr size_t kSaltBytes = crypto_pwhash_SALTBYTES;
constexpr size_t kHashBytes = 32;

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QByteArray legacyDigest(const QByteArray &salt, const QString &password)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(password.toUtf8());
    return hash.result();
}

bool legacyMatches(const QString &password, const QString &stored)
{
    const qsizetype dollar = stored.indexOf(QLatin1Char('$'));
    if (dollar <= 0)
        return false;
    const QByteArray salt = QByteArray::fromHex(stored.left(dollar).toLatin1());
    const QByteArray expected = QByteArray::fromHex(stored.mid(dollar + 1).toLatin1());
    const QByteArray actual = legacyDigest(salt, password);
    return expected.size() == actual.size() &&
           sodium_memcmp(expected.constData(), actual.constData(), size_t(actual.size())) == 0;
}

QByteArray base64NoPadding(const QByteArray &bytes)
{
    return bytes.toBase64(QByteArray::OmitTrailingEquals);
}

// The same string crypto_pwhash_str makes, over a salt that the caller chose.
QString argonWithSalt(const QByteArray &utf8, const QByteArray &salt)
{
    QByteArray out(kHashBytes, Qt::Uninitialized);
    if (crypto_pwhash(reinterpret_cast<unsigned char *>(out.data()), kHashBytes, utf8.constData(), size_t(utf8.size()),
                      reinterpret_cast<const unsigned char *>(salt.constData()), kOpsLimit, kMemLimit,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return QStringLiteral("$argon2id$v=19$m=%1,t=%2,p=1$%3$%4")
        .arg(kMemLimit / 1024)
        .arg(kOpsLimit)
        .arg(QString::fromLatin1(base64NoPadding(salt)), QString::fromLatin1(base64NoPadding(out)));
}

bool isArgon(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
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
    if (!sodiumReady())
        return {};
    const QByteArray utf8 = password.toUtf8();
    if (!salt.isEmpty()) {
        QByteArray s = QCryptographicHash::hash(salt, QCryptographicHash::Sha256).left(kSaltBytes);
        return argonWithSalt(utf8, s);
    }
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), size_t(utf8.size()), kOpsLimit, kMemLimit) != 0)
        return {};
    return QString::fromLatin1(out);
}

bool passwordMatches(const QString &password, const QString &stored)
{
    if (stored.isEmpty())
        return password.isEmpty();
    if (!isArgon(stored))
        return legacyMatches(password, stored);
    if (!sodiumReady())
        return false;
    const QByteArray utf8 = password.toUtf8();
    const QByteArray hash = stored.toLatin1();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), size_t(utf8.size())) == 0;
}

bool passwordNeedsRehash(const QString &stored)
{
    if (stored.isEmpty())
        return false;
    if (!sodiumReady()) // nothing better can be stored now
        return false;
    if (!isArgon(stored))
        return true;
    const QByteArray hash = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(hash.constData(), kOpsLimit, kMemLimit) != 0;
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
    const int id = rs.integer(u"FUserID");
    // A hash of an older kind is replaced now that the password is known; a failure
    // here leaves the old one, which still works, so the login goes on.
    if (passwordNeedsRehash(rs.text(u"FPassword"))) {
        const QString hash = passwordHash(password);
        if (!hash.isNull()) // a failed derivation never replaces a working hash
            connection.Exec(kSetPassword, {hash, id});
    }
    if (userId)
        *userId = id;
    return true;
}

bool setPassword(AppConnection &connection, int userId, const QString &password, QString *error)
{
    const QString hash = passwordHash(password);
    if (hash.isNull()) { // stored as NULL it would read back as "no password"
        setError(error, LoadText("密码加密失败，密码没有修改。"));
        return false;
    }
    int rows = 0;
    if (!connection.Exec(kSetPassword, {hash, userId}, &rows)) {
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
