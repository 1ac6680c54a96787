#pragma once

#include <QFont>
#include <QString>
#include <QVariant>

// What the entry grid and the ledger grid show alike, so that the two grids of
// the count sheet read the same way.
namespace gridcells {

// The totals line stands out in bold; data rows keep the view's font.
inline QVariant font(bool totals)
{
    if (!totals)
        return {};
    QFont bold;
    bold.setBold(true);
    return bold;
}

// Figures to the right, texts to the left.
inline QVariant alignment(bool figure)
{
    return int(figure ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

// Data rows are numbered from 1; the totals line has no number.
inline QVariant rowHeading(bool totals, int section)
{
    return totals ? QVariant(QString()) : QVariant(section + 1);
}

} // namespace gridcells
