// The data module's connection check against the run's private MariaDB server.
#include "data/Error.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>

class TestTDSDM : public QObject
{
    Q_OBJECT
private slots:
    void opensBothConnectionsQuietlyTwice();
    void wrongPasswordReportsBothConnections();
    void portThatIsNotANumberTriesNothing_data();
    void portThatIsNotANumberTriesNothing();
    void emptyPasswordReachesServerEmpty();

private:
    static ConnectionValues valuesOf(const ConnectionParams& p)
    {
        return ConnectionValues{p.server, p.user, p.password, p.database, QString::number(p.port)};
    }
};

void TestTDSDM::opensBothConnectionsQuietlyTwice()
{
    TestDatabase db;
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm(messages, platform);
    dm.CheckConnection(valuesOf(db.params()));
    QVERIFY(dm.DSDBConnection.isOpen());
    QVERIFY(dm.UniConnection_hos.isOpen());
    const QVariant id = dm.DSDBConnection.query("select connection_id()").rows[0][0];
    // the main connection speaks UTF-8, the second keeps the client's default
    QCOMPARE(dm.DSDBConnection.query("select @@character_set_client").rows[0][0].toString(),
             QString("utf8mb4"));
    dm.CheckConnection(valuesOf(db.params()));
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(dm.DSDBConnection.query("select connection_id()").rows[0][0], id);
    QVERIFY(dm.UniConnection_hos.isOpen());
}

void TestTDSDM::wrongPasswordReportsBothConnections()
{
    TestDatabase db;
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm(messages, platform);
    ConnectionValues v = valuesOf(db.params());
    v.password = "wrong";
    v.db = "hos";
    dm.CheckConnection(v);
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(messages.texts[0], QString("Connect Error DSDBConnection : hos !!!\rAccess denied for "
                                        "user 'his'@'127.0.0.1' (using password: YES)"));
    QCOMPARE(messages.texts[1], QString("Connect Error  UniConnection_hos : \rAccess denied for "
                                        "user 'his'@'127.0.0.1' (using password: YES)"));
    QVERIFY(!dm.DSDBConnection.isOpen());
    QCOMPARE(dm.DSDBConnection.params().password, QString("wrong"));
}

void TestTDSDM::portThatIsNotANumberTriesNothing_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("letter inside") << "33o6";
    QTest::newRow("empty") << "";
    QTest::newRow("blank after digits") << "3306 ";
    QTest::newRow("too large") << "99999999999";
}

void TestTDSDM::portThatIsNotANumberTriesNothing()
{
    QFETCH(QString, port);
    TestDatabase db;
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm(messages, platform);
    ConnectionValues v = valuesOf(db.params());
    v.port = port;
    try {
        dm.CheckConnection(v);
        QFAIL("no conversion error");
    } catch (const Error& e) {
        QCOMPARE(e.text(), "'" + port + "' is not a valid integer value");
    }
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(!dm.DSDBConnection.isOpen());
    QVERIFY(!dm.UniConnection_hos.isOpen());
    QCOMPARE(dm.DSDBConnection.params().server, QString()); // nothing was configured
}

void TestTDSDM::emptyPasswordReachesServerEmpty()
{
    TestDatabase db;
    db.exec("CREATE USER IF NOT EXISTS 'nopass'@'127.0.0.1' IDENTIFIED BY ''");
    db.exec("GRANT ALL ON " + db.name() + ".* TO 'nopass'@'127.0.0.1'");
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm(messages, platform);
    ConnectionValues v = valuesOf(db.params());
    v.user = "nopass";
    v.password = "";
    dm.CheckConnection(v);
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(dm.DSDBConnection.isOpen());
}

QTEST_GUILESS_MAIN(TestTDSDM)
#include "TestTDSDM.moc"
