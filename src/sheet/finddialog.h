#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CountSheet;

// The logic of the find window (frmFind, "搜索/排序/过滤..."): three tabs over the
// search targets of the count sheet. Find looks for the next row with the texts
// entered and stays open; sort and filter order or narrow the rows already loaded
// and close. The options are kept in the settings between sessions.
class FindDialogLogic
{
public:
    enum ActionMode { FindMode = 0, SortMode = 1, FilterMode = 2 };
    enum SortChoice { NoSort = 0, Ascending = 1, Descending = 2 };
    static constexpr int NoCondition = -1;
    static constexpr const char *HelpTopic = "ICStockCheckFind_";

    FindDialogLogic(CountSheet &sheet, int actionMode);

    int actionMode() const { return m_actionMode; }
    void setActionMode(int mode) { m_actionMode = mode; }
    int targetCount() const;
    QString caption(int row) const;

    // Options of the find tab and of the filter tab: match ("匹配搜索" rather than
    // "模糊搜索") and case ("否": without regard to case).
    bool searchMatch = false, searchIgnoreCase = true;
    bool filterMatch = false, filterIgnoreCase = true;

    // One entry per search target, in their order.
    QStringList findTexts;
    QList<int> sortChoices;      // SortChoice
    QList<int> filterConditions; // index into filterConditionNames(), or NoCondition
    QStringList filterValues;

    static QStringList sortChoiceNames();      // "(无)", "升序", "降序" (source texts)
    static QStringList filterConditionNames(); // "等于", "不等", "小于", "大于", "包含"

    // "FName ASC,FQty DESC" and "FName Like '%螺丝%' AND FQty > 3" of the grids.
    QString sortText() const;
    QString filterText() const;

    // OK on the tab of the action mode; true when the window closes.
    bool ok();
    void help() const;

    // Options from and to the settings ("Search_Match", "Search_UL", "Filter_Match",
    // "Filter_UL": "1" when the first option is chosen).
    void loadOptions();
    void saveOptions() const;

private:
    CountSheet &m_sheet;
    int m_actionMode;
};
