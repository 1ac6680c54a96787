#include "recountlogic.h"

#include "model/countjournal.h"

#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QFileInfo>
#include <QRegularExpression>

RecountLogic::RecountLogic(AppConnection &connection, HostUi *ui, int processId, int userId)
    : m_connection(connection)
    , m_ui(ui)
    , m_processId(processId)
    , m_userId(userId)
{}

bool RecountLogic::mto() const
{
    return shared().enableMtoPlanMode != 0;
}

bool RecountLogic::load()
{
    m_blind = countparams::hidesBookFigures(m_connection, m_userId);
    m_typed.clear();
    try {
        m_tolerance = countparams::recountTolerance(m_connection);
        m_lines = Recount(m_connection).lines(m_processId, m_tolerance);
    } catch (const DbException &e) {
        m_lines.clear();
        if (m_ui)
            m_ui->message(LoadText("读取盘点数据失败。"), HostUi::Icon::Critical, e.error().detailed());
        return false;
    }
    return true;
}

QStringList RecountLogic::headings() const
{
    return Recount::headings(m_blind, mto());
}

int RecountLogic::recountColumn() const
{
    return int(headings().size()) - 1;
}

QStringList RecountLogic::cells(int row) const
{
    QStringList c = Recount::cells(m_lines.at(row), m_blind, mto());
    const auto typed = m_typed.constFind(row);
    if (typed != m_typed.constEnd())
        c.last() = plainNumber(*typed);
    return c;
}

bool RecountLogic::setRecount(int row, const QString &text)
{
    if (row < 0 || row >= m_lines.size())
        return false;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        m_typed.remove(row);
        return true;
    }
    static const QRegularExpression plain(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!plain.match(t).hasMatch()) {
        if (m_ui)
            m_ui->message(LoadText("复盘数量必须是不小于 0 的数。"));
        return false;
    }
    m_typed.insert(row, roundQuantity(t.toDouble(), m_lines.at(row).decimals));
    return true;
}

bool RecountLogic::save()
{
    QList<QStringList> errors;
    for (auto it = m_typed.begin(); it != m_typed.end();) {
        QString error;
        if (Recount(m_connection).enter(m_lines.at(it.key()).key, it.value(), m_userId, CountSource::sheet, &error)) {
            m_saved = true;
            it = m_typed.erase(it);
            continue;
        }
        const Recount::Line &l = m_lines.at(it.key());
        errors << QStringList{QString::number(it.key() + 1), l.stock, l.itemNumber, l.itemName, error};
        ++it;
    }
    if (!errors.isEmpty() && m_ui)
        m_ui->showList(
            LoadText("复盘错误数据提示"),
            {LoadText("行号"), LoadText("仓库"), LoadText("物料代码"), LoadText("物料名称"), LoadText("错误类型")},
            {500, 800, 1100, 1600, 2400}, errors);
    if (!errors.isEmpty())
        return false;
    load(); // the saved recounts show as the database has them
    return true;
}

void RecountLogic::exportSheet()
{
    if (!m_ui)
        return;
    SheetWriter *writer = shared().components.sheetWriter.get();
    if (!writer) {
        m_ui->message(LoadText("没有引出组件。"));
        return;
    }
    const QString title = LoadText("复盘表");
    QString fileName = m_ui->saveFileName(LoadText("引出"), LoadText("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)"),
                                          title + QStringLiteral(".xlsx"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".xlsx");
    QList<ExportColumn> columns;
    const QStringList h = headings();
    const int firstQty = int(h.size()) - (m_blind ? 1 : 4);
    for (int i = 0; i < h.size(); ++i)
        columns << ExportColumn{h.at(i), i >= firstQty ? ExportColumn::Kind::Quantity : ExportColumn::Kind::Text,
                                i >= firstQty ? 1200 : 1400};
    const auto load = [this, firstQty](int row, ExportRow &values) {
        const QStringList c = cells(row - 1);
        values.decimals = m_lines.at(row - 1).decimals;
        for (int i = 0; i < c.size(); ++i)
            values.values << (i >= firstQty ? (c.at(i).isEmpty() ? QVariant() : QVariant(c.at(i).toDouble()))
                                            : QVariant(c.at(i)));
    };
    QString error;
    if (!writer->Export(fileName, title, columns, rowCount(), load, &error))
        m_ui->message(error, HostUi::Icon::Critical);
}

bool RecountLogic::close()
{
    if (!hasChanges() || !m_ui)
        return true;
    switch (m_ui->question(LoadText("复盘数量已经修改，是否保存？"), true)) {
    case HostUi::Answer::Yes:
        return save();
    case HostUi::Answer::No:
        return true;
    default:
        return false;
    }
}
