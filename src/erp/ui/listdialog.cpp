#include "listdialog.h"

#include "host/texts.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace erp {

ListDialog::ListDialog(const QString &caption, const QStringList &titles, const QList<int> &widths,
                       const QList<QStringList> &rows, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDisplayList"));
    setWindowTitle(caption.isEmpty() ? LoadText("诺凡提示") : caption);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("lstRows"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->verticalHeader()->hide(); // the lists carry their own row numbers
    m_table->setWordWrap(true);
    m_table->setTextElideMode(Qt::ElideNone); // a reason is read whole or not at all
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    fill(titles, widths, rows);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *copy = buttons->addButton(LoadText("复制"), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(LoadText("关闭"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &ListDialog::copyAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    setSizeGripEnabled(true);

    // wide enough for the columns, within the screen; rows tall enough for what wraps
    const QRect screen = (parent ? parent->screen() : QApplication::primaryScreen())->availableGeometry();
    fitColumns(screen.width() / 3);
    int wanted = 40;
    for (int c = 0; c < m_table->columnCount(); ++c)
        wanted += m_table->columnWidth(c);
    int tall = 120;
    for (int r = 0; r < m_table->rowCount() && tall < screen.height(); ++r)
        tall += m_table->rowHeight(r);
    resize(qBound(420, wanted, screen.width() * 9 / 10), qBound(300, tall, screen.height() * 8 / 10));
}

int ListDialog::choose(const QString &caption, const QStringList &titles, const QList<QStringList> &rows,
                       QWidget *parent)
{
    ListDialog dialog(caption, titles, {}, rows, parent);
    dialog.setObjectName(QStringLiteral("frmChooseRow"));
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    buttons->clear();
    QPushButton *ok = buttons->addButton(LoadText("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadText("取消"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QTableWidget *table = dialog.m_table;
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(table, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
    if (table->rowCount() > 0)
        table->selectRow(0);
    table->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return table->currentRow();
}

// A column grows to its longest text up to `widest` pixels; a longer text wraps
// and its row grows to hold it. Only the first rows are measured: a list of
// thousands opens as fast as a short one.
void ListDialog::fitColumns(int widest)
{
    const int measured = std::min(m_table->rowCount(), MeasuredRows);
    const QFontMetrics metrics = m_table->fontMetrics();
    const int padding = 2 * m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    for (int c = 0; c < m_table->columnCount(); ++c) {
        int longest = 0;
        for (int r = 0; r < measured; ++r)
            if (const QTableWidgetItem *item = m_table->item(r, c))
                longest = std::max(longest, metrics.horizontalAdvance(item->text()) + padding);
        if (longest > m_table->columnWidth(c))
            m_table->setColumnWidth(c, std::min(longest, std::max(widest, m_table->columnWidth(c))));
    }
    for (int r = 0; r < measured; ++r)
        m_table->resizeRowToContents(r);
}

void ListDialog::fill(const QStringList &titles, const QList<int> &widths, const QList<QStringList> &rows)
{
    int columns = int(titles.size());
    for (const QStringList &row : rows)
        columns = std::max(columns, int(row.size()));
    m_table->setColumnCount(columns);
    m_table->setRowCount(int(rows.size()));
    m_table->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < columns; ++c)
        if (c < widths.size() && widths.at(c) > 0)
            m_table->setColumnWidth(c, twipsToPixels(widths.at(c)));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
    m_table->horizontalHeader()->setStretchLastSection(true);
}

void ListDialog::copyAll() const
{
    QStringList lines;
    QStringList header;
    for (int c = 0; c < m_table->columnCount(); ++c) {
        const QTableWidgetItem *item = m_table->horizontalHeaderItem(c);
        header << (item ? item->text() : QString());
    }
    lines << header.join(QLatin1Char('\t'));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_table->columnCount(); ++c) {
            const QTableWidgetItem *item = m_table->item(r, c);
            cells << (item ? item->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

} // namespace erp
