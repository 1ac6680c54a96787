#pragma once

#include <QByteArray>
#include <QString>

namespace erp {

// The stored form of a password: an Argon2id string ("$argon2id$v=19$m=…,t=…,p=1$salt$hash")
// whose cost makes each guess expensive once a login can be reached over a network. An
// empty password is stored as an empty text. The salt is random unless given (the demo
// data passes one of its own so that its rows stay reproducible).
QString passwordHash(const QString &password, const QByteArray &salt = {});
// True when `password` matches the stored form: the Argon2id string, or the older
// "salt$sha256(salt + password)" in hex that databases made before still hold. The
// older digest is compared in constant time.
bool passwordMatches(const QString &password, const QString &stored);
// True when the stored form should be written again: the older digest, or an
// Argon2id string made with other costs than today's.
bool passwordNeedsRehash(const QString &stored);

} // namespace erp
