// The profile file: how entries are found and read, how a write changes the file's bytes, and
// what a failed write reports.
#include "data/Error.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void readsEntry_data();
    void readsEntry();
    void readingMissingFileCreatesNothing();
    void writeChangesOnlyItsEntry_data();
    void writeChangesOnlyItsEntry();
    void writeGoesToTheFileAtOnce();
    void failedWriteNamesThePath_data();
    void failedWriteNamesThePath();

private:
    QTemporaryDir m_dir;
};

void TestIniFile::readsEntry_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("expected");

    const QByteArray longValue(2100, 'v');
    QTest::newRow("plain entry") << QByteArray("[SECURITY]\r\nhost_hosxp=abc\r\n")
                                 << QStringLiteral("host_hosxp") << true << QStringLiteral("abc");
    QTest::newRow("section name in other case")
        << QByteArray("[security]\r\nhost_hosxp=abc\r\n") << QStringLiteral("host_hosxp") << true
        << QStringLiteral("abc");
    QTest::newRow("key name in other case")
        << QByteArray("[SECURITY]\r\nHost_HOSXP=abc\r\n") << QStringLiteral("host_hosxp") << true
        << QStringLiteral("abc");
    QTest::newRow("blanks around key and value")
        << QByteArray("[SECURITY]\r\n  host_hosxp \t= \t a b \t \r\n")
        << QStringLiteral("host_hosxp") << true << QStringLiteral("a b");
    QTest::newRow("no-break space is text, not blank")
        << QByteArray("[SECURITY]\r\nhost_hosxp=\xA0x\xA0\r\n") << QStringLiteral("host_hosxp")
        << true << QStringLiteral("\u00A0x\u00A0");
    QTest::newRow("value cut to 2047 characters")
        << QByteArray("[SECURITY]\r\nk=" + longValue + "\r\n") << QStringLiteral("k") << true
        << QString(2047, QLatin1Char('v'));
    QTest::newRow("empty value is present")
        << QByteArray("[SECURITY]\r\nk=\r\n") << QStringLiteral("k") << true << QString();
    QTest::newRow("equals sign inside the value")
        << QByteArray("[SECURITY]\r\nk=a=b==\r\n") << QStringLiteral("k") << true
        << QStringLiteral("a=b==");
    QTest::newRow("Thai value in Windows-874")
        << QByteArray("[SECURITY]\r\nk=1.\xbe\xc2\xd2\xba\xd2\xc5\r\n") << QStringLiteral("k")
        << true << QStringLiteral("1.พยาบาล");
    QTest::newRow("LF line ends") << QByteArray("[SECURITY]\nk=v\n") << QStringLiteral("k") << true
                                  << QStringLiteral("v");
    QTest::newRow("last line without line end")
        << QByteArray("[SECURITY]\r\nk=v") << QStringLiteral("k") << true << QStringLiteral("v");
    QTest::newRow("first of two equal keys") << QByteArray("[SECURITY]\r\nk=1\r\nK=2\r\n")
                                             << QStringLiteral("k") << true << QStringLiteral("1");
    QTest::newRow("key in another section") << QByteArray("[OTHER]\r\nk=v\r\n[SECURITY]\r\n")
                                            << QStringLiteral("k") << false << QString();
    QTest::newRow("key before any section")
        << QByteArray("k=v\r\n[SECURITY]\r\n") << QStringLiteral("k") << false << QString();
    QTest::newRow("line without equals sign")
        << QByteArray("[SECURITY]\r\nk\r\n") << QStringLiteral("k") << false << QString();
    QTest::newRow("no section") << QByteArray("k=v\r\n") << QStringLiteral("k") << false
                                << QString();
}

void TestIniFile::readsEntry()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(bool, present);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    putFile(path, content);
    const IniFile file(path);
    const std::optional<QString> value = file.value(QStringLiteral("SECURITY"), key);
    QCOMPARE(value.has_value(), present);
    if (present)
        QCOMPARE(*value, expected);
    QCOMPARE(file.readString(QStringLiteral("SECURITY"), key, QStringLiteral("default")),
             present ? expected : QStringLiteral("default"));
}

void TestIniFile::readingMissingFileCreatesNothing()
{
    const QString path = m_dir.filePath(QStringLiteral("missing.ini"));
    const IniFile file(path);
    QVERIFY(!file.exists());
    QCOMPARE(file.readString(QStringLiteral("SECURITY"), QStringLiteral("k"), QStringLiteral("d")),
             QStringLiteral("d"));
    QVERIFY(!QFile::exists(path));
}

