// The cost the query layer adds per statement (message pumping, lock, quote conversion, data
// packet) and the cost of a serial number, each against a plain Connector/C loop sending the
// same statements to the same server in the same run.
#include "BenchSupport.h"

#include "data/HostUtils.h"
#include "data/QueryLayer.h"
#include "data/ServiceList.h"
#include "data/TDSDM.h"

#include <QApplication>
#include <QDateTime>
#include <algorithm>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv); // the layer pumps a GUI message queue
    const QString database = QStringLiteral("bench_query");
    bench::buildDatabase(database,
                         {QStringLiteral("his_schema.sql"), QStringLiteral("his_basic.sql"),
                          QStringLiteral("service_types.sql")});
    const ConnectionParams params = bench::serverParams(database);
    bench::Session session(database);
    TDSDM& dm = session.dm;
    bench::RawConnection raw(params);

    const int runs = 7, perRun = 300;
    const QString lookup = QStringLiteral(
        "select * from pp_special_type  where pp_special_code between \"1B1240\" and \"1B1259\" ");
    const QByteArray lookupRaw = ConvertQuotes(lookup).toUtf8();
    const double layerQuery = bench::medianMicros(runs, perRun, [&] { QueryData(dm, lookup); });
    const double rawQuery = bench::medianMicros(runs, perRun, [&] { raw.run(lookupRaw); });

    const QByteArray serialStatements[] = {
        "select count(*) as cc from serial where name='bench_raw' and serial_no is not null",
        "LOCK TABLES serial WRITE",
        "update serial set serial_no=serial_no+1 where name='bench_raw'",
        "select serial_no from serial where name='bench_raw'", "UNLOCK TABLES"};
    raw.run("INSERT INTO serial VALUES ('bench_raw', 0)");
    const double layerSerial = bench::medianMicros(
        runs, perRun, [&] { NextSerialNumber(dm, QStringLiteral("bench_id")); });
    const double rawSerial = bench::medianMicros(runs, perRun, [&] {
        for (const QByteArray& s : serialStatements)
            raw.run(s);
    });

    // Save all of 100 rows against the same INSERTs sent by the plain client.
    QVector<double> saveSamples, insertSamples;
    const int saveRuns = 21;
    for (int run = 0; run < saveRuns; ++run) {
        const QString hn = QStringLiteral("SAVE%1").arg(run);
        ServiceList list;
        list.load(dm, hn);
        for (int i = 0; i < 100; ++i)
            list.addService(dm, QStringLiteral("000000000000"), hn, 901,
                            QuickEntry{QStringLiteral("0001"), 1, QDateTime::currentDateTime()});
        // Both sides write the same rows into the same table state: each run first saves them
        // once (recording the statements), deletes them, and then times the plain client and the
        // program's write of the same change log, each after deleting the rows again.
        const ChangeLog log = list.pp_special_cds.changeLog();
        const QString sql =
            QStringLiteral("select * from pp_special   where vn=\"000000000000\" and hn=\"") + hn +
            QStringLiteral("\"");
        QList<QByteArray> inserts;
        dm.DSDBConnection.setObserver([&](const QString& text) { inserts << text.toUtf8(); });
        list.saveAll(dm, QStringLiteral("000000000000"), hn);
        dm.DSDBConnection.setObserver(nullptr);
        const QByteArray cleanUp = "DELETE FROM pp_special WHERE hn LIKE 'SAVE%'";
        auto timeFloor = [&] {
            raw.run(cleanUp);
            insertSamples << bench::medianMicros(1, 1, [&] {
                for (const QByteArray& s : inserts)
                    raw.run(s);
            });
        };
        auto timeProgram = [&] {
            raw.run(cleanUp);
            saveSamples << bench::medianMicros(1, 1, [&] { ApplyDelta(dm, log, sql); });
        };
        // Which goes first alternates, so neither side always meets the freshly emptied table.
        if (run % 2) {
            timeFloor();
            timeProgram();
        } else {
            timeProgram();
            timeFloor();
        }
        raw.run(cleanUp);
    }

    bench::header();
    bench::report(QStringLiteral("QueryData, one code-set query"), layerQuery, rawQuery);
    bench::report(QStringLiteral("NextSerialNumber (5 statements)"), layerSerial, rawSerial);
    bench::report(QStringLiteral("Save all of 100 rows"), bench::median(saveSamples) / 1000,
                  bench::median(insertSamples) / 1000, QStringLiteral("ms"));
    return 0;
}
