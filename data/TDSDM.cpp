#include "data/TDSDM.h"

#include "app/Messages.h"
#include "data/Error.h"

#include <QRegularExpression>

TDSDM::TDSDM(Messages& messages_, Platform& platform_) : messages(messages_), platform(platform_)
{
    DataModuleCreate();
}

void TDSDM::DataModuleCreate()
{
    // The image database's connection starts on a LAN default; start-up replaces it before use.
    UniImageServerConnection.setParams(
        ConnectionParams{QStringLiteral("192.168.0.250"), 3306, {}, {}, {}});
}

int toInteger(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?\\d+$"));
    bool ok = false;
    const int value = pattern.match(text).hasMatch() ? text.trimmed().toInt(&ok) : 0;
    if (!ok)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

void TDSDM::CheckConnection(const ConnectionValues& values)
{
    ConnectionParams main{values.host, 0, values.db, values.user, values.password};
    main.port = toInteger(values.port);

    DSDBConnection.setParams(main);
    UniConnection_hos.setParams(main);
    try {
        UniConnection_hos.open();
    } catch (const Error&) {
        // reported below, when the second attempt fails too
    }

    DSDBConnection.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
    DSDBConnection.setOption(QStringLiteral("UseUnicode"), QStringLiteral("True"));
    try {
        DSDBConnection.open();
    } catch (const Error& e) {
        messages.error(QStringLiteral("Connect Error DSDBConnection : ") + values.db +
                       QStringLiteral(" !!!\r") + e.text());
    }
    try {
        UniConnection_hos.open();
    } catch (const Error& e) {
        messages.error(QStringLiteral("Connect Error  UniConnection_hos : \r") + e.text());
    }
}
