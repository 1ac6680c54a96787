#pragma once

#include <QDialog>
#include <QList>

class AppConnection;
class QPushButton;
class QStandardItemModel;
class QTableView;
class WindowRegistry;

namespace erp {

// The host's document viewer: the stock documents handed to it with their
// entries, and the Audit command that posts the selected one to the stock.
class BillViewer : public QDialog
{
    Q_OBJECT
public:
    BillViewer(AppConnection &connection, const QList<int> &documents, int userId, QWidget *parent = nullptr);

    // Registers "NVE_N5Bills.Bills": arguments "FInterID" (a list of ids) and "UserID".
    static void registerOpener(WindowRegistry &windows);

    void audit(); // the Audit command, on the selected document

private:
    void setupUi();
    void reload();
    void showEntries();
    int currentRow() const;

    AppConnection &m_c;
    QList<int> m_documents;
    int m_userId;
    QTableView *m_bills = nullptr;
    QTableView *m_entries = nullptr;
    QStandardItemModel *m_billModel = nullptr;
    QStandardItemModel *m_entryModel = nullptr;
    QPushButton *m_audit = nullptr;
};

} // namespace erp
