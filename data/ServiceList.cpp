#include "data/ServiceList.h"

#include "data/HostUtils.h"
#include "data/QueryLayer.h"
#include "data/SqlValue.h"
#include "data/TDSDM.h"

void ServiceList::load(TDSDM& dm, const QString& hn)
{
    pp_special_cds.load(QueryData(dm, QStringLiteral("select * from pp_special  where  hn=") +
                                          sqlValue(hn) + QLatin1Char(' ')));
}

void ServiceList::addService(TDSDM& dm, const QString& vn, const QString& hn,
                             const QVariant& typeId, const QuickEntry& entry)
{
    ClientDataSet& ds = pp_special_cds;
    ds.insert();
    try {
        ds.setValue(QStringLiteral("pp_special_id"),
                    NextSerialNumber(dm, QStringLiteral("pp_special_id")));
        ds.setValue(QStringLiteral("vn"), vn);
        ds.setValue(QStringLiteral("hn"), hn);
        ds.setValue(QStringLiteral("dest_hospcode"), dm.session.HospitalCode);
        ds.setValue(QStringLiteral("doctor"), entry.doctor);
        ds.setValue(QStringLiteral("pp_special_service_place_type_id"), entry.place);
        ds.setValue(QStringLiteral("pp_special_type_id"), typeId);
        ds.setValue(QStringLiteral("entry_datetime"), entry.when);
        ds.post();
    } catch (...) {
        // No half-filled row stays behind in the list.
        if (ds.state() == DataSetState::Insert)
            ds.cancel();
        throw;
    }
}

SaveResult ServiceList::saveAll(TDSDM& dm, const QString& vn, const QString& hn)
{
    ClientDataSet& ds = pp_special_cds;
    ds.post();
    SaveResult saved;
    if (ds.changeCount() == 0)
        return saved;
    const QString sql = QStringLiteral("select * from pp_special   where vn=") + sqlValue(vn) +
                        QStringLiteral(" and hn=") + sqlValue(hn);
    ApplyResult result;
    try {
        result = ApplyDelta(dm, ds.changeLog(), sql);
    } catch (const ApplyDeltaError& e) {
        // The connection went while writing: what was written leaves the log, the rest waits.
        result = e.result;
        result.failed = ds.changeCount() - result.written.size();
        if (result.firstError.isEmpty())
            result.firstError = e.text();
    }
    ds.acceptChanges(result.written);
    saved.written = result.written.size();
    saved.failed = result.failed;
    saved.firstError = result.firstError;
    return saved;
}
