#pragma once
// What the program needs of the operating system, behind one interface so tests can substitute
// values. The workstations run Windows; every other platform gets its equivalents.
#include <QString>

struct HostLookup
{
    QString name;    // official name of the local host as the resolver returns it
    QString address; // its first IPv4 address, dotted; empty when there is none
};

struct Platform
{
    virtual ~Platform() = default;
    // The operating system's computer name; empty when it cannot be told.
    virtual QString computerName() = 0;
    // Host name looked up by name; the name stays the local host name when the lookup fails.
    virtual HostLookup lookUpHost() = 0;
    // The user's temporary folder, with its trailing separator.
    virtual QString tempFolder() = 0;
    // Full path of the running executable.
    virtual QString executablePath() = 0;
    // Starts a file or address through the shell; false when it could not be started.
    virtual bool runProgram(const QString& verb, const QString& file, const QString& parameters,
                            const QString& folder) = 0;
    virtual bool internetAvailable() = 0;
};
