// A power port that only records. Constructing one installs it; destroying it puts back whatever port
// was installed before.
#pragma once

#include "app/PowerPort.h"

#include <vector>

namespace zv {

class TFakePowerPort final : public IPowerPort {
public:
    TFakePowerPort() : fPrevious(&PowerPort()) { SetPowerPort(this); }
    ~TFakePowerPort() override { SetPowerPort(fPrevious); }
    TFakePowerPort(const TFakePowerPort&) = delete;
    TFakePowerPort& operator=(const TFakePowerPort&) = delete;

    void KeepAwake() override { fRequests.push_back(true); }
    void LetSleep() override { fRequests.push_back(false); }

    // Every request in order: true to keep the system awake, false to let it sleep.
    const std::vector<bool>& Requests() const { return fRequests; }
    // Held after the last request.
    bool Held() const { return !fRequests.empty() && fRequests.back(); }
    void Clear() { fRequests.clear(); }

private:
    IPowerPort* fPrevious;
    std::vector<bool> fRequests;
};

} // namespace zv
