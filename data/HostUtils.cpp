#include "data/HostUtils.h"

#include "app/Messages.h"
#include "app/Platform.h"
#include "data/ClientDataSet.h"
#include "data/Error.h"
#include "data/QueryLayer.h"
#include "data/SqlValue.h"
#include "data/TDSDM.h"

#include <QCoreApplication>

namespace {

QString text(const QVariant& v)
{
    return v.toString();
}

// Loads a query's result into a dataset of the caller's own, so no nested call can disturb it.
void load(TDSDM& dm, ClientDataSet& ds, const QString& sql)
{
    ds.load(QueryData(dm, sql));
}

} // namespace

QString GetSysVar(TDSDM& dm, const QString& name)
{
    QString result;
    try {
        QCoreApplication::processEvents();
        ClientDataSet ds;
        load(dm, ds,
             QStringLiteral("select count(*) as cc from sys_var where sys_name=") + sqlValue(name));
        const int count = ds.value(QStringLiteral("cc")).toInt();
        ds.close();
        if (count > 0) {
            load(dm, ds,
                 QStringLiteral("select sys_value from sys_var where sys_name=") + sqlValue(name));
            result = text(ds.value(QStringLiteral("sys_value")));
        } else {
            const QString sql =
                QStringLiteral("select * from sys_var where sys_name=") + sqlValue(name);
            load(dm, ds, sql);
            QCoreApplication::processEvents();
            ds.insert();
            ds.setValue(QStringLiteral("sys_name"), name);
            ds.post();
            // Another workstation may have added the same key meanwhile: the row exists
            // either way, so the count is not an error here.
            if (ds.changeCount() > 0)
                ApplyDelta(dm, ds.changeLog(), sql);
        }
        ds.close();
    } catch (const std::exception& e) {
        dm.messages.error(QStringLiteral("Error : Get Variable ") + name + QLatin1Char('\r') +
                          QString::fromUtf8(e.what()));
    }
    return result;
}

void SetSysVar(TDSDM& dm, const QString& name, const QString& value)
{
    GetSysVar(dm, name);
    const QString sql = QStringLiteral("select * from sys_var where sys_name=") + sqlValue(name);
    ClientDataSet ds;
    load(dm, ds, sql);
    if (ds.rowCount() > 0) {
        ds.edit();
    } else {
        ds.insert();
        ds.setValue(QStringLiteral("sys_name"), name);
    }
    ds.setValue(QStringLiteral("sys_value"), value);
    ds.post();
    if (ds.changeCount() > 0) {
        const ApplyResult written = ApplyDelta(dm, ds.changeLog(), sql);
        if (written.failed > 0)
            throw Error(QStringLiteral("Cannot write system variable ") + name + QLatin1Char('\r') +
                        written.firstError);
    }
}

namespace {

QString hospitalValue(TDSDM& dm, const QString& sql)
{
    ClientDataSet ds;
    load(dm, ds, sql);
    return ds.rowCount() > 0 ? text(ds.value(QStringLiteral("hn"))) : QString();
}

} // namespace

QString GetHospitalCode(TDSDM& dm)
{
    dm.session.HospitalCode =
        hospitalValue(dm, QStringLiteral("select hospitalcode as hn from opdconfig"));
    return dm.session.HospitalCode;
}

QString GetHospitalName(TDSDM& dm)
{
    dm.session.HospitalName =
        hospitalValue(dm, QStringLiteral("select hospitalname as hn from opdconfig"));
    return dm.session.HospitalName;
}

bool HasAccessRight(TDSDM& dm, const QString& rightName)
{
    const int known =
        QueryValue(dm, QStringLiteral(
                           "select count(rightname) as cc from accessoperation  where rightname=") +
                           sqlValue(rightName) + QLatin1Char(' '))
            .toInt();
    if (known == 0) {
        const QString sql = QStringLiteral("select * from accessoperation limit 0");
        ClientDataSet ds;
        load(dm, ds, sql);
        ds.append();
        ds.setValue(QStringLiteral("rightname"), rightName);
        ds.setValue(QStringLiteral("accessname"), QStringLiteral("Access_") + rightName);
        ds.post();
        // A duplicate from another workstation registering the same right is no failure.
        if (ds.changeCount() > 0)
            ApplyDelta(dm, ds.changeLog(), sql);
    }
    if (QueryValue(dm, QStringLiteral("select count(loginname) as cc from opduser")).toInt() <= 0)
        return true;

    ClientDataSet user;
    load(dm, user,
         QStringLiteral("select accessright from opduser where loginname='") +
             sqlEscaped(dm.session.LoginName) + QLatin1Char('\''));
    const QString rights =
        user.rowCount() > 0 ? text(user.value(QStringLiteral("accessright"))) : QString();
    auto upper = [](QString s) {
        for (QChar& c : s)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        return s;
    };
    const QString right = upper(rightName);
    const QString held = upper(rights);
    if (!right.isEmpty() && held.contains(right))
        return true;
    return held.contains(QLatin1String("[ADMIN]"));
}

