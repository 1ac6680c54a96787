#include "frmfind.h"

#include "host/sharedstate.h"
#include "host/texts.h"
#include "sheet/countsheet.h"
#include "sheet/sheetsettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTableWidget *makeGrid(QWidget *parent, const char *name, const QStringList &headings, int rows)
{
    auto *grid = new QTableWidget(rows, int(headings.size()), parent);
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    grid->setColumnWidth(0, 150);
    return grid;
}

QTableWidgetItem *readOnly(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QComboBox *choiceCell(QTableWidget *grid, int row, int col, const QStringList &sources, int current)
{
    auto *combo = new QComboBox(grid);
    for (const QString &s : sources)
        combo->addItem(LoadText(s));
    combo->setCurrentIndex(current);
    grid->setCellWidget(row, col, combo);
    return combo;
}

int comboIndex(const QTableWidget *grid, int row, int col)
{
    const auto *combo = qobject_cast<const QComboBox *>(grid->cellWidget(row, col));
    return combo ? combo->currentIndex() : -1;
}

QString cellText(const QTableWidget *grid, int row, int col)
{
    const QTableWidgetItem *item = grid->item(row, col);
    return item ? item->text() : QString();
}

} // namespace

FrmFind::FrmFind(CountSheet &sheet, int actionMode, QWidget *parent)
    : QDialog(parent)
    , m_logic(sheet, actionMode)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(LoadText("搜索/排序/过滤..."));
    setModal(false);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab"));
    buildFindTab();
    buildSortTab();
    buildFilterTab();
    buildOptionsTab();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LoadText("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(LoadText("退出(&E)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &FrmFind::runOk);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(&sheet, &CountSheet::finderCloseRequested, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(460, 420);
    restorePlace();
    showTab(actionMode);
}

void FrmFind::buildFindTab()
{
    const int rows = m_logic.targetCount();
    m_vspSearch = makeGrid(m_tabs, "vspSearch", {LoadText("搜索目标"), LoadText("搜索内容")}, rows);
    for (int r = 0; r < rows; ++r) {
        m_vspSearch->setItem(r, 0, readOnly(m_logic.caption(r)));
        m_vspSearch->setItem(r, 1, new QTableWidgetItem(m_logic.findTexts.value(r)));
    }
    m_tabs->addTab(m_vspSearch, LoadText("搜索(&S)"));
}

void FrmFind::buildSortTab()
{
    const int rows = m_logic.targetCount();
    m_vspSort = makeGrid(m_tabs, "vspSort", {LoadText("排序目标"), LoadText("排序方式")}, rows);
    for (int r = 0; r < rows; ++r) {
        m_vspSort->setItem(r, 0, readOnly(m_logic.caption(r)));
        choiceCell(m_vspSort, r, 1, FindDialogLogic::sortChoiceNames(), m_logic.sortChoices.value(r));
    }
    m_tabs->addTab(m_vspSort, LoadText("排序"));
}

void FrmFind::buildFilterTab()
{
    const int rows = m_logic.targetCount();
    m_vspFilter =
        makeGrid(m_tabs, "vspFilter", {LoadText("过滤目标"), LoadText("过滤条件"), LoadText("过滤内容")}, rows);
    QStringList conditions{QString()};
    conditions << FindDialogLogic::filterConditionNames();
    for (int r = 0; r < rows; ++r) {
        m_vspFilter->setItem(r, 0, readOnly(m_logic.caption(r)));
        choiceCell(m_vspFilter, r, 1, conditions, m_logic.filterConditions.value(r) + 1);
        m_vspFilter->setItem(r, 2, new QTableWidgetItem(m_logic.filterValues.value(r)));
    }
    m_tabs->addTab(m_vspFilter, LoadText("过滤"));
}

