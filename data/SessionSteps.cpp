#include "data/SessionSteps.h"

#include "app/Messages.h"
#include "data/ClientDataSet.h"
#include "data/Error.h"
#include "data/HostUtils.h"
#include "data/QueryLayer.h"
#include "data/SqlValue.h"
#include "data/TDSDM.h"

#include <QCoreApplication>
#include <functional>

QString LoadSessionUserValues(TDSDM& dm)
{
    SessionValues& s = dm.session;
    const QString computer = GetLocalComputerName(dm.platform);
    const QString login =
        QueryValue(dm, QStringLiteral("select kskloginname from onlineuser  where servername=") +
                           sqlValue(computer) + QLatin1Char(' '))
            .toString();
    if (!login.isEmpty()) {
        s.LoginName = login;
        s.DoctorCode = ReadDoctorCode(dm, true);
    } else {
        s.LoginName.clear();
    }
    return QueryValue(dm, QStringLiteral("select name from opduser where loginname=") +
                              sqlValue(s.LoginName) + QLatin1Char(' '))
        .toString();
}

QString ReadDoctorCode(TDSDM& dm, bool trailingBlank)
{
    return QueryValue(dm, QStringLiteral("select doctorcode from opduser where loginname=") +
                              sqlValue(dm.session.LoginName) +
                              (trailingBlank ? QStringLiteral(" ") : QString()))
        .toString();
}

QString ReadCurrentHn(TDSDM& dm)
{
    const QVariant hn = QueryValue(
        dm, QStringLiteral(
                "select sys_value from sys_var where sys_name like(\"hn_online_for_pelvo\")"));
    if (isSqlNull(hn))
        throw Error(
            QStringLiteral("The current patient's HN in sys_var \"hn_online_for_pelvo\" is NULL"));
    return hn.toString();
}

QString ReadPatientName(TDSDM& dm, const QString& hn)
{
    return QueryValue(dm,
                      QStringLiteral(
                          "select concat(pname,fname,\" \",lname)as cc from patient where hn=") +
                          sqlValue(hn) + QLatin1Char(' '))
        .toString();
}

void RegisterComputer(TDSDM& dm)
{
    const QString key = dm.session.ComputerName.toUpper();
    QString depcode;
    try {
        depcode = LookupField(dm, QStringLiteral("computer"), sqlValue(key),
                              QStringLiteral("depcode"), QStringLiteral("comdep"));
    } catch (const Error&) {
        // counts as not registered
    }
    if (!depcode.isEmpty())
        return;
    const QString sql = QStringLiteral("select * from comdep where computer=") + sqlValue(key);
    ClientDataSet ds;
    ds.load(QueryData(dm, sql));
    ds.insert();
    ds.setValue(QStringLiteral("computer"), key);
    ds.setValue(QStringLiteral("depcode"), QStringLiteral("000"));
    ds.post();
    try {
        ApplyDelta(dm, ds.changeLog(), sql);
    } catch (const Error&) {
        // a failed registration does not stop the start
    }
}

