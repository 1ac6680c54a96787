// stockcheck-cli import: counted quantities from a spreadsheet file (.xlsx, .xls
// or .csv in the import template) into the count rows of a process, as the count
// sheet's import does. Prints the summary, or the error list of the records left
// out (the others are merged).

#include "cli_streamui.h"
#include "clicommand.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "import/countimport.h"

namespace {

const char *const kUsage =
    "import --db URL --user ID --process FID FILE  import counted quantities from a spreadsheet;\n"
    "    exit 0 all merged, 1 some records failed (the others merged), 2 file refused";

constexpr int FileRefused = 2;

int runImport(CliContext &ctx)
{
    // the file is the one argument that is neither an option nor an option's value
    const QStringList valueOptions{QStringLiteral("--db"), QStringLiteral("--user"), QStringLiteral("--process")};
    CliContext options{{}, ctx.dbUrl, ctx.userId, ctx.language, ctx.out, ctx.err};
    QStringList files;
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args.at(i);
        if (valueOptions.contains(arg) && i + 1 < ctx.args.size()) {
            options.args << arg << ctx.args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.args << arg;
        } else {
            files << arg;
        }
    }
    QString error;
    int process = 0;
    if (!cli::checkArgumentsWithUser(options, valueOptions, {}, &error) ||
        !cli::processOption(options, &process, &error))
        return cli::badArguments(ctx, error, kUsage);
    if (files.size() != 1)
        return cli::badArguments(ctx, LoadText("须指定一个要引入的文件"), kUsage);
    const QString file = files.first();
    AppConnection conn;
    if (!cli::openDatabase(ctx, conn))
        return cli::Refused;
    const ScopedStreamUi ui(ctx.err);
    if (!cli::readNumbering(ctx) || !cli::userExists(ctx, conn) || !cli::processExists(ctx, conn, process))
        return cli::Refused;
    CountImport::Options o;
    o.processId = process;
    o.operatorId = ctx.userId;
    o.useFullNumber = shared().useFullNumber;
    o.mtoMode = ReadEnableMtoPlanMode() == 1;
    const CountImport::Outcome out = CountImport(conn, o).run(file);
    switch (out.status) {
    case CountImport::Outcome::Status::Refused:
        ctx.err << out.message << "\n";
        return FileRefused;
    case CountImport::Outcome::Status::Failed:
        ctx.err << out.message << "\n" << out.details << "\n";
        return cli::Refused;
    case CountImport::Outcome::Status::Done:
        break;
    }
    if (!out.errors.isEmpty()) {
        ctx.out << LoadText("引入错误提示") << "\n";
        for (const QString &e : out.errors)
            ctx.out << e << "\n";
        return cli::Refused;
    }
    ctx.out << out.summary << "\n";
    return out.duplicates > 0 ? cli::Refused : cli::Done;
}

const CliCommand command("import", kUsage, runImport);

} // namespace
