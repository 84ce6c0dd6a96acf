// The settings file's cipher: its building blocks against published vectors, whole values
// against an independent implementation, and the particular Base64 reading rules.
#include "settings/SettingsCipher.h"

#include <QtTest>

class TestSettingsCipher : public QObject
{
    Q_OBJECT
private slots:
    void rc4MatchesPublishedVectors_data();
    void rc4MatchesPublishedVectors();
    void keyDerivationIsSha1_data();
    void keyDerivationIsSha1();
    void storedValueMatchesIndependentTool_data();
    void storedValueMatchesIndependentTool();
    void storedLengthIsFourCharactersPerThreeBytes();
    void readsStoredTextByGroupsOfFour_data();
    void readsStoredTextByGroupsOfFour();
    void tooShortStoredValueReadsEmpty_data();
    void tooShortStoredValueReadsEmpty();
};

// RC4 key streams: RFC 6229, section 2, 40-bit key, offset 0 (plaintext of zero bytes shows the
// key stream); and the three classic vectors quoted with the algorithm's description
// (key "Key", "Wiki", "Secret").
void TestSettingsCipher::rc4MatchesPublishedVectors_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipherHex");
    QTest::newRow("RFC 6229 40-bit key, offset 0")
        << QByteArray::fromHex("0102030405") << QByteArray(16, '\0')
        << QByteArray("b2396305f03dc027ccc3524a0a1118a8");
    QTest::newRow("Key / Plaintext")
        << QByteArray("Key") << QByteArray("Plaintext") << QByteArray("bbf316e8d940af0ad3");
    QTest::newRow("Wiki / pedia") << QByteArray("Wiki") << QByteArray("pedia")
                                  << QByteArray("1021bf0420");
    QTest::newRow("Secret / Attack at dawn") << QByteArray("Secret") << QByteArray("Attack at dawn")
                                             << QByteArray("45a01f645fc35b383552544b9bf5");
}

void TestSettingsCipher::rc4MatchesPublishedVectors()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipherHex);
    const QByteArray cipher = SettingsCipher::rc4(key, plain);
    QCOMPARE(cipher.toHex(), cipherHex);
    QCOMPARE(SettingsCipher::rc4(key, cipher), plain);
}

// SHA-1 digests: FIPS 180 examples ("abc", the 448-bit message) and the empty message; the
// settings key itself from Python: hashlib.sha1("owl.pinetree.7193".encode("cp874")).hexdigest()
void TestSettingsCipher::keyDerivationIsSha1_data()
{
    QTest::addColumn<QString>("passPhrase");
    QTest::addColumn<QByteArray>("digestHex");
    QTest::newRow("abc") << QStringLiteral("abc")
                         << QByteArray("a9993e364706816aba3e25717850c26c9cd0d89d");
    QTest::newRow("448-bit message")
        << QStringLiteral("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")
        << QByteArray("84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    QTest::newRow("empty") << QString() << QByteArray("da39a3ee5e6b4b0d3255bfef95601890afd80709");
    QTest::newRow("settings pass phrase") << QStringLiteral("owl.pinetree.7193")
                                          << QByteArray("85b2ea75751fec5ce87eeaff7b127bd2644cb9d7");
}

void TestSettingsCipher::keyDerivationIsSha1()
{
    QFETCH(QString, passPhrase);
    QFETCH(QByteArray, digestHex);
    QCOMPARE(SettingsCipher::deriveKey(passPhrase).toHex(), digestHex);
}

// Stored texts computed with Python 3, independent of this code:
//   key = hashlib.sha1("owl.pinetree.7193".encode("cp874")).digest()
//   stored = base64.b64encode(rc4(key, text.encode("cp874", errors="replace"))).decode()
// where rc4() is the textbook key schedule and generator in a few lines of Python.
void TestSettingsCipher::storedValueMatchesIndependentTool_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("one byte") << QStringLiteral("a") << QStringLiteral("AA==")
                              << QStringLiteral("a");
    QTest::newRow("two bytes") << QStringLiteral("sa") << QStringLiteral("EtE=")
                               << QStringLiteral("sa");
    QTest::newRow("three bytes") << QStringLiteral("hos") << QStringLiteral("Cd9r")
                                 << QStringLiteral("hos");
    QTest::newRow("port") << QStringLiteral("3306") << QStringLiteral("UoMoTA==")
                          << QStringLiteral("3306");
    QTest::newRow("address") << QStringLiteral("127.0.0.1") << QStringLiteral("UIIvVE88kmLy")
                             << QStringLiteral("127.0.0.1");
    QTest::newRow("password") << QStringLiteral("his-pass") << QStringLiteral("CdlrVw9z0T8=")
                              << QStringLiteral("his-pass");
    QTest::newRow("Thai name") << QStringLiteral("สมศรี") << QStringLiteral("q3HQuao=")
                               << QStringLiteral("สมศรี");
    QTest::newRow("Thai with Euro sign (0x80 in the code page)")
        << QStringLiteral("รหัส€ผ่าน") << QStringLiteral("onvJsP+uSp56") << QStringLiteral("รหัส€ผ่าน");
    QTest::newRow("CJK outside the code page")
        << QStringLiteral("日本") << QStringLiteral("Xo8=") << QStringLiteral("??");
    QTest::newRow("accent outside the code page")
        << QStringLiteral("café") << QStringLiteral("AtF+RQ==") << QStringLiteral("caf?");
}

