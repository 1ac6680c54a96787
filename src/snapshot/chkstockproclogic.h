#pragma once

#include "cyclecount.h"
#include "proclistmodel.h"

#include "host/hostcomponents.h"
#include "host/hostui.h"

#include <QObject>
#include <QVariantMap>

// The count process list (frmChkStockProc) without its widgets: the process grid,
// the pending edits, the two tick tools of the cycle count and every tool action.
// Rights and business log lines go through the host's GLData; everything it tells
// a person goes through the host UI.
class ChkStockProcLogic : public QObject
{
    Q_OBJECT

public:
    // Tool ids of the tool bar and the menus.
    enum Tool {
        Delete = 1,
        Exit = 2,
        Refresh = 3,
        New = 20000,
        Open = 20001,
        Save = 20003,
        WithStock = 20007,
        WithoutStock = 20008,
        StartPeriodCheck = 20009, // the submenu holding the two tick tools
        Help = 20010,
    };
    struct ToolInfo
    {
        Tool id;
        const char *name;
        const char *caption;
        const char *tooltip; // "" for none
        const char *menu;    // "Edit", "Option", "Help"
        bool onToolBar;
        bool tick;
    };
    // In the order of the tool bar, then the menus' own entries.
    static const QList<ToolInfo> &tools();
    static QString helpTopic() { return QStringLiteral("ICStockCheckBackUpProc"); }

    // `context`: the host's dictionary ("UserID", "CurYear", "CurPeriod").
    explicit ChkStockProcLogic(const QVariantMap &context, QObject *parent = nullptr);

    ProcListModel *model() { return &m_model; }
    // Reads the list; false (told) when it cannot be read: the grid keeps what it had.
    bool load();
    int currentRow() const { return m_current; }
    void setCurrentRow(int row) { m_current = row; }
    QString statusText() const { return m_status; }
    bool isTicked(Tool tool) const;
    QList<CycleCount::Created> lastCreated() const { return m_created; }

    // The action of a tool. True when the window is to close (Exit).
    bool toolClick(int id);

    // The actions, callable one by one (the command line renames and deletes).
    void newCount();
    void openProcess();
    // False when refused or failed: the pending edits stay.
    bool save();
    // False when refused, declined or failed.
    bool deleteCurrent();
    // False when the person stays.
    bool exit();

signals:
    void ticksChanged();

private:
    // The right, or its refusal message told and false.
    bool allowed(GLData::Right right, const char *refusal, HostUi::Icon icon = HostUi::Icon::Information);
    void writeLog(const QString &code, const char *text);
    void tell(const QString &text, const QString &details = {}, HostUi::Icon icon = HostUi::Icon::Information);
    void toggle(Tool tool);
    bool saveEdits();

    ProcListModel m_model;
    int m_userId = 0;
    int m_current = -1;
    bool m_withStock = false;
    bool m_withoutStock = false;
    QString m_status;
    QList<CycleCount::Created> m_created;
};
