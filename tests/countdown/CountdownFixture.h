// The window set on a fake clock, with the countdown driven through its handlers and timers: a
// second passes on the fake clock before each tick, as it would between two timer messages.
#pragma once

#include "tests/app/AppFixture.h"

#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"

namespace zv::test {

class CountdownFixture : public AppFixture {
protected:
    Ttemporizator& T() { return *temporizator; }

    // The minutes field as the user left it, then "Valideaza".
    void Confirm(const std::string& minutesText)
    {
        T().spin->SetText(minutesText);
        T().glBitBtn1Click(nullptr);
    }
    // The first tick of a free-running timer comes up to a second after confirmation.
    void FirstTickAfterMs(std::uint64_t ms)
    {
        clock.AdvanceMonotonic(ms);
        T().Timer1->Timer();
    }
    void Seconds(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.Advance(1);
            T().Timer1->Timer();
        }
    }
    void MinuteTick() { T().Timer2->Timer(); }

    int StripGauge() const { return Ramas->FlatGauge1->Progress(); }
    std::string StripLabel() const { return Ramas->Label1->Caption(); }
};

} // namespace zv::test
