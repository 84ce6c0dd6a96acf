// The checklist forms opened from the main window's five buttons: the right form for the current
// patient and visit, and its rows in the main window's grid, written by Save all.
#include "FormSession.h"
#include "app/DateBox.h"
#include "support/ModalHelper.h"
#include "support/StartFixture.h"

#include <QtTest>

class TestChecklistOpening : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void buttonsOpenTheirForms_data();
    void buttonsOpenTheirForms();
    void tickedCodesReachTheGridAndSaveAll();
};

void TestChecklistOpening::cleanup()
{
    // A failed check inside a form must not leave it open for the next case.
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
}

void TestChecklistOpening::buttonsOpenTheirForms_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tabs");
    QTest::newRow("คัดกรองทั้งหมด") << "cxButton4"
                                 << "TSpecial_pp_edit_f"
                                 << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค" << 20;
    QTest::newRow("บริการผู้สูงอายุ") << "cxButton7"
                                 << "TSpecial_pp_edit_2_f"
                                 << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (ผู้สูงอายุ)" << 11;
    QTest::newRow("คัดกรองบุหรี่") << "cxButton11"
                               << "TSpecial_pp_edit_3_f"
                               << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (การสูบบุหรี่)" << 5;
    QTest::newRow("คัดกรองสุรา") << "cxButton17"
                               << "TSpecial_pp_edit_5_f"
                               << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (คัดกรองสุรา)" << 1;
    QTest::newRow("พัฒนาการเด็ก") << "cxButton12"
                                << "TSpecial_pp_edit_4_f"
                                << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (พัฒนาการเด็ก)" << 5;
}

void TestChecklistOpening::buttonsOpenTheirForms()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QString, caption);
    QFETCH(int, tabs);
    StartFixture f;
    f.db.runFile("service_types.sql");
    QVERIFY(f.startAndWait());
    QString opened, title, hn, vn;
    int loadedTabs = -1;
    QPointer<QWidget> shown;
    whenModalOpens([&](QWidget* modal) {
        shown = modal;
        opened = QString::fromLatin1(modal->metaObject()->className());
        title = modal->windowTitle();
        if (auto* checklist = qobject_cast<ChecklistForm*>(modal)) {
            hn = checklist->fhn;
            vn = checklist->fvn;
            loadedTabs = 0;
            for (int t = 0; t < checklist->checklist().tabCount(); ++t)
                loadedTabs += checklist->checklist().table(t).isActive() ? 1 : 0;
            clickTick(*checklist, 0, 0);
        }
        modal->close(); // the close box: the tick is dropped
    });
    const int rows = f.window().serviceList().pp_special_cds.rowCount();
    QTest::mouseClick(f.find<QAbstractButton>(qPrintable(button)), Qt::LeftButton);
    QCOMPARE(opened, form);
    QCOMPARE(title, caption);
    QCOMPARE(hn, QString("000012345"));
    QCOMPARE(vn, QString("000000000000"));
    QCOMPARE(loadedTabs, tabs);
    QTRY_VERIFY(shown.isNull()); // destroyed once closed
    QCOMPARE(f.window().serviceList().pp_special_cds.rowCount(), rows);
    QCOMPARE(f.messages.texts, QStringList());
}

void TestChecklistOpening::tickedCodesReachTheGridAndSaveAll()
{
    StartFixture f;
    f.db.runFile("service_types.sql");
    QVERIFY(f.startAndWait());
    const QDateTime when(QDate::currentDate(), QTime(9, 41, 7));
    f.find<DateBox>("cxDateEdit1")->setValue(when);
    auto* grid = f.find<QTableView>("cxGrid1");
    QCOMPARE(grid->model()->rowCount(), 2);

    whenModalOpens([](QWidget* modal) {
        auto* form = qobject_cast<ChecklistForm*>(modal);
        QVERIFY(form);
        tickType(*form, 0, 167); // 1B50
        tickType(*form, 4, 191); // 1B562
        clickSave(*form);
    });
    QTest::mouseClick(f.find<QAbstractButton>("cxButton11"), Qt::LeftButton);
    QCOMPARE(f.messages.texts, QStringList());
    QCOMPARE(grid->model()->rowCount(), 4);
    QStringList shown;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        shown << grid->model()->index(row, 2).data().toString();
    QVERIFY2(shown.contains("การสูบบุหรี่ 1B50") && shown.contains("การสูบบุหรี่ 1B562"),
             qPrintable(shown.join(", ")));
    QCOMPARE(f.db.value("select count(*) from pp_special").toInt(), 2);

    QTest::mouseClick(f.find<QAbstractButton>("cxButton16"), Qt::LeftButton);
    QVERIFY(f.window().isHidden());
    const DataPacket saved = f.db.query(
        "select pp_special_id, vn, hn, dest_hospcode, doctor, pp_special_service_place_type_id, "
        "pp_special_type_id, entry_datetime from pp_special where pp_special_id > 2 order by "
        "pp_special_id");
    QCOMPARE(saved.rows.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QVector<QVariant>& r = saved.rows[i];
        QCOMPARE(r[0].toInt(), 3 + i);
        QCOMPARE(r[1].toString(), QString("000000000000"));
        QCOMPARE(r[2].toString(), QString("000012345"));
        QCOMPARE(r[3].toString(), QString("10669"));
        QCOMPARE(r[4].toString(), QString("0001"));
        QCOMPARE(r[5].toInt(), 1);
        QCOMPARE(r[6].toInt(), i == 0 ? 167 : 191);
        QCOMPARE(r[7].toDateTime(), when);
    }
}

QTEST_MAIN(TestChecklistOpening)
#include "TestChecklistOpening.moc"
