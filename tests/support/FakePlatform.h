#pragma once
// Fixed answers for the operating-system seam, and a record of the programs started.
#include "app/Platform.h"

#include <QStringList>

struct FakePlatform final : Platform
{
    QString computer = QStringLiteral("ward-pc1");
    HostLookup host{QStringLiteral("ward-pc1.hospital.local"), QStringLiteral("10.1.2.3")};
    QString temp = QStringLiteral("/tmp/");
    QString executable = QStringLiteral("/opt/korvalen/Korvalen.exe");
    bool internet = true;
    bool startSucceeds = true;
    QStringList started; // "verb file" per start

    QString computerName() override { return computer; }
    HostLookup lookUpHost() override { return host; }
    QString tempFolder() override { return temp; }
    QString executablePath() override { return executable; }
    bool runProgram(const QString& verb, const QString& file, const QString&,
                    const QString&) override
    {
        started << verb + QLatin1Char(' ') + file;
        return startSucceeds;
    }
    bool internetAvailable() override { return internet; }
};
