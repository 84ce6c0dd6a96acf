// The in-memory dataset: its states, typed values and change log.
#include "data/ClientDataSet.h"
#include "data/Error.h"

#include <QDateTime>
#include <QtTest>
#include <functional>

using Operation = std::function<void(ClientDataSet&)>;
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(FieldType)
Q_DECLARE_METATYPE(DataPacket)

namespace {

// Three loaded rows: (1, "a"), (2, "b"), (3, "c").
DataPacket threeRows()
{
    DataPacket p;
    p.columns = {{"id", FieldType::Integer32, 11, true, "t"},
                 {"name", FieldType::Text, 50, false, "t"}};
    p.rows = {{1, "a"}, {2, "b"}, {3, "c"}};
    return p;
}

DataPacket noRows()
{
    DataPacket p = threeRows();
    p.rows.clear();
    return p;
}

QString valueText(const QVariant& v)
{
    if (isUnset(v))
        return "?";
    if (isSqlNull(v))
        return "NULL";
    return v.toString();
}

QString valuesText(const QVector<QVariant>& values)
{
    QStringList parts;
    for (const QVariant& v : values)
        parts << valueText(v);
    return parts.join(',');
}

// One line per change, in log order: "Modified 3,c -> 3,x", "Inserted -> 9,?", "Deleted 2,b".
QStringList describe(const ChangeLog& log)
{
    QStringList lines;
    for (const Change& c : log.changes) {
        switch (c.kind) {
        case ChangeKind::Inserted:
            lines << "Inserted -> " + valuesText(c.current);
            break;
        case ChangeKind::Modified:
            lines << "Modified " + valuesText(c.original) + " -> " + valuesText(c.current);
            break;
        case ChangeKind::Deleted:
            lines << "Deleted " + valuesText(c.original);
            break;
        }
    }
    return lines;
}

QStringList namesOf(const ClientDataSet& ds)
{
    QStringList names;
    for (int row = 0; row < ds.rowCount(); ++row)
        names << valueText(ds.value(row, 1));
    return names;
}

void setName(ClientDataSet& ds, int row, const QString& name)
{
    ds.setRecNo(row);
    ds.edit();
    ds.setValue("name", name);
    ds.post();
}

void insertNamed(ClientDataSet& ds, const QVariant& id, const QString& name)
{
    ds.insert();
    ds.setValue("id", id);
    ds.setValue("name", name);
    ds.post();
}

} // namespace

class TestClientDataSet : public QObject
{
    Q_OBJECT
private slots:
    void readsFieldsByNameInAnyCaseAndByPosition();
    void refusesWithMessage_data();
    void refusesWithMessage();
    void startsNewRowWhereAsked_data();
    void startsNewRowWhereAsked();
    void postsPendingRowFirst_data();
    void postsPendingRowFirst();
    void editThatChangesNothingLogsNothing_data();
    void editThatChangesNothingLogsNothing();
    void modifiedRowKeepsOriginalValues();
    void insertedRowStaysInsertedAfterEdits();
    void logsDeletion_data();
    void logsDeletion();
    void currentRowAfterDeletion_data();
    void currentRowAfterDeletion();
    void cancelOfInsertRemovesRow();
    void cancelOfEditRestoresValues();
    void logFollowsOrderOfFirstChange();
    void acceptedChangesLeaveLogAndCountAsLoaded();
    void convertsToColumnType_data();
    void convertsToColumnType();
    void keepsNullApartFromEmptyText();
    void announcesRowChanges_data();
    void announcesRowChanges();
};

void TestClientDataSet::readsFieldsByNameInAnyCaseAndByPosition()
{
    ClientDataSet ds;
    QCOMPARE(ds.state(), DataSetState::Inactive);
    ds.load(threeRows());
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(ds.recNo(), 0);
    QCOMPARE(ds.fieldIndex("NAME"), 1);
    QCOMPARE(ds.fieldIndex("missing"), -1);
    ds.setRecNo(2);
    QCOMPARE(ds.value("Name").toString(), QString("c"));
    QCOMPARE(ds.value(1, 0).toInt(), 2);
    QCOMPARE(ds.changeCount(), 0);
    ds.close();
    QCOMPARE(ds.state(), DataSetState::Inactive);
    QCOMPARE(ds.rowCount(), 0);
    QCOMPARE(ds.recNo(), -1);
}

