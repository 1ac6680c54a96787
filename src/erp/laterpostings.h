#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class AppConnection;

// Postings after a snapshot, for trying the reconciliation: audited stock
// documents of every family the documents window lists, and in MTO planning mode
// MTO changes, on positions that open counts hold, each moving the current stock
// as its posting would. The same seed gives the same documents.
namespace erp {

struct PostingOptions
{
    int documents = 0;
    QDate date;       // of every document; today when invalid
    quint64 seed = 1; // the same seed, the same documents
    int userId = 0;   // biller and checker
    bool mtoPlanMode = false;
};

struct PostedDocument
{
    int id = 0; // FInterID, or FID of an MTO change
    QString billNo;
    int tranType = 0; // FTranType, or 1107011
    int entries = 0;
};

// All documents in one transaction; nullopt with `error` when nothing could be
// posted (no open count holds a position, or the database refused).
std::optional<QList<PostedDocument>> postLaterDocuments(AppConnection &c, const PostingOptions &options,
                                                        QString *error);

} // namespace erp
