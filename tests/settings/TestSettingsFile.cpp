// The settings file's readers and writer, against files written by an independent tool
// (tests/fixtures/settings/make_fixtures.py) and broken files that hold one fault each.
#include "data/Error.h"
#include "settings/SettingsFile.h"
#include "support/SettingsFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ConnectionValues)

namespace {

ConnectionValues connection(const char* host, const char* user, const QString& password,
                            const char* db, const char* port)
{
    return {QString::fromUtf8(host), QString::fromUtf8(user), password, QString::fromUtf8(db),
            QString::fromUtf8(port)};
}

QString describe(const ConnectionValues& v)
{
    return QStringList{v.host, v.user, v.password, v.db, v.port}.join(QLatin1String(" | "));
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void pathIsBesideTheExecutable_data();
    void pathIsBesideTheExecutable();
    void readersGiveNothingWithoutFile();
    void startupReaderCopesWithFile_data();
    void startupReaderCopesWithFile();
    void dialogReaderTakesItsOwnDefaults();
    void useUtf8IsOnOnlyForY_data();
    void useUtf8IsOnOnlyForY();
    void readsFileWrittenByOtherTool();
    void writesSameBytesAsOtherTool();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();
    void failedWriteNamesThePath();

private:
    QTemporaryDir m_dir;
};

void TestSettingsFile::pathIsBesideTheExecutable_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
#ifdef Q_OS_WIN
    QTest::newRow("folder") << QStringLiteral("C:\\HOSxP")
                            << QStringLiteral("C:\\HOSxP\\KORVALEN-WIN32.INI");
    QTest::newRow("Qt's slashes") << QStringLiteral("C:/HOSxP/")
                                  << QStringLiteral("C:\\HOSxP\\KORVALEN-WIN32.INI");
    QTest::newRow("drive root") << QStringLiteral("C:\\")
                                << QStringLiteral("C:\\KORVALEN-WIN32.INI");
#else
    QTest::newRow("folder") << QStringLiteral("/opt/korvalen")
                            << QStringLiteral("/opt/korvalen/KORVALEN-WIN32.INI");
    QTest::newRow("trailing separator")
        << QStringLiteral("/opt/korvalen/") << QStringLiteral("/opt/korvalen/KORVALEN-WIN32.INI");
    QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/KORVALEN-WIN32.INI");
#endif
}

void TestSettingsFile::pathIsBesideTheExecutable()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(settingsFilePath(folder), path);
}

void TestSettingsFile::readersGiveNothingWithoutFile()
{
    const QString path = m_dir.filePath(QStringLiteral("KORVALEN-WIN32.INI"));
    QVERIFY(!readConnectionSettings(path));
    QVERIFY(!readDialogSettings(path));
    QVERIFY(!QFile::exists(path));
}

// Every fixture but the first two holds the values host "his-db.local", user "nurse1",
// password "pw", db "hosxp", port "3307" with one fault.
void TestSettingsFile::startupReaderCopesWithFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<ConnectionValues>("expected");
    const ConnectionValues defaults = connection("127.0.0.1", "xx", QString(), "hos", "3306");
    const ConnectionValues full = connection("his-db.local", "nurse1", "pw", "hosxp", "3307");

    QTest::newRow("section without keys") << QStringLiteral("section_without_keys.ini") << defaults;
    QTest::newRow("empty file") << QStringLiteral("empty_file.ini") << defaults;
    QTest::newRow("keys in another section")
        << QStringLiteral("keys_in_other_section.ini") << defaults;
    QTest::newRow("names in other case")
        << QStringLiteral("section_and_keys_in_other_case.ini") << full;
    QTest::newRow("LF line ends") << QStringLiteral("lf_line_ends.ini") << full;
    QTest::newRow("blanks around values") << QStringLiteral("blanks_around_values.ini") << full;
    QTest::newRow("key written twice: first counts")
        << QStringLiteral("key_written_twice.ini") << full;
    QTest::newRow("db key missing: plain default")
        << QStringLiteral("db_key_missing.ini")
        << connection("his-db.local", "nurse1", "pw", "hos", "3307");
    QTest::newRow("stored value too short: empty")
        << QStringLiteral("stored_value_too_short.ini")
        << connection("his-db.local", "", "pw", "hosxp", "3307");
    QTest::newRow("user value empty: empty, not default")
        << QStringLiteral("user_value_empty.ini")
        << connection("his-db.local", "", "pw", "hosxp", "3307");
    // "localhost!" read as "loca" "lhos" with "t!" ignored, then deciphered; computed by the
    // same Python tool: rc4(key, base64.b64decode("localhos")).decode("cp874")
    const QString meaningless =
        QChar(0x0E57) + QStringLiteral("7") + QChar(0x02) + QChar(0x0E4C) + QStringLiteral("e>");
    ConnectionValues handEdited = full;
    handEdited.host = meaningless;
    QTest::newRow("value not Base64: meaningless, no error")
        << QStringLiteral("value_not_base64.ini") << handEdited;
}

void TestSettingsFile::startupReaderCopesWithFile()
{
    QFETCH(QString, file);
    QFETCH(ConnectionValues, expected);
    const std::optional<ConnectionValues> values = readConnectionSettings(fixture(file));
    QVERIFY(values);
    QCOMPARE(describe(*values), describe(expected));
}

