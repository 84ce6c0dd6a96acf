// The working area against the real test server: required boxes, Add item, the grid, Save all.
#include "app/DateBox.h"
#include "support/StartFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

class TestServiceList : public QObject
{
    Q_OBJECT
private slots:
    void requiredBoxes_data();
    void requiredBoxes();
    void addItemTwiceGivesTwoIds();
    void saveAllWritesAndCloses();
    void saveAllKeepsWindowWhenAutoCloseUnticked();
    void saveAllWithEmptyLogWritesNothing();
    void gridDeletionReachesTableOnlyBySaveAll();
    void failedRowsStayAndAreReported();
    void closeDropsUnsavedRows();

private:
    static void pickService(StartFixture& f, const QString& name)
    {
        auto* box = f.find<QComboBox>("cxLookupComboBox3");
        box->setCurrentIndex(box->findText(name));
        QVERIFY(box->currentIndex() >= 0);
    }
    static void click(StartFixture& f, const char* name)
    {
        auto* b = f.find<QAbstractButton>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

void TestServiceList::requiredBoxes_data()
{
    QTest::addColumn<QString>("emptyBox");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    const QStringList formButtons{"cxButton4", "cxButton7", "cxButton11", "cxButton17",
                                  "cxButton12"};
    for (const QString& b : QStringList{"cxButton5"} + formButtons)
        QTest::addRow("staff, %s", qPrintable(b)) << "staff" << b << "invalid เจ้าหน้าที่ !";
    QTest::newRow("place, add") << "place"
                                << "cxButton5"
                                << "invalid  สถานที่  !";
    QTest::newRow("place, form") << "place"
                                 << "cxButton4"
                                 << "invalid  สถานที่  !";
    QTest::newRow("service, add") << "service"
                                  << "cxButton5"
                                  << "invalid  การให้บริการ  !";
    QTest::newRow("date cleared, add") << "date"
                                       << "cxButton5"
                                       << "invalid  วันที่ให้บริการ  !";
    QTest::newRow("date cleared, form") << "date"
                                        << "cxButton12"
                                        << "invalid  วันที่ให้บริการ  !";
}

void TestServiceList::requiredBoxes()
{
    QFETCH(QString, emptyBox);
    QFETCH(QString, button);
    QFETCH(QString, message);
    StartFixture f;
    QVERIFY(f.startAndWait());
    pickService(f, "ให้สุขศึกษารายบุคคล");
    if (emptyBox == "staff")
        f.find<QComboBox>("cxLookupComboBox1")->setCurrentIndex(-1);
    if (emptyBox == "place")
        f.find<QComboBox>("cxLookupComboBox2")->setCurrentIndex(-1);
    if (emptyBox == "service")
        f.find<QComboBox>("cxLookupComboBox3")->setCurrentIndex(-1);
    if (emptyBox == "date")
        click(f, "cxDateEdit1_clear");
    const int rows = f.window().serviceList().pp_special_cds.rowCount();
    click(f, qPrintable(button));
    QCOMPARE(f.messages.texts, QStringList{message});
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), rows);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestServiceList::addItemTwiceGivesTwoIds()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    const QDateTime when(QDate(2026, 12, 1), QTime(14, 35, 20));
    f.find<DateBox>("cxDateEdit1")->setValue(when);
    pickService(f, "ให้สุขศึกษารายบุคคล");
    click(f, "cxButton5");
    click(f, "cxButton5");
    QCOMPARE(f.messages.texts, QStringList());
    ClientDataSet& list = f.window().serviceList().pp_special_cds;
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(list.changeCount(), 2);
    const ChangeLog log = list.changeLog();
    QCOMPARE(log.changes[0].current.value(list.fieldIndex("pp_special_id")).toInt(), 3);
    QCOMPARE(log.changes[1].current.value(list.fieldIndex("pp_special_id")).toInt(), 4);
    const QVector<QVariant>& row = log.changes[1].current;
    QCOMPARE(row.value(list.fieldIndex("vn")).toString(), QString("000000000000"));
    QCOMPARE(row.value(list.fieldIndex("hn")).toString(), QString("000012345"));
    QCOMPARE(row.value(list.fieldIndex("dest_hospcode")).toString(), QString("10669"));
    QCOMPARE(row.value(list.fieldIndex("doctor")).toString(), QString("0001"));
    QCOMPARE(row.value(list.fieldIndex("pp_special_service_place_type_id")).toInt(), 1);
    QCOMPARE(row.value(list.fieldIndex("pp_special_type_id")).toInt(), 902);
    QCOMPARE(row.value(list.fieldIndex("entry_datetime")).toDateTime(), when);
    QCOMPARE(f.find<QTableView>("cxGrid1")->model()->rowCount(), 4);
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 2); // nothing written yet
    QCOMPARE(f.db.value("select serial_no from serial where name='pp_special_id'").toInt(), 4);
}

