// The checklist form mechanism against the real test server: tick states, the save with its
// same-day test, the rows it adds to the service list, the elderly form's tick-all boxes, and
// a save that fails half-way.
#include "FormSession.h"
#include "checklists/ChecklistList.h"
#include "checklists/ChecklistTickModel.h"
#include "checklists/TSpecial_pp_edit_2_f.h"
#include "checklists/TSpecial_pp_edit_3_f.h"
#include "checklists/TSpecial_pp_edit_5_f.h"
#include "checklists/TSpecial_pp_edit_f.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

namespace {

const QString AlreadyRecorded = QStringLiteral("มีข้อมูลอยู่แล้วไม่เพิ่มข้อมูล !");

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

// A service recorded earlier, straight into the database.
void record(TestDatabase& db, int id, const QString& vn, const QString& hn, int typeId,
            const QString& when)
{
    db.exec(QStringLiteral("INSERT INTO pp_special (pp_special_id, vn, hn, dest_hospcode, doctor, "
                           "pp_special_service_place_type_id, pp_special_type_id, entry_datetime) "
                           "VALUES (%1, %2, %3, '10669', '0001', 1, %4, '%5')")
                .arg(id)
                .arg(DbConnection::literal(vn), DbConnection::literal(hn))
                .arg(typeId)
                .arg(when));
}

QStringList codes(ClientDataSet& table)
{
    QStringList out;
    for (int row = 0; row < table.rowCount(); ++row)
        out << codeOf(table, row);
    return out;
}

} // namespace

class TestChecklistForm : public QObject
{
    Q_OBJECT
private slots:
    void tickStates_data();
    void tickStates();
    void nameColumnIsReadOnly();
    void saveWithNothingTickedOnlyReadsColumns();
    void tickedThenEmptiedIsNotAdded();
    void sameDayDuplicatesAreRefused();
    void codeOnTwoTabsIsAddedTwice();
    void rowsAddedInTabAndRowOrder();
    void rowCarriesTheDateBoxButTestUsesToday();
    void outsideValuesStayInsideTheirLiterals_data();
    void outsideValuesStayInsideTheirLiterals();
    void closeBoxAddsNothing();
    void emptyTabCountsZero();
    void tickAllAndUntickAll();
    void tickAllThenOneEmptiedByHand();
    void retryAfterFailedSaveAddsNothingTwice();
    void pressesWhileSavingAreIgnored();
};

void TestChecklistForm::tickStates_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown"); // Qt::CheckState
    QTest::addColumn<QString>("afterClick");
    QTest::addColumn<QString>("afterSecondClick");
    QTest::newRow("ticked") << QVariant("1") << int(Qt::Checked) << "False"
                            << "1";
    QTest::newRow("unticked value") << QVariant("False") << int(Qt::Unchecked) << "1"
                                    << "False";
    QTest::newRow("NULL") << sqlNull() << int(Qt::Unchecked) << "1"
                          << "False";
    QTest::newRow("service code as loaded") << QVariant("1B600") << int(Qt::PartiallyChecked) << "1"
                                            << "False";
    QTest::newRow("zero of untick-all") << QVariant("0") << int(Qt::PartiallyChecked) << "1"
                                        << "False";
    QTest::newRow("empty text") << QVariant("") << int(Qt::PartiallyChecked) << "1"
                                << "False";
    QTest::newRow("false in small letters") << QVariant("false") << int(Qt::PartiallyChecked) << "1"
                                            << "False";
}

void TestChecklistForm::tickStates()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    QFETCH(QString, afterClick);
    QFETCH(QString, afterSecondClick);
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_5_f>();
    ClientDataSet& table = form->checklist().table(0);
    table.setRecNo(2);
    table.edit();
    table.setValue("pp_special_code", stored);
    table.post();
    QAbstractItemModel* model = form->list(0)->view()->model();
    const QModelIndex box = model->index(2, 0);
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(), shown);

    clickTick(*form, 0, 2);
    QCOMPARE(codeOf(table, 2), afterClick);
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(),
             int(afterClick == "1" ? Qt::Checked : Qt::Unchecked));
    clickTick(*form, 0, 2);
    QCOMPARE(codeOf(table, 2), afterSecondClick);
    // No click brings the dimmed look back, and the neighbours keep theirs.
    QVERIFY(!model->setData(box, Qt::PartiallyChecked, Qt::CheckStateRole));
    QCOMPARE(codeOf(table, 2), afterSecondClick);
    QCOMPARE(codeOf(table, 1), QString("1B601"));
    QCOMPARE(codeOf(table, 3), QString("1B603"));
}

