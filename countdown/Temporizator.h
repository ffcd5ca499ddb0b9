// The countdown window: ends the session a number of minutes from now, counted in time awake: a
// machine that sleeps pauses the count, and it goes on with what was left on waking. Two free-running
// timers drive it: every second the elapsed share is shown in its gauge and in the strip's, and the
// shut-down is requested once the count runs out; every minute the minutes left go down by one.
#pragma once

#include <cstdint>

#include "app/SleepWatch.h"
#include "controls/flat/FlatGauge.h"
#include "controls/flat/FlatSpinEditInteger.h"
#include "controls/styled/glBitBtn.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"
#include "sysinfo/glSysInfo.h"

namespace zv {

class Ttemporizator : public TForm {
public:
    explicit Ttemporizator(TComponent* owner);
    ~Ttemporizator() override;
    const char* ClassName() const override { return "Ttemporizator"; }

    TLabel* Label1;
    TFlatSpinEditInteger* spin;
    TLabel* Label3;
    TLabel* Label2;
    TFlatGauge* gauge;
    TglBitBtn* glBitBtn1;
    TglBitBtn* glBitBtn2;
    TglBitBtn* glBitBtn3;
    TglBitBtn* glBitBtn4;
    TglBitBtn* glBitBtn5;
    TglSysInfo* system;
    TTimer* Timer1;
    TTimer* Timer2;

    // A countdown has been confirmed and not cancelled.
    bool Armed = false;
    // Seconds since confirmation, plus one: one more per tick, and never behind the time awake
    // that really passed.
    std::int32_t SecondCounter = 1;
    // The minutes confirmed, in seconds.
    std::int32_t SecondsTotal = 0;

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void glBitBtn1Click(TObject* sender);
    void glBitBtn2Click(TObject* sender);
    void glBitBtn3Click(TObject* sender);
    void glBitBtn4Click(TObject* sender);
    void glBitBtn5Click(TObject* sender);
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);

    // The whole percentage of the countdown passed, as both gauges show it.
    int ElapsedPercent() const;

private:
    void RequestShutdown();
    void ShowMinutes(int minutes);

    // The time awake since confirmation: window timers drop the ticks that a held-up message loop
    // could not take, so the count is checked against the time that really passed. A gap in which
    // the machine slept without its time awake showing it counts for nothing.
    TSleepWatch sleepWatch_;
    std::uint64_t countedMs_ = 0;
    bool firstTickSeen_ = false;
    std::uint64_t countedAtFirstTickMs_ = 0;
    // The shut-down of this confirmation has been requested.
    bool requested_ = false;
    // The second tick brought the minutes shown down since the last minute tick, which then has
    // nothing left to take.
    bool minuteTaken_ = false;
    int shownMinutes_ = 0;
};

extern Ttemporizator* temporizator;

} // namespace zv
