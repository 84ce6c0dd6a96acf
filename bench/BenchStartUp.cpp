// Start-up: from process start to "ready" (the start-up chain over, lists loaded, boxes preset)
// and the process's peak memory, against a bare Qt window with the same kinds of widgets, the
// chain's fixed timer delays, and the start-up's own statements replayed by plain Connector/C.
// Also a patient with 2,000 earlier rows in a pp_special table of 1,000,000 rows.
//   BenchStartUp                      runs everything and prints the table
//   BenchStartUp --child DB STMTFILE  one program start (prints "ready <ms> <peak KiB>")
//   BenchStartUp --bare               one bare window start
#include "BenchSupport.h"

#include "app/TStart_f.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runProgram(const QString& database, const QString& statementFile)
{
    QApplication app(
        *new int(1), new char* [1] { const_cast<char*>("bench") });
    QTemporaryDir folder;
    const ConnectionParams p = bench::serverParams(database);
    writeSettings(settingsFilePath(folder.path()),
                  SettingsEntries{p.server, p.user, p.database, p.password, p.port,
                                  QStringLiteral("1.4"), QStringLiteral("1.พยาบาล"), false});
    RecordingMessages messages;
    FakePlatform platform;
    platform.host = HostLookup{platform.computer, QStringLiteral("127.0.0.1")};
    platform.executable = folder.filePath(QStringLiteral("Korvalen"));
    platform.temp = folder.path() + QLatin1Char('/');
    TStart_f window(messages, platform);
    QStringList statements;
    window.DSDM().DSDBConnection.setObserver([&](const QString& sql) { statements << sql; });
    window.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.isIdle())
            app.quit();
    });
    poll.start(1);
    app.exec();
    std::printf("ready %ld\n", peakKiB());
    std::fflush(stdout);
    for (const QString& text : messages.texts)
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    if (!statementFile.isEmpty()) {
        QFile out(statementFile);
        out.open(QIODevice::WriteOnly);
        out.write(statements.join(QStringLiteral("\n;;\n")).toUtf8());
    }
    return 0;
}

int runBare()
{
    QApplication app(
        *new int(1), new char* [1] { const_cast<char*>("bench") });
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* column = new QVBoxLayout(central);
    auto* header = new QLabel(QStringLiteral("10669 : โรงพยาบาล"), central);
    column->addWidget(header);
    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
        boxes->addWidget(new QComboBox(central));
    boxes->addWidget(new QDateTimeEdit(central));
    for (int i = 0; i < 6; ++i)
        boxes->addWidget(new QPushButton(QStringLiteral("ปุ่ม"), central));
    column->addLayout(boxes);
    auto* model = new QStandardItemModel(2, 5, central);
    auto* grid = new QTableView(central);
    grid->setModel(model);
    column->addWidget(grid, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QCheckBox(QStringLiteral("ปิดหน้าจอ หลังบันทึก"), central));
    bottom->addWidget(new QProgressBar(central));
    bottom->addWidget(new QPushButton(QStringLiteral("บันทึก ทั้งหมด"), central));
    column->addLayout(bottom);
    window.setCentralWidget(central);
    for (int i = 0; i < 8; ++i)
        window.statusBar()->addWidget(new QLabel(QStringLiteral("panel"), &window));
    window.resize(1023, 650);
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    app.exec();
    std::printf("ready %ld\n", peakKiB());
    return 0;
}

struct Start
{
    double ms = 0;
    long kib = 0;
};

Start startChild(const QStringList& args)
{
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), args);
    child.waitForFinished(120000);
    const QByteArray out = child.readAllStandardOutput();
    const int at = out.indexOf("ready ");
    if (at < 0 || child.exitCode() != 0)
        qFatal("start failed: %s", child.readAllStandardError().constData());
    Start s;
    s.ms = clock.nsecsElapsed() / 1e6;
    s.kib = out.mid(at + 6).trimmed().toLong();
    return s;
}

Start medianStart(int runs, const QStringList& args)
{
    QVector<Start> all;
    for (int i = 0; i < runs; ++i)
        all << startChild(args);
    std::sort(all.begin(), all.end(), [](const Start& a, const Start& b) { return a.ms < b.ms; });
    Start m = all[runs / 2];
    long kib = 0;
    for (const Start& s : all)
        kib = std::max(kib, s.kib);
    m.kib = kib;
    return m;
}