void TestClientDataSet::refusesWithMessage_data()
{
    QTest::addColumn<DataPacket>("packet");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("message");
    QTest::newRow("set value while browsing")
        << threeRows() << Operation([](ClientDataSet& ds) { ds.setValue("name", "x"); })
        << "Dataset not in edit or insert mode";
    QTest::newRow("read missing field")
        << threeRows() << Operation([](ClientDataSet& ds) { ds.value("nope"); })
        << "Field 'nope' not found";
    QTest::newRow("set missing field") << threeRows() << Operation([](ClientDataSet& ds) {
        ds.edit();
        ds.setValue("nope", 1);
    }) << "Field 'nope' not found";
    QTest::newRow("edit without rows")
        << noRows() << Operation([](ClientDataSet& ds) { ds.edit(); })
        << "Dataset has no current row";
    QTest::newRow("read without rows")
        << noRows() << Operation([](ClientDataSet& ds) { ds.value("id"); })
        << "Dataset has no current row";
    QTest::newRow("insert into closed dataset") << threeRows() << Operation([](ClientDataSet& ds) {
        ds.close();
        ds.insert();
    }) << "Dataset is not open";
}

void TestClientDataSet::refusesWithMessage()
{
    QFETCH(DataPacket, packet);
    QFETCH(Operation, operation);
    QFETCH(QString, message);
    ClientDataSet ds;
    ds.load(packet);
    try {
        operation(ds);
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.text(), message);
    }
    QCOMPARE(ds.changeCount(), 0);
}

void TestClientDataSet::startsNewRowWhereAsked_data()
{
    QTest::addColumn<DataPacket>("packet");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("atEnd");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("insert before current row")
        << threeRows() << 1 << false << QStringList{"a", "?", "b", "c"};
    QTest::newRow("insert before first row")
        << threeRows() << 0 << false << QStringList{"?", "a", "b", "c"};
    QTest::newRow("append after current row")
        << threeRows() << 1 << true << QStringList{"a", "b", "c", "?"};
    QTest::newRow("insert into empty set") << noRows() << -1 << false << QStringList{"?"};
    QTest::newRow("append to empty set") << noRows() << -1 << true << QStringList{"?"};
}

void TestClientDataSet::startsNewRowWhereAsked()
{
    QFETCH(DataPacket, packet);
    QFETCH(int, current);
    QFETCH(bool, atEnd);
    QFETCH(QStringList, names);
    ClientDataSet ds;
    ds.load(packet);
    if (current >= 0)
        ds.setRecNo(current);
    atEnd ? ds.append() : ds.insert();
    QCOMPARE(ds.state(), DataSetState::Insert);
    QCOMPARE(namesOf(ds), names);
    QCOMPARE(ds.recNo(), int(names.indexOf("?")));
    QVERIFY(isUnset(ds.value("id")));
    QCOMPARE(ds.changeCount(), 0);
    ds.setValue("id", 9);
    ds.post();
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(describe(ds.changeLog()), QStringList{"Inserted -> 9,?"});
}

void TestClientDataSet::postsPendingRowFirst_data()
{
    QTest::addColumn<Operation>("pending");
    QTest::addColumn<Operation>("next");
    QTest::addColumn<QStringList>("log");
    const Operation editFirst = [](ClientDataSet& ds) {
        ds.edit();
        ds.setValue("name", "x");
    };
    const Operation insertNew = [](ClientDataSet& ds) {
        ds.insert();
        ds.setValue("id", 9);
    };
    QTest::newRow("edit, then insert")
        << editFirst << insertNew << QStringList{"Modified 1,a -> 1,x", "Inserted -> 9,?"};
    QTest::newRow("edit, then append") << editFirst << Operation([](ClientDataSet& ds) {
        ds.append();
        ds.setValue("id", 9);
    }) << QStringList{"Modified 1,a -> 1,x", "Inserted -> 9,?"};
    QTest::newRow("insert, then insert") << insertNew << Operation([](ClientDataSet& ds) {
        ds.insert();
        ds.setValue("id", 10);
    }) << QStringList{"Inserted -> 9,?", "Inserted -> 10,?"};
    QTest::newRow("edit, then move")
        << editFirst << Operation([](ClientDataSet& ds) { ds.setRecNo(2); })
        << QStringList{"Modified 1,a -> 1,x"};
}

