// One workstation of a load run: connects as the program does, adds rows through the service
// list's Add item code (a fresh serial number each) and writes them with Save all.
//   korvalen-load-worker HOST PORT DATABASE COMPUTER ROWS [BATCH]
// Prints "written N failed M" and exits 0 when every row was written.
#include "data/Error.h"
#include "data/ServiceList.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6) {
        std::fprintf(stderr,
                     "usage: korvalen-load-worker HOST PORT DATABASE COMPUTER ROWS [BATCH]\n");
        return 2;
    }
    RecordingMessages messages;
    FakePlatform platform;
    platform.computer = args[4];
    platform.host = HostLookup{args[4], QStringLiteral("127.0.0.1")};
    const int rows = args[5].toInt();
    const int batch = args.size() > 6 ? args[6].toInt() : rows;
    TDSDM dm(messages, platform);
    dm.CheckConnection(ConnectionValues{args[1], QStringLiteral("his"), QStringLiteral("his-pass"),
                                        args[3], args[2]});
    if (!dm.DSDBConnection.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(messages.texts.join(QLatin1Char('\n'))));
        return 1;
    }
    dm.session.HospitalCode = QStringLiteral("10669");
    const QString vn = QStringLiteral("000000000000");
    const QString hn = QStringLiteral("HN-") + platform.computer;
    ServiceList list;
    int written = 0, failed = 0;
    try {
        list.load(dm, hn);
        for (int i = 0; i < rows; ++i) {
            list.addService(dm, vn, hn, 901,
                            QuickEntry{QStringLiteral("0001"), 1, QDateTime::currentDateTime()});
            if ((i + 1) % batch == 0 || i + 1 == rows) {
                const SaveResult saved = list.saveAll(dm, vn, hn);
                written += saved.written;
                failed += saved.failed;
                if (saved.failed)
                    std::fprintf(stderr, "%s\n", qPrintable(saved.firstError));
            }
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("written %d failed %d\n", written, failed);
    return failed == 0 ? 0 : 1;
}
