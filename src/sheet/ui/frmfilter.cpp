#include "frmfilter.h"

#include "host/texts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QComboBox *listCell(QTableWidget *grid, int row, int col, const QStringList &shown, const QStringList &stored,
                    const QString &current)
{
    auto *combo = new QComboBox(grid);
    combo->addItem(QString(), QString()); // a row may be cleared again
    for (qsizetype i = 0; i < shown.size(); ++i)
        combo->addItem(shown.at(i), stored.at(i));
    combo->setCurrentIndex(std::max(0, combo->findData(current)));
    grid->setCellWidget(row, col, combo);
    return combo;
}

QString cellChoice(const QTableWidget *grid, int row, int col)
{
    const auto *combo = qobject_cast<const QComboBox *>(grid->cellWidget(row, col));
    return combo ? combo->currentData().toString() : QString();
}

QTableWidget *makeGrid(QWidget *parent, const char *name, const QStringList &headings)
{
    auto *grid = new QTableWidget(FilterDialogLogic::GridRows, int(headings.size()), parent);
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    return grid;
}

QStringList translated(const QStringList &sources)
{
    QStringList out;
    for (const QString &s : sources)
        out << LoadText(s);
    return out;
}

} // namespace

FrmFilter::FrmFilter(SheetMode mode, FilterDialogLogic::Tab tab, QWidget *parent)
    : QDialog(parent)
    , m_logic(mode, tab)
{
    setObjectName(QStringLiteral("frmFilter"));
    setWindowTitle(LoadText("过滤"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    buildFilterGrid();
    buildSortGrid();
    m_tabs->setCurrentIndex(int(tab));

    auto *hint = new QLabel(LoadText("可按[F7]选择比较值"), this);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LoadText("确定(&Y)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(LoadText("取消(&C)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FrmFilter::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    auto *line = new QHBoxLayout;
    line->addWidget(hint, 1);
    line->addWidget(buttons);
    layout->addLayout(line);
    resize(620, 420);
}

void FrmFilter::buildFilterGrid()
{
    m_vsFilter =
        makeGrid(m_tabs, "vsFilter", {LoadText("名称"), LoadText("比较"), LoadText("比较值"), LoadText("逻辑")});
    const QStringList fields = m_logic.filterFields();
    for (int r = 0; r < FilterDialogLogic::GridRows; ++r) {
        const SheetCondition &c = m_logic.conditions().at(r);
        listCell(m_vsFilter, r, FilterDialogLogic::FieldCol, fields, fields, c.field);
        listCell(m_vsFilter, r, FilterDialogLogic::CompareCol, sheetfilter::comparisons(), sheetfilter::comparisons(),
                 c.compare);
        m_vsFilter->setItem(r, FilterDialogLogic::ValueCol, new QTableWidgetItem(c.value));
        listCell(m_vsFilter, r, FilterDialogLogic::LogicCol, sheetfilter::logics(), sheetfilter::logics(), c.logic);
    }
    m_vsFilter->setColumnWidth(FilterDialogLogic::FieldCol, 160);
    m_vsFilter->setColumnWidth(FilterDialogLogic::ValueCol, 200);
    m_vsFilter->installEventFilter(this);
    m_tabs->addTab(m_vsFilter, LoadText("过滤"));
}

void FrmFilter::buildSortGrid()
{
    m_vsSortBy = makeGrid(m_tabs, "vsSortBy", {LoadText("排序字段"), LoadText("排序方式")});
    const QStringList fields = m_logic.sortFields();
    for (int r = 0; r < FilterDialogLogic::GridRows; ++r) {
        const SheetSortKey &k = m_logic.sortKeys().at(r);
        listCell(m_vsSortBy, r, 0, fields, fields, k.field);
        // remembered as shown ("升序") or as written ("Asc"): either finds its entry
        const QStringList directions = sheetfilter::directions();
        const int index = k.direction.compare(QLatin1String("Desc"), Qt::CaseInsensitive) == 0  ? 1
                          : k.direction.compare(QLatin1String("Asc"), Qt::CaseInsensitive) == 0 ? 0
                                                                                                : -1;
        listCell(m_vsSortBy, r, 1, translated(directions), directions, index >= 0 ? directions.at(index) : k.direction);
    }
    m_vsSortBy->setColumnWidth(0, 200);
    m_tabs->addTab(m_vsSortBy, LoadText("排序"));
}

void FrmFilter::readGrids()
{
    for (int r = 0; r < FilterDialogLogic::GridRows; ++r) {
        SheetCondition &c = m_logic.conditions()[r];
        c.field = cellChoice(m_vsFilter, r, FilterDialogLogic::FieldCol);
        c.compare = cellChoice(m_vsFilter, r, FilterDialogLogic::CompareCol);
        const QTableWidgetItem *value = m_vsFilter->item(r, FilterDialogLogic::ValueCol);
        c.value = value ? value->text() : QString();
        c.logic = cellChoice(m_vsFilter, r, FilterDialogLogic::LogicCol);
        SheetSortKey &k = m_logic.sortKeys()[r];
        k.field = cellChoice(m_vsSortBy, r, 0);
        k.direction = cellChoice(m_vsSortBy, r, 1);
    }
}

void FrmFilter::showCondition(int row)
{
    m_vsFilter->item(row, FilterDialogLogic::ValueCol)->setText(m_logic.conditions().at(row).value);
}

void FrmFilter::accept()
{
    readGrids();
    if (m_logic.ok())
        QDialog::accept();
}

void FrmFilter::reject()
{
    m_logic.cancel();
    QDialog::reject();
}

bool FrmFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_vsFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int row = m_vsFilter->currentRow();
        if (key == Qt::Key_F7 && m_vsFilter->currentColumn() == FilterDialogLogic::ValueCol && row >= 0) {
            readGrids();
            if (m_logic.pickValue(row))
                showCondition(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QVariantMap FrmFilter::open(const QVariantMap &args)
{
    const SheetMode mode =
        sheetModeOf(args.value(QLatin1String(MainDo::ArgShowType), 1).toInt()).value_or(SheetMode::Check);
    const auto tab = args.value(QLatin1String(FilterDialogLogic::ArgTab)).toInt() == 1 ? FilterDialogLogic::SortTab
                                                                                       : FilterDialogLogic::FilterTab;
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    FrmFilter dialog(mode, tab, parent);
    dialog.exec();
    return dialog.logic().result();
}
