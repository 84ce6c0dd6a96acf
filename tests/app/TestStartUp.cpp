// The main window's start-up chain against the real test server: settings, connection, the
// logged-in user, the current patient, the HIS settings snapshot.
#include "support/ModalHelper.h"
#include "support/StartFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void withoutSettingsFileShowsDialogThenEnds();
    void goodStartFillsWindow();
    void snapshotRegistersComputerAndKeysOnce();
    void withoutUserLoadsNothing();
    void withoutPatientLoadsEmptyHn();
    void nullHnStopsVisitContext();
    void failedConnectionOpensDialog();
    void badPortStopsTheTick();
    void navigationBarSlides();
    void hostLookupWithoutAddress();
    void connectionEntryOpensDialogAndReloadsNothing();
    void quotesInNamesThroughStartUp();
};

namespace {
// Presses a button of the modal dialog as soon as it is open.
void pressInModalDialog(const char* button)
{
    whenModalOpens([button](QWidget* modal) {
        auto* b = modal->findChild<QPushButton*>(QLatin1String(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    });
}
} // namespace

void TestStartUp::cleanup()
{
    while (QWidget* w = QApplication::activeModalWidget())
        w->close();
}

void TestStartUp::withoutSettingsFileShowsDialogThenEnds()
{
    StartFixture f(QStringLiteral("his_basic.sql"), false);
    bool dialogSeen = false;
    whenModalOpens([&](QWidget* modal) {
        dialogSeen = modal->windowTitle() == "Connecting";
        modal->findChild<QPushButton*>("cxButton2")->click();
    });
    QVERIFY(f.startAndWait());
    QTRY_VERIFY(f.window().isHidden());
    QVERIFY(dialogSeen);
    QCOMPARE(f.messages.texts, QStringList{"กรุณาปิดโปรแกรมแล้วเปิดใช้งานใหม่ !!"});
    QCOMPARE(f.window().panelText(3), QString("check PLV"));
    QVERIFY(!f.window().Timer1.isActive());
    QCOMPARE(f.db.value("select count(*) from comdep").toInt(), 0);
}

void TestStartUp::goodStartFillsWindow()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    TStart_f& w = f.window();
    QCOMPARE(f.messages.texts, QStringList());
    QCOMPARE(w.windowTitle(), QString(" บันทึกข้อมูลส่งเสริมป้องกันโรคผู้ที่มารับบริการ และการให้บริการในชุมชน  For "
                                      "HOSxP : Version : 3680716"));
    QCOMPARE(w.panelText(0), QString("Host/DB"));
    QCOMPARE(w.panelText(1), "127.0.0.1/" + f.db.name());
    QCOMPARE(w.panelText(3), QString("สมศรี มีสุข"));
    QCOMPARE(w.panelText(5), QString("ward-pc1.hospital.local | 10.1.2.3"));
    QCOMPARE(w.panelText(7), QString("000012345 : นางบุญมี ศรีสุข"));
    QCOMPARE(f.find<QLabel>("hospital_name")->text(),
             QString("10669 : โรงพยาบาลส่งเสริมสุขภาพตำบลบ้านทดสอบ"));
    QCOMPARE(w.fhn, QString("000012345"));
    const TDSDM& dm = w.DSDM();
    QCOMPARE(dm.session.LoginName, QString("nurse1"));
    QCOMPARE(dm.session.DoctorCode, QString("0001"));
    QCOMPARE(dm.session.HospitalCode, QString("10669"));
    QCOMPARE(dm.session.CurrentVn, QString("000000000000"));

    // The patient's rows, the first in edit state with its hn unchanged.
    ClientDataSet& list = w.serviceList().pp_special_cds;
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(list.state(), DataSetState::Edit);
    QCOMPARE(list.recNo(), 0);
    QCOMPARE(list.value("hn").toString(), QString("000012345"));
    auto* grid = f.find<QTableView>("cxGrid1");
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->index(0, 2).data().toString(), QString("ให้คำปรึกษาเลิกบุหรี่"));
    QCOMPARE(grid->model()->index(0, 4).data().toString(), QString("พยาบาลสมศรี มีสุข"));
    QCOMPARE(grid->model()->index(1, 4).data().toString(), QString()); // inactive staff: no name
    QCOMPARE(f.find<QLabel>("cxGrid1Footer")->text(), QString("2"));

    // Presets: the user's staff code, the first place, no service.
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox1")->currentText(), QString("พยาบาลสมศรี มีสุข"));
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox2")->currentText(), QString("ในสถานบริการ"));
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox3")->currentText(), QString());
    QVERIFY(dm.DSDBConnection.isOpen());
    QVERIFY(dm.UniConnection_hos.isOpen());
}