void TestClientDataSet::postsPendingRowFirst()
{
    QFETCH(Operation, pending);
    QFETCH(Operation, next);
    QFETCH(QStringList, log);
    ClientDataSet ds;
    ds.load(threeRows());
    pending(ds);
    next(ds);
    ds.post();
    QCOMPARE(describe(ds.changeLog()), log);
    QCOMPARE(ds.changeCount(), log.size());
}

void TestClientDataSet::editThatChangesNothingLogsNothing_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("no value set") << QStringList{};
    QTest::newRow("same value set again") << QStringList{"b"};
    QTest::newRow("changed and changed back in one edit") << QStringList{"x", "b"};
}

void TestClientDataSet::editThatChangesNothingLogsNothing()
{
    QFETCH(QStringList, names);
    ClientDataSet ds;
    ds.load(threeRows());
    ds.setRecNo(1);
    ds.edit();
    QCOMPARE(ds.state(), DataSetState::Edit);
    for (const QString& name : names)
        ds.setValue("name", name);
    ds.post();
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(ds.changeCount(), 0);
    QVERIFY(ds.changeLog().changes.isEmpty());

    // A modified row edited back to what was loaded leaves the log as well.
    setName(ds, 1, "x");
    QCOMPARE(ds.changeCount(), 1);
    setName(ds, 1, "b");
    QCOMPARE(ds.changeCount(), 0);
}

void TestClientDataSet::modifiedRowKeepsOriginalValues()
{
    ClientDataSet ds;
    ds.load(threeRows());
    setName(ds, 1, "x");
    setName(ds, 1, "y");
    const ChangeLog log = ds.changeLog();
    QCOMPARE(describe(log), QStringList{"Modified 2,b -> 2,y"});
    QCOMPARE(log.columns.size(), 2);
    QCOMPARE(log.columns[0].name, QString("id"));
    QVERIFY(log.columns[0].primaryKey);
}

void TestClientDataSet::insertedRowStaysInsertedAfterEdits()
{
    ClientDataSet ds;
    ds.load(threeRows());
    insertNamed(ds, 9, "new");
    setName(ds, ds.recNo(), "newer");
    QCOMPARE(describe(ds.changeLog()), QStringList{"Inserted -> 9,newer"});
}

void TestClientDataSet::logsDeletion_data()
{
    QTest::addColumn<Operation>("before");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("loaded row") << Operation([](ClientDataSet&) {}) << QStringList{"Deleted 2,b"}
                                << QStringList{"a", "c"};
    QTest::newRow("modified row, with its loaded values")
        << Operation([](ClientDataSet& ds) { setName(ds, 1, "x"); }) << QStringList{"Deleted 2,b"}
        << QStringList{"a", "c"};
    QTest::newRow("row being edited") << Operation([](ClientDataSet& ds) {
        ds.edit();
        ds.setValue("name", "x");
    }) << QStringList{"Deleted 2,b"} << QStringList{"a", "c"};
    QTest::newRow("inserted row") << Operation([](ClientDataSet& ds) { insertNamed(ds, 9, "n"); })
                                  << QStringList{} << QStringList{"a", "b", "c"};
    QTest::newRow("row being inserted") << Operation([](ClientDataSet& ds) { ds.insert(); })
                                        << QStringList{} << QStringList{"a", "b", "c"};
}

void TestClientDataSet::logsDeletion()
{
    QFETCH(Operation, before);
    QFETCH(QStringList, log);
    QFETCH(QStringList, names);
    ClientDataSet ds;
    ds.load(threeRows());
    ds.setRecNo(1);
    before(ds);
    ds.deleteRow();
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(describe(ds.changeLog()), log);
    QCOMPARE(ds.changeCount(), log.size());
    QCOMPARE(namesOf(ds), names);
}

void TestClientDataSet::currentRowAfterDeletion_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("rowsToDelete");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("currentName");
    QTest::newRow("middle row: the next one takes its place") << 1 << 1 << 1 << "c";
    QTest::newRow("last row: the new last one") << 2 << 1 << 1 << "b";
    QTest::newRow("every row: none") << 0 << 3 << -1 << "";
}

