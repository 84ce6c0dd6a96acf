// Quote conversion, command classification, QueryData/QueryValue and ApplyDelta against the
// run's private MariaDB server.
#include "data/QueryLayer.h"
#include "data/SqlValue.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <thread>

class TestQueryLayer : public QObject
{
    Q_OBJECT
private slots:
    void replacesAllText_data();
    void replacesAllText();
    void classifiesCommands_data();
    void classifiesCommands();
    void sendsConvertedQuotes();
    void queryValueCases();
    void serverErrorReachesCallerAndReleasesLock();
    void sqlValueSurvivesConversion_data();
    void sqlValueSurvivesConversion();
    void appliesModifiedDeletedAndKeyChangedRows();
    void duplicateInsertFailsAndGoodRowIsWrittenOnce();
    void reportsWhichChangesWereWritten();

private:
    struct Session
    {
        explicit Session(TestDatabase& db) : dm(messages, platform)
        {
            dm.DSDBConnection.setParams(db.params());
            dm.DSDBConnection.setOption("MySQL.CharSet", "UTF8");
            dm.DSDBConnection.open();
            dm.DSDBConnection.setObserver([this](const QString& sql) { sent << sql; });
        }
        RecordingMessages messages;
        FakePlatform platform;
        TDSDM dm;
        QStringList sent;
    };
};

void TestQueryLayer::replacesAllText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every occurrence") << "a\"b\"c"
                                      << "\""
                                      << "'"
                                      << "a'b'c";
    QTest::newRow("replacement not scanned again") << "aa"
                                                   << "a"
                                                   << "aa"
                                                   << "aaaa";
    QTest::newRow("no overlap") << "^^^"
                                << "^^"
                                << "\""
                                << "\"^";
    QTest::newRow("empty find") << "abc"
                                << ""
                                << "x"
                                << "abc";
    QTest::newRow("case-sensitive") << "Abc abc"
                                    << "abc"
                                    << "x"
                                    << "Abc x";
}

void TestQueryLayer::replacesAllText()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAllText(text, find, replacement), expected);
}

void TestQueryLayer::classifiesCommands_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("command");
    QTest::newRow("blanks before INSERT") << "  \t\r\nINSERT INTO x VALUES (1)" << true;
    QTest::newRow("select containing delete") << "select * from t where a='DELETE'" << false;
    QTest::newRow("mixed-case update") << "Update t set a=1" << true;
    QTest::newRow("plain prefix test") << "UPDATES" << true;
    QTest::newRow("drop") << "drop table x" << true;
    QTest::newRow("create") << "create table x (a int)" << true;
    QTest::newRow("alter") << "alter table x add b int" << true;
    QTest::newRow("delete") << "delete from x" << true;
    QTest::newRow("show is a query") << "SHOW TABLES" << false;
    QTest::newRow("replace is a query") << "REPLACE INTO x VALUES (1)" << false;
    QTest::newRow("set is a query") << "SET @a=1" << false;
}

void TestQueryLayer::classifiesCommands()
{
    QFETCH(QString, sql);
    QFETCH(bool, command);
    QCOMPARE(IsCommandText(sql), command);
}

void TestQueryLayer::sendsConvertedQuotes()
{
    TestDatabase db;
    Session s(db);
    QueryData(s.dm, "INSERT INTO sys_var (sys_name, sys_value) VALUES (\"k\", \"say ^^hi^^\")");
    QCOMPARE(s.sent,
             QStringList{"INSERT INTO sys_var (sys_name, sys_value) VALUES ('k', 'say \"hi\"')"});
    QCOMPARE(db.value("select sys_value from sys_var where sys_name='k'").toString(),
             QString("say \"hi\""));
    // a command gives no packet, a query the whole result
    QVERIFY(QueryData(s.dm, "update sys_var set sys_value=\"x\"").columns.isEmpty());
    QCOMPARE(QueryData(s.dm, "select * from sys_var").rows.size(), 1);
}

void TestQueryLayer::queryValueCases()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('a', NULL), ('b', 2), ('c', 3)");
    Session s(db);
    QVERIFY(!QueryValue(s.dm, "select serial_no from serial where name=\"none\"").isValid());
    QCOMPARE(QueryValue(s.dm, "select serial_no from serial where name=\"none\"").toString(),
             QString());
    QVERIFY(isSqlNull(QueryValue(s.dm, "select serial_no from serial where name=\"a\"")));
    QCOMPARE(QueryValue(s.dm, "select name from serial order by name").toString(), QString("a"));
    // a command given to QueryValue is executed and yields no value
    QVERIFY(!QueryValue(s.dm, "delete from serial where name=\"c\"").isValid());
    QCOMPARE(db.value("select count(*) from serial").toInt(), 2);
}

void TestQueryLayer::serverErrorReachesCallerAndReleasesLock()
{
    TestDatabase db;
    Session s(db);
    QVERIFY_THROWS_EXCEPTION(Error, QueryData(s.dm, "select * from no_such_table"));
    // the lock is free for another thread
    bool taken = false;
    std::thread other([&] {
        taken = QueryLock().tryLock();
        if (taken)
            QueryLock().unlock();
    });
    other.join();
    QVERIFY(taken);
}