void TestChecklistForm::nameColumnIsReadOnly()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_5_f>();
    QTableView* view = form->list(0)->view();
    const QModelIndex name = view->model()->index(0, 1);
    QVERIFY(!(name.flags() & Qt::ItemIsEditable));
    QVERIFY(!view->model()->setData(name, "another name"));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(name).center());
    QTest::keyClicks(view, "x");
    QCOMPARE(name.data().toString(), QString("ปัญหาการดื่มสุรา 1B600"));
    QCOMPARE(codeOf(form->checklist().table(0), 0), QString("1B600"));
    QCOMPARE(form->checklist().table(0).changeCount(), 0);
}

void TestChecklistForm::saveWithNothingTickedOnlyReadsColumns()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_f>();
    s.statements.clear();
    clickSave(*form);
    QCOMPARE(s.statements, QStringList{"select * from pp_special limit 0"});
    QCOMPARE(s.services.pp_special_cds.changeCount(), 0);
    QCOMPARE(s.messages.texts, QStringList());
    QVERIFY(form->isHidden());
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(form->checklist().pp_special_insert_cds.columns().size(), 10);
}

void TestChecklistForm::tickedThenEmptiedIsNotAdded()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_5_f>();
    clickTick(*form, 0, 0);
    clickTick(*form, 0, 4);
    clickTick(*form, 0, 0);
    clickSave(*form);
    QCOMPARE(s.addedTypes(), QList<int>{196});
    QCOMPARE(s.duplicateTests().size(), 1);
    QCOMPARE(s.messages.texts, QStringList());
}

void TestChecklistForm::sameDayDuplicatesAreRefused()
{
    FormSession s;
    const QDate day = QDate::currentDate();
    const QString yesterday = day.addDays(-1).toString("yyyy-MM-dd");
    const QString tomorrow = day.addDays(1).toString("yyyy-MM-dd");
    record(s.db, 10, s.Vn, s.Hn, 167, today() + " 00:00:00");
    record(s.db, 11, s.Vn, s.Hn, 170, today() + " 23:59:59");
    record(s.db, 12, s.Vn, s.Hn, 173, today() + " 12:00:00");
    record(s.db, 13, s.Vn, s.Hn, 177, yesterday + " 23:59:59");
    record(s.db, 14, s.Vn, s.Hn, 178, tomorrow + " 00:00:00");
    record(s.db, 15, s.Vn, "000054321", 180, today() + " 09:00:00");    // another patient
    record(s.db, 16, "000000000001", s.Hn, 181, today() + " 09:00:00"); // another visit
    record(s.db, 17, s.Vn, s.Hn, 190, today() + " 09:00:00");           // another service
    auto form = s.open<TSpecial_pp_edit_3_f>();
    for (const auto& [tab, type] : QList<QPair<int, int>>{
             {0, 167}, {1, 170}, {2, 173}, {3, 177}, {3, 178}, {4, 180}, {4, 181}, {4, 191}})
        tickType(*form, tab, type);
    s.statements.clear();
    clickSave(*form);

    QCOMPARE(s.messages.texts, QStringList(3, AlreadyRecorded));
    QCOMPARE(s.addedTypes(), (QList<int>{177, 178, 180, 181, 191}));
    QVERIFY(form->isHidden());
    const QStringList tests = s.duplicateTests();
    QCOMPARE(tests.size(), 8);
    QCOMPARE(tests[0],
             QString("select * from pp_special where vn='000000000000'  and hn='000012345'   "
                     "and entry_datetime between '%1 00:00:00' and  '%1 23:59:59'  "
                     "and pp_special_type_id ='167' ")
                 .arg(today()));
    QVERIFY(tests[7].endsWith("and pp_special_type_id ='191' "));
}