void TestClientDataSet::currentRowAfterDeletion()
{
    QFETCH(int, row);
    QFETCH(int, rowsToDelete);
    QFETCH(int, current);
    QFETCH(QString, currentName);
    ClientDataSet ds;
    ds.load(threeRows());
    ds.setRecNo(row);
    for (int i = 0; i < rowsToDelete; ++i)
        ds.deleteRow();
    QCOMPARE(ds.recNo(), current);
    if (current >= 0)
        QCOMPARE(ds.value("name").toString(), currentName);
    QCOMPARE(ds.changeCount(), rowsToDelete);
}

void TestClientDataSet::cancelOfInsertRemovesRow()
{
    ClientDataSet ds;
    ds.load(threeRows());
    ds.setRecNo(1);
    ds.insert();
    ds.setValue("id", 9);
    ds.cancel();
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(namesOf(ds), (QStringList{"a", "b", "c"}));
    QCOMPARE(ds.value("name").toString(), QString("b"));
    QCOMPARE(ds.changeCount(), 0);
}

void TestClientDataSet::cancelOfEditRestoresValues()
{
    ClientDataSet ds;
    ds.load(threeRows());
    setName(ds, 1, "x");
    ds.edit();
    ds.setValue("name", "y");
    ds.setValue("id", 7);
    ds.cancel();
    QCOMPARE(ds.state(), DataSetState::Browse);
    QCOMPARE(ds.value("name").toString(), QString("x"));
    QCOMPARE(ds.value("id").toInt(), 2);
    QCOMPARE(describe(ds.changeLog()), QStringList{"Modified 2,b -> 2,x"});
}

void TestClientDataSet::logFollowsOrderOfFirstChange()
{
    ClientDataSet ds;
    ds.load(threeRows());
    setName(ds, 2, "x");
    ds.setRecNo(0);
    insertNamed(ds, 9, "n");
    ds.setRecNo(2); // "b", one further down since the insert
    ds.deleteRow();
    setName(ds, 2, "y"); // a second change keeps the row's place in the log
    QCOMPARE(describe(ds.changeLog()),
             (QStringList{"Modified 3,c -> 3,y", "Inserted -> 9,n", "Deleted 2,b"}));
}

void TestClientDataSet::acceptedChangesLeaveLogAndCountAsLoaded()
{
    ClientDataSet ds;
    ds.load(threeRows());
    setName(ds, 0, "x");
    insertNamed(ds, 9, "n"); // n x b c
    ds.setRecNo(3);
    ds.deleteRow();
    ds.setRecNo(1);
    ds.edit();
    ds.setValue("name", "pending");

    // The row being edited is logged with what it had when last posted.
    const ChangeLog log = ds.changeLog();
    QCOMPARE(describe(log), (QStringList{"Modified 1,a -> 1,x", "Inserted -> 9,n", "Deleted 3,c"}));
    const quint64 modified = log.changes[0].id;
    const quint64 inserted = log.changes[1].id;
    ds.acceptChanges({modified, log.changes[2].id});
    QCOMPARE(ds.changeCount(), 1);
    QCOMPARE(describe(ds.changeLog()), QStringList{"Inserted -> 9,n"});
    QCOMPARE(ds.state(), DataSetState::Edit);
    ds.post();
    QCOMPARE(describe(ds.changeLog()),
             (QStringList{"Inserted -> 9,n", "Modified 1,x -> 1,pending"}));

    ds.acceptChanges({inserted, modified});
    QCOMPARE(ds.changeCount(), 0);
    // Accepted rows count as loaded with the values they had: a change starts from those.
    ds.setRecNo(0);
    ds.deleteRow();
    setName(ds, 0, "y");
    QCOMPARE(describe(ds.changeLog()), (QStringList{"Deleted 9,n", "Modified 1,pending -> 1,y"}));
}

