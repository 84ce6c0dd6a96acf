// The table model over a dataset, checked throughout by QAbstractItemModelTester.
#include "data/DataSetModel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QtTest>
#include <functional>

using Operation = std::function<void(ClientDataSet&)>;
Q_DECLARE_METATYPE(Operation)

namespace {

const QDateTime entry(QDate(2026, 1, 2), QTime(3, 4, 5));

// Two recorded services of a patient: the second with a code the services list lacks.
DataPacket services()
{
    DataPacket p;
    p.columns = {{"pp_special_id", FieldType::Integer32, 11, true, "pp_special"},
                 {"pp_special_type_id", FieldType::Text, 9, false, "pp_special"},
                 {"entry_datetime", FieldType::DateTime, 19, false, "pp_special"}};
    p.rows = {{1, "1B1280", entry}, {2, "9Z999", sqlNull()}};
    return p;
}

DataPacket serviceTypes()
{
    DataPacket p;
    p.columns = {{"pp_special_type_id", FieldType::Text, 9, true, "pp_special_type"},
                 {"pp_special_type_name", FieldType::Text, 200, false, "pp_special_type"}};
    p.rows = {{"1B1280", "คัดกรองความเสี่ยง"}, {"1B0030", "ให้คำปรึกษา"}};
    return p;
}

struct Fixture
{
    ClientDataSet list;
    ClientDataSet types;
    DataSetModel model{&list,
                       {{"pp_special_id", "ลำดับ"},
                        {"pp_special_type_id", "งานที่ให้บริการ", &types, "pp_special_type_id",
                         "pp_special_type_name", true},
                        {"entry_datetime", "วันที่", nullptr, {}, {}, true}}};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    explicit Fixture(bool loadTypes = true)
    {
        list.load(services());
        if (loadTypes)
            types.load(serviceTypes());
    }
    QString shown(int row, int column) const
    {
        return model.data(model.index(row, column)).toString();
    }
};

} // namespace

class TestDataSetModel : public QObject
{
    Q_OBJECT
private slots:
    void showsCaptionsAndValues();
    void showsLookupName_data();
    void showsLookupName();
    void lookupLoadedLaterRefreshesColumn();
    void writesEditsThroughDataSet_data();
    void writesEditsThroughDataSet();
    void followsRowsOfDataSet_data();
    void followsRowsOfDataSet();
    void resetsOnLoadAndClose();
};

void TestDataSetModel::showsCaptionsAndValues()
{
    Fixture f;
    QCOMPARE(f.model.columnCount(), 3);
    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.model.headerData(1, Qt::Horizontal).toString(), QString("งานที่ให้บริการ"));
    QCOMPARE(f.shown(0, 0), QString("1"));
    QCOMPARE(f.shown(0, 2), QString("02/01/2026 03:04:05"));
    QCOMPARE(f.shown(1, 2), QString(""));
    QCOMPARE(f.model.data(f.model.index(0, 2), Qt::EditRole).toDateTime(), entry);
    QVERIFY(isSqlNull(f.model.data(f.model.index(1, 2), Qt::EditRole)));
    QVERIFY(!f.model.flags(f.model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    QVERIFY(f.model.flags(f.model.index(0, 1)).testFlag(Qt::ItemIsEditable));
}

void TestDataSetModel::showsLookupName_data()
{
    QTest::addColumn<QVariant>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("listed code") << QVariant("1B0030") << "ให้คำปรึกษา";
    QTest::newRow("unlisted code") << QVariant("9Z999") << "";
    QTest::newRow("NULL") << sqlNull() << "";
    QTest::newRow("not set") << QVariant() << "";
}

void TestDataSetModel::showsLookupName()
{
    QFETCH(QVariant, code);
    QFETCH(QString, shown);
    Fixture f;
    f.list.append();
    f.list.setValue("pp_special_type_id", code);
    f.list.post();
    QCOMPARE(f.shown(2, 1), shown);
    // The cell's own value stays the code.
    QCOMPARE(f.model.data(f.model.index(2, 1), Qt::EditRole), code);
}

void TestDataSetModel::lookupLoadedLaterRefreshesColumn()
{
    Fixture f(false);
    QCOMPARE(f.shown(0, 1), QString(""));
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    f.types.load(serviceTypes());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), f.model.index(0, 1));
    QCOMPARE(changed[0][1].toModelIndex(), f.model.index(1, 1));
    QCOMPARE(f.shown(0, 1), QString("คัดกรองความเสี่ยง"));

    // A name changed in the lookup shows as well.
    f.types.edit();
    f.types.setValue("pp_special_type_name", "ชื่อใหม่");
    f.types.post();
    QCOMPARE(f.shown(0, 1), QString("ชื่อใหม่"));
}

