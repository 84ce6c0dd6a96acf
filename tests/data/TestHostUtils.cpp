// System variables, serial numbers, access rights, value lists and field look-ups against the
// run's private MariaDB server.
#include "data/Error.h"
#include "data/HostUtils.h"
#include "data/SqlValue.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <set>
#include <thread>

namespace {
struct Session
{
    explicit Session(TestDatabase& db) : dm(messages, platform)
    {
        dm.DSDBConnection.setParams(db.params());
        dm.DSDBConnection.setOption("MySQL.CharSet", "UTF8");
        dm.DSDBConnection.open();
    }
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm;
};

const QString dangerous = QStringLiteral("a'b\"c\\d^^e");
} // namespace

class TestHostUtils : public QObject
{
    Q_OBJECT
private slots:
    void getSysVarCreatesMissingRowOnce();
    void setSysVarCreatesThenSets();
    void getSysVarReportsErrors();
    void serialStartsAtOneAndCounts();
    void serialFromNullRowRestarts();
    void serialNumbersDistinctAcrossConnections();
    void serialLockReleasedAfterFailingStep();
    void accessRight_data();
    void accessRight();
    void accessRightRegisteredOnce();
    void valueList_data();
    void valueList();
    void colonField_data();
    void colonField();
    void lookupField();
    void dangerousNamesRoundTrip();
    void hospitalIdentity();
    void computerName();
};

void TestHostUtils::getSysVarCreatesMissingRowOnce()
{
    TestDatabase db;
    Session s(db);
    QCOMPARE(GetSysVar(s.dm, "new_key"), QString());
    QCOMPARE(db.value("select count(*) from sys_var where sys_name='new_key'").toInt(), 1);
    QVERIFY(isSqlNull(db.value("select sys_value from sys_var where sys_name='new_key'")));
    QCOMPARE(GetSysVar(s.dm, "new_key"), QString());
    QCOMPARE(db.value("select count(*) from sys_var").toInt(), 1);
    db.exec("UPDATE sys_var SET sys_value='v1' WHERE sys_name='new_key'");
    QCOMPARE(GetSysVar(s.dm, "new_key"), QString("v1"));
    QVERIFY(s.messages.texts.isEmpty());
}

void TestHostUtils::setSysVarCreatesThenSets()
{
    TestDatabase db;
    Session s(db);
    SetSysVar(s.dm, "application_korvalen", "3680716");
    QCOMPARE(
        db.value("select sys_value from sys_var where sys_name='application_korvalen'").toString(),
        QString("3680716"));
    SetSysVar(s.dm, "application_korvalen", "3680717");
    QCOMPARE(db.value("select count(*) from sys_var").toInt(), 1);
    QCOMPARE(GetSysVar(s.dm, "application_korvalen"), QString("3680717"));
}

void TestHostUtils::getSysVarReportsErrors()
{
    TestDatabase db;
    Session s(db);
    db.exec("DROP TABLE sys_var");
    QCOMPARE(GetSysVar(s.dm, "x"), QString());
    QCOMPARE(s.messages.texts.size(), 1);
    QVERIFY2(s.messages.texts[0].startsWith("Error : Get Variable x\r"),
             qPrintable(s.messages.texts[0]));
    QVERIFY(s.messages.texts[0].contains("sys_var"));
}

void TestHostUtils::serialStartsAtOneAndCounts()
{
    TestDatabase db;
    Session s(db);
    QCOMPARE(NextSerialNumber(s.dm, "pp_special_id"), 1);
    QCOMPARE(NextSerialNumber(s.dm, "pp_special_id"), 2);
    QCOMPARE(NextSerialNumber(s.dm, "other"), 1);
    QCOMPARE(db.value("select serial_no from serial where name='pp_special_id'").toInt(), 2);
}

void TestHostUtils::serialFromNullRowRestarts()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('pp_special_id', NULL)");
    Session s(db);
    QCOMPARE(NextSerialNumber(s.dm, "pp_special_id"), 1);
    QCOMPARE(db.value("select count(*) from serial").toInt(), 1);
}

