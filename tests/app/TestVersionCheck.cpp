// The build published in sys_var "application_korvalen", compared at start-up: what is written
// there, when the update is offered, and what a value that is not a number does to the tick.
#include "support/StartFixture.h"

#include <QtTest>

namespace {
QString published(TestDatabase& db)
{
    return db.value("select sys_value from sys_var where sys_name='application_korvalen'")
        .toString();
}

void publish(TestDatabase& db, const QVariant& value)
{
    db.exec("INSERT INTO sys_var VALUES ('application_korvalen', " + DbConnection::literal(value) +
            ")");
}

const QString patient = QStringLiteral("000012345 : นางบุญมี ศรีสุข");
} // namespace

class TestVersionCheck : public QObject
{
    Q_OBJECT
private slots:
    void comparesPublishedBuild_data();
    void comparesPublishedBuild();
    void notAnIntegerStopsTheTick_data();
    void notAnIntegerStopsTheTick();
};

void TestVersionCheck::comparesPublishedBuild_data()
{
    QTest::addColumn<QVariant>("before"); // invalid: no row
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("publishedBuild");
    QTest::addColumn<bool>("offered");
    QTest::newRow("no row") << QVariant() << "3680716" << 3680716 << false;
    QTest::newRow("NULL value") << sqlNull() << "3680716" << 3680716 << false;
    QTest::newRow("equal") << QVariant("3680716") << "3680716" << 3680716 << false;
    QTest::newRow("one above") << QVariant("3680717") << "3680717" << 3680717 << true;
    QTest::newRow("below") << QVariant("3680715") << "3680716" << 3680715 << false;
    QTest::newRow("negative, compared signed") << QVariant("-1") << "3680716" << -1 << false;
}

void TestVersionCheck::comparesPublishedBuild()
{
    QFETCH(QVariant, before);
    QFETCH(QString, after);
    QFETCH(int, publishedBuild);
    QFETCH(bool, offered);
    StartFixture f;
    if (before.isValid())
        publish(f.db, before);
    // Offline, the offer ends at its first step with a message of its own.
    f.platform.internet = false;
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, offered ? QStringList{"โปรตตรวจสอบ Internet ! "} : QStringList());
    QCOMPARE(published(f.db), after);
    QCOMPARE(
        f.db.value("select count(*) from sys_var where sys_name='application_korvalen'").toInt(),
        1);
    QCOMPARE(f.window().DSDM().session.PublishedBuild, publishedBuild);
    // The tick went on with the visit context.
    QCOMPARE(f.window().panelText(7), patient);
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), 2);
}

void TestVersionCheck::notAnIntegerStopsTheTick_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("letters") << "abc";
    QTest::newRow("decimal point") << "3680717.0";
    QTest::newRow("beyond 32 bits") << "2147483648";
    QTest::newRow("one blank") << " ";
}

void TestVersionCheck::notAnIntegerStopsTheTick()
{
    QFETCH(QString, value);
    StartFixture f;
    publish(f.db, value);
    QVERIFY(f.startAndWait());
    QCOMPARE(f.messages.texts, QStringList{"'" + value + "' is not a valid integer value"});
    QCOMPARE(published(f.db), value);
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.window().panelText(7), QString());
    QVERIFY(!f.window().serviceList().pp_special_cds.isActive());
}

QTEST_MAIN(TestVersionCheck)
#include "TestVersionCheck.moc"
