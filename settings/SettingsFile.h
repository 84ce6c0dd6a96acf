#pragma once
// The settings file beside the executable: the five connection values enciphered with
// SettingsCipher, and four plain entries that only the connection dialog shows again.
#include "data/ConnectionValues.h"

#include <QString>

#include <optional>

// What the connection dialog shows from the file.
struct DialogSettings
{
    ConnectionValues connection;
    QString scale;
    QString mode;
    bool useUtf8 = false;
};

// What the connection dialog's connect button writes.
struct SettingsEntries
{
    QString host;
    QString user;
    QString db;
    QString password;
    int port = 3306;
    QString scale;
    QString mode;
    bool useUtf8 = false;
};

// The settings file's path in the executable's folder.
QString settingsFilePath(const QString& executableFolder);

// The start-up reader: nothing when the file does not exist; an absent key gives its default.
std::optional<ConnectionValues> readConnectionSettings(const QString& path);

// The dialog reader: nothing when the file does not exist; its defaults differ from the
// start-up reader's in the user name.
std::optional<DialogSettings> readDialogSettings(const QString& path);

// Writes the nine entries one at a time, each to the file at once. Throws Error("Unable to
// write to <path>") at the first entry that fails; the entries before it stay in the file.
void writeSettings(const QString& path, const SettingsEntries& entries);
