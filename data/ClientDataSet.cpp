#include "data/ClientDataSet.h"

#include "data/Error.h"

#include <QDateTime>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");
const QString dateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString timeFormat = QStringLiteral("HH:mm:ss");

bool isText(const QVariant& v)
{
    return v.metaType().id() == QMetaType::QString;
}

// A blank text in a numeric or date column stands for "no value", which the database keeps as
// NULL.
bool isBlankText(const QVariant& v)
{
    return isText(v) && v.toString().trimmed().isEmpty();
}

QVariant toInteger(const QVariant& value, bool wide)
{
    bool ok = false;
    qlonglong n = 0;
    switch (value.metaType().id()) {
    case QMetaType::QString:
        n = value.toString().trimmed().toLongLong(&ok);
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        // A fraction would be lost without a word; refuse it like a text that is no integer.
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18;
        n = ok ? qlonglong(d) : 0;
        break;
    }
    default:
        n = value.toLongLong(&ok);
    }
    if (ok && !wide)
        ok = n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
    if (!ok)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
    return wide ? QVariant(n) : QVariant(int(n));
}

double toFloat(const QVariant& value)
{
    bool ok = false;
    const double d = isText(value) ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    if (!ok)
        throw Error(
            QStringLiteral("'%1' is not a valid floating point value").arg(value.toString()));
    return d;
}

QDateTime toDateTime(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().startOfDay();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        QDateTime dt = QDateTime::fromString(text, dateTimeFormat);
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(text, dateFormat);
            if (d.isValid())
                dt = d.startOfDay();
        }
        if (!dt.isValid())
            dt = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (dt.isValid())
            return dt;
        break;
    }
    default:
        break;
    }
    throw Error(QStringLiteral("'%1' is not a valid date and time").arg(value.toString()));
}

QString toText(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(dateFormat);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(dateTimeFormat);
    case QMetaType::QTime:
        return value.toTime().toString(timeFormat);
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

// The value as the column holds it. NULL and "not set" pass unchanged.
QVariant convert(const Column& column, const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return value;
    switch (column.type) {
    case FieldType::Text:
        return toText(value);
    case FieldType::Blob:
        return isText(value) ? value.toString().toUtf8() : value.toByteArray();
    default:
        break;
    }
    if (isBlankText(value))
        return sqlNull();
    switch (column.type) {
    case FieldType::Integer16:
    case FieldType::Integer32:
        return toInteger(value, false);
    case FieldType::Integer64:
        return toInteger(value, true);
    case FieldType::Float:
        return toFloat(value);
    case FieldType::Decimal:
        // Kept as text so that no digit is lost; checked as a number all the same.
        toFloat(value);
        return value.toString().trimmed();
    case FieldType::Date:
        return toDateTime(value).date();
    case FieldType::DateTime:
        return toDateTime(value);
    case FieldType::Time:
        if (value.metaType().id() == QMetaType::QDateTime)
            return value.toDateTime().time().toString(timeFormat);
        return toText(value);
    case FieldType::Text:
    case FieldType::Blob:
        break;
    }
    return value;
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (isUnset(a) || isUnset(b))
        return isUnset(a) && isUnset(b);
    if (isSqlNull(a) || isSqlNull(b))
        return isSqlNull(a) && isSqlNull(b);
    return a == b;
}

bool sameValues(const QVector<QVariant>& a, const QVector<QVariant>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameValue);
}

} // namespace

ClientDataSet::ClientDataSet(QObject* parent) : QObject(parent) {}

void ClientDataSet::load(const DataPacket& packet)
{
    emit aboutToReset();
    m_columns = packet.columns;
    m_rows.clear();
    m_rows.reserve(packet.rows.size());
    for (const QVector<QVariant>& values : packet.rows) {
        Row row;
        row.id = m_nextId++;
        row.values = values;
        row.values.resize(m_columns.size());
        row.original = row.values;
        m_rows.append(row);
    }
    m_deleted.clear();
    m_editBackup.clear();
    m_current = m_rows.isEmpty() ? -1 : 0;
    endReset(DataSetState::Browse);
}

// The end of a load or close: the new state and the signals a view needs after a reset.
void ClientDataSet::endReset(DataSetState state)
{
    const DataSetState before = m_state;
    m_state = state;
    emit reset();
    if (before != m_state)
        emit stateChanged(m_state);
    emit currentRowChanged(m_current);
}

void ClientDataSet::close()
{
    emit aboutToReset();
    m_columns.clear();
    m_rows.clear();
    m_deleted.clear();
    m_editBackup.clear();
    m_current = -1;
    endReset(DataSetState::Inactive);
}

int ClientDataSet::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ClientDataSet::rowCount() const
{
    return m_rows.size();
}

void ClientDataSet::setRecNo(int row)
{
    requireActive();
    if (row < 0 || row >= m_rows.size())
        throw Error(QStringLiteral("Row %1 does not exist").arg(row));
    post();
    setCurrent(row);
}

QVariant ClientDataSet::value(const QString& field) const
{
    const int column = requireField(field);
    requireCurrentRow();
    return m_rows[m_current].values[column];
}

QVariant ClientDataSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        throw Error(QStringLiteral("Row %1 does not exist").arg(row));
    if (column < 0 || column >= m_columns.size())
        throw Error(QStringLiteral("Field number %1 does not exist").arg(column));
    return m_rows[row].values[column];
}

