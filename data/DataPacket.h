#pragma once
// The complete result of one query, detached from the connection: the columns as the server
// reports them and every row. SQL NULL is sqlNull(), distinct from the empty text; an invalid
// QVariant means "not set" (an inserted row's column that the program left alone).
#include <QString>
#include <QVariant>
#include <QVector>

enum class FieldType {
    Integer16,
    Integer32,
    Integer64,
    Decimal,
    Float,
    Text,
    Date,
    DateTime,
    Time,
    Blob
};

struct Column
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;            // the column's length as the server reports it
    bool primaryKey = false; // part of the table's primary key
    QString table;           // the table the column comes from, when the server tells
};

inline QVariant sqlNull()
{
    return QVariant::fromValue(nullptr);
}
inline bool isSqlNull(const QVariant& v)
{
    return v.metaType().id() == QMetaType::Nullptr;
}
// Not set at all, neither NULL nor a value.
inline bool isUnset(const QVariant& v)
{
    return !v.isValid();
}

struct DataPacket
{
    QVector<Column> columns;
    QVector<QVector<QVariant>> rows;

    // Index of the column named so (case-insensitive), or -1.
    int columnIndex(const QString& name) const
    {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};