void TestChecklistForm::codeOnTwoTabsIsAddedTwice()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_f>();
    tickType(*form, 0, 11);  // 1B31 on tab 1
    tickType(*form, 18, 11); // and on tab 19
    clickSave(*form);
    QCOMPARE(s.addedTypes(), (QList<int>{11, 11}));
    const QList<int> ids = s.addedNumbers("pp_special_id");
    QCOMPARE(ids.size(), 2);
    QVERIFY(ids[0] != ids[1]);
    QCOMPARE(s.messages.texts, QStringList());
}

void TestChecklistForm::rowsAddedInTabAndRowOrder()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_f>();
    // Ticked out of order; added in the order of the tabs and of their rows.
    clickTick(*form, 19, 1);
    clickTick(*form, 2, 1);
    clickTick(*form, 0, 2);
    clickTick(*form, 0, 0);
    clickSave(*form);
    QCOMPARE(s.addedTypes(), (QList<int>{1, 3, 23, 166}));
    QCOMPARE(s.addedNumbers("pp_special_id"), (QList<int>{3, 4, 5, 6}));
    QCOMPARE(s.db.value("select serial_no from serial where name='pp_special_id'").toInt(), 6);
    QCOMPARE(s.db.value("select count(*) from pp_special").toInt(), 2); // Save all writes them
}

void TestChecklistForm::rowCarriesTheDateBoxButTestUsesToday()
{
    FormSession s;
    const QDateTime when(QDate::currentDate().addDays(-3), QTime(14, 35, 20));
    s.entry.when = when;
    // Recorded on the date box's day: not today, so no obstacle.
    record(s.db, 10, s.Vn, s.Hn, 192, when.toString("yyyy-MM-dd HH:mm:ss"));
    auto form = s.open<TSpecial_pp_edit_5_f>();
    tickType(*form, 0, 192);
    clickSave(*form);
    QCOMPARE(s.messages.texts, QStringList());
    QCOMPARE(s.duplicateTests().size(), 1);
    QVERIFY(s.duplicateTests()[0].contains(
        QString("between '%1 00:00:00' and  '%1 23:59:59'").arg(today())));

    const ChangeLog log = s.services.pp_special_cds.changeLog();
    QCOMPARE(log.changes.size(), 1);
    const QVector<QVariant>& row = log.changes[0].current;
    const auto at = [&](const char* field) {
        return row.value(s.services.pp_special_cds.fieldIndex(field));
    };
    QCOMPARE(at("pp_special_id").toInt(), 3);
    QCOMPARE(at("vn").toString(), s.Vn);
    QCOMPARE(at("hn").toString(), s.Hn);
    QCOMPARE(at("dest_hospcode").toString(), QString("10669"));
    QCOMPARE(at("doctor").toString(), QString("0001"));
    QCOMPARE(at("pp_special_service_place_type_id").toInt(), 1);
    QCOMPARE(at("pp_special_type_id").toInt(), 192);
    QCOMPARE(at("entry_datetime").toDateTime(), when);
    QVERIFY(isUnset(at("pp_special_text")));
}

void TestChecklistForm::outsideValuesStayInsideTheirLiterals_data()
{
    QTest::addColumn<QString>("hn");
    QTest::addColumn<QString>("vn");
    QTest::newRow("quote that would widen the test") << "x' or 'a'='a" << FormSession::Vn;
    QTest::newRow("quote in the visit") << "000012345"
                                        << "v' or 'a'='a";
    QTest::newRow("backslash before the quote") << "x\\' or 1=1 #" << FormSession::Vn;
    QTest::newRow("caret pair") << "a^^b" << FormSession::Vn;
    QTest::newRow("double quote, Thai") << "ก\"ข" << FormSession::Vn;
}