void ClientDataSet::setValue(const QString& field, const QVariant& value)
{
    setValue(requireField(field), value);
}

void ClientDataSet::setValue(int column, const QVariant& value)
{
    if (column < 0 || column >= m_columns.size())
        throw Error(QStringLiteral("Field number %1 does not exist").arg(column));
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw Error(QStringLiteral("Dataset not in edit or insert mode"));
    m_rows[m_current].values[column] = convert(m_columns[column], value);
    emit rowChanged(m_current);
}

void ClientDataSet::insert()
{
    requireActive();
    post();
    addRow(m_current < 0 ? m_rows.size() : m_current);
}

void ClientDataSet::append()
{
    requireActive();
    post();
    addRow(m_rows.size());
}

void ClientDataSet::edit()
{
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    requireActive();
    requireCurrentRow();
    m_editBackup = m_rows[m_current].values;
    setState(DataSetState::Edit);
}

void ClientDataSet::post()
{
    if (m_state == DataSetState::Insert) {
        m_rows[m_current].logSeq = m_nextSeq++;
    } else if (m_state == DataSetState::Edit) {
        Row& row = m_rows[m_current];
        if (row.status != RowStatus::Inserted) {
            if (sameValues(row.values, row.original)) {
                row.status = RowStatus::Unchanged;
                row.logSeq = 0;
            } else {
                row.status = RowStatus::Modified;
                if (row.logSeq == 0)
                    row.logSeq = m_nextSeq++;
            }
        }
        m_editBackup.clear();
    } else {
        return;
    }
    setState(DataSetState::Browse);
}

void ClientDataSet::cancel()
{
    if (m_state == DataSetState::Insert) {
        removeRow(m_current);
        setState(DataSetState::Browse);
    } else if (m_state == DataSetState::Edit) {
        m_rows[m_current].values = m_editBackup;
        m_editBackup.clear();
        setState(DataSetState::Browse);
        emit rowChanged(m_current);
    }
}

void ClientDataSet::deleteRow()
{
    requireActive();
    requireCurrentRow();
    // Deleting a row that was never posted only takes back its insert.
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    cancel();
    const Row& row = m_rows[m_current];
    if (row.status != RowStatus::Inserted)
        m_deleted.append({row.id, row.logSeq != 0 ? row.logSeq : m_nextSeq++, row.original});
    removeRow(m_current);
}

int ClientDataSet::changeCount() const
{
    const auto logged =
        std::count_if(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.logSeq != 0; });
    return int(logged) + m_deleted.size();
}

ChangeLog ClientDataSet::changeLog() const
{
    QVector<std::pair<quint64, Change>> entries;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (row.logSeq == 0)
            continue;
        Change change;
        change.id = row.id;
        change.current = postedValues(i);
        if (row.status == RowStatus::Modified) {
            change.kind = ChangeKind::Modified;
            change.original = row.original;
        }
        entries.append({row.logSeq, change});
    }
    for (const DeletedRow& row : m_deleted)
        entries.append({row.logSeq, Change{row.id, ChangeKind::Deleted, row.original, {}}});
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    ChangeLog log;
    log.columns = m_columns;
    log.changes.reserve(entries.size());
    for (const auto& entry : entries)
        log.changes.append(entry.second);
    return log;
}

void ClientDataSet::acceptChanges(const QVector<quint64>& ids)
{
    const QSet<quint64> accepted(ids.begin(), ids.end());
    for (int i = 0; i < m_rows.size(); ++i) {
        Row& row = m_rows[i];
        if (row.logSeq == 0 || !accepted.contains(row.id))
            continue;
        row.original = postedValues(i);
        row.status = RowStatus::Unchanged;
        row.logSeq = 0;
    }
    m_deleted.erase(
        std::remove_if(m_deleted.begin(), m_deleted.end(),
                       [&](const DeletedRow& row) { return accepted.contains(row.id); }),
        m_deleted.end());
}

void ClientDataSet::requireActive() const
{
    if (m_state == DataSetState::Inactive)
        throw Error(QStringLiteral("Dataset is not open"));
}

void ClientDataSet::requireCurrentRow() const
{
    if (m_current < 0)
        throw Error(QStringLiteral("Dataset has no current row"));
}

int ClientDataSet::requireField(const QString& field) const
{
    const int column = fieldIndex(field);
    if (column < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(field));
    return column;
}

void ClientDataSet::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void ClientDataSet::setCurrent(int row)
{
    if (m_current == row)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

void ClientDataSet::addRow(int position)
{
    Row row;
    row.id = m_nextId++;
    row.status = RowStatus::Inserted;
    row.values.resize(m_columns.size());
    emit rowAboutToBeInserted(position);
    m_rows.insert(position, row);
    m_current = position;
    emit rowInserted(position);
    emit currentRowChanged(position);
    setState(DataSetState::Insert);
}

void ClientDataSet::removeRow(int row)
{
    emit rowAboutToBeRemoved(row);
    m_rows.remove(row);
    // The row that took its place, or the last one, becomes current.
    m_current = std::min(row, int(m_rows.size()) - 1);
    emit rowRemoved(row);
    emit currentRowChanged(m_current);
}

const QVector<QVariant>& ClientDataSet::postedValues(int row) const
{
    if (row == m_current && m_state == DataSetState::Edit)
        return m_editBackup;
    return m_rows[row].values;
}