void TestSettingsFile::dialogReaderTakesItsOwnDefaults()
{
    const std::optional<DialogSettings> settings =
        readDialogSettings(fixture(QStringLiteral("section_without_keys.ini")));
    QVERIFY(settings);
    QCOMPARE(describe(settings->connection),
             describe(connection("127.0.0.1", "sa", QString(), "hos", "3306")));
    QCOMPARE(settings->scale, QStringLiteral("1.4"));
    QCOMPARE(settings->mode, QStringLiteral("1.พยาบาล"));
    QVERIFY(!settings->useUtf8);
}

void TestSettingsFile::useUtf8IsOnOnlyForY_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("on");
    QTest::newRow("Y") << QByteArray("use_UTF8=Y") << true;
    QTest::newRow("Y with blanks") << QByteArray("use_UTF8= Y ") << true;
    QTest::newRow("key in other case") << QByteArray("USE_utf8=Y") << true;
    QTest::newRow("N") << QByteArray("use_UTF8=N") << false;
    QTest::newRow("lower-case y") << QByteArray("use_UTF8=y") << false;
    QTest::newRow("Yes") << QByteArray("use_UTF8=Yes") << false;
    QTest::newRow("absent") << QByteArray() << false;
}

void TestSettingsFile::useUtf8IsOnOnlyForY()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, on);
    const QString path = m_dir.filePath(QStringLiteral("utf8.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[SECURITY]\r\n" + line + "\r\n");
    file.close();
    const std::optional<DialogSettings> settings = readDialogSettings(path);
    QVERIFY(settings);
    QCOMPARE(settings->useUtf8, on);
}

void TestSettingsFile::readsFileWrittenByOtherTool()
{
    const QString path = fixture(QStringLiteral("written_by_other_tool.ini"));
    const ConnectionValues expected =
        connection("his-db.local", "nurse1", QStringLiteral("รหัส€ผ่าน"), "hosxp_pcu", "3307");
    const std::optional<ConnectionValues> startup = readConnectionSettings(path);
    QVERIFY(startup);
    QCOMPARE(describe(*startup), describe(expected));
    const std::optional<DialogSettings> dialog = readDialogSettings(path);
    QVERIFY(dialog);
    QCOMPARE(describe(dialog->connection), describe(expected));
    QCOMPARE(dialog->scale, QStringLiteral("1.4"));
    QCOMPARE(dialog->mode, QStringLiteral("2.แพทย์"));
    QVERIFY(dialog->useUtf8);
}

void TestSettingsFile::writesSameBytesAsOtherTool()
{
    const QString path = m_dir.filePath(QStringLiteral("new.ini"));
    QFile::remove(path);
    SettingsEntries entries;
    entries.host = QStringLiteral("his-db.local");
    entries.user = QStringLiteral("nurse1");
    entries.db = QStringLiteral("hos");
    entries.password = QStringLiteral("สมศรี");
    entries.port = 3307;
    entries.scale = QStringLiteral("1.4");
    entries.mode = QStringLiteral("2.แพทย์");
    entries.useUtf8 = true;
    writeSettings(path, entries);
    QCOMPARE(fileBytes(path), fileBytes(fixture(QStringLiteral("expected_new_file.ini"))));
}

void TestSettingsFile::writtenValuesReadBack_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("empty password") << QString() << QString();
    QTest::newRow("Thai password") << QStringLiteral("รหัสผ่าน") << QStringLiteral("รหัสผ่าน");
    QTest::newRow("character outside the code page")
        << QStringLiteral("pass日") << QStringLiteral("pass?");
}

// Over an existing file, as a second press of the connect button does.
void TestSettingsFile::writtenValuesReadBack()
{
    QFETCH(QString, password);
    QFETCH(QString, readBack);
    const QString path = m_dir.filePath(QStringLiteral("rewrite.ini"));
    QFile::remove(path);
    QVERIFY(QFile::copy(fixture(QStringLiteral("written_by_other_tool.ini")), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    SettingsEntries entries;
    entries.host = QStringLiteral("hos");
    entries.user = QStringLiteral("admin");
    entries.db = QStringLiteral("hos");
    entries.password = password;
    entries.port = 3306;
    entries.scale = QStringLiteral("1.4");
    entries.mode = QStringLiteral("1.พยาบาล");
    writeSettings(path, entries);

    const std::optional<ConnectionValues> values = readConnectionSettings(path);
    QVERIFY(values);
    QCOMPARE(describe(*values), describe(connection("hos", "admin", readBack, "hos", "3306")));
    const QList<QByteArray> lines = fileBytes(path).split('\n');
    // Equal plain values give equal stored texts, whatever their key.
    QVERIFY(lines.contains("host_hosxp=Cd9r\r"));
    QVERIFY(lines.contains("db_hosxp=Cd9r\r"));
    if (password.isEmpty())
        QVERIFY(lines.contains("password_hosxp=\r"));
    const std::optional<DialogSettings> dialog = readDialogSettings(path);
    QVERIFY(dialog);
    QVERIFY(!dialog->useUtf8);
    QCOMPARE(dialog->mode, QStringLiteral("1.พยาบาล"));
}

void TestSettingsFile::failedWriteNamesThePath()
{
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/KORVALEN-WIN32.INI"));
    try {
        writeSettings(path, SettingsEntries{});
        QFAIL("the write did not fail");
    } catch (const Error& e) {
        QCOMPARE(e.text(), QStringLiteral("Unable to write to ") + path);
    }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "TestSettingsFile.moc"
