#include "frmrecount.h"

#include "host/appconnection.h"
#include "host/loginprops.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

FrmRecount::FrmRecount(AppConnection &connection, int processId, int userId, QWidget *parent)
    : QDialog(parent)
    , m_logic(connection, shared().ui, processId, userId)
{
    setObjectName(QStringLiteral("frmRecount"));
    setWindowTitle(LoadText("复盘"));
    auto *tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto tool = [&](const char *name, const char *caption, auto slot) {
        QAction *a = tools->addAction(LoadText(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
    };
    tool("mnuRSave", N_("保存"), [this] {
        m_logic.save();
        fill();
    });
    tool("mnuRExport", N_("引出"), [this] { m_logic.exportSheet(); });
    tool("mnuRRefresh", N_("刷新"), [this] {
        if (m_logic.close()) {
            m_logic.load();
            fill();
        }
    });
    tool("mnuRExit", N_("退出"), [this] { reject(); });

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("vsRecount"));
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    connect(m_grid, &QTableWidget::cellChanged, this, &FrmRecount::cellEdited);

    m_logic.load();
    const countparams::Tolerance &t = m_logic.tolerance();
    auto *note = new QLabel(FormatText("差异超过 %1 或超过账存数量的 %2% 的已盘点记录需要复盘。",
                                       {plainNumber(t.quantity), plainNumber(t.percent)}),
                            this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tools);
    layout->addWidget(note);
    layout->addWidget(m_grid);
    resize(1000, 560);
    fill();
}

void FrmRecount::fill()
{
    m_filling = true;
    const QStringList headings = m_logic.headings();
    m_grid->clear();
    m_grid->setColumnCount(int(headings.size()));
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->setRowCount(m_logic.rowCount());
    const int typed = m_logic.recountColumn();
    for (int r = 0; r < m_logic.rowCount(); ++r) {
        const QStringList cells = m_logic.cells(r);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            if (c != typed)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c >= typed - (m_logic.blind() ? 0 : 3))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    m_grid->resizeColumnsToContents(); // a recount sheet is short: every column fits
    m_filling = false;
}

void FrmRecount::cellEdited(int row, int column)
{
    if (m_filling || column != m_logic.recountColumn())
        return;
    m_logic.setRecount(row, m_grid->item(row, column)->text()); // a refused text is told and undone
    m_filling = true;
    m_grid->item(row, column)->setText(m_logic.cells(row).value(column));
    m_filling = false;
}

void FrmRecount::reject()
{
    if (m_logic.close())
        QDialog::reject();
}

QVariantMap FrmRecount::open(const QVariantMap &args)
{
    AppConnection *connection = shared().connection;
    if (!connection)
        return {};
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    FrmRecount dialog(*connection, args.value(QLatin1String(RecountLogic::ArgProcessID)).toInt(), GetUserId(), parent);
    dialog.exec();
    return dialog.logic().result();
}
