#include "listdialog.h"

#include "host/texts.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

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

    // wide enough for the columns as the caller sized them, within the screen
    int wanted = 40;
    for (int c = 0; c < m_table->columnCount(); ++c)
        wanted += m_table->columnWidth(c);
    const QRect screen = (parent ? parent->screen() : QApplication::primaryScreen())->availableGeometry();
    resize(qBound(420, wanted, screen.width() * 9 / 10),
           qBound(300, 120 + 26 * int(rows.size()), screen.height() * 8 / 10));
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
