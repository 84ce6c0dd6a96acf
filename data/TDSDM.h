#pragma once
// The data module: the program's connections to the HIS database, the settings file's path and
// the values of this run's session. One instance lives as long as the main window.
#include "data/ConnectionValues.h"
#include "data/DbConnection.h"
#include "data/SessionValues.h"

struct Messages;
struct Platform;

class TDSDM
{
public:
    TDSDM(Messages& messages, Platform& platform);

    // Configures both connections from the five values and opens them, reporting each failure
    // itself. A port text that is not an integer throws Error before anything is opened.
    void CheckConnection(const ConnectionValues& values);

    DbConnection DSDBConnection;           // every statement of the program runs here
    DbConnection UniConnection_hos;        // a second connection to the same database
    DbConnection UniImageServerConnection; // the separate image database, when the HIS has one
    QString SettingsFilePath;
    SessionValues session;

    Messages& messages;
    Platform& platform;

private:
    void DataModuleCreate();
};

// Converts a decimal text to an int as the HIS front end does; throws
// Error("'<text>' is not a valid integer value") otherwise.
int toInteger(const QString& text);
