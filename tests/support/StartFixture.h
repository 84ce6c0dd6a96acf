#pragma once
// A main window started as on a workstation: a settings file for the test database in the
// executable's folder, a fake operating system and recorded messages.
#include "app/TStart_f.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QTemporaryDir>
#include <memory>

class StartFixture
{
public:
    // Builds the database from the schema and the seed; writes the settings file unless told
    // not to (a start without a settings file).
    explicit StartFixture(const QString& seed = QStringLiteral("his_basic.sql"),
                          bool withSettings = true);
    ~StartFixture();

    // Writes the settings file with these values (the test database's unless changed).
    void writeSettings(const ConnectionParams& params);
    // Shows the window and waits until the start-up chain has run to its end.
    bool startAndWait(int timeoutMs = 20000);
    TStart_f& window() { return *m_window; }
    template <typename T> T* find(const char* name)
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }

    TestDatabase db;
    FakePlatform platform;
    RecordingMessages messages;
    QTemporaryDir folder;

private:
    std::unique_ptr<TStart_f> m_window;
};