void TestClientDataSet::convertsToColumnType_data()
{
    QTest::addColumn<FieldType>("type");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("error");
    const QDateTime dt(QDate(2026, 1, 2), QTime(3, 4, 5));
    const QDateTime midnight(QDate(2026, 1, 2), QTime(0, 0));
    const auto ok = [](const char* name, FieldType type, const QVariant& in, const QVariant& out) {
        QTest::newRow(name) << type << in << out << QString();
    };
    const auto bad = [](const char* name, FieldType type, const QVariant& in, const char* error) {
        QTest::newRow(name) << type << in << QVariant() << QString(error);
    };
    ok("integer from text", FieldType::Integer32, "42", 42);
    ok("integer from text with blanks", FieldType::Integer32, " -42 ", -42);
    ok("small integer from text", FieldType::Integer16, "7", 7);
    ok("integer from whole double", FieldType::Integer32, 7.0, 7);
    ok("big integer from text", FieldType::Integer64, "3000000000", qlonglong(3000000000LL));
    ok("float from text", FieldType::Float, "2.5", 2.5);
    ok("float from integer", FieldType::Float, 3, 3.0);
    ok("decimal from text", FieldType::Decimal, "12.50", "12.50");
    ok("decimal from double", FieldType::Decimal, 2.5, "2.5");
    ok("text from integer", FieldType::Text, 12, "12");
    ok("text from date and time", FieldType::Text, dt, "2026-01-02 03:04:05");
    ok("time from time", FieldType::Time, QTime(3, 4, 5), "03:04:05");
    ok("date from text", FieldType::Date, "2026-01-02", QDate(2026, 1, 2));
    ok("date from date and time text", FieldType::Date, "2026-01-02 03:04:05", QDate(2026, 1, 2));
    ok("date and time from text", FieldType::DateTime, "2026-01-02 03:04:05", dt);
    ok("date and time from date text", FieldType::DateTime, "2026-01-02", midnight);
    ok("date and time from ISO text", FieldType::DateTime, "2026-01-02T03:04:05", dt);
    ok("date and time from date", FieldType::DateTime, QDate(2026, 1, 2), midnight);
    ok("date and time kept", FieldType::DateTime, dt, dt);
    ok("blob from text", FieldType::Blob, "ab", QByteArray("ab"));
    ok("empty text in integer is NULL", FieldType::Integer32, "", sqlNull());
    ok("blank text in float is NULL", FieldType::Float, "  ", sqlNull());
    ok("empty text in decimal is NULL", FieldType::Decimal, "", sqlNull());
    ok("empty text in date and time is NULL", FieldType::DateTime, "", sqlNull());
    ok("empty text in text stays", FieldType::Text, "", "");
    ok("NULL in integer", FieldType::Integer32, sqlNull(), sqlNull());
    bad("letters in integer", FieldType::Integer32, "abc", "'abc' is not a valid integer value");
    bad("fraction in integer", FieldType::Integer32, "1.5", "'1.5' is not a valid integer value");
    bad("fractional double in integer", FieldType::Integer64, 1.5,
        "'1.5' is not a valid integer value");
    bad("integer beyond 32 bits", FieldType::Integer32, "3000000000",
        "'3000000000' is not a valid integer value");
    bad("letters in float", FieldType::Float, "x1", "'x1' is not a valid floating point value");
    bad("decimal comma", FieldType::Decimal, "1,5", "'1,5' is not a valid floating point value");
    bad("no such day", FieldType::DateTime, "2026-13-40",
        "'2026-13-40' is not a valid date and time");
    bad("words for a date", FieldType::Date, "tomorrow", "'tomorrow' is not a valid date and time");
}

void TestClientDataSet::convertsToColumnType()
{
    QFETCH(FieldType, type);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, error);
    DataPacket p;
    p.columns = {{"v", type, 0, false, "t"}};
    ClientDataSet ds;
    ds.load(p);
    ds.append();
    try {
        ds.setValue("v", input);
        QVERIFY2(error.isEmpty(), "no error");
    } catch (const Error& e) {
        QCOMPARE(e.text(), error);
        QVERIFY(isUnset(ds.value("v")));
        return;
    }
    const QVariant actual = ds.value("v");
    QCOMPARE(QByteArray(actual.typeName()), QByteArray(expected.typeName()));
    if (!isSqlNull(expected))
        QCOMPARE(actual, expected);
}

