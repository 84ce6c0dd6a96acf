#include "settings/SettingsCipher.h"

#include "data/Error.h"
#include "settings/AnsiCodePage.h"

#include <QCryptographicHash>

#include <array>

namespace {

const QString& passPhrase()
{
    static const QString phrase = QStringLiteral("owl.pinetree.7193");
    return phrase;
}

const QByteArray& settingsKey()
{
    static const QByteArray key = SettingsCipher::deriveKey(passPhrase());
    return key;
}

int base64Bits(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 26;
    if (u >= '0' && u <= '9')
        return u - '0' + 52;
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    return 0; // "=" and anything outside the alphabet
}

} // namespace

QString SettingsCipher::encrypt(const QString& text)
{
    const QByteArray cipher = rc4(settingsKey(), toAnsi(text));
    return QString::fromLatin1(cipher.toBase64());
}

QString SettingsCipher::decrypt(const QString& stored)
{
    return fromAnsi(rc4(settingsKey(), decodeStored(stored)));
}

QByteArray SettingsCipher::deriveKey(const QString& passPhrase)
{
    return QCryptographicHash::hash(toAnsi(passPhrase), QCryptographicHash::Sha1);
}

QByteArray SettingsCipher::rc4(const QByteArray& key, const QByteArray& data)
{
    if (key.isEmpty())
        throw Error(QStringLiteral("RC4 needs a key of at least one byte"));
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    quint8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = quint8(j + s[i] + quint8(key[i % key.size()]));
        std::swap(s[i], s[j]);
    }
    QByteArray out(data.size(), Qt::Uninitialized);
    quint8 a = 0;
    quint8 b = 0;
    for (qsizetype n = 0; n < data.size(); ++n) {
        a = quint8(a + 1);
        b = quint8(b + s[a]);
        std::swap(s[a], s[b]);
        out[n] = char(quint8(data[n]) ^ s[quint8(s[a] + s[b])]);
    }
    return out;
}

QByteArray SettingsCipher::decodeStored(const QString& stored)
{
    QByteArray out;
    for (qsizetype at = 0; at + 4 <= stored.size(); at += 4) {
        const quint32 bits =
            quint32(base64Bits(stored[at])) << 18 | quint32(base64Bits(stored[at + 1])) << 12 |
            quint32(base64Bits(stored[at + 2])) << 6 | quint32(base64Bits(stored[at + 3]));
        const int bytes = stored[at + 2] == QLatin1Char('=')   ? 1
                          : stored[at + 3] == QLatin1Char('=') ? 2
                                                               : 3;
        out.append(char(bits >> 16));
        if (bytes > 1)
            out.append(char(bits >> 8));
        if (bytes > 2)
            out.append(char(bits));
    }
    return out;
}
