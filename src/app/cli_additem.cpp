// stockcheck-cli add-item: adds goods that have no count row to a process, with the
// checks and the append of the add-item dialog.

#include "clicommand.h"

#include "additions/additemlogic.h"
#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include <QDate>

namespace {

using Field = AddItemLogic::Field;

const char *const kUsage =
    "add-item --db URL --user ID --process FID --item NUMBER --stock NUMBER [--place NUMBER] [--batch TEXT] "
    "[--mto TEXT] [--kfdate YYYY-MM-DD] [--kfperiod N] [--aux NUMBER] [--unit NUMBER] [--secunit NUMBER] --qty Q "
    "[--adj A] [--secqty S] [--note TEXT] [--yes]  add goods without a count row to a process";

const QStringList kValueOptions{QStringLiteral("--db"),       QStringLiteral("--user"),  QStringLiteral("--process"),
                                QStringLiteral("--item"),     QStringLiteral("--stock"), QStringLiteral("--place"),
                                QStringLiteral("--batch"),    QStringLiteral("--mto"),   QStringLiteral("--kfdate"),
                                QStringLiteral("--kfperiod"), QStringLiteral("--aux"),   QStringLiteral("--unit"),
                                QStringLiteral("--secunit"),  QStringLiteral("--qty"),   QStringLiteral("--adj"),
                                QStringLiteral("--secqty"),   QStringLiteral("--note")};
const QString kYes = QStringLiteral("--yes");

// The person of the command: messages and questions on the error stream; a
// question is answered Yes only with --yes.
class CliUi : public HostUi
{
public:
    CliUi(QTextStream &err, bool yes)
        : m_err(err)
        , m_yes(yes)
    {}
    void message(const QString &text, Icon, const QString &details) override
    {
        m_err << text << "\n";
        if (!details.isEmpty())
            m_err << details << "\n";
    }
    Answer question(const QString &text, bool) override
    {
        m_err << text << "\n";
        return m_yes ? Answer::Yes : Answer::No;
    }
    void setBusy(bool) override {}
    void showList(const QString &, const QStringList &, const QList<int> &, const QList<QStringList> &) override {}
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void showHelp(const QString &) override {}

private:
    QTextStream &m_err;
    bool m_yes;
};

struct Request
{
    int process = 0;
    QString item, stock;
    QDate kfDate;
    bool hasKFDate = false;
};

bool parseRequest(const CliContext &ctx, Request *r, QString *error)
{
    if (!cli::checkArgumentsWithUser(ctx, kValueOptions, {kYes}, error) || !cli::processOption(ctx, &r->process, error))
        return false;
    r->item = ctx.option(QStringLiteral("--item")).trimmed();
    r->stock = ctx.option(QStringLiteral("--stock")).trimmed();
    if (r->item.isEmpty() || r->stock.isEmpty()) {
        *error = LoadText("缺少物料代码（--item）或仓库代码（--stock）");
        return false;
    }
    const QString date = ctx.option(QStringLiteral("--kfdate"), {}, &r->hasKFDate);
    if (r->hasKFDate) {
        r->kfDate = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
        if (!r->kfDate.isValid()) {
            *error = FormatText("--kfdate：“%1”不是 YYYY-MM-DD 形式的日期", {date});
            return false;
        }
    }
    bool given = false;
    QString text;
    int whole = 0;
    if (!ctx.wholeOption(QStringLiteral("--kfperiod"), &whole, &given, error))
        return false;
    for (const char *name : {"--qty", "--adj", "--secqty"})
        if (!ctx.quantityOption(QLatin1String(name), &text, &given, error))
            return false;
    ctx.option(QStringLiteral("--qty"), {}, &given);
    if (!given) {
        *error = LoadText("缺少盘点数量（--qty）");
        return false;
    }
    return true;
}

// Types the options into the dialog's fields in the order of the dialog; false at
// the first field it refuses (its message is printed).
bool fill(const CliContext &ctx, const Request &r, AddItemLogic &logic)
{
    bool given = false;
    auto opt = [&](const char *name) { return ctx.option(QLatin1String(name), {}, &given); };
    if (!logic.enterItem(r.item))
        return false;
    if (const QString unit = opt("--unit"); given && !logic.enterUnit(unit))
        return false;
    if (!logic.enterStock(r.stock))
        return false;
    if (const QString place = opt("--place"); given && !logic.enterStockPlace(place))
        return false;
    logic.setBatchNo(opt("--batch"));
    if (const QString mto = opt("--mto"); given && !logic.enterMtoNo(mto))
        return false;
    // a date is not guessed on the command line: without --kfdate there is none
    logic.setKFDate(r.hasKFDate ? r.kfDate : QDate());
    if (const QString period = opt("--kfperiod"); given && !logic.enterNumber(Field::KFPeriod, period))
        return false;
    if (const QString aux = opt("--aux"); given && !logic.enterAuxProp(aux))
        return false;
    if (const QString unit = opt("--secunit"); given && !logic.enterSecUnit(unit))
        return false;
    const struct
    {
        const char *name;
        Field field;
    } figures[] = {{"--qty", Field::Qty}, {"--adj", Field::AdjQty}, {"--secqty", Field::SecQty}};
    for (const auto &f : figures)
        if (const QString value = opt(f.name); given && !logic.enterNumber(f.field, value))
            return false;
    logic.setNote(opt("--note"));
    return true;
}

// The count row the entry went into, as stored.
void printRow(CliContext &ctx, AppConnection &conn, const AddedEntry &entry, SnapshotRowAppend::Outcome outcome)
{
    ctx.out << "result\t"
            << (outcome == SnapshotRowAppend::Outcome::Inserted ? QStringLiteral("inserted")
                                                                : QStringLiteral("accumulated"))
            << "\n";
    const SqlFragment where = entry.key.whereClause();
    const QStringList fields{
        QStringLiteral("FQty"),       QStringLiteral("FCheckQty"),    QStringLiteral("FQtyAct"),
        QStringLiteral("FAuxQty"),    QStringLiteral("FAuxCheckQty"), QStringLiteral("FAdjQty"),
        QStringLiteral("FMinus"),     QStringLiteral("FSecQty"),      QStringLiteral("FSecCheckQty"),
        QStringLiteral("FSecAdjQty"), QStringLiteral("FSecMinus")};
    Recordset rs = conn.Execute(QStringLiteral("SELECT ") + fields.join(QStringLiteral(", ")) +
                                    QStringLiteral(" FROM ICInvBackup WHERE") + where.sql,
                                where.binds);
    for (const QString &f : fields)
        ctx.out << f << '\t' << plainNumber(roundQuantity(rs.number(f), entry.decimals)) << "\n";
}

int run(CliContext &ctx)
{
    Request request;
    QString error;
    if (!parseRequest(ctx, &request, &error))
        return cli::badArguments(ctx, error, kUsage);
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    CliUi ui(ctx.err, ctx.flag(kYes));
    shared().ui = &ui;
    const auto done = [](int exit) {
        shared().ui = nullptr;
        return exit;
    };
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, request.process))
        return done(cli::Refused);
    AddItemLogic logic(request.process, GetServerDate());
    if (!fill(ctx, request, logic) || !logic.cmdOK())
        return done(cli::Refused);
    printRow(ctx, conn, logic.entry(), logic.lastOutcome());
    return done(cli::Done);
}

const CliCommand command("add-item", kUsage, run);

} // namespace
