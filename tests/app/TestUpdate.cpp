// The self-update at start-up, with a newer build published: the offer, the address from patch,
// the download from a web server of the test's own on 127.0.0.1 into the temporary folder, the
// progress bar, the updater's start and the window closing; and every way it stops early.
#include "support/LocalHttpServer.h"
#include "support/StartFixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QNetworkProxy>
#include <QProgressBar>
#include <QtTest>
#include <memory>

namespace {
const QString confirmation = QStringLiteral("Please confirm Download New Version and install  ?");
const QString offline = QStringLiteral("โปรตตรวจสอบ Internet ! ");
const QString patient = QStringLiteral("000012345 : นางบุญมี ศรีสุข");

QByteArray makeBody(int size)
{
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        body[i] = char((i * 31 + i / 256) % 256);
    return body;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

// A start-up that finds build 3680717 published and the updater's address in patch; the
// temporary folder is one of the test's own.
struct UpdateStart
{
    explicit UpdateStart(const QString& tempFolder)
    {
        f.platform.temp = tempFolder + "/";
        f.db.exec("INSERT INTO sys_var VALUES ('application_korvalen', '3680717')");
    }
    void setAddress(const QVariant& url, const QString& fileName = "Korvalen.exe")
    {
        f.db.exec("INSERT INTO patch VALUES (" + DbConnection::literal(fileName) + ", " +
                  DbConnection::literal(url) + ")");
    }
    QString target() const { return f.platform.temp + "Quorbel_for_HOSxP_update.exe"; }
    QProgressBar* bar() { return f.find<QProgressBar>("ProgressBar1"); }
    QString published()
    {
        return f.db.value("select sys_value from sys_var where sys_name='application_korvalen'")
            .toString();
    }

    StartFixture f;
};
} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void installsUpdaterAndCloses_data();
    void installsUpdaterAndCloses();
    void readsAddressForExecutableName_data();
    void readsAddressForExecutableName();
    void declinedUpdateLetsStartUpGoOn_data();
    void declinedUpdateLetsStartUpGoOn();
    void failedUpdateStopsTheTick_data();
    void failedUpdateStopsTheTick();
    void secondDownloadReplacesFirstFile();

private:
    std::unique_ptr<LocalHttpServer> server;
    std::unique_ptr<QTemporaryDir> temp;
    QByteArray body = makeBody(300000);
};

void TestUpdate::initTestCase()
{
    // Never let a proxy setting of the machine send test traffic anywhere but the loopback.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

// A new server for every case: Qt Network may send a request once more after its reply has
// finished, and that late request must not count for the next case.
void TestUpdate::init()
{
    server = std::make_unique<LocalHttpServer>();
    server->serve("/file", body);
    server->serveChunked("/chunked", body);
    server->redirect("/moved", server->url("/file"));
    server->dropAfter("/dropped", body, 100000);
    server->redirect("/to-file", "file:///bin/sh");
    server->serve("/second", "the second build's updater");
    temp = std::make_unique<QTemporaryDir>();
    QVERIFY(temp->isValid());
}

void TestUpdate::installsUpdaterAndCloses_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maximum");
    QTest::newRow("known size") << "/file" << int(body.size());
    QTest::newRow("size unknown") << "/chunked" << 0; // what the client reports
    QTest::newRow("after a redirect") << "/moved" << int(body.size());
}

void TestUpdate::installsUpdaterAndCloses()
{
    QFETCH(QString, path);
    QFETCH(int, maximum);
    UpdateStart u(temp->path());
    u.setAddress(server->url(path));
    u.f.messages.answers << true;
    QList<int> pointers; // the mouse pointer whenever the bar moves
    connect(u.bar(), &QProgressBar::valueChanged, this, [&pointers] {
        const QCursor* c = QGuiApplication::overrideCursor();
        pointers << (c ? int(c->shape()) : -1);
    });
    QVERIFY(u.f.startAndWait());

    QCOMPARE(u.f.messages.texts, QStringList{confirmation});
    QCOMPARE(contents(u.target()), body);
    QCOMPARE(u.bar()->maximum(), maximum);
    QCOMPARE(u.bar()->value(), int(body.size()));
    QVERIFY(!pointers.isEmpty());
    QCOMPARE(pointers, QList<int>(pointers.size(), int(Qt::WaitCursor)));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(u.f.platform.started, QStringList{"open " + u.target()});
    QVERIFY(u.f.window().isHidden());
    // The window closed for the updater: no patient was loaded, nothing was published.
    QCOMPARE(u.f.window().panelText(7), QString());
    QCOMPARE(u.published(), QString("3680717"));
}

void TestUpdate::readsAddressForExecutableName_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("statement"); // as the server received it
    QTest::newRow("plain name") << "Korvalen.exe"
                                << "select url from patch where filename='Korvalen.exe'";
    QTest::newRow("quote in the name") << "O'Brien.exe"
                                       << "select url from patch where filename='O\\'Brien.exe'";
}

