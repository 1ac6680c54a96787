#include "schema.h"

#include "host/appconnection.h"

namespace erp {

bool createSchema(AppConnection &, QString *)
{
    return true;
}

bool schemaExists(AppConnection &)
{
    return false;
}

} // namespace erp
