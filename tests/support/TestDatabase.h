#pragma once
// A fresh database on the run's private MariaDB server, built from fixtures/his_schema.sql and
// an optional seed file, dropped again when the object goes.
#include "data/DbConnection.h"

#include <QString>
#include <QVariant>

class TestDatabase
{
public:
    explicit TestDatabase(const QString& seedFile = {});
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Host, port, account and this database on the private server.
    ConnectionParams params() const;
    const QString& name() const { return m_name; }

    // A connection of the test's own, beside the program's, for preparing and checking rows.
    void exec(const QString& sql);
    DataPacket query(const QString& sql);
    // First column of the first row; an invalid QVariant when there is no row.
    QVariant value(const QString& sql);
    // Runs every statement of a file of fixtures/ (statements end with ";" at a line's end).
    void runFile(const QString& fileName);

    // The same for any connection.
    static void runFileOn(DbConnection& connection, const QString& fileName);

    static int serverPort();
    static QString fixturePath(const QString& fileName);

private:
    QString m_name;
    DbConnection m_admin;
};
