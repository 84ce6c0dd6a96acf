// Eight workstations, each a process adding 500 rows through the program's Add item and Save all
// code at once against one server. Floor: eight threads of plain Connector/C sending the same
// serial-number statements and one INSERT per row.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <mysql.h>
#include <thread>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int workstations = 8, rows = 500;
    const QString database = QStringLiteral("bench_load");
    bench::buildDatabase(database,
                         {QStringLiteral("his_schema.sql"), QStringLiteral("his_basic.sql")});
    const ConnectionParams params = bench::serverParams(database);

    QElapsedTimer clock;
    clock.start();
    QList<QProcess*> running;
    for (int i = 0; i < workstations; ++i) {
        auto* p = new QProcess(&app);
        p->start(QStringLiteral(LOAD_WORKER),
                 {params.server, QString::number(params.port), database,
                  QStringLiteral("ws%1").arg(i), QString::number(rows), QStringLiteral("50")});
        running << p;
    }
    int failedProcesses = 0;
    for (QProcess* p : running) {
        p->waitForFinished(600000);
        failedProcesses += p->exitCode() != 0;
    }
    const double programMs = clock.nsecsElapsed() / 1e6;

    DbConnection check;
    check.setParams(params);
    check.open();
    auto count = [&](const char* sql) {
        return check.query(QString::fromLatin1(sql)).rows[0][0].toInt();
    };
    const int total = count("select count(*) from pp_special where hn like 'HN-ws%'");
    const int distinctIds = count("select count(distinct pp_special_id) from pp_special");
    const int all = count("select count(*) from pp_special");

    check.execute(QStringLiteral("INSERT INTO serial VALUES ('raw_id', 0)"));
    clock.restart();
    std::vector<std::thread> threads;
    for (int t = 0; t < workstations; ++t)
        threads.emplace_back([&, t] {
            mysql_thread_init();
            {
                bench::RawConnection raw(params);
                for (int i = 0; i < rows; ++i) {
                    raw.run("select count(*) as cc from serial where name='raw_id' and serial_no "
                            "is not null");
                    raw.run("LOCK TABLES serial WRITE");
                    raw.run("update serial set serial_no=serial_no+1 where name='raw_id'");
                    raw.run("select serial_no from serial where name='raw_id'");
                    raw.run("UNLOCK TABLES");
                    raw.run(QByteArrayLiteral(
                                "INSERT INTO pp_special (pp_special_id, vn, hn) VALUES (") +
                            QByteArray::number(1000000 + t * rows + i) +
                            ", '000000000000', 'RAW')");
                }
            }
            mysql_thread_end();
        });
    for (std::thread& t : threads)
        t.join();
    const double floorMs = clock.nsecsElapsed() / 1e6;

    bench::header();
    bench::report(QStringLiteral("8 workstations x 500 rows, total time"), programMs, floorMs,
                  QStringLiteral("ms"));
    std::printf("| %-46s | %13.0f | %13.0f |        |\n", "  rows per second",
                total / (programMs / 1000), workstations * rows / (floorMs / 1000));
    std::printf("| %-46s | %13s |               |        |\n",
                "  rows, duplicate ids, lost, failed workers",
                qPrintable(QStringLiteral("%1, %2, %3, %4")
                               .arg(total)
                               .arg(all - distinctIds)
                               .arg(workstations * rows - total)
                               .arg(failedProcesses)));
    return 0;
}
