#include "support/StartFixture.h"

#include "settings/SettingsFile.h"

#include <QTest>

StartFixture::StartFixture(const QString& seed, bool withSettings) : db(seed)
{
    platform.executable = folder.filePath(QStringLiteral("Korvalen.exe"));
    if (withSettings)
        writeSettings(db.params());
    m_window = std::make_unique<TStart_f>(messages, platform);
}

StartFixture::~StartFixture() = default;

void StartFixture::writeSettings(const ConnectionParams& params)
{
    SettingsEntries entries;
    entries.host = params.server;
    entries.port = params.port;
    entries.db = params.database;
    entries.user = params.user;
    entries.password = params.password;
    entries.scale = QStringLiteral("1.4");
    entries.mode = QStringLiteral("1.พยาบาล");
    ::writeSettings(settingsFilePath(folder.path()), entries);
}

bool StartFixture::startAndWait(int timeoutMs)
{
    m_window->show();
    return QTest::qWaitFor([this] { return m_window->isHidden() || m_window->isIdle(); },
                           timeoutMs);
}
