#include "data/DataSetModel.h"

#include "data/Error.h"

#include <QDateTime>

namespace {

// The text used to match a value with a lookup key; NULL and "not set" match nothing.
QString keyText(const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return {};
    return value.toString();
}

QString plainText(const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return {};
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    default:
        return value.toString();
    }
}

} // namespace

DataSetModel::DataSetModel(ClientDataSet* dataSet, QVector<ColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_columns(std::move(columns))
{
    connect(m_dataSet, &ClientDataSet::aboutToReset, this, &DataSetModel::beginResetModel);
    connect(m_dataSet, &ClientDataSet::reset, this, &DataSetModel::endResetModel);
    connect(m_dataSet, &ClientDataSet::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows({}, row, row); });
    connect(m_dataSet, &ClientDataSet::rowInserted, this, &DataSetModel::endInsertRows);
    connect(m_dataSet, &ClientDataSet::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(m_dataSet, &ClientDataSet::rowRemoved, this, &DataSetModel::endRemoveRows);
    connect(m_dataSet, &ClientDataSet::rowChanged, this, &DataSetModel::emitRowChanged);

    for (int column = 0; column < m_columns.size(); ++column) {
        const ClientDataSet* lookup = m_columns[column].lookup;
        if (!lookup)
            continue;
        const auto changed = [this, column] { lookupChanged(column); };
        connect(lookup, &ClientDataSet::reset, this, changed);
        connect(lookup, &ClientDataSet::rowInserted, this, changed);
        connect(lookup, &ClientDataSet::rowRemoved, this, changed);
        connect(lookup, &ClientDataSet::rowChanged, this, changed);
    }
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_dataSet->rowCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.column(), fieldValue(index.row(), index.column()));
    case Qt::EditRole:
        return fieldValue(index.row(), index.column());
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns[section].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index) || !m_columns[index.column()].editable)
        return false;
    return setFieldValue(index.row(), index.column(), value);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (isCell(index) && m_columns[index.column()].editable)
        result |= Qt::ItemIsEditable;
    return result;
}

bool DataSetModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && checkIndex(index);
}

QVariant DataSetModel::fieldValue(int row, int column) const
{
    const int field = m_dataSet->fieldIndex(m_columns[column].field);
    if (field < 0 || row < 0 || row >= m_dataSet->rowCount())
        return {};
    return m_dataSet->value(row, field);
}

bool DataSetModel::setFieldValue(int row, int column, const QVariant& value)
{
    if (row < 0 || row >= m_dataSet->rowCount())
        return false;
    try {
        m_dataSet->setRecNo(row);
        m_dataSet->edit();
        m_dataSet->setValue(m_columns[column].field, value);
        m_dataSet->post();
        return true;
    } catch (const Error&) {
        m_dataSet->cancel();
        return false;
    }
}

QString DataSetModel::displayText(int column, const QVariant& value) const
{
    const ColumnSpec& columnSpec = m_columns[column];
    if (columnSpec.lookup) {
        auto cache = m_lookupCache.find(column);
        if (cache == m_lookupCache.end()) {
            QHash<QString, QString> shown;
            const int key = columnSpec.lookup->fieldIndex(columnSpec.lookupKey);
            const int show = columnSpec.lookup->fieldIndex(columnSpec.lookupShow);
            if (key >= 0 && show >= 0) {
                for (int row = 0; row < columnSpec.lookup->rowCount(); ++row) {
                    const QString k = keyText(columnSpec.lookup->value(row, key));
                    if (!k.isEmpty() && !shown.contains(k))
                        shown.insert(k, plainText(columnSpec.lookup->value(row, show)));
                }
            }
            cache = m_lookupCache.insert(column, shown);
        }
        return cache->value(keyText(value));
    }
    return plainText(value);
}

void DataSetModel::lookupChanged(int column)
{
    m_lookupCache.remove(column);
    const int rows = rowCount();
    if (rows > 0)
        emit dataChanged(index(0, column), index(rows - 1, column), {Qt::DisplayRole});
}

void DataSetModel::emitRowChanged(int row)
{
    if (!m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}
