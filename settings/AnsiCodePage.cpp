#include "settings/AnsiCodePage.h"

#include "data/Error.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

#ifdef Q_OS_WIN
QStringEncoder makeEncoder()
{
    return QStringEncoder(QStringConverter::System);
}
QStringDecoder makeDecoder()
{
    return QStringDecoder(QStringConverter::System);
}
#else
// Qt knows this name only when it is built with ICU; without it every value would silently turn
// into empty text, so refuse instead.
constexpr const char* kCodePage = "windows-874";

QStringEncoder makeEncoder()
{
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        throw Error(QStringLiteral("The code page %1 is not available").arg(kCodePage));
    return encoder;
}
QStringDecoder makeDecoder()
{
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        throw Error(QStringLiteral("The code page %1 is not available").arg(kCodePage));
    return decoder;
}
#endif

} // namespace

// A fresh converter per call: a converter keeps state between calls, and each value stands alone.
QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder = makeEncoder();
    return encoder.encode(text);
}

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder = makeDecoder();
    return decoder.decode(bytes);
}