void TestStartUp::snapshotRegistersComputerAndKeysOnce()
{
    for (int run = 0; run < 2; ++run) {
        StartFixture fixture;
        StartFixture* f = &fixture;
        if (run == 1) {
            // the second run starts from what the first left behind
            fixture.db.exec("INSERT INTO comdep VALUES ('WARD-PC1.HOSPITAL.LOCAL', '000')");
            fixture.db.exec("INSERT INTO accessoperation VALUES ('ADMIN', 'Access_ADMIN')");
        }
        QVERIFY(f->startAndWait());
        QCOMPARE(f->db.value("select count(*) from comdep").toInt(), 1);
        QCOMPARE(f->db.value("select depcode from comdep where computer='WARD-PC1.HOSPITAL.LOCAL'")
                     .toString(),
                 QString("000"));
        QCOMPARE(
            f->db.value("select count(*) from accessoperation where rightname='ADMIN'").toInt(), 1);
        for (const char* key :
             {"depcode_ipd_rx", "finance_style", "opd_transfer_drug_income", "dm_clinic_code",
              "lab_link_bloodgr", "SEPARATE_IMAGE_DATABASE", "SEPARATE_IMAGE_SERVER"}) {
            QCOMPARE(
                f->db.value(QString("select count(*) from sys_var where sys_name='%1'").arg(key))
                    .toInt(),
                1);
            QVERIFY2(isSqlNull(f->db.value(
                         QString("select sys_value from sys_var where sys_name='%1'").arg(key))),
                     key);
        }
        QCOMPARE(f->db.value("select count(*) from sys_var where sys_name='hn_online_for_pelvo'")
                     .toInt(),
                 1);
        QCOMPARE(f->messages.texts, QStringList());
    }
}

void TestStartUp::withoutUserLoadsNothing()
{
    StartFixture f;
    f.db.exec("DELETE FROM onlineuser");
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList{"ไม่พบ user ที่ใช้งาน HOSxP !"});
    QCOMPARE(f.window().panelText(3), QString());
    QCOMPARE(f.window().panelText(7), QString("000012345 : นางบุญมี ศรีสุข"));
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), 0);
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox3")->count(), 0);
    // the snapshot ran all the same
    QCOMPARE(f.db.value("select count(*) from comdep").toInt(), 1);
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox1")->currentText(), QString());
}

void TestStartUp::withoutPatientLoadsEmptyHn()
{
    StartFixture f;
    f.db.exec("DELETE FROM sys_var");
    f.db.exec("INSERT INTO pp_special (pp_special_id, hn) VALUES (50, '')");
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList());
    QCOMPARE(f.window().fhn, QString());
    QCOMPARE(f.window().panelText(7), QString(" : "));
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), 1);
    QCOMPARE(
        f.db.value("select count(*) from sys_var where sys_name='hn_online_for_pelvo'").toInt(), 0);
}

void TestStartUp::nullHnStopsVisitContext()
{
    StartFixture f;
    f.db.exec("UPDATE sys_var SET sys_value=NULL WHERE sys_name='hn_online_for_pelvo'");
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY2(f.messages.texts[0].contains("NULL"), qPrintable(f.messages.texts[0]));
    QCOMPARE(f.window().panelText(7), QString());
    QVERIFY(!f.window().serviceList().pp_special_cds.isActive());
    // the snapshot still preset the staff box
    QCOMPARE(f.find<QComboBox>("cxLookupComboBox1")->currentText(), QString("พยาบาลสมศรี มีสุข"));
}

void TestStartUp::failedConnectionOpensDialog()
{
    StartFixture f;
    ConnectionParams wrong = f.db.params();
    wrong.password = "wrong";
    f.writeSettings(wrong);
    pressInModalDialog("cxButton2");
    QVERIFY(f.startAndWait());
    QVERIFY(f.messages.texts.size() >= 2);
    QVERIFY2(f.messages.texts[0].startsWith("Connect Error DSDBConnection : " + f.db.name() +
                                            " !!!\rAccess denied for user 'his'"),
             qPrintable(f.messages.texts[0]));
    QVERIFY2(f.messages.texts[1].startsWith("Connect Error  UniConnection_hos : \rAccess denied"),
             qPrintable(f.messages.texts[1]));
    // the chain stops at the first query of the user lookup; the window stays open
    QVERIFY(f.window().isVisible());
    QVERIFY(!f.window().Timer1.isActive());
    QCOMPARE(f.window().panelText(3), QString("check PLV"));
}

