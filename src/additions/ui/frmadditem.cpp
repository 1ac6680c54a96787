#include "frmadditem.h"

#include "host/sysparams.h"
#include "host/texts.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The host's key codes of the keys the logic handles.
int hostKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_F1:
        return 112;
    case Qt::Key_F7:
        return 118;
    case Qt::Key_F8:
        return 119;
    default:
        return 0;
    }
}

} // namespace

FrmAddItem::FrmAddItem(int processId, const QDate &today, QWidget *parent)
    : QDialog(parent)
    , m_logic(processId, today)
{
    setObjectName(QStringLiteral("frmAddItem"));
    setWindowTitle(LoadText("添加"));
    setupUi();
    connect(&m_logic, &AddItemLogic::changed, this, &FrmAddItem::render);
    connect(&m_logic, &AddItemLogic::focusRequested, this, &FrmAddItem::focusField);
    connect(&m_logic, &AddItemLogic::closeRequested, this, &QDialog::accept);
    render();
}

QLineEdit *FrmAddItem::edit(const char *name, Field field, bool readOnly)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(readOnly);
    if (readOnly)
        e->setFocusPolicy(Qt::NoFocus); // Enter and Tab go from one entry field to the next
    e->installEventFilter(this);
    m_fields.insert(e, field);
    if (!readOnly)
        connect(e, &QLineEdit::editingFinished, this, [this, e] { takeTyped(e); });
    return e;
}

