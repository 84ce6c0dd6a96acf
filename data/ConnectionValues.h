#pragma once
// The five connection values as the settings file and the connection dialog give them; the
// port stays text until the session converts it.
#include <QString>

struct ConnectionValues
{
    QString host;
    QString user;
    QString password;
    QString db;
    QString port;
    bool operator==(const ConnectionValues& o) const
    {
        return host == o.host && user == o.user && password == o.password && db == o.db &&
               port == o.port;
    }
};
