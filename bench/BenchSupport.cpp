#include "BenchSupport.h"

#include "data/Error.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <mysql.h>

namespace bench {

ConnectionParams serverParams(const QString& database)
{
    const QString dir = qEnvironmentVariable("BENCH_DB_DIR");
    QFile file(dir + QStringLiteral("/port"));
    if (dir.isEmpty() || !file.open(QIODevice::ReadOnly))
        qFatal("No private MariaDB: run the benchmarks through ./scripts/bench");
    return ConnectionParams{QStringLiteral("127.0.0.1"), file.readAll().trimmed().toInt(), database,
                            QStringLiteral("his"), QStringLiteral("his-pass")};
}

void buildDatabase(const QString& database, const QStringList& fixtureFiles)
{
    ConnectionParams p = serverParams(QString());
    DbConnection c;
    c.setParams(p);
    c.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
    c.open();
    c.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + database);
    c.execute(QStringLiteral("CREATE DATABASE ") + database +
              QStringLiteral(" CHARACTER SET utf8mb4"));
    c.execute(QStringLiteral("USE ") + database);
    for (const QString& name : fixtureFiles)
        TestDatabase::runFileOn(c, name);
}

Session::Session(const QString& database) : dm(messages, platform)
{
    dm.DSDBConnection.setParams(serverParams(database));
    dm.DSDBConnection.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
    dm.DSDBConnection.open();
    dm.session.HospitalCode = QStringLiteral("10669");
}

RawConnection::RawConnection(const ConnectionParams& p)
{
    m_mysql = mysql_init(nullptr);
    mysql_options(m_mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    if (!mysql_real_connect(m_mysql, p.server.toUtf8().constData(), p.user.toUtf8().constData(),
                            p.password.toUtf8().constData(), p.database.toUtf8().constData(),
                            unsigned(p.port), nullptr, CLIENT_FOUND_ROWS))
        qFatal("raw connect: %s", mysql_error(m_mysql));
}

RawConnection::~RawConnection()
{
    mysql_close(m_mysql);
}

void RawConnection::run(const QByteArray& sql, bool ignoreErrors)
{
    if (mysql_real_query(m_mysql, sql.constData(), sql.size()) != 0 && !ignoreErrors)
        qFatal("raw query: %s", mysql_error(m_mysql));
    if (MYSQL_RES* r = mysql_store_result(m_mysql)) {
        while (mysql_fetch_row(r)) {
        }
        mysql_free_result(r);
    }
}

double medianMicros(int runs, int perRun, const std::function<void()>& body)
{
    QVector<double> samples;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < perRun; ++i)
            body();
        samples << double(t.nsecsElapsed()) / 1000.0 / perRun;
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double median(QVector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void header()
{
    std::printf("| %-46s | %13s | %13s | %6s |\n", "benchmark", "program", "floor", "ratio");
    std::printf("|%s|%s|%s|%s|\n", QByteArray(48, '-').constData(), QByteArray(15, '-').constData(),
                QByteArray(15, '-').constData(), QByteArray(8, '-').constData());
}

void report(const QString& name, double programMicros, double floorMicros, const QString& unit)
{
    std::printf("| %-46s | %10.1f %s | %10.1f %s | %6.3f |\n", qPrintable(name), programMicros,
                qPrintable(unit), floorMicros, qPrintable(unit), programMicros / floorMicros);
    std::fflush(stdout);
}

void note(const QString& name, double floor, const QString& unit)
{
    std::printf("| %-46s | %13s | %10.1f %s |        |\n", qPrintable(name), "", floor,
                qPrintable(unit));
    std::fflush(stdout);
}

} // namespace bench
