#include "data/QueryLayer.h"

#include "data/TDSDM.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QRegularExpression>

QString ReplaceAllText(const QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(find, from); at >= 0; at = text.indexOf(find, from)) {
        out += QStringView(text).mid(from, at - from);
        out += replacement;
        from = at + find.size();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString ConvertQuotes(const QString& text)
{
    return ReplaceAllText(ReplaceAllText(text, QStringLiteral("\""), QStringLiteral("'")),
                          QStringLiteral("^^"), QStringLiteral("\""));
}

namespace {

// Blanks and control characters off both ends, ASCII letters upper-cased.
QString classifyingText(const QString& sql)
{
    qsizetype begin = 0, end = sql.size();
    while (begin < end && sql.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && sql.at(end - 1).unicode() <= ' ')
        --end;
    QString out = sql.mid(begin, std::min<qsizetype>(end - begin, 16));
    for (QChar& c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

void pumpMessages()
{
    QCoreApplication::processEvents();
}

} // namespace

bool IsCommandText(const QString& sql)
{
    const QString head = classifyingText(sql);
    for (const char* verb : {"UPDATE", "DROP", "CREATE", "ALTER", "DELETE", "INSERT"})
        if (head.startsWith(QLatin1String(verb)))
            return true;
    return false;
}

QRecursiveMutex& QueryLock()
{
    static QRecursiveMutex lock;
    return lock;
}

DataPacket QueryData(TDSDM& dm, const QString& sql)
{
    pumpMessages();
    QMutexLocker locker(&QueryLock());
    const QString text = ConvertQuotes(sql);
    if (IsCommandText(sql)) {
        dm.DSDBConnection.execute(text);
        return DataPacket();
    }
    return dm.DSDBConnection.query(text);
}

QVariant QueryValue(TDSDM& dm, const QString& sql)
{
    const DataPacket packet = QueryData(dm, sql);
    if (packet.rows.isEmpty() || packet.columns.isEmpty())
        return QVariant();
    return packet.rows.first().first();
}

namespace {

QString tableOf(const QString& convertedSql)
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([`\\w.$]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(convertedSql);
    if (!m.hasMatch())
        throw Error(QStringLiteral("No table to write to in: ") + convertedSql);
    return m.captured(1);
}

QString quotedName(const QString& name)
{
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QLatin1String("``")) +
           QLatin1Char('`');
}

QString condition(const QString& column, const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return quotedName(column) + QStringLiteral(" IS NULL");
    return quotedName(column) + QStringLiteral(" = ") + DbConnection::literal(value);
}

// Finds the row by its key columns, or by every column when the table reports no key.
QString whereClause(const QVector<Column>& columns, const QVector<QVariant>& original, bool keyOnly)
{
    bool anyKey = false;
    for (const Column& c : columns)
        anyKey = anyKey || c.primaryKey;
    QStringList parts;
    for (int i = 0; i < columns.size(); ++i)
        if (!keyOnly || !anyKey || columns[i].primaryKey)
            parts << condition(columns[i].name, original.value(i));
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString statementFor(const QString& table, const QVector<Column>& columns, const Change& change,
                     bool keyOnly)
{
    switch (change.kind) {
    case ChangeKind::Inserted: {
        QStringList names, values;
        for (int i = 0; i < columns.size(); ++i) {
            if (isUnset(change.current.value(i)))
                continue;
            names << quotedName(columns[i].name);
            values << DbConnection::literal(change.current.value(i));
        }
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    }
    case ChangeKind::Modified: {
        QStringList sets;
        for (int i = 0; i < columns.size(); ++i)
            if (DbConnection::literal(change.current.value(i)) !=
                DbConnection::literal(change.original.value(i)))
                sets << quotedName(columns[i].name) + QStringLiteral(" = ") +
                            DbConnection::literal(change.current.value(i));
        if (sets.isEmpty()) // nothing to change: the statement only has to find the row
            sets << quotedName(columns.first().name) + QStringLiteral(" = ") +
                        quotedName(columns.first().name);
        return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
               sets.join(QStringLiteral(", ")) + whereClause(columns, change.original, keyOnly);
    }
    case ChangeKind::Deleted:
        return QStringLiteral("DELETE FROM ") + table +
               whereClause(columns, change.original, keyOnly);
    }
    return QString();
}

// Whether a row of the table SQL's result holds every original value of a change.
bool holdsOriginal(const DataPacket& current, int row, const QVector<Column>& columns,
                   const QVector<QVariant>& original)
{
    for (int i = 0; i < columns.size(); ++i) {
        const int at = current.columnIndex(columns[i].name);
        if (at < 0 || DbConnection::literal(current.rows[row][at]) !=
                          DbConnection::literal(original.value(i)))
            return false;
    }
    return true;
}

// Runs one change's statement; false (with the reason) when it fails or does not hit exactly
// one row.
bool writeChange(DbConnection& db, const QString& statement, ChangeKind kind, QString& reason)
{
    try {
        const quint64 rows = db.execute(statement);
        if (kind != ChangeKind::Inserted && rows != 1) {
            reason = rows == 0 ? QStringLiteral("The row to write was not found")
                               : QStringLiteral("More than one row matched the row to write");
            return false;
        }
        return true;
    } catch (const Error& e) {
        reason = e.text();
        return false;
    }
}

} // namespace

ApplyResult ApplyDelta(TDSDM& dm, const ChangeLog& log, const QString& tableSql)
{
    pumpMessages();
    const QString selectSql = ConvertQuotes(tableSql);
    pumpMessages();
    const QString table = tableOf(selectSql);
    DbConnection& db = dm.DSDBConnection;

    ApplyResult result;
    QVector<int> failed;
    for (int i = 0; i < log.changes.size(); ++i) {
        const Change& change = log.changes[i];
        QString reason;
        if (writeChange(db, statementFor(table, log.columns, change, true), change.kind, reason)) {
            result.written << change.id;
        } else {
            failed << i;
            if (result.firstError.isEmpty())
                result.firstError = reason;
        }
    }
    result.failed = failed.size();
    if (failed.isEmpty())
        return result;

    // Second pass, only over what failed: the rows as the table SQL shows them now.
    DataPacket current;
    try {
        current = db.query(selectSql);
    } catch (const Error& e) {
        throw ApplyDeltaError(e.text(), result);
    }
    result.failed = 0;
    for (const int i : failed) {
        const Change& change = log.changes[i];
        bool found = change.kind == ChangeKind::Inserted;
        for (int r = 0; !found && r < current.rows.size(); ++r)
            found = holdsOriginal(current, r, log.columns, change.original);
        QString reason;
        if (found &&
            writeChange(db, statementFor(table, log.columns, change, false), change.kind, reason)) {
            result.written << change.id;
        } else {
            ++result.failed;
        }
    }
    return result;
}
