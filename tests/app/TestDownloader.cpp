// The downloader against a web server of the test's own on 127.0.0.1: bodies of known and
// unknown size, redirects, error statuses, broken and stalled transfers, refused addresses.
#include "app/Downloader.h"
#include "data/Error.h"
#include "support/LocalHttpServer.h"

#include <QNetworkProxy>
#include <QtTest>
#include <memory>

namespace {
// Binary content with every byte value, so nothing gets away with treating it as text.
QByteArray makeBody(int size)
{
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        body[i] = char((i * 31 + i / 256) % 256);
    return body;
}
} // namespace

class TestDownloader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void fetchesWholeBody_data();
    void fetchesWholeBody();
    void reportsFailure_data();
    void reportsFailure();
    void refusesAddressesOtherThanHttp_data();
    void refusesAddressesOtherThanHttp();

private:
    std::unique_ptr<LocalHttpServer> server;
    QByteArray body = makeBody(300000);
};

void TestDownloader::initTestCase()
{
    // Never let a proxy setting of the machine send test traffic anywhere but the loopback.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

// A new server for every case: Qt Network may send a request once more after its reply has
// finished, and that late request must not count for the next case.
void TestDownloader::init()
{
    server = std::make_unique<LocalHttpServer>();
    server->serve("/file", body);
    server->serveChunked("/chunked", body);
    server->serveUntilClose("/until-close", body);
    server->redirect("/moved", server->url("/file"));
    for (int i = 1; i <= 5; ++i)
        server->redirect(QString("/hop%1").arg(i),
                         server->url(i < 5 ? QString("/hop%1").arg(i + 1) : QString("/file")),
                         i % 2 ? 302 : 301);
    server->redirect("/loop", server->url("/loop"));
    server->redirect("/to-ftp", "ftp://127.0.0.1/file");
    server->redirect("/to-file", "file:///bin/sh");
    server->serveStatus("/broken", 500, "Internal Server Error");
    server->dropAfter("/dropped", body, 100000);
    server->stallAfter("/stalled", body, 1000);
}

void TestDownloader::fetchesWholeBody_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<QStringList>("requests");
    QTest::newRow("known size") << "/file" << qint64(body.size()) << QStringList{"/file"};
    QTest::newRow("chunked, size unknown") << "/chunked" << qint64(0) << QStringList{"/chunked"};
    QTest::newRow("ended by closing, size unknown")
        << "/until-close" << qint64(0) << QStringList{"/until-close"};
    QTest::newRow("after a redirect")
        << "/moved" << qint64(body.size()) << QStringList{"/moved", "/file"};
    QTest::newRow("after five redirects")
        << "/hop1" << qint64(body.size())
        << QStringList{"/hop1", "/hop2", "/hop3", "/hop4", "/hop5", "/file"};
}

void TestDownloader::fetchesWholeBody()
{
    QFETCH(QString, path);
    QFETCH(qint64, announced);
    QFETCH(QStringList, requests);
    Downloader http;
    QStringList begun;
    QList<qint64> done;
    connect(&http, &Downloader::workBegin, this, [&](WorkMode mode, qint64 expected) {
        QVERIFY(mode == WorkMode::Read);
        QVERIFY2(done.isEmpty(), "progress before the start of the body");
        begun << QString::number(expected);
    });
    connect(&http, &Downloader::work, this, [&](WorkMode mode, qint64 count) {
        QVERIFY(mode == WorkMode::Read);
        QVERIFY(done.isEmpty() || count >= done.last());
        done << count;
    });
    QCOMPARE(http.get(server->url(path)), body);
    QCOMPARE(begun, QStringList{QString::number(announced)});
    QVERIFY(!done.isEmpty());
    QCOMPARE(done.last(), qint64(body.size()));
    QCOMPARE(server->pathsAsked(), requests);
}

void TestDownloader::reportsFailure_data()
{
    QTest::addColumn<QString>("path"); // on the test's server, or a whole address
    QTest::addColumn<int>("stallTimeoutMs");
    QTest::addColumn<QString>("expected"); // "{url}": the address asked for

    QTest::newRow("404") << "/missing" << 60000
                         << "Download failed, the server answered HTTP 404 Not Found: {url}";
    QTest::newRow("500") << "/broken" << 60000
                         << "Download failed, the server answered HTTP 500 Internal Server Error: "
                            "{url}";
    const QString cutShort =
        "Download failed, the connection closed before the whole file arrived: {url}";
    QTest::newRow("connection dropped half-way") << "/dropped" << 60000 << cutShort;
    QTest::newRow("no byte for the time-out")
        << "/stalled" << 300 << "Download failed, no data arrived for 0.3 s: {url}";
    QTest::newRow("redirect loop")
        << "/loop" << 60000 << "Download failed, more than 5 redirects: {url}";
    QTest::newRow("redirect to ftp")
        << "/to-ftp" << 60000
        << "Download failed, redirect refused from {url} to ftp://127.0.0.1/file";
    QTest::newRow("redirect to a local file")
        << "/to-file" << 60000 << "Download failed, redirect refused from {url} to file:///bin/sh";
    QTcpServer closed; // a port on which nothing listens any more
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString nowhere = QString("http://127.0.0.1:%1/file").arg(closed.serverPort());
    closed.close();
    QTest::newRow("nothing listening") << nowhere << 60000 << "Download failed: Connection refused";
}

void TestDownloader::reportsFailure()
{
    QFETCH(QString, path);
    QFETCH(int, stallTimeoutMs);
    QFETCH(QString, expected);
    const QString address = path.startsWith("http:") ? path : server->url(path);
    expected.replace("{url}", address);
    Downloader http(stallTimeoutMs);
    try {
        const QByteArray got = http.get(address);
        QFAIL(qPrintable(QString("no error, %1 bytes").arg(got.size())));
    } catch (const Error& e) {
        QCOMPARE(e.text(), expected);
    }
}

void TestDownloader::refusesAddressesOtherThanHttp_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("ftp") << "ftp://127.0.0.1/file";
    QTest::newRow("local file") << "file:///bin/sh";
    QTest::newRow("no scheme") << "127.0.0.1/file";
    QTest::newRow("no host") << "http:///file";
    QTest::newRow("empty") << "";
}

void TestDownloader::refusesAddressesOtherThanHttp()
{
    QFETCH(QString, address);
    Downloader http;
    bool progress = false;
    connect(&http, &Downloader::workBegin, this, [&] { progress = true; });
    try {
        http.get(address);
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.text(),
                 "Address refused, only http and https addresses are downloaded: " + address);
    }
    QVERIFY(!progress);
    QCOMPARE(server->requests, QStringList());
}

QTEST_MAIN(TestDownloader)
#include "TestDownloader.moc"
