#include "app/shell/shell.h"
#include "app/shell/shelloptions.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("StockCheck"));
    QApplication::setOrganizationName(QStringLiteral("StockCheck"));
    QApplication::setApplicationVersion(QStringLiteral(STOCKCHECK_VERSION));

    const QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(qPrintable(ShellOptions::usage()), stdout);
        return 0;
    }
    ShellOptions options;
    QString error;
    if (!ShellOptions::parse(args, &options, &error)) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(ShellOptions::usage()));
        return 2;
    }
    Shell shell(options);
    const int early = shell.start();
    if (early >= 0)
        return early;
    return app.exec();
}
