#include "sharedstate.h"

#include <QGlobalStatic>

Q_GLOBAL_STATIC(SharedState, g_shared)

SharedState &shared()
{
    return *g_shared;
}

void SharedState::reset()
{
    *this = SharedState();
}
