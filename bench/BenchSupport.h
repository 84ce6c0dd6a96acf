#pragma once
// What every benchmark needs: a database on the private server, a raw Connector/C connection for
// the floor, a data module for the program's own code, and timing helpers.
#include "data/DbConnection.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"

#include <QString>
#include <QVector>
#include <functional>

struct st_mysql;

namespace bench {

// Connection values of the private server started by scripts/bench (its port in
// $BENCH_DB_DIR/port).
ConnectionParams serverParams(const QString& database);
// Drops and builds the database from the test fixtures named.
void buildDatabase(const QString& database, const QStringList& fixtureFiles);

// The program's data module on a database of the private server, as the main window has it.
struct Session
{
    explicit Session(const QString& database);
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm;
};

// A plain Connector/C connection: the floor every figure is compared with.
class RawConnection
{
public:
    explicit RawConnection(const ConnectionParams& params);
    ~RawConnection();
    // Sends one statement and reads (and frees) its whole result.
    void run(const QByteArray& sql, bool ignoreErrors = false);
    st_mysql* handle() const { return m_mysql; }

private:
    st_mysql* m_mysql = nullptr;
};

// Median over `runs` of the time one call of `body` takes, in microseconds; `body` runs
// `perRun` times in each run.
double medianMicros(int runs, int perRun, const std::function<void()>& body);

// The middle value of a set of samples.
double median(QVector<double> samples);

// The head of the result table.
void header();
// One line of the result table.
void report(const QString& name, double programMicros, double floorMicros,
            const QString& unit = QStringLiteral("µs"));

// A line that shows one part of a floor.
void note(const QString& name, double floor, const QString& unit);

} // namespace bench
