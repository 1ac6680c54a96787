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

// A box never holds more than a quantity cell does.
const double largest = 9999999999.0;

// A box that takes what is typed (a sign, any places) so that the editor can say
// what it refuses instead of dropping keys; it shows no trailing zeros, and 0 as
// empty, so that an untouched box reads empty.
class UnitBox : public QDoubleSpinBox
{
public:
    explicit UnitBox(QWidget *parent)
        : QDoubleSpinBox(parent)
    {
        setDecimals(10);
        setRange(-largest, largest);
        setButtonSymbols(QAbstractSpinBox::NoButtons);
    }

protected:
    QString textFromValue(double value) const override
    {
        return value == 0 ? QString() : withoutTrailingZeros(QString::number(value, 'f', 10));
    }
};

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
        auto *spin = new UnitBox(this);
        spin->setObjectName(QStringLiteral("unitBox%1").arg(i));
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            m_edited = m_edited || !m_filling;
            updateTotal();
        });
        form->addRow(m_units.at(i).name, spin);
        m_boxes << spin;
    }
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("total"));
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    m_note->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadText("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadText("取消"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_total);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    if (!m_boxes.isEmpty())
        setFocusProxy(m_boxes.first());
    updateTotal();
    m_edited = false;
}

int ComplexQtyEditor::places(qsizetype index) const
{
    // whole larger units; the smallest unit takes the item's places
    return index + 1 == m_units.size() ? m_decimals : 0;
}

// What no box may hold: a negative amount, or places its unit does not have.
QString ComplexQtyEditor::refusal() const
{
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        const double v = m_boxes.at(i)->value();
        const QString &unit = m_units.at(i).name;
        if (v < 0)
            return FormatText("“%1”的数量不能为负数。", {unit});
        if (roundQuantity(v, places(i)) != roundQuantity(v, 10))
            return places(i) == 0 ? FormatText("“%1”的数量只能是整数。", {unit})
                                  : FormatText("“%1”的数量最多只能有%2位小数。", {unit, places(i)});
    }
    return {};
}

void ComplexQtyEditor::showNote(const QString &text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

void ComplexQtyEditor::accept()
{
    const QString why = refusal();
    showNote(why);
    if (why.isEmpty())
        QDialog::accept();
}

void ComplexQtyEditor::setText(const QString &text)
{
    QString error;
    std::optional<QList<double>> parts;
    if (!text.trimmed().isEmpty()) {
        parts = ComplexQty::parseParts(m_units, text, &error, m_decimals);
        for (qsizetype i = 0; parts && i < parts->size(); ++i)
            if (parts->at(i) > largest) {
                error = FormatText("综合单位数量超出允许的范围：%1", {text});
                parts.reset();
            }
    }
    m_filling = true;
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setValue(parts ? parts->at(i) : 0.0);
    m_filling = false;
    m_edited = false;
    showNote(error);
}

QString ComplexQtyEditor::note() const
{
    return m_note->text();
}

QString ComplexQtyEditor::complexText() const
{
    QString text;
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        const double v = m_boxes.at(i)->value();
        if (v != 0)
            text += ComplexQty::format({m_units.at(i)}, v * m_units.at(i).coefficient, places(i));
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
        if (editor.exec() != QDialog::Accepted || !editor.isEdited())
            return {};
        return {{QStringLiteral("FComplexQty"), editor.complexText()},
                {QStringLiteral("BaseQty"), editor.baseQuantity()}};
    });
}

} // namespace erp
