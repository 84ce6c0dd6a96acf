#pragma once
// An in-memory table loaded from a data packet: a current row, browse/edit/insert states, and a
// change log of inserted, modified and deleted rows that ApplyDelta writes back to the database.
#include "data/DataPacket.h"

#include <QObject>
#include <QVector>

enum class DataSetState { Inactive, Browse, Edit, Insert };
enum class ChangeKind { Inserted, Modified, Deleted };

struct Change
{
    quint64 id = 0; // the row's stable id; acceptChanges() takes it
    ChangeKind kind = ChangeKind::Inserted;
    QVector<QVariant> original; // Modified, Deleted: the values as loaded or last accepted
    QVector<QVariant> current;  // Inserted, Modified: the values now
};

// What ApplyDelta needs: the columns and the changes in log order (the order in which each row
// was first changed).
struct ChangeLog
{
    QVector<Column> columns;
    QVector<Change> changes;
};

class ClientDataSet : public QObject
{
    Q_OBJECT
public:
    explicit ClientDataSet(QObject* parent = nullptr);

    // Replaces everything with the packet's columns and rows; the log is empty, the first row
    // is current, the state is Browse.
    void load(const DataPacket& packet);
    // Drops columns, rows and log; the state is Inactive.
    void close();
    bool isActive() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }

    const QVector<Column>& columns() const { return m_columns; }
    // Column index by name (case-insensitive), -1 when there is none.
    int fieldIndex(const QString& name) const;

    // Rows that are not deleted, in display order.
    int rowCount() const;
    // The current row, -1 when there is none.
    int recNo() const { return m_current; }
    // Moves to another row; a row being edited or inserted is posted first.
    void setRecNo(int row);

    // The current row's value of a column; throws Error when the column does not exist or
    // there is no current row.
    QVariant value(const QString& field) const;
    QVariant value(int row, int column) const;
    // Sets a value of the current row, which must be in Edit or Insert state (throws Error
    // otherwise). The value is converted to the column's type; a text that does not convert
    // throws Error ("'abc' is not a valid integer value"). sqlNull() sets NULL.
    void setValue(const QString& field, const QVariant& value);
    void setValue(int column, const QVariant& value);

    // Posts a row being edited or inserted, then starts a new empty row before the current
    // one (at the end when there is none); the new row is current and the state is Insert.
    void insert();
    // The same, with the new row at the end.
    void append();
    // Puts the current row into Edit state (nothing when it already is being edited or
    // inserted). Throws Error when there is no current row.
    void edit();
    // Completes the row being edited or inserted and records it in the log; nothing in Browse.
    // An edit that leaves every value as it was records nothing.
    void post();
    // Drops what the row being edited got since edit(), or the row being inserted.
    void cancel();
    // Deletes the current row (cancelling an insert or edit of it first). A deleted inserted
    // row leaves the log; a loaded row is logged as deleted with its original values.
    void deleteRow();

    int changeCount() const;
    ChangeLog changeLog() const;
    // Takes the given changes out of the log as written: their rows count as loaded with their
    // current values; deleted rows are forgotten. Other changes stay in the log.
    void acceptChanges(const QVector<quint64>& ids);

signals:
    void aboutToReset();
    void reset();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged(DataSetState state);

private:
    void endReset(DataSetState state);
    enum class RowStatus { Unchanged, Inserted, Modified };
    struct Row
    {
        quint64 id = 0;
        RowStatus status = RowStatus::Unchanged;
        quint64 logSeq = 0; // order of first change; 0 = not in the log
        QVector<QVariant> values;
        QVector<QVariant> original; // loaded or last accepted values
    };
    struct DeletedRow
    {
        quint64 id = 0;
        quint64 logSeq = 0;
        QVector<QVariant> original;
    };

    void requireActive() const;
    void requireCurrentRow() const;
    int requireField(const QString& field) const;
    void setState(DataSetState state);
    void setCurrent(int row);
    void addRow(int position);
    void removeRow(int row);
    // The row's values as last posted: while it is being edited, those from before edit().
    const QVector<QVariant>& postedValues(int row) const;

    QVector<Column> m_columns;
    QVector<Row> m_rows;
    QVector<DeletedRow> m_deleted;
    QVector<QVariant> m_editBackup; // values of the current row when edit() began
    int m_current = -1;
    DataSetState m_state = DataSetState::Inactive;
    quint64 m_nextId = 1;
    quint64 m_nextSeq = 1;
};