namespace {

// A read whose failure leaves its value empty and says nothing.
QString guardedRead(const std::function<QString()>& read)
{
    try {
        return read();
    } catch (const Error&) {
        return QString();
    }
}

QString lookup(TDSDM& dm, const QString& keyColumn, const QString& key, const QString& column,
               const QString& table)
{
    return LookupField(dm, keyColumn, sqlValue(key), column, table);
}

// The opdconfig settings and the sys_var keys of the first group.
void readGroupA(TDSDM& dm)
{
    const DataPacket config = QueryData(dm, QStringLiteral("select * from opdconfig"));
    if (config.rows.isEmpty())
        throw Error(QStringLiteral("opdconfig has no row"));
    auto column = [&](const char* name) {
        const int at = config.columnIndex(QLatin1String(name));
        if (at < 0)
            throw Error(QStringLiteral("Field '%1' not found").arg(QLatin1String(name)));
        return config.rows.first().at(at).toString();
    };
    column("searchopdcard");
    toInteger(column("anstartnumber"));
    toInteger(column("hnstartnumber"));
    const QString opdDepcode = column("opddepcode");
    for (const char* name : {"erdepcode", "screendepcode", "xraydepcode", "rxdepcode"})
        column(name);
    for (const char* name : {"finance_depcode", "full_finance", "income_drug", "income_nondrug"})
        guardedRead([&] { return column(name); });
    guardedRead([&] { return lookup(dm, "depcode", opdDepcode, "department", "kskdepartment"); });

    for (const char* name : {"depcode_ipd_rx", "depcode_opd_finance", "depcode_ipd_finance",
                             "unknown_lab_service_code"})
        GetSysVar(dm, QLatin1String(name));
    const QString homeIncome = GetSysVar(dm, QStringLiteral("home_income"));
    lookup(dm, "income", homeIncome, "name", "income");
    for (const char* name : {"depcode_anc", "depcode_baby", "depcode_fp", "check_icd_vwxy",
                             "no_nurse_edit_other_user_cc", "finance_style"})
        GetSysVar(dm, QLatin1String(name));
    guardedRead([&] {
        return QueryValueList(dm,
                              QStringLiteral("select income from income where income_group=14"));
    });
    QueryValueList(dm, QStringLiteral("select income from income where income_group=12"));
    GetSysVar(dm, QStringLiteral("ipd_drug_income"));
    GetSysVar(dm, QStringLiteral("opd_transfer_drug_income"));
    HasAccessRight(dm, QStringLiteral("ADMIN"));
}

// The user's own settings and the sys_var keys of the second group.
void readGroupB(TDSDM& dm, const QString& province)
{
    const SessionValues& s = dm.session;
    guardedRead([&] { return lookup(dm, "code", s.DoctorCode, "force_diagnosis", "doctor"); });
    lookup(dm, "loginname", s.LoginName, "startfullscreen", "opduser");
    guardedRead(
        [&] { return lookup(dm, "loginname", s.LoginName, "drug_access_level", "opduser"); });
    QueryValueList(dm, QStringLiteral("select hospcode from hospcode where chwpart=") +
                           sqlValue(province));

    for (const char* name : {"dm_clinic_code", "doctor_fee_icode1", "doctor_fee_icode2",
                             "check_chronic_visit", "disable_vn_lock"})
        GetSysVar(dm, QLatin1String(name));
    if (GetSysVar(dm, QStringLiteral("run_resync_vn_script")) == QLatin1String("Y")) {
        const QString count = QStringLiteral("select count(*) as cc from sys_app_script");
        if (QueryValue(dm, count).toInt() == 0)
            QueryValue(dm, count);
    }
    for (const char* name :
         {"vn_lock_timeout", "hn_digit", "dm_clinic_code", "ht_clinic_code", "base_web_url",
          "drug_nc_paidst", "hide_item_price", "lock_vn_when_paid", "alert_arrear_opd",
          "new_patient_fee_icode", "print_nondrug_sticker", "NURSE_SERVICE_INCOME",
          "non_drug_account_income", "lab_link_bloodgr"})
        GetSysVar(dm, QLatin1String(name));
    guardedRead([&] {
        return QueryValue(dm, QStringLiteral("select bankacc1 from opdconfig limit 1")).toString();
    });
    guardedRead([&] {
        return QueryValue(dm, QStringLiteral("select count(*) as cc from replicate_slave"))
            .toString();
    });
}

void connectImageDatabase(TDSDM& dm)
{
    const QString database = GetSysVar(dm, QStringLiteral("SEPARATE_IMAGE_DATABASE"));
    const QString separate = GetSysVar(dm, QStringLiteral("SEPARATE_IMAGE_SERVER"));
    if (separate != QLatin1String("Y") || ColonField(database, 4).isEmpty())
        return;
    ConnectionParams p = dm.UniImageServerConnection.params();
    p.server = ColonField(database, 1);
    p.database = ColonField(database, 2);
    p.user = ColonField(database, 3);
    p.password = ColonField(database, 4);
    dm.UniImageServerConnection.setParams(p);
    try {
        dm.UniImageServerConnection.open();
    } catch (const Error& e) {
        dm.messages.error(e.text());
    }
}

} // namespace

void ReadHostSettings(TDSDM& dm)
{
    SessionValues& s = dm.session;
    GetHospitalName(dm);
    s.HospitalCode = GetHospitalCode(dm);
    const DataPacket place = QueryData(
        dm, QStringLiteral("select chwpart,amppart,tmbpart from hospcode where hospcode=") +
                sqlValue(s.HospitalCode));
    const QString province =
        place.rows.isEmpty() ? QString() : place.rows.first().first().toString();

    RegisterComputer(dm);
    try {
        readGroupA(dm);
    } catch (const Error&) {
        dm.messages.error(QStringLiteral("Error While Init Start HN and AN Number"));
    }
    HasAccessRight(dm, QStringLiteral("ADMIN"));
    s.DoctorCode = ReadDoctorCode(dm, false);
    QCoreApplication::processEvents();
    readGroupB(dm, province);
    connectImageDatabase(dm);
}
