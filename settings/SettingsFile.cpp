#include "settings/SettingsFile.h"

#include "data/HostUtils.h"
#include "settings/IniFile.h"
#include "settings/SettingsCipher.h"

#include <QDir>

namespace {

const QString section = QStringLiteral("SECURITY");
const QString hostKey = QStringLiteral("host_hosxp");
const QString userKey = QStringLiteral("user_hosxp");
const QString dbKey = QStringLiteral("db_hosxp");
const QString passwordKey = QStringLiteral("password_hosxp");
const QString portKey = QStringLiteral("port_hosxp");
const QString scaleKey = QStringLiteral("scale_opdcard");
const QString modeKey = QStringLiteral("mode_opdcard");
const QString printServerKey = QStringLiteral("open_printserver");
const QString useUtf8Key = QStringLiteral("use_UTF8");

// A present value is deciphered; a default is already plain text.
QString readEncrypted(const IniFile& file, const QString& key, const QString& defaultValue)
{
    const std::optional<QString> stored = file.value(section, key);
    return stored ? SettingsCipher::decrypt(*stored) : defaultValue;
}

// The five connection values in the order both readers take them.
ConnectionValues readConnection(const IniFile& file, const QString& defaultUser)
{
    ConnectionValues values;
    values.password = readEncrypted(file, passwordKey, QString());
    values.user = readEncrypted(file, userKey, defaultUser);
    values.host = readEncrypted(file, hostKey, QStringLiteral("127.0.0.1"));
    values.db = readEncrypted(file, dbKey, QStringLiteral("hos"));
    values.port = readEncrypted(file, portKey, QStringLiteral("3306"));
    return values;
}

} // namespace

QString settingsFilePath(const QString& executableFolder)
{
#ifdef Q_OS_WIN
    const QString separator = QStringLiteral("\\");
#else
    const QString separator = QStringLiteral("/");
#endif
    QString folder = QDir::toNativeSeparators(executableFolder);
    while (folder.endsWith(separator))
        folder.chop(separator.size());
    return folder + separator + QStringLiteral("KORVALEN-WIN32.INI");
}

std::optional<ConnectionValues> readConnectionSettings(const QString& path)
{
    const IniFile file(path);
    if (!file.exists())
        return std::nullopt;
    return readConnection(file, QStringLiteral("xx"));
}

std::optional<DialogSettings> readDialogSettings(const QString& path)
{
    const IniFile file(path);
    if (!file.exists())
        return std::nullopt;
    DialogSettings settings;
    settings.connection = readConnection(file, QStringLiteral("sa"));
    settings.scale = file.readString(section, scaleKey, QStringLiteral("1.4"));
    settings.mode = file.readString(section, modeKey, QStringLiteral("1.พยาบาล"));
    settings.useUtf8 =
        file.readString(section, useUtf8Key, QStringLiteral("N")) == QLatin1String("Y");
    return settings;
}

void writeSettings(const QString& path, const SettingsEntries& entries)
{
    IniFile file(path);
    file.writeString(section, hostKey, SettingsCipher::encrypt(entries.host));
    file.writeString(section, userKey, SettingsCipher::encrypt(entries.user));
    file.writeString(section, dbKey, SettingsCipher::encrypt(entries.db));
    file.writeString(section, passwordKey, SettingsCipher::encrypt(entries.password));
    file.writeString(section, portKey, SettingsCipher::encrypt(QString::number(entries.port)));
    file.writeString(section, scaleKey, entries.scale);
    file.writeString(section, modeKey, entries.mode);
    file.writeString(section, printServerKey, QStringLiteral("N"));
    file.writeString(section, useUtf8Key, BoolToYN(entries.useUtf8));
}
