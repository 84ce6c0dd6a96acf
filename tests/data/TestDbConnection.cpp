// The connection wrapper against the run's private MariaDB server.
#include "data/DbConnection.h"
#include "data/Error.h"
#include "support/TestDatabase.h"

#include <QDate>
#include <QtTest>

class TestDbConnection : public QObject
{
    Q_OBJECT
private slots:
    void reportsColumnsAndKeepsNullApartFromEmptyText();
    void literalSurvivesRoundTrip_data();
    void literalSurvivesRoundTrip();
    void failureCarriesServerText();
    void sameParamsKeepConnectionOpen();
};

void TestDbConnection::reportsColumnsAndKeepsNullApartFromEmptyText()
{
    TestDatabase db;
    db.exec("INSERT INTO pp_special (pp_special_id, hn, entry_datetime) VALUES (7, '', '2026-01-02 "
            "03:04:05')");
    db.exec("INSERT INTO pp_special (pp_special_id, hn) VALUES (8, NULL)");
    DbConnection c;
    c.setParams(db.params());
    c.setOption("MySQL.CharSet", "UTF8");
    c.open();
    const DataPacket p =
        c.query("select pp_special_id, hn, entry_datetime from pp_special order by 1");
    QCOMPARE(p.columns.size(), 3);
    QCOMPARE(p.columns[0].name, QString("pp_special_id"));
    QCOMPARE(p.columns[0].type, FieldType::Integer32);
    QVERIFY(p.columns[0].primaryKey);
    QVERIFY(!p.columns[1].primaryKey);
    QCOMPARE(p.columns[1].type, FieldType::Text);
    QCOMPARE(p.columns[2].type, FieldType::DateTime);
    QCOMPARE(p.rows.size(), 2);
    QCOMPARE(p.rows[0][0].toInt(), 7);
    QVERIFY(!isSqlNull(p.rows[0][1]));
    QCOMPARE(p.rows[0][1].toString(), QString(""));
    QVERIFY(isSqlNull(p.rows[1][1]));
    QCOMPARE(p.rows[0][2].toDateTime(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    QVERIFY(isSqlNull(p.rows[1][2]));
}

void TestDbConnection::literalSurvivesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain code") << QStringLiteral("A1234");
    QTest::newRow("single quote inside") << QStringLiteral("O'Brien");
    QTest::newRow("double quote inside") << QStringLiteral("say \"hi\"");
    QTest::newRow("backslash at the end") << QStringLiteral("C:\\temp\\");
    QTest::newRow("caret pair inside") << QStringLiteral("a^^b");
    QTest::newRow("Thai name") << QStringLiteral("สมศรี มีสุข");
}

void TestDbConnection::literalSurvivesRoundTrip()
{
    QFETCH(QString, value);
    TestDatabase db;
    DbConnection c;
    c.setParams(db.params());
    c.setOption("MySQL.CharSet", "UTF8");
    c.open();
    QCOMPARE(c.execute("INSERT INTO sys_var (sys_name, sys_value) VALUES ('k', " +
                       DbConnection::literal(value) + ")"),
             1u);
    QCOMPARE(db.value("select sys_value from sys_var").toString(), value);
}

void TestDbConnection::failureCarriesServerText()
{
    TestDatabase db;
    DbConnection c;
    ConnectionParams p = db.params();
    p.password = "wrong";
    c.setParams(p);
    try {
        c.open();
        QFAIL("opened with a wrong password");
    } catch (const Error& e) {
        QVERIFY2(e.text().startsWith("Access denied for user 'his'"), qPrintable(e.text()));
    }
    QVERIFY(!c.isOpen());
    c.setParams(db.params());
    c.open();
    try {
        c.query("select nothing from nowhere");
        QFAIL("a bad query went through");
    } catch (const Error& e) {
        QVERIFY2(e.text().contains("nowhere"), qPrintable(e.text()));
    }
    QVERIFY(c.isOpen());
}

void TestDbConnection::sameParamsKeepConnectionOpen()
{
    TestDatabase db;
    DbConnection c;
    c.setParams(db.params());
    c.open();
    const QVariant id = c.query("select connection_id()").rows[0][0];
    c.setParams(db.params());
    QVERIFY(c.isOpen());
    QCOMPARE(c.query("select connection_id()").rows[0][0], id);
    ConnectionParams other = db.params();
    other.database = "mysql";
    c.setParams(other);
    QVERIFY(!c.isOpen());
}

QTEST_GUILESS_MAIN(TestDbConnection)
#include "TestDbConnection.moc"
