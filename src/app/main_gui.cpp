#include "app/shell/shell.h"
#include "app/shell/shelloptions.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    // the usage needs no display: answer it before the GUI connects to one
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QCoreApplication core(argc, argv);
            std::fputs(qPrintable(ShellOptions::usage()), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("StockCheck"));
    QApplication::setOrganizationName(QStringLiteral("StockCheck"));
    QApplication::setApplicationVersion(QStringLiteral(STOCKCHECK_VERSION));

    const QStringList args = app.arguments().mid(1);
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
