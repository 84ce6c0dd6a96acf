#pragma once
// Enciphers the connection values of the settings file: RC4 keyed with the SHA-1 digest of a
// fixed pass phrase, stored as Base64. Each value starts a fresh RC4 state, so equal values give
// equal stored texts and any value can be read alone.
#include <QByteArray>
#include <QString>

class SettingsCipher
{
public:
    // Plain text in, stored text (pure ASCII) out; the empty text stays empty.
    static QString encrypt(const QString& text);
    // Stored text in, plain text out. A stored text we did not write yields meaningless text,
    // never an error.
    static QString decrypt(const QString& stored);

    // The RC4 key: the SHA-1 digest of the pass phrase's code-page bytes.
    static QByteArray deriveKey(const QString& passPhrase);
    // Standard RC4 from a fresh state: data combined with the key stream from its first byte.
    static QByteArray rc4(const QByteArray& key, const QByteArray& data);
    // Base64 read in groups of four: third character "=" gives one byte, only the fourth "="
    // gives two, any other group three; characters after the last full group are ignored and a
    // character outside the alphabet counts as zero bits.
    static QByteArray decodeStored(const QString& stored);
};
