#pragma once
// One MySQL connection over MariaDB Connector/C. Failures become Error with the client
// library's or the server's own message text.
#include "data/DataPacket.h"

#include <QHash>
#include <QString>
#include <functional>

struct st_mysql;

struct ConnectionParams
{
    QString server;
    int port = 3306;
    QString database;
    QString user;
    QString password;
    bool operator==(const ConnectionParams& o) const
    {
        return server == o.server && port == o.port && database == o.database && user == o.user &&
               password == o.password;
    }
};

class DbConnection
{
public:
    DbConnection() = default;
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    // Giving an open connection other parameters closes it; the same ones leave it open.
    void setParams(const ConnectionParams& params);
    const ConnectionParams& params() const { return m_params; }
    // Provider options by name: "MySQL.CharSet" (a character set such as "UTF8") and "UseUnicode".
    void setOption(const QString& name, const QString& value);

    // Opens the connection; does nothing when it is open. Throws Error.
    void open();
    void close();
    bool isOpen() const { return m_mysql != nullptr; }

    // Runs a statement that returns no rows; returns the number of rows it changed. Throws Error.
    quint64 execute(const QString& sql);
    // Runs a statement and fetches its whole result (a packet without columns when it has
    // none). Throws Error.
    DataPacket query(const QString& sql);

    // Sees every statement text just before it is sent (tests and benchmarks).
    void setObserver(std::function<void(const QString&)> observer)
    {
        m_observer = std::move(observer);
    }

    // A MySQL string literal for the value, quotes included, for statements built here.
    static QString literal(const QString& value);
    // A MySQL literal for any value of a packet: NULL, a number, a date, a text.
    static QString literal(const QVariant& value);

private:
    void send(const QString& sql);
    [[noreturn]] void fail();

    st_mysql* m_mysql = nullptr;
    ConnectionParams m_params;
    QHash<QString, QString> m_options;
    bool m_wanted = false; // opened once: a connection lost later is opened again before use
    std::function<void(const QString&)> m_observer;
};
