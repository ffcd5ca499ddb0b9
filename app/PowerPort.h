// The one door through which the program asks the system to stay awake while a moment it must act on
// lies ahead, and lets it sleep again afterwards. Only sleep is held off: the display may still turn
// off, and nothing wakes a machine that sleeps. Tests install a recording port.
#pragma once

namespace zv {

struct IPowerPort {
    virtual ~IPowerPort() = default;
    virtual void KeepAwake() = 0;
    virtual void LetSleep() = 0;
};

// The port in use: the real one unless another was installed.
IPowerPort& PowerPort();

// Installs a port for the requests that follow; nullptr puts the real one back. The caller keeps
// the port alive while it is installed.
void SetPowerPort(IPowerPort* port);

// The windows that can have a moment ahead. The system is held awake while any of them has one; the
// port is asked only when the first one comes or the last one goes, never on every tick.
enum TAwakeHolder : unsigned { ahMainWindow = 1, ahCountdown = 2 };
void HoldAwake(TAwakeHolder holder, bool momentAhead);
bool AwakeHeld();

} // namespace zv
