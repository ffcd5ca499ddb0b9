#include "app/PowerPort.h"

#include <windows.h>

namespace zv {

namespace {

class TWindowsPowerPort final : public IPowerPort {
public:
    void KeepAwake() override { ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); }
    void LetSleep() override { ::SetThreadExecutionState(ES_CONTINUOUS); }
};

TWindowsPowerPort gWindowsPort;
IPowerPort* gPort = &gWindowsPort;
unsigned gHolders = 0;

} // namespace

IPowerPort& PowerPort()
{
    return *gPort;
}

void SetPowerPort(IPowerPort* port)
{
    gPort = port ? port : &gWindowsPort;
}

void HoldAwake(TAwakeHolder holder, bool momentAhead)
{
    const unsigned before = gHolders;
    gHolders = momentAhead ? before | holder : before & ~static_cast<unsigned>(holder);
    if (!before && gHolders)
        gPort->KeepAwake();
    else if (before && !gHolders)
        gPort->LetSleep();
}

bool AwakeHeld()
{
    return gHolders != 0;
}

} // namespace zv
