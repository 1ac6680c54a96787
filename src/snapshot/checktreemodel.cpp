#include "checktreemodel.h"

#include <algorithm>

namespace {
const QString rootKey = QStringLiteral("k0");

QString keyOf(int id)
{
    return QStringLiteral("k") + QString::number(id);
}
} // namespace

CheckTreeModel::CheckTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{}

void CheckTreeModel::clear()
{
    beginResetModel();
    m_nodes.clear();
    m_byKey.clear();
    endResetModel();
}

void CheckTreeModel::load(const QString &rootCaption, Recordset rows)
{
    beginResetModel();
    m_nodes.clear();
    m_byKey.clear();
    addNode(rootKey, rootCaption, -1);
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
        const QString key = keyOf(rows.integer(u"FItemID"));
        if (m_byKey.contains(key))
            continue;
        const int parent = m_byKey.value(keyOf(rows.integer(u"FParentID")), 0);
        const QString text = QStringLiteral("(") + rows.text(u"FNumber").trimmed() + QStringLiteral(") ") +
                             rows.text(u"FName").trimmed();
        addNode(key, text, parent);
    }
    endResetModel();
}

int CheckTreeModel::addNode(const QString &key, const QString &text, int parent)
{
    const int id = int(m_nodes.size());
    Node node;
    node.key = key;
    node.text = text;
    node.parent = parent;
    if (parent >= 0) {
        node.row = int(m_nodes[size_t(parent)].children.size());
        m_nodes[size_t(parent)].children.push_back(id);
    }
    m_nodes.push_back(node);
    m_byKey.insert(key, id);
    return id;
}

QModelIndex CheckTreeModel::indexOfKey(const QString &key) const
{
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.constEnd() ? QModelIndex() : indexOf(it.value());
}

QString CheckTreeModel::text(const QString &key) const
{
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.constEnd() ? QString() : m_nodes[size_t(it.value())].text;
}

bool CheckTreeModel::isChecked(const QString &key) const
{
    const auto it = m_byKey.constFind(key);
    return it != m_byKey.constEnd() && m_nodes[size_t(it.value())].checked;
}

void CheckTreeModel::setChecked(const QString &key, bool checked)
{
    const auto it = m_byKey.constFind(key);
    if (it == m_byKey.constEnd())
        return;
    const int node = it.value();
    std::vector<int> changed;
    setBranch(node, checked, &changed);
    // the nodes above follow: ticked with a ticked child, cleared once none is
    for (int up = m_nodes[size_t(node)].parent; up >= 0; up = m_nodes[size_t(up)].parent) {
        const auto &children = m_nodes[size_t(up)].children;
        m_nodes[size_t(up)].checked = checked || std::any_of(children.begin(), children.end(),
                                                             [this](int c) { return m_nodes[size_t(c)].checked; });
        changed.push_back(up);
    }
    for (int n : changed) {
        const QModelIndex index = indexOf(n);
        emit dataChanged(index, index, {Qt::CheckStateRole});
    }
}

Qt::CheckState CheckTreeModel::checkState(const QString &key) const
{
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.constEnd() ? Qt::Unchecked : checkState(it.value());
}

// A ticked node whose branch is not ticked throughout shows as partly ticked: the
// snapshot then takes only some of what lies below it.
Qt::CheckState CheckTreeModel::checkState(int node) const
{
    const Node &n = m_nodes[size_t(node)];
    if (!n.checked)
        return Qt::Unchecked;
    for (int child : n.children)
        if (checkState(child) != Qt::Checked)
            return Qt::PartiallyChecked;
    return Qt::Checked;
}

// Every node of the branch and above it is repainted, its own tick changed or
// not: a partly ticked node may have turned whole, or the other way round.
void CheckTreeModel::setBranch(int node, bool checked, std::vector<int> *changed)
{
    m_nodes[size_t(node)].checked = checked;
    changed->push_back(node);
    for (int child : m_nodes[size_t(node)].children)
        setBranch(child, checked, changed);
}

QStringList CheckTreeModel::checkedKeys() const
{
    QStringList keys;
    for (const Node &n : m_nodes)
        if (n.checked)
            keys << n.key;
    return keys;
}

QStringList CheckTreeModel::checkedIds() const
{
    QStringList ids;
    for (const QString &key : checkedKeys())
        ids << key.mid(1);
    return ids;
}

bool CheckTreeModel::hasChecked() const
{
    return std::any_of(m_nodes.begin(), m_nodes.end(), [](const Node &n) { return n.checked; });
}

int CheckTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? int(index.internalId()) : -1;
}

QModelIndex CheckTreeModel::indexOf(int node) const
{
    if (node < 0 || size_t(node) >= m_nodes.size())
        return {};
    return createIndex(m_nodes[size_t(node)].row, 0, quintptr(node));
}

QModelIndex CheckTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && !m_nodes.empty() ? indexOf(0) : QModelIndex();
    const auto &children = m_nodes[size_t(nodeOf(parent))].children;
    return size_t(row) < children.size() ? indexOf(children[size_t(row)]) : QModelIndex();
}

QModelIndex CheckTreeModel::parent(const QModelIndex &child) const
{
    const int node = nodeOf(child);
    return node < 0 ? QModelIndex() : indexOf(m_nodes[size_t(node)].parent);
}

int CheckTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_nodes.empty() ? 0 : 1;
    if (parent.column() != 0)
        return 0;
    return int(m_nodes[size_t(nodeOf(parent))].children.size());
}

int CheckTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant CheckTreeModel::data(const QModelIndex &index, int role) const
{
    const int node = nodeOf(index);
    if (node < 0)
        return {};
    const Node &n = m_nodes[size_t(node)];
    switch (role) {
    case Qt::DisplayRole:
        return n.text;
    case Qt::CheckStateRole:
        return checkState(node);
    case KeyRole:
        return n.key;
    default:
        return {};
    }
}

bool CheckTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int node = nodeOf(index);
    if (node < 0 || role != Qt::CheckStateRole)
        return false;
    // a click on a partly ticked node ticks its whole branch
    setChecked(m_nodes[size_t(node)].key, value.toInt() != Qt::Unchecked);
    return true;
}

Qt::ItemFlags CheckTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
