// The real power port, read back from the system. SetThreadExecutionState answers the state it
// replaces, so asking again for the state the port should have set reads what it really set.
//
// Windows keeps the state per thread and forgets a request without ES_CONTINUOUS after one idle
// period (Microsoft's page on SetThreadExecutionState). Wine keeps one state for the whole process,
// answers the previous one the same way, and acts on none of it; it also replaces a continuous state
// only with another continuous one, so a request that lost ES_CONTINUOUS reads back as the old state.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/PowerPort.h"

namespace zv {
namespace {

EXECUTION_STATE ReadBack(EXECUTION_STATE expected)
{
    return ::SetThreadExecutionState(expected);
}

TEST(WindowsPowerPort, HoldsTheSystemNotTheDisplayUntilLetGo)
{
    SetPowerPort(nullptr);
    IPowerPort& port = PowerPort();
    ::SetThreadExecutionState(ES_CONTINUOUS); // a known start, as after the program's own release

    for (int round = 0; round < 2; ++round) {
        port.KeepAwake();
        EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED),
                  ReadBack(ES_CONTINUOUS | ES_SYSTEM_REQUIRED))
            << "held continuously, for the system only (round " << round << ")";
        port.LetSleep();
        EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS), ReadBack(ES_CONTINUOUS))
            << "let go, and nothing left held (round " << round << ")";
    }
}

} // namespace
} // namespace zv
