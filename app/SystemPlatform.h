#pragma once
// The operating system behind the Platform seam: Qt where it covers the need, the resolver for
// the host lookup.
#include "app/Platform.h"

class SystemPlatform final : public Platform
{
public:
    QString computerName() override;
    HostLookup lookUpHost() override;
    QString tempFolder() override;
    QString executablePath() override;
    bool runProgram(const QString& verb, const QString& file, const QString& parameters,
                    const QString& folder) override;
    bool internetAvailable() override;
};
