#pragma once

#include <QByteArray>
#include <QString>

namespace erp {

// The stored form of a password: "salt$sha256(salt + password)", both in hex; an
// empty password is stored as an empty text. The salt is random unless given (the
// demo data passes one of its own so that its rows stay reproducible).
QString passwordHash(const QString &password, const QByteArray &salt = {});
// True when `password` matches the stored form.
bool passwordMatches(const QString &password, const QString &stored);

} // namespace erp
