#include "data/VersionCheck.h"

#include "data/HostUtils.h"
#include "data/TDSDM.h"

namespace {
// Where the newest build that has started publishes its number.
const char* const PublishedBuildName = "application_korvalen";
} // namespace

bool checkPublishedBuild(TDSDM& dm)
{
    const QString name = QLatin1String(PublishedBuildName);
    const QString ours = QString::number(SessionValues::BuildNumber);
    if (GetSysVar(dm, name).isEmpty())
        SetSysVar(dm, name, ours);
    dm.session.PublishedBuild = toInteger(GetSysVar(dm, name));
    if (SessionValues::BuildNumber < dm.session.PublishedBuild)
        return true;
    // Written also when equal: an older build never writes, so the newest started one wins.
    SetSysVar(dm, name, ours);
    return false;
}