void TestQueryLayer::sqlValueSurvivesConversion_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "12345";
    QTest::newRow("single quote") << "O'Brien";
    QTest::newRow("double quote") << "say \"hi\"";
    QTest::newRow("backslash at end") << "C:\\temp\\";
    QTest::newRow("caret pair") << "a^^b";
    QTest::newRow("carets around a quote") << "^\"^^'^";
    QTest::newRow("injection attempt") << "x\" or \"1\"=\"1";
    QTest::newRow("Thai") << "สมศรี มีสุข";
}

void TestQueryLayer::sqlValueSurvivesConversion()
{
    QFETCH(QString, value);
    TestDatabase db;
    db.exec("INSERT INTO sys_var VALUES ('other', 'no')");
    Session s(db);
    QueryData(s.dm,
              "insert into sys_var (sys_name, sys_value) values (\"k\", " + sqlValue(value) + ")");
    QCOMPARE(db.value("select sys_value from sys_var where sys_name='k'").toString(), value);
    QCOMPARE(QueryValue(s.dm, "select sys_name from sys_var where sys_value=" + sqlValue(value))
                 .toString(),
             QString("k"));
    QCOMPARE(
        QueryData(s.dm, "select * from sys_var where sys_value=" + sqlValue(value)).rows.size(), 1);
}

namespace {
// Edits one value of a row and posts it, as the grid does.
void editRow(ClientDataSet& ds, int row, const char* field, const QVariant& value)
{
    ds.setRecNo(row);
    ds.edit();
    ds.setValue(QString::fromLatin1(field), value);
    ds.post();
}
} // namespace

void TestQueryLayer::appliesModifiedDeletedAndKeyChangedRows()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('a', 1), ('b', 2), ('c', 3)");
    Session s(db);
    const QString sql = "select * from serial";
    ClientDataSet ds;
    ds.load(QueryData(s.dm, sql));
    editRow(ds, 0, "serial_no", 10);
    ds.setRecNo(1);
    ds.deleteRow();
    editRow(ds, 1, "name", "z"); // row 'c'
    s.sent.clear();
    const ApplyResult r = ApplyDelta(s.dm, ds.changeLog(), sql);
    QCOMPARE(r.failed, 0);
    QCOMPARE(r.written.size(), 3);
    QCOMPARE(s.sent.size(), 3);
    QVERIFY2(s.sent[0].startsWith("UPDATE serial SET `serial_no` = 10 WHERE `name` = 'a'"),
             qPrintable(s.sent[0]));
    const DataPacket rows = db.query("select name, serial_no from serial order by name");
    QCOMPARE(rows.rows.size(), 2);
    QCOMPARE(rows.rows[0][0].toString(), QString("a"));
    QCOMPARE(rows.rows[0][1].toInt(), 10);
    QCOMPARE(rows.rows[1][0].toString(), QString("z"));
    QCOMPARE(rows.rows[1][1].toInt(), 3);
}

void TestQueryLayer::duplicateInsertFailsAndGoodRowIsWrittenOnce()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('taken', 1)");
    Session s(db);
    const QString sql = "select * from serial";
    ClientDataSet ds;
    ds.load(QueryData(s.dm, sql));
    ds.append();
    ds.setValue("name", "good");
    ds.setValue("serial_no", 5);
    ds.post();
    ds.append();
    ds.setValue("name", "taken");
    ds.setValue("serial_no", 6);
    ds.post();
    const ApplyResult r = ApplyDelta(s.dm, ds.changeLog(), sql);
    QCOMPARE(r.failed, 1);
    QVERIFY2(r.firstError.contains("Duplicate entry"), qPrintable(r.firstError));
    QCOMPARE(db.value("select count(*) from serial where name='good'").toInt(), 1);
    QCOMPARE(db.value("select serial_no from serial where name='taken'").toInt(), 1);

    // On a table without a unique key the good row is still written only once.
    db.exec("CREATE TABLE note (txt VARCHAR(10), n INT NOT NULL)");
    const QString noteSql = "select * from note";
    ClientDataSet notes;
    notes.load(QueryData(s.dm, noteSql));
    notes.append();
    notes.setValue("txt", "kept");
    notes.setValue("n", 1);
    notes.post();
    notes.append();
    notes.setValue("txt", "bad"); // n left unset: NOT NULL without a default fails
    notes.post();
    const ApplyResult r2 = ApplyDelta(s.dm, notes.changeLog(), noteSql);
    QCOMPARE(r2.failed, 1);
    QCOMPARE(db.value("select count(*) from note where txt='kept'").toInt(), 1);
}

void TestQueryLayer::reportsWhichChangesWereWritten()
{
    TestDatabase db;
    db.exec("INSERT INTO serial VALUES ('a', 1), ('b', 2)");
    Session s(db);
    const QString sql = "select * from serial";
    ClientDataSet ds;
    ds.load(QueryData(s.dm, sql));
    editRow(ds, 0, "serial_no", 7);
    editRow(ds, 1, "serial_no", 8);
    db.exec("DELETE FROM serial WHERE name='b'"); // gone before the write
    const ChangeLog log = ds.changeLog();
    const ApplyResult r = ApplyDelta(s.dm, log, sql);
    QCOMPARE(r.failed, 1);
    QCOMPARE(r.written, QVector<quint64>{log.changes[0].id});
    ds.acceptChanges(r.written);
    QCOMPARE(ds.changeCount(), 1);
    QCOMPARE(ds.changeLog().changes.first().id, log.changes[1].id);
}

QTEST_GUILESS_MAIN(TestQueryLayer)
#include "TestQueryLayer.moc"
