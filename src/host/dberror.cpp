#include "dberror.h"

QString DbError::detailed() const
{
    QString text = message;
    if (!statement.isEmpty())
        text += QStringLiteral("\n\n") + statement.trimmed();
    if (!binds.isEmpty()) {
        QStringList values;
        for (const QVariant &v : binds)
            values << (v.isNull() ? QStringLiteral("NULL") : v.toString());
        text += QStringLiteral("\n[") + values.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    return text;
}

DbException::DbException(DbError error)
    : std::runtime_error(error.message.toStdString())
    , m_error(std::move(error))
{}
