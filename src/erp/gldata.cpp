#include "gldata.h"

#include "host/appconnection.h"

namespace erp {

namespace {

const QString hasRightSql =
    QStringLiteral(R"(SELECT COUNT(*) AS FCount FROM t_UserRight WHERE FUserID = ? AND FRight = ?)");
const QString grantSql = QStringLiteral(R"(INSERT INTO t_UserRight (FUserID, FRight)
SELECT ?, ? WHERE NOT EXISTS (SELECT 1 FROM t_UserRight WHERE FUserID = ? AND FRight = ?))");
// The id is taken inside the insert, so two writers never read the same maximum
// apart from their insert.
const QString writeLogSql = QStringLiteral(R"(INSERT INTO t_Log (FID, FDate, FUserID, FFunctionID, FDescription)
SELECT COALESCE(MAX(FID), 0) + 1, %1, ?, ?, ? FROM t_Log)");

} // namespace

QString UserRights::key(Right right)
{
    switch (right) {
    case Right::BackupStock:
        return QStringLiteral("BackupStock");
    case Right::ViewCountReport:
        return QStringLiteral("ViewCountReport");
    case Right::ChangeCountPlan:
        return QStringLiteral("ChangeCountPlan");
    case Right::DeleteCountPlan:
        return QStringLiteral("DeleteCountPlan");
    case Right::EnterCount:
        return QStringLiteral("EnterCount");
    }
    return {};
}

bool UserRights::AccessCheck(AppConnection &connection, int userId, Right right)
{
    return connection.ExecuteRaiseErr(hasRightSql, {userId, key(right)}).integer(u"FCount") > 0;
}

void UserRights::WriteLog(AppConnection &connection, int userId, const QString &code, const QString &text)
{
    connection.ExecuteRaiseErr(writeLogSql.arg(connection.dialect().now()), {userId, code, text.left(255)});
}

QList<GLData::Right> allRights()
{
    using R = GLData::Right;
    return {R::BackupStock, R::ViewCountReport, R::ChangeCountPlan, R::DeleteCountPlan, R::EnterCount};
}

void grantRights(AppConnection &connection, int userId, const QList<GLData::Right> &rights)
{
    for (GLData::Right right : rights) {
        const QString k = UserRights::key(right);
        connection.ExecuteRaiseErr(grantSql, {userId, k, userId, k});
    }
}

} // namespace erp
