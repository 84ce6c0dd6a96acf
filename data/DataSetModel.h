#pragma once
// Shows a ClientDataSet in a grid: one model column per field named in the column list, with an
// optional lookup that shows a name from another dataset instead of the stored key.
#include "data/ClientDataSet.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct ColumnSpec
    {
        // Members left out of a brace list stay empty, without a compiler warning.
        QString field = {};
        QString caption = {};
        // Lookup: the cell shows lookupShow of the lookup row whose lookupKey equals the value.
        const ClientDataSet* lookup = nullptr;
        QString lookupKey = {};
        QString lookupShow = {};
        bool editable = false;
    };

    DataSetModel(ClientDataSet* dataSet, QVector<ColumnSpec> columns, QObject* parent = nullptr);

    ClientDataSet* dataSet() const { return m_dataSet; }
    const ColumnSpec& columnSpec(int column) const { return m_columns[column]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    // The stored value of a cell; an invalid QVariant when the dataset lacks the field.
    QVariant fieldValue(int row, int column) const;
    // Writes one cell through the dataset (move, edit, set, post); false when the dataset
    // refuses the value, which then leaves the row as it was.
    bool setFieldValue(int row, int column, const QVariant& value);
    // The text a cell shows for a value.
    QString displayText(int column, const QVariant& value) const;

private:
    bool isCell(const QModelIndex& index) const;
    void lookupChanged(int column);
    void emitRowChanged(int row);

    ClientDataSet* m_dataSet;
    QVector<ColumnSpec> m_columns;
    // Per lookup column: key text -> shown text, built when first needed.
    mutable QHash<int, QHash<QString, QString>> m_lookupCache;
};
