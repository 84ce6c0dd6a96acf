#include "support/TestDatabase.h"

#include "data/Error.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace {
QAtomicInt counter;
}

int TestDatabase::serverPort()
{
    QFile file(QStringLiteral(TEST_DB_DIR "/port"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The test MariaDB server is not running (no %s/port): run the tests through ctest",
               TEST_DB_DIR);
    return file.readAll().trimmed().toInt();
}

QString TestDatabase::fixturePath(const QString& fileName)
{
    return QStringLiteral(TEST_FIXTURES_DIR "/") + fileName;
}

TestDatabase::TestDatabase(const QString& seedFile)
{
    m_name = QStringLiteral("t_%1_%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(counter.fetchAndAddRelaxed(1));
    ConnectionParams p = params();
    p.database.clear();
    m_admin.setParams(p);
    m_admin.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
    try {
        m_admin.open();
        m_admin.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + m_name);
        m_admin.execute(QStringLiteral("CREATE DATABASE ") + m_name +
                        QStringLiteral(" CHARACTER SET utf8mb4"));
        m_admin.execute(QStringLiteral("USE ") + m_name);
        runFile(QStringLiteral("his_schema.sql"));
        if (!seedFile.isEmpty())
            runFile(seedFile);
    } catch (const Error& e) {
        qFatal("Cannot build the test database %s: %s", qPrintable(m_name), e.what());
    }
}

TestDatabase::~TestDatabase()
{
    try {
        m_admin.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + m_name);
    } catch (const Error&) {
        // a stopped server takes the database with it
    }
}

ConnectionParams TestDatabase::params() const
{
    return ConnectionParams{QStringLiteral("127.0.0.1"), serverPort(), m_name,
                            QStringLiteral("his"), QStringLiteral("his-pass")};
}

void TestDatabase::exec(const QString& sql)
{
    m_admin.execute(sql);
}

DataPacket TestDatabase::query(const QString& sql)
{
    return m_admin.query(sql);
}

QVariant TestDatabase::value(const QString& sql)
{
    const DataPacket p = m_admin.query(sql);
    return p.rows.isEmpty() ? QVariant() : p.rows.first().value(0);
}

void TestDatabase::runFile(const QString& fileName)
{
    runFileOn(m_admin, fileName);
}

void TestDatabase::runFileOn(DbConnection& connection, const QString& fileName)
{
    QFile file(fixturePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("No fixture %s", qPrintable(file.fileName()));
    const QString text = QString::fromUtf8(file.readAll());
    QString statement;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) && statement.isEmpty())
            continue;
        statement += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            statement = statement.trimmed();
            statement.chop(1);
            connection.execute(statement);
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        connection.execute(statement);
}
