#include "data/DbConnection.h"

#include "data/Error.h"
#include "data/SqlValue.h"

#include <QDate>
#include <QDateTime>
#include <errmsg.h>
#include <mysql.h>

namespace {

FieldType fieldType(const MYSQL_FIELD& f)
{
    const bool isUnsigned = f.flags & UNSIGNED_FLAG;
    switch (f.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_YEAR:
        return FieldType::Integer16;
    case MYSQL_TYPE_SHORT:
        return isUnsigned ? FieldType::Integer32 : FieldType::Integer16;
    case MYSQL_TYPE_INT24:
        return FieldType::Integer32;
    case MYSQL_TYPE_LONG:
        return isUnsigned ? FieldType::Integer64 : FieldType::Integer32;
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_BIT:
        return FieldType::Integer64;
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return FieldType::Decimal;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
        return FieldType::Float;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return FieldType::Date;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return FieldType::DateTime;
    case MYSQL_TYPE_TIME:
        return FieldType::Time;
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_VARCHAR:
        return f.charsetnr == 63 ? FieldType::Blob : FieldType::Text;
    default:
        return FieldType::Text;
    }
}

QVariant toValue(const Column& column, bool isUnsigned, const char* data, unsigned long length)
{
    if (!data)
        return sqlNull();
    const QByteArray bytes = QByteArray::fromRawData(data, int(length));
    switch (column.type) {
    case FieldType::Integer16:
    case FieldType::Integer32:
        return bytes.toInt();
    case FieldType::Integer64:
        return isUnsigned ? QVariant(bytes.toULongLong()) : QVariant(bytes.toLongLong());
    case FieldType::Float:
        return bytes.toDouble();
    case FieldType::Date: {
        const QDate d = QDate::fromString(QString::fromLatin1(bytes), QStringLiteral("yyyy-MM-dd"));
        return d.isValid() ? QVariant(d) : QVariant(QString::fromLatin1(bytes));
    }
    case FieldType::DateTime: {
        const QString text = QString::fromLatin1(bytes);
        QDateTime dt = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            return text; // a zero date stays the text the server sent
        if (text.size() > 20)
            dt = dt.addMSecs(qRound(text.mid(19).toDouble() * 1000));
        return dt;
    }
    case FieldType::Blob:
        return QByteArray(data, int(length));
    case FieldType::Decimal:
    case FieldType::Time:
    case FieldType::Text:
        return QString::fromUtf8(bytes);
    }
    return QString::fromUtf8(bytes);
}

bool connectionLost(unsigned int code)
{
    return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST;
}

} // namespace

DbConnection::~DbConnection()
{
    close();
}

void DbConnection::setParams(const ConnectionParams& params)
{
    if (params == m_params)
        return;
    close();
    m_params = params;
}

void DbConnection::setOption(const QString& name, const QString& value)
{
    if (m_options.value(name) == value)
        return;
    m_options.insert(name, value);
}

void DbConnection::open()
{
    if (m_mysql)
        return;
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql)
        throw Error(QStringLiteral("Out of memory"));
    const unsigned int timeout = 15;
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    const QString charset = m_options.value(QStringLiteral("MySQL.CharSet"));
    if (charset.compare(QStringLiteral("UTF8"), Qt::CaseInsensitive) == 0)
        mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    else if (!charset.isEmpty())
        mysql_options(mysql, MYSQL_SET_CHARSET_NAME, charset.toLatin1().constData());
    const QByteArray server = m_params.server.toUtf8();
    const QByteArray user = m_params.user.toUtf8();
    const QByteArray password = m_params.password.toUtf8();
    const QByteArray database = m_params.database.toUtf8();
    if (!mysql_real_connect(mysql, server.constData(), user.constData(), password.constData(),
                            database.constData(), unsigned(m_params.port), nullptr,
                            CLIENT_FOUND_ROWS)) {
        const QString message = QString::fromUtf8(mysql_error(mysql));
        mysql_close(mysql);
        throw Error(message);
    }
    m_mysql = mysql;
    m_wanted = true;
}

void DbConnection::close()
{
    if (m_mysql)
        mysql_close(m_mysql);
    m_mysql = nullptr;
    m_wanted = false;
}

void DbConnection::fail()
{
    const unsigned int code = mysql_errno(m_mysql);
    const QString message = QString::fromUtf8(mysql_error(m_mysql));
    if (connectionLost(code)) {
        // The next statement opens the connection again; this one is not sent twice.
        mysql_close(m_mysql);
        m_mysql = nullptr;
    }
    throw Error(message);
}

void DbConnection::send(const QString& sql)
{
    if (!m_mysql) {
        if (!m_wanted)
            throw Error(QStringLiteral("Not connected to the database server"));
        open();
    }
    if (m_observer)
        m_observer(sql);
    const QByteArray bytes = sql.toUtf8();
    if (mysql_real_query(m_mysql, bytes.constData(), bytes.size()) != 0)
        fail();
}

quint64 DbConnection::execute(const QString& sql)
{
    send(sql);
    if (MYSQL_RES* result = mysql_store_result(m_mysql))
        mysql_free_result(result);
    else if (mysql_field_count(m_mysql) != 0)
        fail();
    return mysql_affected_rows(m_mysql);
}

DataPacket DbConnection::query(const QString& sql)
{
    send(sql);
    DataPacket packet;
    MYSQL_RES* result = mysql_store_result(m_mysql);
    if (!result) {
        if (mysql_field_count(m_mysql) != 0)
            fail();
        return packet;
    }
    struct Free
    {
        MYSQL_RES* r;
        ~Free() { mysql_free_result(r); }
    } guard{result};

    const unsigned int count = mysql_num_fields(result);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result);
    QVector<bool> isUnsigned(static_cast<qsizetype>(count));
    packet.columns.reserve(int(count));
    for (unsigned int i = 0; i < count; ++i) {
        Column c;
        c.name = QString::fromUtf8(fields[i].name);
        c.type = fieldType(fields[i]);
        c.size = int(fields[i].length);
        c.primaryKey = fields[i].flags & PRI_KEY_FLAG;
        c.table = QString::fromUtf8(fields[i].org_table);
        isUnsigned[int(i)] = fields[i].flags & UNSIGNED_FLAG;
        packet.columns.append(c);
    }
    packet.rows.reserve(int(mysql_num_rows(result)));
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        QVector<QVariant> values(static_cast<qsizetype>(count));
        for (unsigned int i = 0; i < count; ++i)
            values[int(i)] =
                toValue(packet.columns[int(i)], isUnsigned[int(i)], row[i], lengths[i]);
        packet.rows.append(std::move(values));
    }
    return packet;
}

QString DbConnection::literal(const QString& value)
{
    return sqlRawValue(value);
}

QString DbConnection::literal(const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return QStringLiteral("NULL");
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QDate: {
        // Formatted by hand: QDate::toString parses its format at every call.
        const QDate d = value.toDate();
        return QString::asprintf("'%04d-%02d-%02d'", d.year(), d.month(), d.day());
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        const QDate d = dt.date();
        const QTime t = dt.time();
        if (t.msec())
            return QString::asprintf("'%04d-%02d-%02d %02d:%02d:%02d.%03d'", d.year(), d.month(),
                                     d.day(), t.hour(), t.minute(), t.second(), t.msec());
        return QString::asprintf("'%04d-%02d-%02d %02d:%02d:%02d'", d.year(), d.month(), d.day(),
                                 t.hour(), t.minute(), t.second());
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QStringLiteral("''")
                               : QStringLiteral("X'%1'").arg(QString::fromLatin1(bytes.toHex()));
    }
    default:
        return literal(value.toString());
    }
}
