#pragma once

#include "host/recordset.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QStringList>

#include <vector>

// A tree of base-data entries with check boxes (the stocks, suppliers, brands or
// categories of the backup dialog). Nodes are keyed "k" + id under a root "k0".
// Ticking a node ticks its whole branch and every node above it; clearing one
// clears its branch, then each node above whose children are all clear. A ticked
// node with a branch not ticked throughout shows as partly ticked.
class CheckTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role { KeyRole = Qt::UserRole + 1 };

    explicit CheckTreeModel(QObject *parent = nullptr);

    // Builds the tree from rows with FItemID, FName, FNumber and FParentID: every
    // entry under its parent's node, or under the root when the parent is not there.
    void load(const QString &rootCaption, Recordset rows);
    void clear();

    QModelIndex indexOfKey(const QString &key) const;
    QString text(const QString &key) const;
    bool isChecked(const QString &key) const;
    void setChecked(const QString &key, bool checked);
    // What the box of the node shows: Checked, Unchecked or PartiallyChecked.
    Qt::CheckState checkState(const QString &key) const;
    // Ticked nodes in tree order; ids are the keys without their "k".
    QStringList checkedKeys() const;
    QStringList checkedIds() const;
    bool hasChecked() const;
    int nodeCount() const { return int(m_nodes.size()); }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Node
    {
        QString key;
        QString text;
        int parent = -1; // -1 for the root
        int row = 0;     // position under the parent
        std::vector<int> children;
        bool checked = false;
    };

    int addNode(const QString &key, const QString &text, int parent);
    int nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(int node) const;
    Qt::CheckState checkState(int node) const;
    void setBranch(int node, bool checked, std::vector<int> *changed);

    std::vector<Node> m_nodes;
    QHash<QString, int> m_byKey;
};
