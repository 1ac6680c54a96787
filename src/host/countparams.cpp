#include "countparams.h"

#include "appconnection.h"
#include "dberror.h"
#include "hostcomponents.h"
#include "sharedstate.h"

#include <QRegularExpression>

namespace countparams {

namespace {

const QString category = QStringLiteral("IC");

const QString readSql = QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FCategory = ? AND FKey = ?)");
const QString updateSql = QStringLiteral(R"(UPDATE t_SystemProfile SET FValue = ? WHERE FCategory = ? AND FKey = ?)");
const QString insertSql = QStringLiteral(
    R"(INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FReadonly, FDescription, FLevel, FExplanation, FFormat,
                                    FSort, FDescription_cht, FDescription_en)
       VALUES (?, ?, ?, 0, ?, '', '', '', 0, '', ''))");

bool isFlag(const Param &p)
{
    return qstrcmp(p.key, BlindCount) == 0;
}

double number(const QString &text, double fallback)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && v >= 0 ? v : fallback;
}

} // namespace

const QList<Param> &all()
{
    static const QList<Param> params{
        {BlindCount, "0", "盲盘：录入盘点数量时不显示账存数量和差异"},
        {RecountToleranceQty, "10", "复盘容差（基本单位数量）"},
        {RecountTolerancePercent, "5", "复盘容差（账存数量的百分比）"},
    };
    return params;
}

const Param *find(const QString &key)
{
    for (const Param &p : all())
        if (key == QLatin1String(p.key))
            return &p;
    return nullptr;
}

bool normalise(const Param &param, const QString &text, QString *stored, QString *error)
{
    const QString t = text.trimmed();
    if (isFlag(param)) {
        if (t == QLatin1String("0") || t == QLatin1String("1")) {
            *stored = t;
            return true;
        }
        *error = QStringLiteral("%1: \"%2\" is not 0 or 1").arg(QLatin1String(param.key), text);
        return false;
    }
    // plain decimals only: a tolerance read from "1e3" or "5%" would be a guess
    static const QRegularExpression plain(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!plain.match(t).hasMatch()) {
        *error = QStringLiteral("%1: \"%2\" is not a plain number of 0 or more").arg(QLatin1String(param.key), text);
        return false;
    }
    *stored = QString::number(t.toDouble(), 'g', 15);
    return true;
}

QString value(AppConnection &connection, const Param &param)
{
    Recordset rs = connection.ExecuteRaiseErr(readSql, {category, QString::fromLatin1(param.key)});
    return rs.isEmpty() ? QString::fromLatin1(param.defaultValue) : rs.text(u"FValue").trimmed();
}

void setValue(AppConnection &connection, const Param &param, const QString &stored)
{
    Transaction tx(connection);
    const QString key = QString::fromLatin1(param.key);
    int updated = 0;
    if (!connection.Exec(updateSql, {stored, category, key}, &updated))
        throw DbException(connection.lastError());
    if (updated == 0 && !connection.Exec(insertSql, {category, key, stored, QString::fromUtf8(param.description)}))
        throw DbException(connection.lastError());
    tx.commit();
}

Tolerance recountTolerance(AppConnection &connection)
{
    const Param &qty = *find(QString::fromLatin1(RecountToleranceQty));
    const Param &pct = *find(QString::fromLatin1(RecountTolerancePercent));
    return {number(value(connection, qty), QString::fromLatin1(qty.defaultValue).toDouble()),
            number(value(connection, pct), QString::fromLatin1(pct.defaultValue).toDouble())};
}

bool blindCount(AppConnection &connection)
{
    return value(connection, *find(QString::fromLatin1(BlindCount))) == QLatin1String("1");
}

bool hidesBookFigures(AppConnection &connection, int userId)
{
    try {
        if (!blindCount(connection))
            return false;
        GLData *rights = shared().components.glData.get();
        return !rights || !rights->AccessCheck(connection, userId, GLData::Right::ViewCountReport);
    } catch (const DbException &) {
        return true;
    }
}

} // namespace countparams
