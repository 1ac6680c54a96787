#include "standins.h"

#include "dataaccess.h"
#include "documentmaker.h"
#include "filelogger.h"
#include "gldata.h"
#include "inisettings.h"
#include "listserver.h"
#include "resloader.h"
#include "shareprops.h"
#include "sheetwriter.h"
#include "sysinfo.h"

#include "host/appconnection.h"
#include "host/hostcomponents.h"

namespace erp {

void installStandIns(HostComponents &components, AppConnection &connection)
{
    auto settings = std::make_shared<IniSettings>();
    components.settings = settings;
    components.listServer = std::make_shared<PeriodListServer>(connection);
    components.logger = std::make_shared<FileLogger>(FileLogger::configuredPath(settings.get()));
    components.shareProps = std::make_shared<LoginShareProps>();
    components.dataAccess = std::make_shared<UserDataAccess>();
    components.resLoader = std::make_shared<QtResLoader>();
    components.sysInfo = std::make_shared<ProfileSysInfo>(connection);
    components.listUpdate = std::make_shared<DocumentMaker>(connection);
    components.sheetWriter = std::make_shared<SpreadsheetWriter>();
    components.glData = std::make_shared<UserRights>();
}

} // namespace erp
