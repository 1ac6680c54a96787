#pragma once

#include <QString>
#include <QVariantList>

#include <stdexcept>

// A database failure as a value: the database's own message, plus the statement
// and the bound values for the details a person can unfold under the message.
struct DbError
{
    QString message;   // what the database said
    QString statement; // the statement that failed
    QVariantList binds;

    bool isError() const { return !message.isEmpty(); }
    QString detailed() const;
};

// Thrown by AppConnection::ExecuteRaiseErr and caught at the edge of an operation.
class DbException : public std::runtime_error
{
public:
    explicit DbException(DbError error);
    const DbError &error() const { return m_error; }

private:
    DbError m_error;
};