void TestServiceList::saveAllWritesAndCloses()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    const QDateTime when(QDate(2026, 12, 1), QTime(8, 5, 9));
    f.find<DateBox>("cxDateEdit1")->setValue(when);
    pickService(f, "ให้สุขศึกษารายบุคคล");
    click(f, "cxButton5");
    click(f, "cxButton16");
    QCOMPARE(f.messages.texts, QStringList());
    QVERIFY(f.window().isHidden());
    const DataPacket rows =
        f.db.query("select vn, hn, dest_hospcode, doctor, pp_special_service_place_type_id, "
                   "pp_special_type_id, entry_datetime "
                   "from pp_special where pp_special_id=3");
    QCOMPARE(rows.rows.size(), 1);
    const QVector<QVariant>& r = rows.rows[0];
    QCOMPARE(r[0].toString(), QString("000000000000"));
    QCOMPARE(r[1].toString(), QString("000012345"));
    QCOMPARE(r[2].toString(), QString("10669"));
    QCOMPARE(r[3].toString(), QString("0001"));
    QCOMPARE(r[4].toInt(), 1);
    QCOMPARE(r[5].toInt(), 902);
    QCOMPARE(r[6].toDateTime(), when);
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 3);
}

void TestServiceList::saveAllKeepsWindowWhenAutoCloseUnticked()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    f.find<QCheckBox>("Auto_close")->setChecked(false);
    pickService(f, "ให้สุขศึกษารายบุคคล");
    click(f, "cxButton5");
    click(f, "cxButton16");
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), 3);
    QCOMPARE(f.window().serviceList().pp_special_cds.changeCount(), 0);
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 3);
    click(f, "cxButton16"); // nothing left to write
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 3);
    QCOMPARE(f.messages.texts, QStringList());
}

void TestServiceList::saveAllWithEmptyLogWritesNothing()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    // The first row was put into edit state at start-up without a change: nothing to write.
    QCOMPARE(f.window().serviceList().pp_special_cds.state(), DataSetState::Edit);
    QStringList sent;
    f.window().DSDM().DSDBConnection.setObserver([&](const QString& sql) { sent << sql; });
    click(f, "cxButton16");
    QVERIFY(f.window().isHidden());
    QCOMPARE(sent, QStringList());
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 2);
    QCOMPARE(f.messages.texts, QStringList());
}

void TestServiceList::gridDeletionReachesTableOnlyBySaveAll()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    f.find<QCheckBox>("Auto_close")->setChecked(false);
    auto* grid = f.find<QTableView>("cxGrid1");
    grid->setCurrentIndex(grid->model()->index(1, 2));
    f.messages.answers << true;
    click(f, "navDelete");
    QCOMPARE(f.messages.texts.size(), 1); // the confirmation
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 2);
    click(f, "cxButton16");
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 1);
    QCOMPARE(f.db.value("select pp_special_id from pp_special").toInt(), 1);
    // answering No deletes nothing
    f.messages.answers << false;
    click(f, "navDelete");
    QCOMPARE(grid->model()->rowCount(), 1);
}

void TestServiceList::failedRowsStayAndAreReported()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    pickService(f, "ให้สุขศึกษารายบุคคล");
    f.db.exec("UPDATE serial SET serial_no=0"); // the next id, 1, is taken
    click(f, "cxButton5");
    f.db.exec("UPDATE serial SET serial_no=100");
    click(f, "cxButton5");
    click(f, "cxButton5");
    click(f, "cxButton16");
    QVERIFY(f.window().isVisible()); // Auto_close is ticked, but a row was not saved
    QCOMPARE(f.messages.texts.size(), 1);
    QVERIFY2(f.messages.texts[0].contains("1 รายการ") &&
                 f.messages.texts[0].contains("Duplicate entry '1'"),
             qPrintable(f.messages.texts[0]));
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 4);
    QCOMPARE(
        f.db.value("select count(*) from pp_special where pp_special_id in (101, 102)").toInt(), 2);
    ClientDataSet& list = f.window().serviceList().pp_special_cds;
    QCOMPARE(list.changeCount(), 1);

    // The nurse deletes the bad row and saves again: nothing is written twice.
    list.setRecNo(list.rowCount() - 1);
    for (int i = 0; i < list.rowCount(); ++i)
        if (list.value(i, list.fieldIndex("pp_special_id")).toInt() == 1 &&
            list.value(i, list.fieldIndex("pp_special_type_id")).toInt() == 902)
            list.setRecNo(i);
    list.deleteRow();
    f.messages.texts.clear();
    click(f, "cxButton16");
    QCOMPARE(f.messages.texts, QStringList());
    QVERIFY(f.window().isHidden());
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 4);
}

void TestServiceList::closeDropsUnsavedRows()
{
    StartFixture f;
    QVERIFY(f.startAndWait());
    pickService(f, "ให้สุขศึกษารายบุคคล");
    click(f, "cxButton5");
    click(f, "cxButton3");
    QVERIFY(f.window().isHidden());
    QCOMPARE(f.messages.texts, QStringList());
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 2);
}

QTEST_MAIN(TestServiceList)
#include "TestServiceList.moc"