double replayMs(const QString& database, const QString& statementFile)
{
    QFile in(statementFile);
    in.open(QIODevice::ReadOnly);
    const QList<QByteArray> statements = in.readAll().split('\n');
    QList<QByteArray> joined;
    QByteArray current;
    for (const QByteArray& line : statements) {
        if (line == ";;") {
            joined << current;
            current.clear();
        } else {
            current += (current.isEmpty() ? "" : "\n") + line;
        }
    }
    if (!current.isEmpty())
        joined << current;
    bench::RawConnection raw(bench::serverParams(database));
    return bench::medianMicros(5, 1,
                               [&] {
                                   for (const QByteArray& s : joined)
                                       raw.run(s, true);
                               }) /
           1000.0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return runProgram(QString::fromUtf8(argv[2]),
                          argc > 3 ? QString::fromUtf8(argv[3]) : QString());
    if (argc >= 2 && QByteArray(argv[1]) == "--bare")
        return runBare();

    QCoreApplication app(argc, argv);
    const QStringList seed{QStringLiteral("his_schema.sql"), QStringLiteral("his_basic.sql"),
                           QStringLiteral("service_types.sql")};
    bench::buildDatabase(QStringLiteral("bench_start"), seed);
    bench::buildDatabase(QStringLiteral("bench_start_big"), seed);
    {
        DbConnection c;
        c.setParams(bench::serverParams(QStringLiteral("bench_start_big")));
        c.open();
        // A HIS-sized table: a million rows of 50,000 other patients, and 2,000 of this one.
        c.execute(QStringLiteral("INSERT INTO pp_special (pp_special_id, vn, hn, dest_hospcode, "
                                 "doctor, pp_special_service_place_type_id,"
                                 " pp_special_type_id, entry_datetime) SELECT seq + 100, LPAD(seq, "
                                 "12, '0'), CONCAT('HN', seq % 50000),"
                                 " '10669', '0001', 1, 901, '2025-01-01' + INTERVAL (seq % 700) "
                                 "DAY FROM seq_1_to_998000"));
        c.execute(QStringLiteral("INSERT INTO pp_special (pp_special_id, vn, hn, dest_hospcode, "
                                 "doctor, pp_special_service_place_type_id,"
                                 " pp_special_type_id, entry_datetime) SELECT seq + 2000000, "
                                 "'000000000000', '000012345',"
                                 " '10669', '0001', 2, 902, '2024-01-01' + INTERVAL (seq % 700) "
                                 "DAY FROM seq_1_to_1998"));
    }
    QTemporaryDir work;
    const QString statements = work.filePath(QStringLiteral("statements.sql"));
    const int runs = 5;
    startChild({QStringLiteral("--child"),
                QStringLiteral("bench_start")}); // first start: adds the HIS keys
    startChild({QStringLiteral("--child"), QStringLiteral("bench_start"), statements});
    const Start program =
        medianStart(runs, {QStringLiteral("--child"), QStringLiteral("bench_start")});
    const Start big =
        medianStart(runs, {QStringLiteral("--child"), QStringLiteral("bench_start_big")});
    const Start bare = medianStart(runs, {QStringLiteral("--bare")});
    const double statementFloor = replayMs(QStringLiteral("bench_start"), statements);
    const double delays = 300 + 100 + 100;
    const double allowed = delays + bare.ms + 1.3 * statementFloor;

    bench::header();
    bench::report(QStringLiteral("start-up to ready (floor: delays+bare+1.3xSQL)"), program.ms,
                  allowed, QStringLiteral("ms"));
    bench::note(QStringLiteral("  fixed timer delays of the chain"), delays, QStringLiteral("ms"));
    bench::note(QStringLiteral("  bare Qt window start"), bare.ms, QStringLiteral("ms"));
    bench::note(QStringLiteral("  start-up statements, plain client"), statementFloor,
                QStringLiteral("ms"));
    bench::report(QStringLiteral("start-up, 1,000,000-row pp_special"), big.ms, program.ms,
                  QStringLiteral("ms"));
    bench::report(QStringLiteral("peak memory (floor: bare Qt window)"), program.kib / 1024.0,
                  bare.kib / 1024.0, QStringLiteral("MiB"));
    return 0;
}