void TestHostUtils::serialNumbersDistinctAcrossConnections()
{
    TestDatabase db;
    Session a(db), b(db);
    QList<int> fromA, fromB;
    auto take = [](TDSDM& dm, QList<int>& into) {
        for (int i = 0; i < 40; ++i)
            into << NextSerialNumber(dm, "pp_special_id");
    };
    std::thread ta([&] { take(a.dm, fromA); });
    std::thread tb([&] { take(b.dm, fromB); });
    ta.join();
    tb.join();
    std::set<int> all(fromA.begin(), fromA.end());
    all.insert(fromB.begin(), fromB.end());
    QCOMPARE(int(all.size()), 80);
    QCOMPARE(*all.rbegin(), 80);
}

void TestHostUtils::serialLockReleasedAfterFailingStep()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('full', 2147483647)"); // the increment overflows
    Session s(db);
    QVERIFY_THROWS_EXCEPTION(Error, NextSerialNumber(s.dm, "full"));
    db.exec("SET SESSION lock_wait_timeout = 3");
    db.exec("INSERT INTO serial VALUES ('after', 1)"); // would wait for the lock and fail
    QCOMPARE(db.value("select count(*) from serial").toInt(), 2);
    QCOMPARE(NextSerialNumber(s.dm, "after"), 2); // the program's connection goes on too
}

void TestHostUtils::accessRight_data()
{
    QTest::addColumn<QString>("users");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("granted");
    QTest::newRow("substring of a longer right") << "('nurse', '[LABORATORY]')"
                                                 << "nurse"
                                                 << "LAB" << true;
    QTest::newRow("admin holds every right") << "('boss', '[admin]')"
                                             << "boss"
                                             << "XRAY" << true;
    QTest::newRow("lower-case right name") << "('nurse', '[XRAY]')"
                                           << "nurse"
                                           << "xray" << true;
    QTest::newRow("right not held") << "('nurse', '[LAB]')"
                                    << "nurse"
                                    << "XRAY" << false;
    QTest::newRow("no users defined") << ""
                                      << "anyone"
                                      << "XRAY" << true;
    QTest::newRow("unknown login") << "('nurse', '[XRAY]')"
                                   << "ghost"
                                   << "XRAY" << false;
    QTest::newRow("empty right name never occurs") << "('nurse', '[LAB]')"
                                                   << "nurse"
                                                   << "" << false;
    QTest::newRow("login with a quote") << "('o\\'neil', '[XRAY]')"
                                        << "o'neil"
                                        << "XRAY" << true;
}

void TestHostUtils::accessRight()
{
    QFETCH(QString, users);
    QFETCH(QString, login);
    QFETCH(QString, right);
    QFETCH(bool, granted);
    TestDatabase db;
    if (!users.isEmpty())
        db.exec("INSERT INTO opduser (loginname, accessright) VALUES " + users);
    Session s(db);
    s.dm.session.LoginName = login;
    QCOMPARE(HasAccessRight(s.dm, right), granted);
}

void TestHostUtils::accessRightRegisteredOnce()
{
    TestDatabase db;
    Session s(db);
    HasAccessRight(s.dm, "ADMIN");
    HasAccessRight(s.dm, "ADMIN");
    const DataPacket p = db.query("select rightname, accessname from accessoperation");
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.rows[0][0].toString(), QString("ADMIN"));
    QCOMPARE(p.rows[0][1].toString(), QString("Access_ADMIN"));
}

void TestHostUtils::valueList_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("32-bit integers with NULL") << "INT"
                                               << "(1,3),(2,NULL),(3,5)"
                                               << "3,-1,5";
    QTest::newRow("16-bit integers") << "SMALLINT"
                                     << "(1,7),(2,8)"
                                     << "7,8";
    QTest::newRow("64-bit integers count as text") << "BIGINT"
                                                   << "(1,7),(2,8)"
                                                   << "'7','8'";
    QTest::newRow("decimals count as text") << "DECIMAL(5,2)"
                                            << "(1,1.50)"
                                            << "'1.50'";
    QTest::newRow("text loses its quotes") << "VARCHAR(10)"
                                           << "(1,'ab'),(2,'c\\'d')"
                                           << "'ab','cd'";
    QTest::newRow("no integer rows") << "INT"
                                     << ""
                                     << "-999";
    QTest::newRow("no text rows") << "VARCHAR(10)"
                                  << ""
                                  << "\"\"";
}