void TestDataSetModel::writesEditsThroughDataSet_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("changes");
    QTest::newRow("editable lookup column")
        << 1 << QVariant("1B1280") << true << "คัดกรองความเสี่ยง" << 1;
    QTest::newRow("editable date column, as text")
        << 2 << QVariant("2026-03-04 05:06:07") << true << "04/03/2026 05:06:07" << 1;
    QTest::newRow("value the column refuses") << 2 << QVariant("soon") << false << "" << 0;
    QTest::newRow("value it already has") << 2 << sqlNull() << true << "" << 0;
    QTest::newRow("read-only column") << 0 << QVariant(7) << false << "2" << 0;
}

void TestDataSetModel::writesEditsThroughDataSet()
{
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    QFETCH(int, changes);
    Fixture f;
    f.list.setRecNo(0);
    QCOMPARE(f.model.setData(f.model.index(1, column), value), accepted);
    QCOMPARE(f.shown(1, column), shown);
    QCOMPARE(f.list.state(), DataSetState::Browse);
    QCOMPARE(f.list.changeCount(), changes);
    if (changes > 0) {
        const ChangeLog log = f.list.changeLog();
        QCOMPARE(log.changes[0].kind, ChangeKind::Modified);
        QCOMPARE(log.changes[0].original[0].toInt(), 2);
    }
}

void TestDataSetModel::followsRowsOfDataSet_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("insertedAt");
    QTest::addColumn<int>("removedAt");
    QTest::newRow("insert") << Operation([](ClientDataSet& ds) { ds.insert(); }) << 3 << 1 << -1;
    QTest::newRow("append") << Operation([](ClientDataSet& ds) { ds.append(); }) << 3 << 2 << -1;
    QTest::newRow("delete") << Operation([](ClientDataSet& ds) { ds.deleteRow(); }) << 1 << -1 << 1;
    QTest::newRow("cancelled insert") << Operation([](ClientDataSet& ds) {
        ds.insert();
        ds.cancel();
    }) << 2 << 1 << 1;
}

void TestDataSetModel::followsRowsOfDataSet()
{
    QFETCH(Operation, operation);
    QFETCH(int, rows);
    QFETCH(int, insertedAt);
    QFETCH(int, removedAt);
    Fixture f;
    f.list.setRecNo(1);
    QSignalSpy inserted(&f.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&f.model, &QAbstractItemModel::rowsRemoved);
    operation(f.list);
    QCOMPARE(f.model.rowCount(), rows);
    QCOMPARE(inserted.size(), insertedAt < 0 ? 0 : 1);
    if (insertedAt >= 0) {
        QCOMPARE(inserted[0][1].toInt(), insertedAt);
        QCOMPARE(inserted[0][2].toInt(), insertedAt);
    }
    QCOMPARE(removed.size(), removedAt < 0 ? 0 : 1);
    if (removedAt >= 0) {
        QCOMPARE(removed[0][1].toInt(), removedAt);
        QCOMPARE(removed[0][2].toInt(), removedAt);
    }
}

void TestDataSetModel::resetsOnLoadAndClose()
{
    Fixture f;
    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    DataPacket more = services();
    more.rows.append({3, "1B0030", entry});
    f.list.load(more);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(f.model.rowCount(), 3);
    QCOMPARE(f.shown(2, 1), QString("ให้คำปรึกษา"));
    f.list.close();
    QCOMPARE(reset.size(), 2);
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(f.model.columnCount(), 3);
}

QTEST_MAIN(TestDataSetModel)
#include "TestDataSetModel.moc"