void TestSettingsCipher::storedValueMatchesIndependentTool()
{
    QFETCH(QString, plain);
    QFETCH(QString, stored);
    QFETCH(QString, readBack);
    QCOMPARE(SettingsCipher::encrypt(plain), stored);
    QCOMPARE(SettingsCipher::decrypt(stored), readBack);
}

void TestSettingsCipher::storedLengthIsFourCharactersPerThreeBytes()
{
    for (int n = 0; n <= 10; ++n) {
        const QString stored = SettingsCipher::encrypt(QString(n, QChar(0x0E01)));
        QCOMPARE(stored.size(), 4 * ((n + 2) / 3));
    }
}

void TestSettingsCipher::readsStoredTextByGroupsOfFour_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytesHex");
    QTest::newRow("third character = gives one byte") << QStringLiteral("QQ==") << QByteArray("41");
    QTest::newRow("third = with a fourth character") << QStringLiteral("QQ=A") << QByteArray("41");
    QTest::newRow("only fourth = gives two bytes") << QStringLiteral("QUI=") << QByteArray("4142");
    QTest::newRow("no = gives three bytes") << QStringLiteral("QUJD") << QByteArray("414243");
    QTest::newRow("= in first places counts as zero bits")
        << QStringLiteral("Q=QQ") << QByteArray("400410");
    QTest::newRow("padded group inside the text")
        << QStringLiteral("QQ==QUI=") << QByteArray("414142");
    QTest::newRow("characters after the last group ignored")
        << QStringLiteral("QUJDRA") << QByteArray("414243");
    QTest::newRow("character outside the alphabet counts as zero bits")
        << QStringLiteral("Q!I=") << QByteArray("4002");
    QTest::newRow("three characters give nothing") << QStringLiteral("QUJ") << QByteArray();
}

void TestSettingsCipher::readsStoredTextByGroupsOfFour()
{
    QFETCH(QString, stored);
    QFETCH(QByteArray, bytesHex);
    QCOMPARE(SettingsCipher::decodeStored(stored).toHex(), bytesHex);
}

void TestSettingsCipher::tooShortStoredValueReadsEmpty_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("one character") << QStringLiteral("U");
    QTest::newRow("two characters") << QStringLiteral("Uo");
    QTest::newRow("three characters") << QStringLiteral("UoM");
}

void TestSettingsCipher::tooShortStoredValueReadsEmpty()
{
    QFETCH(QString, stored);
    QCOMPARE(SettingsCipher::decrypt(stored), QString());
}

QTEST_GUILESS_MAIN(TestSettingsCipher)
#include "TestSettingsCipher.moc"
