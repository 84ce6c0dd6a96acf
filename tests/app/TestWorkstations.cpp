// Several workstations adding and saving rows at the same time against one server: every row
// arrives once and ids never collide.
#include "support/TestDatabase.h"

#include <QProcess>
#include <QtTest>

class TestWorkstations : public QObject
{
    Q_OBJECT
private slots:
    void concurrentWorkstationsLoseNothing();
};

void TestWorkstations::concurrentWorkstationsLoseNothing()
{
    const int workstations = 4, rows = 60;
    TestDatabase db("his_basic.sql");
    QList<QProcess*> running;
    for (int i = 0; i < workstations; ++i) {
        auto* p = new QProcess(this);
        p->start(LOAD_WORKER, {"127.0.0.1", QString::number(TestDatabase::serverPort()), db.name(),
                               QString("ws%1").arg(i), QString::number(rows), "15"});
        running << p;
    }
    for (QProcess* p : running) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        QCOMPARE(p->readAllStandardOutput().trimmed(), QByteArray("written 60 failed 0"));
    }
    QCOMPARE(db.value("select count(*) from pp_special where hn like 'HN-ws%'").toInt(),
             workstations * rows);
    QCOMPARE(db.value("select count(distinct pp_special_id) from pp_special").toInt(),
             workstations * rows + 2);
    QCOMPARE(db.value("select serial_no from serial where name='pp_special_id'").toInt(),
             workstations * rows + 2);
    for (int i = 0; i < workstations; ++i)
        QCOMPARE(
            db.value(QString("select count(*) from pp_special where hn='HN-ws%1'").arg(i)).toInt(),
            rows);
}

QTEST_GUILESS_MAIN(TestWorkstations)
#include "TestWorkstations.moc"
