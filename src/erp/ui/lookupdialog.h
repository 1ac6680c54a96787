#pragma once

#include "erp/lookupquery.h"
#include "host/hostcomponents.h"

#include <QDialog>

class AppConnection;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace erp {

class LookupModel;

// The base-data lookup (F7): a search box over a list of the host table's rows.
// Typing narrows the list, the arrows move in it, Enter picks, Esc cancels.
class LookupDialog : public QDialog
{
    Q_OBJECT
public:
    LookupDialog(AppConnection &connection, const LookupQuery &query, QWidget *parent = nullptr);

    LookupRecord selected() const { return m_selected; }
    // Most rows a search shows; more text narrows the list.
    static constexpr int rowLimit = 500;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupWidgets();
    void runSearch();
    void selectRow(int row);
    bool searchBoxKey(int key);

    AppConnection &m_connection;
    LookupQuery m_query;
    LookupModel *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_searchTimer = nullptr;
    LookupRecord m_selected;
};

// The host's base-data pickers as this dialog, over the shared connection.
class DialogLookup : public BaseDataLookup
{
public:
    LookupRecord lookup(int itemClass, const QVariantMap &options) override;
    LookupRecord listLookup(const QString &table, const QVariantMap &options) override;

private:
    LookupRecord show(const std::optional<LookupQuery> &query);
    bool m_open = false;
};

} // namespace erp
