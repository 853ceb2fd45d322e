#include "app/locuscope_main.h"

#include <QCoreApplication>
#include <clocale>
#include <cstdio>

#include "app/headless_front_end.h"

int LocuscopeMain(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Locuscope"));
    QCoreApplication::setApplicationName(QStringLiteral("Locuscope"));
    // Qt adopts the user's locale; the file formats and messages need '.' as decimal point.
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QCoreApplication::arguments();
    if (HeadlessFrontEnd::IsHeadless(arguments) || arguments.contains(QStringLiteral("--help")) ||
        arguments.contains(QStringLiteral("-h")))
        return HeadlessFrontEnd::Run(arguments);
    std::fputs("The desktop window is not available yet; use --report FILE... (see --help).\n",
               stderr);
    return HeadlessFrontEnd::kExitUsage;
}