void TestClientDataSet::keepsNullApartFromEmptyText()
{
    DataPacket p;
    p.columns = {{"hn", FieldType::Text, 9, false, "t"}};
    p.rows = {{QString("")}, {sqlNull()}};
    ClientDataSet ds;
    ds.load(p);
    QVERIFY(!isSqlNull(ds.value(0, 0)));
    QCOMPARE(ds.value(0, 0).toString(), QString(""));
    QVERIFY(isSqlNull(ds.value(1, 0)));

    // Swapping them is a change of both rows.
    ds.edit();
    ds.setValue("hn", sqlNull());
    ds.post();
    ds.setRecNo(1);
    ds.edit();
    ds.setValue("hn", "");
    ds.post();
    QCOMPARE(describe(ds.changeLog()), (QStringList{"Modified  -> NULL", "Modified NULL -> "}));

    ds.append();
    ds.setValue("hn", "x");
    ds.setValue("hn", QVariant());
    QVERIFY(isUnset(ds.value("hn")));
}

void TestClientDataSet::announcesRowChanges_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("load") << Operation([](ClientDataSet& ds) { ds.load(noRows()); })
                          << QStringList{"aboutToReset", "reset", "current -1"};
    QTest::newRow("close") << Operation([](ClientDataSet& ds) { ds.close(); })
                           << QStringList{"aboutToReset", "reset", "state Inactive", "current -1"};
    QTest::newRow("insert") << Operation([](ClientDataSet& ds) {
        ds.insert();
    }) << QStringList{"aboutToInsert 1", "inserted 1", "current 1", "state Insert"};
    QTest::newRow("append") << Operation([](ClientDataSet& ds) {
        ds.append();
    }) << QStringList{"aboutToInsert 3", "inserted 3", "current 3", "state Insert"};
    QTest::newRow("set value") << Operation([](ClientDataSet& ds) {
        ds.edit();
        ds.setValue("name", "x");
    }) << QStringList{"state Edit", "changed 1"};
    QTest::newRow("cancel edit") << Operation([](ClientDataSet& ds) {
        ds.edit();
        ds.cancel();
    }) << QStringList{"state Edit", "state Browse", "changed 1"};
    QTest::newRow("cancel insert") << Operation([](ClientDataSet& ds) {
        ds.insert();
        ds.cancel();
    }) << QStringList{"aboutToInsert 1", "inserted 1", "current 1", "state Insert",
                      "aboutToRemove 1", "removed 1",  "current 1", "state Browse"};
    QTest::newRow("delete") << Operation([](ClientDataSet& ds) { ds.deleteRow(); })
                            << QStringList{"aboutToRemove 1", "removed 1", "current 1"};
    QTest::newRow("move") << Operation([](ClientDataSet& ds) { ds.setRecNo(0); })
                          << QStringList{"current 0"};
}

void TestClientDataSet::announcesRowChanges()
{
    QFETCH(Operation, operation);
    QFETCH(QStringList, expected);
    ClientDataSet ds;
    ds.load(threeRows());
    ds.setRecNo(1);
    QStringList seen;
    const auto record = [&](const QString& text) { return [&seen, text] { seen << text; }; };
    const auto recordRow = [&](const QString& text) {
        return [&seen, text](int row) { seen << text + ' ' + QString::number(row); };
    };
    connect(&ds, &ClientDataSet::aboutToReset, this, record("aboutToReset"));
    connect(&ds, &ClientDataSet::reset, this, record("reset"));
    connect(&ds, &ClientDataSet::rowAboutToBeInserted, this, recordRow("aboutToInsert"));
    connect(&ds, &ClientDataSet::rowInserted, this, recordRow("inserted"));
    connect(&ds, &ClientDataSet::rowAboutToBeRemoved, this, recordRow("aboutToRemove"));
    connect(&ds, &ClientDataSet::rowRemoved, this, recordRow("removed"));
    connect(&ds, &ClientDataSet::rowChanged, this, recordRow("changed"));
    connect(&ds, &ClientDataSet::currentRowChanged, this, recordRow("current"));
    connect(&ds, &ClientDataSet::stateChanged, this, [&seen](DataSetState state) {
        static const char* const names[] = {"Inactive", "Browse", "Edit", "Insert"};
        seen << QString("state ") + names[int(state)];
    });
    operation(ds);
    QCOMPARE(seen, expected);
}

QTEST_GUILESS_MAIN(TestClientDataSet)
#include "TestClientDataSet.moc"