QPushButton *FrmAddItem::lookupButton(const char *name, Field field)
{
    auto *b = new QPushButton(QStringLiteral("…"), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(28);
    b->setFocusPolicy(Qt::NoFocus); // Tab goes from field to field
    connect(b, &QPushButton::clicked, this, [this, field] {
        takeAllTyped();
        if (m_logic.lookup(field))
            activateWindow();
    });
    return b;
}

void FrmAddItem::setupUi()
{
    m_number = edit("txtNumber", Field::Item);
    m_name = edit("txtName", Field::Item, true);
    m_model = edit("txtModel", Field::Item, true);
    m_unit = edit("txtUnitName", Field::Unit);
    m_stockNumber = edit("txtStockNumber", Field::Stock);
    m_stockName = edit("txtStockName", Field::Stock, true);
    m_spNumber = edit("txtSPNumber", Field::StockPlace);
    m_spName = edit("txtSPName", Field::StockPlace, true);
    m_batch = edit("txtBatchNo", Field::Batch);
    m_mto = edit("txtMtoNo", Field::MtoNo);
    m_kfDate = new QDateEdit(this);
    m_kfDate->setObjectName(QStringLiteral("dtpKFDate"));
    m_kfDate->setCalendarPopup(true);
    m_kfDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_kfDate->installEventFilter(this);
    m_fields.insert(m_kfDate, Field::KFDate);
    connect(m_kfDate, &QDateEdit::dateChanged, this, [this](const QDate &d) { m_logic.setKFDate(d); });
    m_kfPeriod = edit("grdKFPeriod", Field::KFPeriod);
    m_aux = edit("txtAuxPropName", Field::AuxProp);
    m_secUnit = edit("txtSecUnitName", Field::SecUnit);
    m_qty = edit("grdQty", Field::Qty);
    m_adj = edit("grdAdjQty", Field::AdjQty);
    m_secQty = edit("grdSecQty", Field::SecQty);
    m_note = edit("txtNote", Field::Note);
    for (QLineEdit *figure : {m_kfPeriod, m_qty, m_adj, m_secQty})
        figure->setAlignment(Qt::AlignRight);
    m_spButton = lookupButton("cmdSPNumber", Field::StockPlace);

    auto *grid = new QGridLayout;
    int row = 0;
    // label, field, optional look-up button; two pairs to a line
    auto place = [&](int column, const char *label, QWidget *field, QWidget *button = nullptr) {
        auto *l = new QLabel(LoadText(label), this);
        l->setBuddy(field);
        grid->addWidget(l, row, column * 3);
        if (button) {
            auto *box = new QHBoxLayout;
            box->setSpacing(2);
            box->addWidget(field);
            box->addWidget(button);
            grid->addLayout(box, row, column * 3 + 1);
        } else {
            grid->addWidget(field, row, column * 3 + 1);
        }
    };
    place(0, N_("物料代码:"), m_number, lookupButton("cmdItem", Field::Item));
    place(1, N_("物料名称:"), m_name);
    ++row;
    place(0, N_("规格型号:"), m_model);
    place(1, N_("计量单位:"), m_unit);
    ++row;
    place(0, N_("仓库代码:"), m_stockNumber, lookupButton("cmdStockNumber", Field::Stock));
    place(1, N_("仓库名称:"), m_stockName);
    ++row;
    place(0, N_("仓位代码:"), m_spNumber, m_spButton);
    place(1, N_("仓位名称:"), m_spName);
    ++row;
    place(0, N_("批    次:"), m_batch, lookupButton("cmdBatchNo", Field::Batch));
    place(1, N_("计划跟踪号:"), m_mto);
    ++row;
    place(0, N_("生产/采购日期:"), m_kfDate);
    place(1, N_("保 质 期:"), m_kfPeriod);
    ++row;
    place(0, N_("辅助属性:"), m_aux, lookupButton("cmdAuxProp", Field::AuxProp));
    place(1, N_("单位(辅助):"), m_secUnit, lookupButton("cmdSecUnit", Field::SecUnit));
    ++row;
    place(0, N_("盘点数量:"), m_qty);
    place(1, N_("调整数量:"), m_adj);
    ++row;
    place(0, N_("数量(辅助):"), m_secQty);
    ++row;
    place(0, N_("备    注:"), m_note);
    grid->removeWidget(m_note);
    grid->addWidget(m_note, row, 1, 1, 4);
    grid->setColumnMinimumWidth(2, 12);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    auto *add = new QPushButton(LoadText("添加(&A)"), this);
    add->setObjectName(QStringLiteral("cmdADD"));
    auto *ok = new QPushButton(LoadText("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto *cancel = new QPushButton(LoadText("退出(&E)"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {add, ok, cancel})
        b->setAutoDefault(false); // Enter moves between fields
    connect(add, &QPushButton::clicked, this, [this] {
        if (takeAllTyped())
            m_logic.cmdADD();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (takeAllTyped())
            m_logic.cmdOK();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(add);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(620, 380);
}

void FrmAddItem::render()
{
    const AddItemFields &f = m_logic.fields();
    const auto show = [](QLineEdit *e, const QString &text) {
        if (e->text() != text)
            e->setText(text); // also clears the modified mark
        e->setModified(false);
    };
    show(m_number, f.itemNumber);
    show(m_name, f.itemName);
    show(m_model, f.itemModel);
    show(m_unit, f.unitName);
    show(m_stockNumber, f.stockNumber);
    show(m_stockName, f.stockName);
    show(m_spNumber, f.placeNumber);
    show(m_spName, f.placeName);
    show(m_batch, f.batchNo);
    show(m_mto, f.mtoNo);
    show(m_kfPeriod, f.kfPeriod);
    show(m_aux, f.auxPropName.isEmpty() ? f.auxPropNumber : f.auxPropName);
    show(m_secUnit, f.secUnitName);
    show(m_qty, f.qty);
    show(m_adj, f.adjQty);
    show(m_secQty, f.secQty);
    show(m_note, f.note);
    {
        const QSignalBlocker block(m_kfDate);
        m_kfDate->setDate(f.kfDate.isValid() ? f.kfDate : QDate::currentDate());
    }
    // the date and period belong to goods kept by shelf life, the place to stocks with places
    m_kfDate->setEnabled(f.shelfLife);
    m_kfPeriod->setEnabled(f.shelfLife);
    m_spNumber->setEnabled(f.placeManaged);
    m_spButton->setEnabled(f.placeManaged);
}

void FrmAddItem::focusField(Field field)
{
    for (auto it = m_fields.constBegin(); it != m_fields.constEnd(); ++it) {
        auto *w = qobject_cast<QWidget *>(it.key());
        const auto *e = qobject_cast<QLineEdit *>(w);
        if (it.value() != field || !w || (e && e->isReadOnly()))
            continue;
        w->setFocus();
        if (auto *line = qobject_cast<QLineEdit *>(w))
            line->selectAll();
        return;
    }
}

bool FrmAddItem::takeTyped(QLineEdit *e)
{
    if (!e->isModified())
        return true;
    e->setModified(false);
    const QString text = e->text();
    switch (m_fields.value(e)) {
    case Field::Item:
        return m_logic.enterItem(text);
    case Field::Unit:
        return m_logic.enterUnit(text);
    case Field::Stock:
        return m_logic.enterStock(text);
    case Field::StockPlace:
        return m_logic.enterStockPlace(text);
    case Field::AuxProp:
        return m_logic.enterAuxProp(text);
    case Field::SecUnit:
        return m_logic.enterSecUnit(text);
    case Field::MtoNo:
        return m_logic.enterMtoNo(text);
    case Field::Batch:
        m_logic.setBatchNo(text);
        return true;
    case Field::Note:
        m_logic.setNote(text);
        return true;
    case Field::KFDate:
        return true;
    case Field::Qty:
    case Field::AdjQty:
    case Field::SecQty:
    case Field::KFPeriod:
        return m_logic.enterNumber(m_fields.value(e), text);
    }
    return true;
}

bool FrmAddItem::takeAllTyped()
{
    for (QLineEdit *e : {m_number, m_unit, m_stockNumber, m_spNumber, m_batch, m_mto, m_kfPeriod, m_aux, m_secUnit,
                         m_qty, m_adj, m_secQty, m_note})
        if (!takeTyped(e))
            return false;
    return true;
}

AddItemLogic::Field FrmAddItem::fieldOf(QObject *widget) const
{
    return m_fields.value(widget, Field::Note);
}

bool FrmAddItem::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_fields.contains(watched))
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // taken before the focus moves: a stock with places enables the place field
        auto *e = qobject_cast<QLineEdit *>(watched);
        if (!e || takeTyped(e))
            focusNextChild();
        return true;
    }
    if (const int code = hostKey(key->key())) {
        if (auto *e = qobject_cast<QLineEdit *>(watched))
            takeTyped(e);
        const bool handled = m_logic.keyPressed(code, fieldOf(watched));
        // back from a look-up: the typing goes on in this window
        activateWindow();
        if (auto *w = qobject_cast<QWidget *>(watched); w && w->isEnabled() && !QApplication::focusWidget())
            w->setFocus();
        return handled;
    }
    return QDialog::eventFilter(watched, event);
}

QVariantMap FrmAddItem::open(const QVariantMap &args)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QDate today = GetServerDate();
    FrmAddItem dialog(args.value(QStringLiteral("ProcID")).toInt(), today, parent);
    dialog.exec();
    return {{QStringLiteral("Added"), dialog.m_logic.added()}};
}