void TestChecklistForm::outsideValuesStayInsideTheirLiterals()
{
    QFETCH(QString, hn);
    QFETCH(QString, vn);
    FormSession s;
    record(s.db, 10, vn, hn, 192, today() + " 08:00:00"); // this patient and visit: refused
    // Another visit of the patient, and another patient of the visit: no obstacle.
    record(s.db, 11, "000000000099", hn, 193, today() + " 08:00:00");
    record(s.db, 12, vn, "000054321", 193, today() + " 08:00:00");
    auto form = s.open<TSpecial_pp_edit_5_f>(hn, vn);
    tickType(*form, 0, 192);
    tickType(*form, 0, 193);
    clickSave(*form);
    QCOMPARE(s.messages.texts, QStringList{AlreadyRecorded});
    QCOMPARE(s.addedTypes(), QList<int>{193});
    QCOMPARE(s.added("hn"), QList<QVariant>{hn});
    QCOMPARE(s.added("vn"), QList<QVariant>{vn});
}

void TestChecklistForm::closeBoxAddsNothing()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_5_f>();
    clickTick(*form, 0, 0);
    clickTick(*form, 0, 1);
    s.statements.clear();
    QVERIFY(form->close());
    QCOMPARE(form->result(), int(QDialog::Rejected));
    QCOMPARE(s.statements, QStringList());
    QCOMPARE(s.services.pp_special_cds.changeCount(), 0);
}

void TestChecklistForm::emptyTabCountsZero()
{
    FormSession s;
    s.db.exec("DELETE FROM pp_special_type WHERE pp_special_code LIKE '1B6%'");
    auto form = s.open<TSpecial_pp_edit_5_f>();
    QCOMPARE(form->list(0)->view()->model()->rowCount(), 0);
    QCOMPARE(form->findChild<QLabel*>("cxGrid1Count")->text(), QString("0"));
    s.statements.clear();
    clickSave(*form);
    QCOMPARE(s.statements, QStringList{"select * from pp_special limit 0"});
    QVERIFY(form->isHidden());
}

void TestChecklistForm::tickAllAndUntickAll()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_2_f>();
    auto* checkAll = form->findChild<QCheckBox*>("CheckAll");
    auto* unCheck = form->findChild<QCheckBox*>("UnCheck");
    QVERIFY(checkAll && unCheck);
    form->findChild<QTabWidget*>("cxPageControl1")->setCurrentIndex(10);
    ClientDataSet& normal = form->checklist().table(10);
    ClientDataSet& adl = form->checklist().table(0);
    QCOMPARE(normal.rowCount(), 18);
    for (int row = 0; row < 18; ++row) // as loaded: dimmed
        QCOMPARE(form->list(10)->view()->model()->index(row, 0).data(Qt::CheckStateRole).toInt(),
                 int(Qt::PartiallyChecked));
    const QStringList ticked(18, "1");
    const QStringList zeros(18, "0");

    QTest::mouseClick(checkAll, Qt::LeftButton);
    QCOMPARE(codes(normal), ticked);
    QVERIFY(!unCheck->isChecked());
    QCOMPARE(codes(adl), (QStringList{"1B1280", "1B1281", "1B1282"})); // tab 1 keeps its own
    QCOMPARE(form->list(10)->view()->model()->index(17, 0).data(Qt::CheckStateRole).toInt(),
             int(Qt::Checked));

    QTest::mouseClick(unCheck, Qt::LeftButton);
    QVERIFY(!checkAll->isChecked());
    QCOMPARE(codes(normal), zeros);
    QCOMPARE(form->list(10)->view()->model()->index(0, 0).data(Qt::CheckStateRole).toInt(),
             int(Qt::PartiallyChecked));

    QTest::mouseClick(unCheck, Qt::LeftButton); // unticking changes no row
    QVERIFY(!unCheck->isChecked());
    QCOMPARE(codes(normal), zeros);

    QTest::mouseClick(checkAll, Qt::LeftButton);
    QCOMPARE(codes(normal), ticked);
    QTest::mouseClick(checkAll, Qt::LeftButton); // unticking leaves the ticks
    QVERIFY(!checkAll->isChecked());
    QCOMPARE(codes(normal), ticked);
    QCOMPARE(codes(adl), (QStringList{"1B1280", "1B1281", "1B1282"}));
    QCOMPARE(s.messages.texts, QStringList());
}

