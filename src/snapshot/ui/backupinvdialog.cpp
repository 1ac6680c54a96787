#include "backupinvdialog.h"

#include "conditiondelegate.h"

#include "dialogbuttons.h"

#include "host/texts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const int keyF1 = 112;

QRadioButton *option(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QRadioButton(LoadText(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QTreeView *checkTree(const char *name, QAbstractItemModel *model, QWidget *parent)
{
    auto *tree = new QTreeView(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setHeaderHidden(true);
    tree->setModel(model);
    tree->setUniformRowHeights(true);
    return tree;
}

} // namespace

BackupInvDialog::BackupInvDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBackupInv"));
    setWindowTitle(LoadText("库存备份"));
    setupUi();
}

// Built top to bottom, left to right: the tab key follows the numbered steps.
void BackupInvDialog::setupUi()
{
    QWidget *date = dateFrame();
    auto *middle = new QHBoxLayout;
    middle->addWidget(stockFrame(), 2);
    middle->addWidget(restrictionFrame(), 3);

    const DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        m_logic.setCutDate(m_cutDate->isChecked());
        m_logic.setDate(m_date->date());
        if (m_logic.ok())
            accept();
    });
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(date);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons.box);
    resize(760, 520);
}

QWidget *BackupInvDialog::dateFrame()
{
    auto *frame = new QGroupBox(LoadText("1.请选择库存备份日期"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_curStock = option("optCurStock", N_("即时库存"), frame);
    m_cutDate = option("OptCutDate", N_("截止日期"), frame);
    m_curStock->setChecked(true);
    m_date = new QDateEdit(QDate::currentDate(), frame);
    m_date->setObjectName(QStringLiteral("dtpDate"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_date->setMinimumWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-000")) + 40);
    auto *row = new QHBoxLayout(frame);
    row->addWidget(m_curStock);
    row->addSpacing(24);
    row->addWidget(m_cutDate);
    row->addWidget(m_date);
    row->addStretch(1);
    return frame;
}

QWidget *BackupInvDialog::stockFrame()
{
    auto *frame = new QGroupBox(LoadText("2.请选择盘点仓库"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    m_stocks = checkTree("tvwStorehouse", m_logic.stockTree(), frame);
    auto *box = new QVBoxLayout(frame);
    box->addWidget(m_stocks);
    return frame;
}

QWidget *BackupInvDialog::restrictionFrame()
{
    auto *frame = new QGroupBox(LoadText("3.请选择盘点类型"), this);
    frame->setObjectName(QStringLiteral("Frame3"));
    using R = BackupInvLogic::Restriction;
    const struct
    {
        const char *name;
        const char *caption;
        R restriction;
    } options[] = {{"optCommodity", N_("仓位/商品"), R::Commodity},
                   {"optSupplier", N_("供应商"), R::Supplier},
                   {"optCommBrand", N_("品牌"), R::CommBrand},
                   {"optCommCategory", N_("商品类别"), R::CommCategory}};
    auto *optionRow = new QHBoxLayout;
    auto *group = new QButtonGroup(frame);
    for (const auto &o : options) {
        QRadioButton *button = option(o.name, o.caption, frame);
        group->addButton(button);
        optionRow->addWidget(button);
        button->setChecked(o.restriction == R::Commodity);
        const R restriction = o.restriction;
        connect(button, &QRadioButton::toggled, this, [this, restriction](bool on) {
            if (on)
                chooseRestriction(restriction);
        });
    }
    optionRow->addStretch(1);

    m_grid = new QTableView(frame);
    m_grid->setObjectName(QStringLiteral("vsProc"));
    m_grid->setModel(m_logic.conditions());
    m_grid->setItemDelegate(new ConditionDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    const int charWidth = fontMetrics().horizontalAdvance(QStringLiteral("物"));
    for (int c = 0; c < ConditionGridModel::ColumnCount; ++c)
        m_grid->setColumnWidth(c, ConditionGridModel::widthInCharacters(c) * charWidth * 2 / 3 + 16);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_types = checkTree("tvwStoreType", m_logic.typeTree(), frame);

    m_restrictionView = new QStackedWidget(frame);
    m_restrictionView->addWidget(m_grid);
    m_restrictionView->addWidget(m_types);
    auto *box = new QVBoxLayout(frame);
    box->addLayout(optionRow);
    box->addWidget(m_restrictionView, 1);
    return frame;
}

bool BackupInvDialog::load()
{
    if (!m_logic.load())
        return false;
    m_stocks->expandToDepth(0);
    return true;
}

void BackupInvDialog::chooseRestriction(BackupInvLogic::Restriction restriction)
{
    m_logic.setRestriction(restriction);
    m_restrictionView->setCurrentWidget(m_logic.showsTypeTree() ? static_cast<QWidget *>(m_types) : m_grid);
    if (m_logic.showsTypeTree())
        m_types->expandToDepth(0);
}

void BackupInvDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_logic.keyPressed(keyF1);
        return;
    }
    // Enter commits a condition, it does not start the snapshot
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget *focus = QApplication::focusWidget();
    if (enter && focus && (focus == m_grid || m_grid->isAncestorOf(focus))) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F7 && m_grid->isVisible() && m_grid->currentIndex().isValid() &&
        m_grid->currentIndex().column() == ConditionGridModel::Value) {
        lookupValue();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BackupInvDialog::lookupValue()
{
    const QModelIndex current = m_grid->currentIndex();
    // An open editor hands its text over first (losing the focus commits it), so
    // the lookup starts from it and its later commit cannot overwrite the choice.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != m_grid && m_grid->isAncestorOf(focus))
        m_grid->setFocus();
    m_logic.lookupValue(current.row());
    m_grid->setCurrentIndex(current);
}

QVariantMap BackupInvDialog::open(const QVariantMap &)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    BackupInvDialog dialog(parent);
    if (!dialog.load())
        return {{QStringLiteral("Accepted"), false}};
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {{QStringLiteral("Accepted"), accepted}};
}
