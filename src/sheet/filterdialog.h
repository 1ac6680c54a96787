#pragma once

#include "host/sheetmode.h"
#include "model/maindo.h"
#include "model/sheetfilter.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// The logic of the filter dialog (frmFilter): a grid of conditions and a grid of
// sort rows over the columns the definitions of the mode offer. OK checks the
// rows, compiles them and keeps the result in the shared filter settings for every
// later row query; Cancel leaves the settings as they were and says so through the
// shared "cancelled" flag. The rows accepted last come back at the next opening.
class FilterDialogLogic
{
public:
    enum Tab { FilterTab = 0, SortTab = 1 };
    enum FilterColumn { FieldCol, CompareCol, ValueCol, LogicCol };
    static constexpr int GridRows = 10;
    static constexpr const char *ArgTab = "Tab";

    FilterDialogLogic(SheetMode mode, Tab tab);

    SheetMode mode() const { return m_mode; }
    Tab tab() const { return m_tab; }
    // Captions offered, in definition order (empty when the definitions cannot be read).
    const QStringList &filterFields() const { return m_lists.filterOrder; }
    const QStringList &sortFields() const { return m_lists.sortOrder; }

    // GridRows rows each; the remembered rows first.
    QList<SheetCondition> &conditions() { return m_conditions; }
    const QList<SheetCondition> &conditions() const { return m_conditions; }
    QList<SheetSortKey> &sortKeys() { return m_sortKeys; }
    const QList<SheetSortKey> &sortKeys() const { return m_sortKeys; }

    // F7 in the value cell of `row`: the base-data list of the column's class; the
    // chosen entry's number or name, matching the column, goes into the cell. False
    // when the column has no list or nothing was chosen.
    bool pickValue(int row);

    // False with the message shown when a row is incomplete or names what is not
    // offered; the dialog stays open.
    bool ok();
    void cancel();
    bool isCancelled() const { return m_cancelled; }
    // {"Cancelled": bool}, the answer of the window registry.
    QVariantMap result() const;

private:
    SheetMode m_mode;
    Tab m_tab;
    MainDo m_model;
    MainDo::HeadStrings m_lists;
    QList<SheetCondition> m_conditions;
    QList<SheetSortKey> m_sortKeys;
    bool m_cancelled = true; // closing the window without OK is a cancel
};
