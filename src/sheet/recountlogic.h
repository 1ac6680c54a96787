#pragma once

#include "model/recount.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVariantMap>

class AppConnection;
class HostUi;

// The logic of the recount window (frmRecount): the recount sheet of one process,
// the recounts typed into it, and its commands: save them, export the sheet. A
// counter who counts blind sees neither the books, the first count nor the
// difference, so the recount is not steered by them.
class RecountLogic
{
public:
    static constexpr const char *ArgProcessID = "ProcessID";
    static constexpr const char *ResultChanged = "Changed"; // recounts were saved

    RecountLogic(AppConnection &connection, HostUi *ui, int processId, int userId);

    // Reads the tolerance and the lines again; false (told) on a database error.
    bool load();
    bool blind() const { return m_blind; }
    const countparams::Tolerance &tolerance() const { return m_tolerance; }
    QStringList headings() const;
    int rowCount() const { return int(m_lines.size()); }
    QStringList cells(int row) const; // the recount cell shows what was typed
    int recountColumn() const;        // the one cell a person types into
    const Recount::Line &line(int row) const { return m_lines.at(row); }

    // Typing into the recount cell: a plain quantity of 0 or more, or blank to
    // drop what was typed. False (told) when the text is not a quantity.
    bool setRecount(int row, const QString &text);
    bool hasChanges() const { return !m_typed.isEmpty(); }

    // Saves every typed recount, each row in its own transaction; the rows that
    // could not be written are listed and keep what was typed. True when all were.
    bool save();
    // The sheet into a spreadsheet file the person chooses (.xlsx or .csv).
    void exportSheet();
    // Asks to save typed recounts; false when the person cancels.
    bool close();
    QVariantMap result() const { return {{QLatin1String(ResultChanged), m_saved}}; }

private:
    bool mto() const;

    AppConnection &m_connection;
    HostUi *m_ui;
    int m_processId;
    int m_userId;
    bool m_blind = true;
    bool m_saved = false;
    countparams::Tolerance m_tolerance;
    QList<Recount::Line> m_lines;
    QMap<int, double> m_typed; // row -> recount typed and not yet saved
};
