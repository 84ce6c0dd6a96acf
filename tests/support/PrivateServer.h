#pragma once
// A MariaDB server of one test's own, for tests that stop and restart the server under the
// program. It keeps its port across restarts, so the program's connection values stay valid.
#include "data/DbConnection.h"

#include <QTemporaryDir>

class PrivateServer
{
public:
    PrivateServer();
    ~PrivateServer();
    void start();
    void stop();
    int port() const { return m_port; }
    // A database built from the schema and the seed, reached as the program reaches it.
    ConnectionParams createDatabase(const QString& name, const QString& seedFile);
    // A connection of the test's own to that database.
    QVariant value(const QString& database, const QString& sql);
    void exec(const QString& database, const QString& sql);

private:
    void run(const QString& command);
    QTemporaryDir m_dir;
    int m_port = 0;
};