void TestUpdate::readsAddressForExecutableName()
{
    QFETCH(QString, executable);
    QFETCH(QString, statement);
    UpdateStart u(temp->path());
    u.f.platform.executable = u.f.folder.filePath(executable);
    u.setAddress(server->url("/file"), executable);
    u.setAddress(server->url("/not-this-one"), "Other.exe");
    u.f.messages.answers << true;
    QStringList sent;
    u.f.window().DSDM().DSDBConnection.setObserver([&sent](const QString& sql) { sent << sql; });
    QVERIFY(u.f.startAndWait());
    QVERIFY2(sent.contains(statement), qPrintable(sent.filter("patch").join('\n')));
    QCOMPARE(server->pathsAsked(), QStringList{"/file"});
    QCOMPARE(u.f.platform.started, QStringList{"open " + u.target()});
}

void TestUpdate::declinedUpdateLetsStartUpGoOn_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("offline") << false << QStringList{offline};
    QTest::newRow("answered No") << true << QStringList{confirmation};
}

void TestUpdate::declinedUpdateLetsStartUpGoOn()
{
    QFETCH(bool, online);
    QFETCH(QStringList, messages);
    UpdateStart u(temp->path());
    u.setAddress(server->url("/file"));
    u.f.platform.internet = online;
    u.f.messages.answers << false;
    QVERIFY(u.f.startAndWait());
    QCOMPARE(u.f.messages.texts, messages);
    QCOMPARE(server->requests, QStringList());
    QVERIFY(!QFile::exists(u.target()));
    QCOMPARE(u.f.platform.started, QStringList());
    QCOMPARE(u.published(), QString("3680717"));
    QVERIFY(u.f.window().isVisible());
    QCOMPARE(u.f.window().panelText(7), patient);
    QCOMPARE(u.f.window().serviceList().pp_special_cds.rowCount(), 2);
}

void TestUpdate::failedUpdateStopsTheTick_data()
{
    // "{server}": the test's web server; "{target}": where the updater would have gone.
    QTest::addColumn<QVariant>("address"); // invalid: no patch row
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("requests");
    const QString invalid = QStringLiteral("Invalid Upgrade URL");
    const QString refused =
        QStringLiteral("Address refused, only http and https addresses are downloaded: ");

    QTest::newRow("no patch row") << QVariant() << true << invalid << QStringList();
    QTest::newRow("NULL address") << sqlNull() << true << invalid << QStringList();
    QTest::newRow("empty address") << QVariant("") << true << invalid << QStringList();
    QTest::newRow("blanks only") << QVariant("    ") << true << invalid << QStringList();
    QTest::newRow("blanks and control characters")
        << QVariant(" \t\r\n\x01 ") << true << invalid << QStringList();
    QTest::newRow("404") << QVariant("{server}/missing") << true
                         << "Download failed, the server answered HTTP 404 Not Found: "
                            "{server}/missing"
                         << QStringList{"/missing"};
    QTest::newRow("connection dropped half-way")
        << QVariant("{server}/dropped") << true
        << "Download failed, the connection closed before the whole file arrived: {server}/dropped"
        << QStringList{"/dropped"};
    QTest::newRow("ftp address") << QVariant("ftp://127.0.0.1/file") << true
                                 << refused + "ftp://127.0.0.1/file" << QStringList();
    QTest::newRow("local file address")
        << QVariant("file:///bin/sh") << true << refused + "file:///bin/sh" << QStringList();
    QTest::newRow("redirect to a local file")
        << QVariant("{server}/to-file") << true
        << "Download failed, redirect refused from {server}/to-file to file:///bin/sh"
        << QStringList{"/to-file"};
    QTest::newRow("file cannot be written")
        << QVariant("{server}/file") << false
        << "Cannot write the update file {target}: No such file or directory"
        << QStringList{"/file"};
}

void TestUpdate::failedUpdateStopsTheTick()
{
    QFETCH(QVariant, address);
    QFETCH(bool, folderExists);
    QFETCH(QString, error);
    QFETCH(QStringList, requests);
    UpdateStart u(folderExists ? temp->path() : temp->filePath("no-such-folder"));
    const QString base = server->url(QString());
    if (address.isValid())
        u.setAddress(isSqlNull(address) ? address : address.toString().replace("{server}", base));
    u.f.messages.answers << true;
    QVERIFY(u.f.startAndWait());

    error.replace("{server}", base).replace("{target}", u.target());
    QCOMPARE(u.f.messages.texts, (QStringList{confirmation, error}));
    QCOMPARE(server->pathsAsked(), requests);
    QVERIFY(!QFile::exists(u.target()));
    QCOMPARE(u.f.platform.started, QStringList());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(u.published(), QString("3680717"));
    // The error ended the tick: the window stays, without the visit context.
    QVERIFY(u.f.window().isVisible());
    QCOMPARE(u.f.window().panelText(7), QString());
    QVERIFY(!u.f.window().serviceList().pp_special_cds.isActive());
}

void TestUpdate::secondDownloadReplacesFirstFile()
{
    for (const char* path : {"/file", "/second"}) {
        UpdateStart u(temp->path());
        u.setAddress(server->url(path));
        u.f.messages.answers << true;
        QVERIFY(u.f.startAndWait());
        QCOMPARE(u.f.platform.started, QStringList{"open " + u.target()});
    }
    QCOMPARE(contents(temp->filePath("Quorbel_for_HOSxP_update.exe")),
             QByteArray("the second build's updater"));
    QCOMPARE(QDir(temp->path()).entryList(QDir::Files),
             QStringList{"Quorbel_for_HOSxP_update.exe"});
}

QTEST_MAIN(TestUpdate)
#include "TestUpdate.moc"
