#include "proclistmodel.h"

#include "host/recordset.h"
#include "host/texts.h"

#include <QHash>

void ProcListModel::load(Recordset &list)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(list.RecordCount());
    QMap<int, QVariantMap> kept;
    // fields looked up once: a list of ten thousand processes loads at reading speed
    const int id = list.fieldIndex(u"FID"), name = list.fieldIndex(u"FProcessID"), remark = list.fieldIndex(u"FRemark"),
              date = list.fieldIndex(u"FDate"), user = list.fieldIndex(u"username"),
              status = list.fieldIndex(u"FStatus");
    for (int r = 0; r < list.RecordCount(); ++r) {
        Process p;
        p.id = int(Recordset::toNumber(list.value(r, id)));
        p.name = list.value(r, name).toString().trimmed();
        p.remark = list.value(r, remark).toString();
        p.date = Recordset::toDateTime(list.value(r, date)).date();
        p.user = list.value(r, user).toString().trimmed();
        p.status = int(Recordset::toNumber(list.value(r, status)));
        // an edit not saved yet survives a reload of the list
        if (!m_pending.isEmpty()) {
            const auto edit = m_pending.constFind(p.id);
            if (edit != m_pending.constEnd()) {
                p.name = edit->value(QStringLiteral("ProcID")).toString();
                p.remark = edit->value(QStringLiteral("Remark")).toString();
                kept.insert(p.id, *edit);
            }
        }
        m_rows << p;
    }
    m_pending = kept;
    endResetModel();
}

const ProcListModel::Process *ProcListModel::process(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

bool ProcListModel::setText(int row, Column column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || (column != Name && column != Remark))
        return false;
    Process &p = m_rows[row];
    QString &field = column == Name ? p.name : p.remark;
    const QString value = text.left(column == Name ? NameLength : RemarkLength);
    if (field == value)
        return true;
    field = value;
    record(p);
    emit dataChanged(index(row, column), index(row, column));
    return true;
}

void ProcListModel::record(const Process &p)
{
    m_pending.insert(
        p.id,
        {{QStringLiteral("ProcID"), p.name}, {QStringLiteral("Remark"), p.remark}, {QStringLiteral("FID"), p.id}});
}

void ProcListModel::clearPendingEdits()
{
    m_pending.clear();
}

QString ProcListModel::duplicateName() const
{
    QHash<QString, int> seen;
    for (const Process &p : m_rows)
        if (seen[p.name]++ == 1)
            return p.name;
    return {};
}

int ProcListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProcListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProcListModel::data(const QModelIndex &index, int role) const
{
    const Process *p = process(index.row());
    if (!p || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    switch (index.column()) {
    case Mark:
        return p->status == 1 ? QStringLiteral("Y") : QString();
    case Id:
        return p->id;
    case Name:
        return p->name;
    case Remark:
        return p->remark;
    case Date:
        return p->date.toString(QStringLiteral("yyyy-MM-dd"));
    case User:
        return p->user;
    case Status:
        return p->status;
    }
    return {};
}

bool ProcListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole)
        return false;
    return setText(index.row(), Column(index.column()), value.toString());
}

Qt::ItemFlags ProcListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Name || index.column() == Remark)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ProcListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const captions[] = {"", N_("顺序号"), N_("盘点方案名称"), N_("备注"), N_("日期"), N_("制单"),
                                           ""};
    return section >= 0 && section < ColumnCount && *captions[section] ? LoadText(captions[section]) : QString();
}
