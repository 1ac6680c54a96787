// stockcheck-cli reconcile: the documents posted after the snapshot that moved one
// count row's stock line, as the documents window lists them; marking whole
// documents and calculating folds them into the row and reserves them, as 计算 does.

#include "cli_countrow.h"
#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/entrygrid.h"
#include "reconcile/selectlogic.h"
#include "sheet/countsaver.h"

#include <QRegularExpression>

namespace {

const char *const kUsage =
    "reconcile --db URL --user ID --process FID --item NUMBER --stock NUMBER [--place NUMBER] [--batch TEXT] "
    "[--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER] (--list | [--mark ID[,ID...]] "
    "[--unmark ID[,ID...]])  list a row's documents after the snapshot, or mark whole documents and calculate";

const QString kListFlag = QStringLiteral("--list");
const QString processSql = QStringLiteral(
    "SELECT FBackupType, FDate, FMaxBillInterID, FMaxMTOChangeID FROM ICStockCheckProcess WHERE FID = ?");

struct Request
{
    int process = 0;
    cli::RowKey key;
    bool list = false;
    QList<int> mark, unmark;
};

bool parse(const CliContext &ctx, Request *r, QString *error)
{
    const QStringList options =
        cli::rowKeyOptions() + QStringList{QStringLiteral("--db"), QStringLiteral("--user"),
                                           QStringLiteral("--process"), QStringLiteral("--mark"),
                                           QStringLiteral("--unmark")};
    if (!cli::checkArgumentsWithUser(ctx, options, {kListFlag}, error) ||
        !cli::processOption(ctx, &r->process, error) || !cli::parseRowKey(ctx, &r->key, error))
        return false;
    bool mark = false, unmark = false;
    if (!ctx.idListOption(QStringLiteral("--mark"), &r->mark, &mark, error) ||
        !ctx.idListOption(QStringLiteral("--unmark"), &r->unmark, &unmark, error))
        return false;
    r->list = ctx.flag(kListFlag);
    if (r->list == (mark || unmark)) {
        *error = LoadText("请给出 --list，或 --mark / --unmark 单据内码，两者只能用一种");
        return false;
    }
    return true;
}

// The process information as the count sheet keeps it for the window.
QVariantMap processInfo(AppConnection &conn, int process)
{
    const Recordset rs = conn.Execute(processSql, {process});
    const QString id = QString::number(process);
    if (!rs.isOpen() || rs.Eof())
        return {};
    return {{id + QStringLiteral("|BackupType"), rs.Fields(u"FBackupType")},
            {id + QStringLiteral("|CuteDate"), rs.Fields(u"FDate")},
            {id + QStringLiteral("|MaxInterID"), rs.Fields(u"FMaxBillInterID")},
            {id + QStringLiteral("|MaxMTOChangeID"), rs.Fields(u"FMaxMTOChangeID")}};
}

void printList(CliContext &ctx, const SelectLogic &logic)
{
    for (int i = 0; i < logic.rowCount(); ++i) {
        QStringList cells{logic.text(i, SelectCol::InterID)};
        for (int col = 1; col <= SelectCol::Count; ++col)
            if (!logic.isColumnHidden(col))
                cells << logic.text(i, col);
        ctx.out << cells.join(QLatin1Char('\t')) << "\n";
    }
}

QString plain(double value)
{
    return QString::number(value, 'f', 10).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

int calculate(CliContext &ctx, AppConnection &conn, const Request &r, EntryGrid &grid, int row, SelectLogic &logic)
{
    QList<int> unknown;
    logic.setMarked(r.unmark, false, &unknown);
    logic.setMarked(r.mark, true, &unknown);
    if (!unknown.isEmpty()) {
        QStringList ids;
        for (int id : unknown)
            ids << QString::number(id);
        ctx.err << FormatText("这一行没有这些单据：%1", {ids.join(QLatin1Char(','))}) << "\n";
        return cli::Refused;
    }
    EntrySession session;
    const CountSaver::Options options{.processId = r.process,
                                      .operatorId = ctx.userId,
                                      .mtoPlanMode = shared().enableMtoPlanMode != 0,
                                      .source = CountSource::commandLine};
    CountSaver saver(grid, session, conn, shared().ui, options);
    logic.setRowWriter([&](double base, double sec, QString *reason) {
        const CountSaver::RowWrite write = saver.FillDiffQty(row, true, base, sec);
        if (!write.refused.isEmpty())
            *reason = write.refused;
        else if (write.check != RowCheck::Accepted)
            *reason = CountSaver::checkMessage(write.check);
        else if (!write.written)
            *reason = CountSaver::failureReason(saver.lastError());
        return write.written;
    });
    logic.mnuVCalulate();
    if (!logic.refusal().isEmpty())
        return cli::Refused; // the message went to stderr as the window shows it
    ctx.out << "FDiffQty\t" << plain(logic.baseTotal()) << "\n"
            << "FSecDiffQty\t" << plain(logic.secTotal()) << "\n";
    return cli::Done;
}

int run(CliContext &ctx)
{
    Request request;
    QString error;
    cli::CommandStart start(ctx, parse(ctx, &request, &error), error, kUsage);
    if (start.exitCode() != 0)
        return start.exitCode();
    AppConnection &conn = start.connection;
    EntryGrid grid;
    const int row = cli::openRow(ctx, conn, request.process, request.key, &grid);
    if (row == 0)
        return cli::Refused;
    shared().currentProcess = request.process;
    SelectLogic logic(conn);
    logic.setProcID(request.process);
    logic.setDicupInfo(processInfo(conn, request.process));
    logic.setContext(SelectContext::fromGrid(grid, row));
    logic.open();
    if (!ProcessInfo::fromDictionary(request.process, processInfo(conn, request.process)))
        return cli::Refused; // "没有设置盘点方案信息!" is on stderr
    if (request.list) {
        printList(ctx, logic);
        return cli::Done;
    }
    return calculate(ctx, conn, request, grid, row, logic);
}

const CliCommand command("reconcile", kUsage, run);

} // namespace
