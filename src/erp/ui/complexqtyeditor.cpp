#include "complexqtyeditor.h"

#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QVBoxLayout>

namespace erp {

namespace {

const double largest = 999999999.0;

} // namespace

ComplexQtyEditor::ComplexQtyEditor(const QList<MeasureUnit> &units, int decimals, QWidget *parent)
    : QDialog(parent)
    , m_units(units)
    , m_decimals(qBound(0, decimals, 10))
{
    setObjectName(QStringLiteral("ComplexQtyEditor"));
    setWindowTitle(LoadText("盘点综合单位数量"));
    auto *form = new QFormLayout;
    for (qsizetype i = 0; i < m_units.size(); ++i) {
        auto *spin = new QDoubleSpinBox(this);
        spin->setObjectName(QStringLiteral("unitBox%1").arg(i));
        // whole larger units; the smallest unit takes the item's places
        spin->setDecimals(i + 1 == m_units.size() ? m_decimals : 0);
        spin->setRange(0, largest);
        spin->setSpecialValueText(QStringLiteral(" ")); // an untouched box reads empty
        spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
        connect(spin, &QDoubleSpinBox::valueChanged, this, &ComplexQtyEditor::updateTotal);
        form->addRow(m_units.at(i).name, spin);
        m_boxes << spin;
    }
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("total"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadText("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadText("取消"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_total);
    layout->addWidget(buttons);
    if (!m_boxes.isEmpty())
        setFocusProxy(m_boxes.first());
    updateTotal();
}

void ComplexQtyEditor::setText(const QString &text)
{
    const std::optional<QList<double>> parts = ComplexQty::parseParts(m_units, text);
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setValue(parts ? std::abs(parts->at(i)) : 0.0);
}

QString ComplexQtyEditor::complexText() const
{
    QString text;
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        const double v = m_boxes.at(i)->value();
        if (v != 0)
            text += ComplexQty::format({m_units.at(i)}, v * m_units.at(i).coefficient, m_boxes.at(i)->decimals());
    }
    if (text.isEmpty() && !m_units.isEmpty())
        text = QLatin1Char('0') + m_units.last().name;
    return text;
}

double ComplexQtyEditor::baseQuantity() const
{
    double base = 0;
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        base += m_boxes.at(i)->value() * m_units.at(i).coefficient;
    return base;
}

QString ComplexQtyEditor::totalText() const
{
    return m_total->text();
}

void ComplexQtyEditor::updateTotal()
{
    ItemUnits item;
    item.units = m_units;
    const MeasureUnit *base = item.baseUnit();
    const QString unit = base ? base->name : QString();
    const double inBase = base && base->coefficient != 0 ? baseQuantity() / base->coefficient : 0;
    m_total->setText(FormatText("合计：%1 %2", {quantityText(inBase, m_decimals), unit}));
}

void ComplexQtyEditor::registerOpener(WindowRegistry &windows)
{
    windows.add(QStringLiteral("ComplexQtyEditor"), [](const QVariantMap &args) -> QVariantMap {
        AppConnection *conn = shared().connection;
        if (!conn)
            return {};
        const std::optional<ItemUnits> item = ComplexQty::loadItem(*conn, args.value(QStringLiteral("ItemID")).toInt());
        if (!item)
            return {};
        const int group = args.value(QStringLiteral("UnitGroupID")).toInt();
        const QList<MeasureUnit> units =
            group > 0 && group != item->unitGroupId ? ComplexQty::loadGroup(*conn, group) : item->units;
        if (units.isEmpty())
            return {};
        auto *parent = qobject_cast<QWidget *>(args.value(QStringLiteral("Parent")).value<QObject *>());
        ComplexQtyEditor editor(units, item->decimals, parent);
        editor.setText(args.value(QStringLiteral("sAuxMutilCheckQtyStr")).toString());
        if (args.contains(QStringLiteral("Position")))
            editor.move(args.value(QStringLiteral("Position")).toPoint());
        if (editor.exec() != QDialog::Accepted)
            return {};
        return {{QStringLiteral("FComplexQty"), editor.complexText()},
                {QStringLiteral("BaseQty"), editor.baseQuantity()}};
    });
}

} // namespace erp
