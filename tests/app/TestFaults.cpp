// Faults a workstation meets: the database server gone before start-up, between start-up and
// Add item, and in the middle of Save all; values with quotes through the whole recording.
// Nothing the nurse entered is lost, and every failure is said.
#include "support/ModalHelper.h"
#include "support/PrivateServer.h"
#include "support/StartFixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void serverDownBeforeStartUp();
    void serverDownBeforeAddItem();
    void serverDownDuringSaveAll();
    void quotedValuesThroughRecording();

private:
    static void addService(StartFixture& f, const QString& name)
    {
        auto* box = f.find<QComboBox>("cxLookupComboBox3");
        box->setCurrentIndex(box->findText(name));
        QTest::mouseClick(f.find<QPushButton>("cxButton5"), Qt::LeftButton);
    }
};

void TestFaults::cleanup()
{
    while (QWidget* w = QApplication::activeModalWidget())
        w->close();
}

void TestFaults::serverDownBeforeStartUp()
{
    PrivateServer server;
    StartFixture f;
    f.writeSettings(server.createDatabase("his", "his_basic.sql"));
    server.stop();
    whenModalOpens([](QWidget* dialog) { dialog->findChild<QPushButton*>("cxButton2")->click(); });
    QVERIFY(f.startAndWait());
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.messages.texts.size(), 3);
    QVERIFY2(f.messages.texts[0].startsWith(
                 "Connect Error DSDBConnection : his !!!\rCan't connect to server on '127.0.0.1'"),
             qPrintable(f.messages.texts[0]));
    QVERIFY(f.messages.texts[1].startsWith("Connect Error  UniConnection_hos : \r"));
    QCOMPARE(f.messages.texts[2], QString("Not connected to the database server"));
}

void TestFaults::serverDownBeforeAddItem()
{
    PrivateServer server;
    StartFixture f;
    f.writeSettings(server.createDatabase("his", "his_basic.sql"));
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList());
    ClientDataSet& list = f.window().serviceList().pp_special_cds;
    server.stop();
    addService(f, "ให้สุขศึกษารายบุคคล");
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY2(f.messages.texts[0].contains("server"), qPrintable(f.messages.texts[0]));
    QCOMPARE(list.rowCount(), 2); // no half-made row
    QCOMPARE(list.changeCount(), 0);

    server.start();
    addService(f, "ให้สุขศึกษารายบุคคล");
    QCOMPARE(list.changeCount(), 1);
    QTest::mouseClick(f.find<QPushButton>("cxButton16"), Qt::LeftButton);
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY(f.window().isHidden());
    QCOMPARE(server.value("his", "select count(*) from pp_special").toInt(), 3);
}

void TestFaults::serverDownDuringSaveAll()
{
    PrivateServer server;
    StartFixture f;
    f.writeSettings(server.createDatabase("his", "his_basic.sql"));
    QVERIFY(f.startAndWait());
    for (int i = 0; i < 5; ++i)
        addService(f, "ให้สุขศึกษารายบุคคล");
    ClientDataSet& list = f.window().serviceList().pp_special_cds;
    QCOMPARE(list.changeCount(), 5);

    int inserts = 0;
    f.window().DSDM().DSDBConnection.setObserver([&](const QString& sql) {
        if (sql.startsWith("INSERT") && ++inserts == 3)
            server.stop(); // the third row never reaches the server
    });
    QTest::mouseClick(f.find<QPushButton>("cxButton16"), Qt::LeftButton);
    f.window().DSDM().DSDBConnection.setObserver(nullptr);
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY2(f.messages.texts[0].startsWith("บันทึกไม่สำเร็จ 3 รายการ"),
             qPrintable(f.messages.texts[0]));
    QCOMPARE(list.changeCount(), 3);

    server.start();
    QCOMPARE(server.value("his", "select count(*) from pp_special").toInt(), 4);
    QTest::mouseClick(f.find<QPushButton>("cxButton16"), Qt::LeftButton);
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY(f.window().isHidden());
    QCOMPARE(server.value("his", "select count(*) from pp_special").toInt(), 7);
    QCOMPARE(server.value("his", "select count(distinct pp_special_id) from pp_special").toInt(),
             7);
}

void TestFaults::quotedValuesThroughRecording()
{
    const QString hn = "12'3\"4\\^^";
    StartFixture f;
    f.platform.computer = "pc'2\"\\^^";
    f.db.exec("UPDATE onlineuser SET servername=" + DbConnection::literal(f.platform.computer) +
              ", kskloginname='o\\'nurse'");
    f.db.exec("UPDATE opduser SET loginname='o\\'nurse' WHERE loginname='nurse1'");
    f.db.exec("UPDATE sys_var SET sys_value=" + DbConnection::literal(hn) +
              " WHERE sys_name='hn_online_for_pelvo'");
    f.db.exec("INSERT INTO patient VALUES (" + DbConnection::literal(hn) +
              ", 'นาย', 'อัญประกาศ', 'ทดสอบ')");
    QVERIFY(f.startAndWait());
    QCOMPARE(f.window().fhn, hn);
    addService(f, "ให้สุขศึกษารายบุคคล");
    QTest::mouseClick(f.find<QPushButton>("cxButton16"), Qt::LeftButton);
    QCOMPARE(f.messages.texts, QStringList());
    QVERIFY(f.window().isHidden());
    QCOMPARE(f.db.value("select hn from pp_special where pp_special_id=3").toString(), hn);
    QCOMPARE(f.db.value("select doctor from pp_special where pp_special_id=3").toString(),
             QString("0001"));
}

QTEST_MAIN(TestFaults)
#include "TestFaults.moc"
