#include "support/PrivateServer.h"

#include "support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

PrivateServer::PrivateServer()
{
    start();
}

PrivateServer::~PrivateServer()
{
    stop();
}

void PrivateServer::run(const QString& command)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (m_port)
        env.insert(QStringLiteral("DB_PORT"), QString::number(m_port));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TEST_SCRIPTS_DIR "/db"), {command, m_dir.path()});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("scripts/db %s failed: %s", qPrintable(command),
               p.readAllStandardError().constData());
}

void PrivateServer::start()
{
    run(QStringLiteral("start"));
    QFile file(m_dir.filePath(QStringLiteral("port")));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the private server wrote no port");
    m_port = file.readAll().trimmed().toInt();
}

void PrivateServer::stop()
{
    run(QStringLiteral("stop"));
}

namespace {
void openOn(DbConnection& c, int port, const QString& database)
{
    c.setParams({QStringLiteral("127.0.0.1"), port, database, QStringLiteral("his"),
                 QStringLiteral("his-pass")});
    c.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
    c.open();
}
} // namespace

ConnectionParams PrivateServer::createDatabase(const QString& name, const QString& seedFile)
{
    DbConnection c;
    openOn(c, m_port, QString());
    c.execute(QStringLiteral("CREATE DATABASE ") + name + QStringLiteral(" CHARACTER SET utf8mb4"));
    c.execute(QStringLiteral("USE ") + name);
    for (const QString& file : {QStringLiteral("his_schema.sql"), seedFile})
        TestDatabase::runFileOn(c, file);
    return ConnectionParams{QStringLiteral("127.0.0.1"), m_port, name, QStringLiteral("his"),
                            QStringLiteral("his-pass")};
}

QVariant PrivateServer::value(const QString& database, const QString& sql)
{
    DbConnection c;
    openOn(c, m_port, database);
    const DataPacket p = c.query(sql);
    return p.rows.isEmpty() ? QVariant() : p.rows.first().value(0);
}

void PrivateServer::exec(const QString& database, const QString& sql)
{
    DbConnection c;
    openOn(c, m_port, database);
    c.execute(sql);
}