int NextSerialNumber(TDSDM& dm, const QString& name)
{
    // Sent as written: no quote conversion, no query lock, no message pumping.
    DbConnection& db = dm.DSDBConnection;
    const QString key = sqlRawValue(name);
    const int present = db.query(QStringLiteral("select count(*) as cc from serial where name=") +
                                 key + QStringLiteral(" and serial_no is not null"))
                            .rows.value(0)
                            .value(0)
                            .toInt();
    if (present == 0) {
        const bool hasRow =
            !db.query(QStringLiteral("select * from serial where name=") + key).rows.isEmpty();
        if (hasRow) {
            // Only a row still NULL: another workstation may have started the serial meanwhile,
            // and setting it back to 0 would hand out its numbers a second time.
            db.execute(QStringLiteral("UPDATE serial SET serial_no = 0 WHERE name = ") + key +
                       QStringLiteral(" AND serial_no IS NULL"));
        } else {
            try {
                db.execute(QStringLiteral("INSERT INTO serial (name, serial_no) VALUES (") + key +
                           QStringLiteral(", 0)"));
            } catch (const Error&) {
                // Another workstation may just have created it; go on only if it is there now.
                if (db.query(QStringLiteral("select * from serial where name=") + key)
                        .rows.isEmpty())
                    throw;
            }
        }
    }
    db.execute(QStringLiteral("LOCK TABLES serial WRITE"));
    int number = 0;
    try {
        db.execute(QStringLiteral("update serial set serial_no=serial_no+1 where name=") + key);
        const DataPacket p =
            db.query(QStringLiteral("select serial_no from serial where name=") + key);
        if (p.rows.isEmpty())
            throw Error(QStringLiteral("Serial ") + name + QStringLiteral(" not found"));
        number = p.rows.first().first().toInt();
    } catch (...) {
        try {
            db.execute(QStringLiteral("UNLOCK TABLES"));
        } catch (const Error&) {
            // a lost connection takes its table locks with it
        }
        throw;
    }
    db.execute(QStringLiteral("UNLOCK TABLES"));
    return number;
}

QString QueryValueList(TDSDM& dm, const QString& sql)
{
    const DataPacket p = QueryData(dm, sql);
    const bool numeric = !p.columns.isEmpty() && (p.columns.first().type == FieldType::Integer16 ||
                                                  p.columns.first().type == FieldType::Integer32);
    QString list;
    for (const QVector<QVariant>& row : p.rows) {
        QString value = text(row.value(0));
        if (numeric) {
            if (value.isEmpty())
                value = QStringLiteral("-1");
        } else {
            value.remove(QLatin1Char('"')).remove(QLatin1Char('\''));
            value = QLatin1Char('\'') + sqlEscaped(value) + QLatin1Char('\'');
        }
        if (!list.isEmpty())
            list += QLatin1Char(',');
        list += value;
    }
    if (p.rows.isEmpty())
        list = numeric ? QStringLiteral("-999") : QStringLiteral("\"\"");
    return list.trimmed();
}

QString LookupField(TDSDM& dm, const QString& keyColumn, const QString& keyValue,
                    const QString& columnExpression, const QString& table)
{
    QString column = columnExpression;
    QString expression = columnExpression;
    if (columnExpression.contains(QLatin1Char(':'))) {
        column = ColonField(columnExpression, 2);
        expression = ColonField(columnExpression, 1) + QStringLiteral(" as ") + column;
    }
    ClientDataSet ds;
    load(dm, ds,
         QStringLiteral("select ") + expression + QStringLiteral(" from ") + table +
             QStringLiteral(" where ") + keyColumn + QStringLiteral(" = ") + keyValue);
    if (ds.rowCount() == 0)
        return QString();
    try {
        return text(ds.value(column)).trimmed();
    } catch (const Error& e) {
        dm.messages.error(QStringLiteral("Error while get string ") + e.text());
        return QString();
    }
}

QString ColonField(const QString& text, int n)
{
    const QString none = QStringLiteral(" ");
    if (text.isEmpty() || n > 10 || n < 1 || n >= text.size() ||
        text.count(QLatin1Char(':')) < n - 1)
        return none;
    const QString rest = text.startsWith(QLatin1Char(':')) ? text.mid(1) : text;
    const QStringList fields = rest.split(QLatin1Char(':'));
    return n <= fields.size() ? fields.at(n - 1) : none;
}

QString GetLocalComputerName(Platform& platform)
{
    const QString name = platform.computerName();
    if (name.isEmpty())
        throw Error(QStringLiteral("Computer name not detected"));
    return name;
}

QString GetTempFolder(Platform& platform)
{
    return platform.tempFolder();
}

QString BoolToYN(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

bool RunProgram(Platform& platform, const QString& verb, const QString& file,
                const QString& parameters, const QString& folder)
{
    return platform.runProgram(verb, file, parameters, folder);
}

bool IsInternetAvailable(Platform& platform)
{
    return platform.internetAvailable();
}