void TestHostUtils::valueList()
{
    QFETCH(QString, type);
    QFETCH(QString, values);
    QFETCH(QString, expected);
    TestDatabase db;
    db.exec("CREATE TABLE list_source (id INT PRIMARY KEY, v " + type + " NULL)");
    if (!values.isEmpty())
        db.exec("INSERT INTO list_source VALUES " + values);
    Session s(db);
    QCOMPARE(QueryValueList(s.dm, "select v from list_source order by id"), expected);
}

void TestHostUtils::colonField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("third of four") << "srv:db:usr:pw" << 3 << "usr";
    QTest::newRow("leading colon dropped") << ":a:b" << 1 << "a";
    QTest::newRow("n not below the length") << "a:b" << 3 << " ";
    QTest::newRow("too few colons") << "ab" << 2 << " ";
    QTest::newRow("empty text") << "" << 1 << " ";
    QTest::newRow("above ten") << "a:b:c:d:e:f:g:h:i:j:k:l" << 11 << " ";
    QTest::newRow("adjacent colons give an empty field") << "a::c" << 2 << "";
    QTest::newRow("last field runs to the end") << "srv:db:usr:pw" << 4 << "pw";
}

void TestHostUtils::colonField()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(ColonField(text, n), expected);
}

void TestHostUtils::lookupField()
{
    TestDatabase db;
    db.exec("INSERT INTO comdep VALUES ('PC1', ' 01')");
    Session s(db);
    QCOMPARE(LookupField(s.dm, "computer", "'PC1'", "depcode", "comdep"), QString("01"));
    QCOMPARE(LookupField(s.dm, "computer", "'PC1'", "depcode:dc", "comdep"), QString("01"));
    QCOMPARE(LookupField(s.dm, "computer", "'none'", "depcode", "comdep"), QString());
    QVERIFY(s.messages.texts.isEmpty());
    QVERIFY_THROWS_EXCEPTION(Error, LookupField(s.dm, "computer", "'PC1'", "nocolumn", "comdep"));
}

void TestHostUtils::dangerousNamesRoundTrip()
{
    TestDatabase db;
    Session s(db);
    SetSysVar(s.dm, dangerous, dangerous);
    QCOMPARE(
        db.value("select sys_value from sys_var where sys_name=" + DbConnection::literal(dangerous))
            .toString(),
        dangerous);
    QCOMPARE(GetSysVar(s.dm, dangerous), dangerous);
    QCOMPARE(NextSerialNumber(s.dm, dangerous), 1);
    QCOMPARE(NextSerialNumber(s.dm, dangerous), 2);
    db.exec("INSERT INTO comdep VALUES (" + DbConnection::literal(dangerous) + ", '777')");
    QCOMPARE(LookupField(s.dm, "computer", sqlValue(dangerous), "depcode", "comdep"),
             QString("777"));
    QCOMPARE(db.value("select count(*) from sys_var").toInt(), 1);
    QVERIFY(s.messages.texts.isEmpty());
}

void TestHostUtils::hospitalIdentity()
{
    TestDatabase db;
    Session s(db);
    QCOMPARE(GetHospitalCode(s.dm), QString());
    db.exec(
        "INSERT INTO opdconfig (hospitalcode, hospitalname) VALUES ('10669', 'โรงพยาบาลทดสอบ')");
    QCOMPARE(GetHospitalCode(s.dm), QString("10669"));
    QCOMPARE(GetHospitalName(s.dm), QString("โรงพยาบาลทดสอบ"));
    QCOMPARE(s.dm.session.HospitalCode, QString("10669"));
}

void TestHostUtils::computerName()
{
    FakePlatform platform;
    QCOMPARE(GetLocalComputerName(platform), QString("ward-pc1"));
    platform.computer.clear();
    try {
        GetLocalComputerName(platform);
        QFAIL("no error without a computer name");
    } catch (const Error& e) {
        QCOMPARE(e.text(), QString("Computer name not detected"));
    }
    QCOMPARE(BoolToYN(true), QString("Y"));
    QCOMPARE(BoolToYN(false), QString("N"));
}

QTEST_GUILESS_MAIN(TestHostUtils)
#include "TestHostUtils.moc"
