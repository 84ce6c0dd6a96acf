// Writes an encrypted settings file for the demo: write-settings FILE HOST PORT DB USER PASSWORD
#include "data/Error.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: korvalen-settings FILE HOST PORT DB USER PASSWORD\n");
        return 2;
    }
    SettingsEntries entries;
    entries.host = args[2];
    entries.port = args[3].toInt();
    entries.db = args[4];
    entries.user = args[5];
    entries.password = args[6];
    entries.scale = QStringLiteral("1.4");
    entries.mode = QStringLiteral("1.พยาบาล");
    try {
        writeSettings(args[1], entries);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
