// A build-time tool: writes the application icon into an icon theme folder, one PNG per size,
// so the installed icon is the very drawing the program shows in its windows.
//   locuscope_icon_writer THEME_FOLDER SIZE...
// writes THEME_FOLDER/SIZExSIZE/apps/locuscope.png for every SIZE; exit status 1 on failure.

#include <QDir>
#include <QString>
#include <cstdio>

#include "app/app_icon.h"

namespace {

constexpr int kLargestSize = 1024;

bool WriteIcon(const QString& themeFolder, int size) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeFolder).arg(size);
    const QString path = folder + QStringLiteral("/locuscope.png");
    if (!QDir().mkpath(folder) || !ApplicationIconImage(size).save(path, "PNG")) {
        std::fprintf(stderr, "locuscope_icon_writer: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: locuscope_icon_writer THEME_FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QString themeFolder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > kLargestSize) {
            std::fprintf(stderr, "locuscope_icon_writer: not an icon size: %s\n", argv[i]);
            return 2;
        }
        if (!WriteIcon(themeFolder, size))
            return 1;
    }
    return 0;
}