void TestChecklistForm::tickAllThenOneEmptiedByHand()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_2_f>();
    form->findChild<QTabWidget*>("cxPageControl1")->setCurrentIndex(10);
    QTest::mouseClick(form->findChild<QCheckBox*>("CheckAll"), Qt::LeftButton);
    clickTick(*form, 10, 3); // 1B1140, emptied again
    tickType(*form, 0, 85);  // 1B1280 on tab 1 as well
    QVERIFY(form->findChild<QCheckBox*>("CheckAll")->isChecked());
    clickSave(*form);
    QCOMPARE(s.addedTypes(),
             (QList<int>{85, 1, 22, 28, 36, 44, 48, 55, 61, 64, 67, 70, 73, 76, 79, 82, 85, 89}));
    QCOMPARE(s.messages.texts, QStringList());
}

void TestChecklistForm::retryAfterFailedSaveAddsNothingTwice()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_3_f>();
    for (const auto& [tab, type] : QList<QPair<int, int>>{{0, 167}, {1, 170}, {2, 173}, {3, 177}})
        tickType(*form, tab, type);
    // The serial table goes missing just before the third code's turn.
    s.onStatement = [&s](const QString& sql) {
        if (sql.startsWith("select * from pp_special where vn=") && sql.endsWith("'173' "))
            s.db.exec("RENAME TABLE serial TO serial_away");
    };
    clickSave(*form);
    QCOMPARE(s.messages.texts.size(), 1);
    QVERIFY2(s.messages.texts[0].contains("serial"), qPrintable(s.messages.texts[0]));
    QVERIFY(form->isVisible());
    QCOMPARE(s.addedTypes(), (QList<int>{167, 170}));
    // What is in the service list is no longer ticked; the rest still is.
    QCOMPARE(codeOf(form->checklist().table(0), 0), QString("False"));
    QCOMPARE(codeOf(form->checklist().table(1), 0), QString("False"));
    QCOMPARE(codeOf(form->checklist().table(2), 0), QString("1"));
    QCOMPARE(codeOf(form->checklist().table(3), 0), QString("1"));

    s.onStatement = nullptr;
    s.db.exec("RENAME TABLE serial_away TO serial");
    s.messages.texts.clear();
    clickSave(*form);
    QCOMPARE(s.messages.texts, QStringList());
    QVERIFY(form->isHidden());
    QCOMPARE(s.addedTypes(), (QList<int>{167, 170, 173, 177}));
    QCOMPARE(s.addedNumbers("pp_special_id"), (QList<int>{3, 4, 5, 6}));
}

void TestChecklistForm::pressesWhileSavingAreIgnored()
{
    FormSession s;
    auto form = s.open<TSpecial_pp_edit_5_f>();
    clickTick(*form, 0, 0);
    clickTick(*form, 0, 1);
    bool visibleAfterClose = false;
    int pressed = 0;
    // The query layer lets the message queue run before each query: the user presses again
    // and tries the close box meanwhile.
    s.onStatement = [&](const QString& sql) {
        if (pressed > 0 || !sql.startsWith("select * from pp_special where vn="))
            return;
        ++pressed;
        QVERIFY(form->isSaving());
        clickSave(*form);
        form->close();
        visibleAfterClose = form->isVisible();
    };
    s.statements.clear();
    clickSave(*form);
    QCOMPARE(pressed, 1);
    QVERIFY(visibleAfterClose);
    QCOMPARE(s.addedTypes(), (QList<int>{192, 193}));
    QCOMPARE(s.statements.filter("limit 0").size(), 1);
    QCOMPARE(s.duplicateTests().size(), 2);
    QCOMPARE(s.messages.texts, QStringList());
    QVERIFY(form->isHidden());
    QCOMPARE(form->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestChecklistForm)
#include "TestChecklistForm.moc"