void FrmFind::buildOptionsTab()
{
    auto *page = new QWidget(m_tabs);
    auto *match = new QGroupBox(LoadText("匹配选项:"), page);
    m_optBlur = new QRadioButton(LoadText("模糊搜索(&B)"), match);
    m_optBlur->setObjectName(QStringLiteral("optBlur"));
    m_optMatch = new QRadioButton(LoadText("匹配搜索(&A)"), match);
    m_optMatch->setObjectName(QStringLiteral("optMatch"));
    (m_logic.searchMatch ? m_optMatch : m_optBlur)->setChecked(true);
    auto *matchLayout = new QVBoxLayout(match);
    matchLayout->addWidget(m_optBlur);
    matchLayout->addWidget(m_optMatch);
    auto *ul = new QGroupBox(LoadText("是否区分大小写:"), page);
    m_optULYes = new QRadioButton(LoadText("是(&Y)"), ul);
    m_optULYes->setObjectName(QStringLiteral("optUL_Yes"));
    m_optULNo = new QRadioButton(LoadText("否(&N)"), ul);
    m_optULNo->setObjectName(QStringLiteral("optUL_No"));
    (m_logic.searchIgnoreCase ? m_optULNo : m_optULYes)->setChecked(true);
    auto *ulLayout = new QVBoxLayout(ul);
    ulLayout->addWidget(m_optULYes);
    ulLayout->addWidget(m_optULNo);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(match);
    layout->addWidget(ul);
    layout->addStretch(1);
    m_tabs->addTab(page, LoadText("选项(&P)"));
}

void FrmFind::showTab(int actionMode)
{
    m_logic.setActionMode(actionMode);
    m_tabs->setCurrentIndex(std::clamp(actionMode, 0, 2));
    show();
    raise();
    activateWindow();
}

void FrmFind::readGrids()
{
    for (int r = 0; r < m_logic.targetCount(); ++r) {
        m_logic.findTexts[r] = cellText(m_vspSearch, r, 1);
        m_logic.sortChoices[r] = std::max(0, comboIndex(m_vspSort, r, 1));
        m_logic.filterConditions[r] = comboIndex(m_vspFilter, r, 1) - 1;
        m_logic.filterValues[r] = cellText(m_vspFilter, r, 2);
    }
    m_logic.searchMatch = m_optMatch->isChecked();
    m_logic.searchIgnoreCase = m_optULNo->isChecked();
}

void FrmFind::runOk()
{
    const int tab = m_tabs->currentIndex();
    if (tab <= FindDialogLogic::FilterMode)
        m_logic.setActionMode(tab);
    readGrids();
    if (m_logic.ok())
        close();
}

void FrmFind::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_logic.help();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmFind::storePlace() const
{
    SettingsStore *s = shared().components.settings.get();
    if (!s)
        return;
    const QString section = QLatin1String(SheetSettings::Section);
    s->setValue(section, QStringLiteral("FindForm_X"), x());
    s->setValue(section, QStringLiteral("FindForm_Y"), y());
    s->setValue(section, QStringLiteral("FindForm_Width"), width());
    s->setValue(section, QStringLiteral("FindForm_Height"), height());
}

void FrmFind::restorePlace()
{
    SettingsStore *s = shared().components.settings.get();
    if (!s)
        return;
    const QString section = QLatin1String(SheetSettings::Section);
    bool x = false, y = false, w = false, h = false;
    const int left = s->value(section, QStringLiteral("FindForm_X")).toInt(&x);
    const int top = s->value(section, QStringLiteral("FindForm_Y")).toInt(&y);
    const int width = s->value(section, QStringLiteral("FindForm_Width")).toInt(&w);
    const int height = s->value(section, QStringLiteral("FindForm_Height")).toInt(&h);
    if (w && h && width >= 200 && height >= 150)
        resize(width, height);
    if (x && y)
        move(left, top);
}

// Closing, Esc and the count sheet's closing all hide the window first.
void FrmFind::hideEvent(QHideEvent *event)
{
    readGrids();
    m_logic.saveOptions();
    storePlace();
    QDialog::hideEvent(event);
}