void TestStartUp::badPortStopsTheTick()
{
    StartFixture f;
    QFile ini(f.folder.filePath("KORVALEN-WIN32.INI"));
    QVERIFY(ini.exists());
    f.writeSettings(f.db.params());
    // A port that is not a number is stored as text by a hand-edited file.
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    const int at = text.indexOf("port_hosxp=");
    const int end = text.indexOf("\r\n", at);
    text.replace(at, end - at, "port_hosxp=UoN3TA=="); // enciphered "33o6"
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(text);
    ini.close();
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList{"'33o6' is not a valid integer value"});
    QVERIFY(!f.window().DSDM().DSDBConnection.isOpen());
    QVERIFY(!f.window().Timer1.isActive());
}

void TestStartUp::navigationBarSlides()
{
    StartFixture f;
    TStart_f& w = f.window();
    QWidget* bar = f.find<QWidget>("dxNavBar1");
    QVERIFY(bar->isHidden());
    QList<int> widths;
    auto tick = [&] {
        w.CloseTimerTimer();
        widths << (bar->isHidden() ? 0 : bar->width());
    };
    tick(); // shows it
    QCOMPARE(widths, QList<int>{162});
    for (int i = 0; i < 3; ++i)
        tick();
    QCOMPARE(widths, (QList<int>{162, 132, 72, 0}));
    widths.clear();
    tick();
    tick();
    tick();
    QCOMPARE(widths, (QList<int>{162, 42, 0})); // lc keeps growing
    QVERIFY(!w.CloseTimer.isActive());
}

void TestStartUp::hostLookupWithoutAddress()
{
    StartFixture f;
    f.platform.host = HostLookup{"ward-pc1", ""}; // the resolver knew no address for the name
    QVERIFY(f.startAndWait());
    QCOMPARE(f.window().panelText(5), QString("ward-pc1 | "));
    QCOMPARE(f.window().panelText(3), QString("สมศรี มีสุข"));
    QCOMPARE(f.db.value("select computer from comdep").toString(), QString("WARD-PC1"));
}

void TestStartUp::connectionEntryOpensDialogAndReloadsNothing()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    const QString patient = f.window().panelText(7);
    QTest::mouseClick(f.find<QAbstractButton>("dxNavBar1Item1"), Qt::LeftButton); // no action
    QVERIFY(!QApplication::activeModalWidget());
    for (int i = 0; i < 2; ++i) {
        // The nurse points the program at another database: it is stored and connected,
        // but what the window shows stays as it was until the next start.
        whenModalOpens([](QWidget* dialog) {
            auto* db = dialog->findChild<QLineEdit*>("db_hosxp");
            QVERIFY(db);
            db->setText("mysql");
            dialog->findChild<QPushButton*>("cxButton1")->click();
        });
        QTest::mouseClick(f.find<QAbstractButton>("dxNavBar1Item8"), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.window().db_value, QString("mysql"));
        QCOMPARE(f.window().DSDM().DSDBConnection.params().database, QString("mysql"));
        QVERIFY(f.window().DSDM().DSDBConnection.isOpen());
        QCOMPARE(f.window().panelText(7), patient);
        QCOMPARE(f.window().panelText(1), "127.0.0.1/" + f.db.name());
    }
    QCOMPARE(f.messages.texts, QStringList());
}

void TestStartUp::quotesInNamesThroughStartUp()
{
    StartFixture f;
    f.platform.computer = "o'pc\"1\\^^";
    f.platform.host.name = "o'host\"1\\^^";
    f.db.exec("UPDATE onlineuser SET servername='o\\'pc\"1\\\\^^', kskloginname='o\\'nurse'");
    f.db.exec("UPDATE opduser SET loginname='o\\'nurse' WHERE loginname='nurse1'");
    f.db.exec("UPDATE sys_var SET sys_value='12\\'3\"' WHERE sys_name='hn_online_for_pelvo'");
    f.db.exec("INSERT INTO patient VALUES ('12\\'3\"', 'นาย', 'อัญประกาศ', 'ทดสอบ')");
    f.db.exec("INSERT INTO pp_special (pp_special_id, hn) VALUES (60, '12\\'3\"')");
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList());
    QCOMPARE(f.window().panelText(3), QString("สมศรี มีสุข"));
    QCOMPARE(f.window().panelText(7), QString("12'3\" : นายอัญประกาศ ทดสอบ"));
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), 1);
    QCOMPARE(f.db.value("select computer from comdep").toString(), QString("O'HOST\"1\\^^"));
}

QTEST_MAIN(TestStartUp)
#include "TestStartUp.moc"