void TestIniFile::writeChangesOnlyItsEntry_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("file and section created")
        << false << QByteArray() << QStringLiteral("k") << QStringLiteral("v")
        << QByteArray("[SECURITY]\r\nk=v\r\n");
    QTest::newRow("section added after other sections")
        << true << QByteArray("[OTHER]\r\nx=1\r\n") << QStringLiteral("k") << QStringLiteral("v")
        << QByteArray("[OTHER]\r\nx=1\r\n[SECURITY]\r\nk=v\r\n");
    QTest::newRow("value replaced in place, order kept")
        << true << QByteArray("[SECURITY]\r\na=1\r\nk=old\r\nb=2\r\n") << QStringLiteral("k")
        << QStringLiteral("new") << QByteArray("[SECURITY]\r\na=1\r\nk=new\r\nb=2\r\n");
    QTest::newRow("key found in other case")
        << true << QByteArray("[security]\r\nK = old\r\n") << QStringLiteral("k")
        << QStringLiteral("new") << QByteArray("[security]\r\nk=new\r\n");
    QTest::newRow("appended after the section's last entry")
        << true << QByteArray("[SECURITY]\r\na=1\r\n\r\n[OTHER]\r\nk=9\r\n") << QStringLiteral("k")
        << QStringLiteral("v") << QByteArray("[SECURITY]\r\na=1\r\nk=v\r\n\r\n[OTHER]\r\nk=9\r\n");
    QTest::newRow("unknown keys and lines kept")
        << true << QByteArray("; note\r\n[SECURITY]\r\nzz=\xDB\xFF\r\nk=1\r\n")
        << QStringLiteral("k") << QStringLiteral("2")
        << QByteArray("; note\r\n[SECURITY]\r\nzz=\xDB\xFF\r\nk=2\r\n");
    QTest::newRow("LF file rewritten with CR LF")
        << true << QByteArray("[SECURITY]\na=1\n") << QStringLiteral("k") << QStringLiteral("v")
        << QByteArray("[SECURITY]\r\na=1\r\nk=v\r\n");
    QTest::newRow("empty value") << false << QByteArray() << QStringLiteral("password_hosxp")
                                 << QString() << QByteArray("[SECURITY]\r\npassword_hosxp=\r\n");
    QTest::newRow("Thai value in Windows-874")
        << false << QByteArray() << QStringLiteral("mode_opdcard") << QStringLiteral("2.แพทย์")
        << QByteArray("[SECURITY]\r\nmode_opdcard=2.\xe1\xbe\xb7\xc2\xec\r\n");
    QTest::newRow("character outside the code page becomes ?")
        << false << QByteArray() << QStringLiteral("k") << QStringLiteral("a日b")
        << QByteArray("[SECURITY]\r\nk=a?b\r\n");
}

void TestIniFile::writeChangesOnlyItsEntry()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString path = m_dir.filePath(QStringLiteral("write.ini"));
    QFile::remove(path);
    if (fileExists)
        putFile(path, before);
    IniFile file(path);
    file.writeString(QStringLiteral("SECURITY"), key, value);
    QCOMPARE(fileBytes(path), after);
}

// Nothing is kept between calls: what another program changes in between is seen and kept.
void TestIniFile::writeGoesToTheFileAtOnce()
{
    const QString path = m_dir.filePath(QStringLiteral("shared.ini"));
    QFile::remove(path);
    IniFile file(path);
    file.writeString(QStringLiteral("SECURITY"), QStringLiteral("a"), QStringLiteral("1"));
    QCOMPARE(fileBytes(path), QByteArray("[SECURITY]\r\na=1\r\n"));

    putFile(path, fileBytes(path) + "b=2\r\n");
    QCOMPARE(file.readString(QStringLiteral("SECURITY"), QStringLiteral("b"), QString()),
             QStringLiteral("2"));
    file.writeString(QStringLiteral("SECURITY"), QStringLiteral("c"), QStringLiteral("3"));
    QCOMPARE(fileBytes(path), QByteArray("[SECURITY]\r\na=1\r\nb=2\r\nc=3\r\n"));
}

void TestIniFile::failedWriteNamesThePath_data()
{
    QTest::addColumn<QString>("path");
    // Tests run as root, which file modes do not stop; these two fail for anyone.
    QTest::newRow("folder does not exist")
        << m_dir.filePath(QStringLiteral("no-such-folder/KORVALEN-WIN32.INI"));
    QTest::newRow("path is a folder") << m_dir.path();
}

void TestIniFile::failedWriteNamesThePath()
{
    QFETCH(QString, path);
    IniFile file(path);
    try {
        file.writeString(QStringLiteral("SECURITY"), QStringLiteral("k"), QStringLiteral("v"));
        QFAIL("the write did not fail");
    } catch (const Error& e) {
        QCOMPARE(e.text(), QStringLiteral("Unable to write to ") + path);
    }
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "TestIniFile.moc"
