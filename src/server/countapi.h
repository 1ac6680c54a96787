#pragma once

#include "apireply.h"
#include "sessionstore.h"

#include <QJsonObject>

class AppConnection;

// The calls of the counting page, apart from HTTP: each takes the caller's session
// and the checked fields of its query or body and answers a reply. Only open
// processes are offered and counted; a user whom t_UserDataAccess limits to some
// stocks sees and counts only those.
namespace countapi {

struct Caller
{
    SessionStore::Session session;
};

ApiReply processes(AppConnection &conn, const Caller &caller);
// ?process=FID: the stocks of the process with their places.
ApiReply stocks(AppConnection &conn, const Caller &caller, const QJsonObject &query);
// ?process=FID&barcode=CODE or &item=NUMBER [&stock=ID&place=ID]: the matching count rows.
ApiReply items(AppConnection &conn, const Caller &caller, const QJsonObject &query);
// {"process", "barcode" or "item", "stock", "place", "batch", "qty", "mode", "clientEntryId"}
ApiReply postEntry(AppConnection &conn, const Caller &caller, const QJsonObject &body);
// ?process=FID[&limit=N]: the caller's last entries and their running total.
ApiReply entries(AppConnection &conn, const Caller &caller, const QJsonObject &query);
// {"process"}: takes back the caller's last add.
ApiReply undo(AppConnection &conn, const Caller &caller, const QJsonObject &body);

} // namespace countapi
