#include "countdown/Temporizator.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/MainWindow.h"
#include "app/PowerPort.h"
#include "app/Prompt.h"
#include "app/Setari.h"
#include "app/Splash.h"
#include "app/SystemAction.h"
#include "countdown/Ramas.h"
#include "framework/Layout.h"

namespace zv {

Ttemporizator* temporizator = nullptr;

namespace {

constexpr int kMinMinutes = 1;
constexpr int kMaxMinutes = 180;

std::int64_t WholeSeconds(std::uint64_t ms)
{
    return static_cast<std::int64_t>(std::min<std::uint64_t>(ms / 1000, INT32_MAX));
}

} // namespace

Ttemporizator::Ttemporizator(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &Ttemporizator::FormCreate);
    Publish("FormClose", &Ttemporizator::FormClose);
    Publish("glBitBtn1Click", &Ttemporizator::glBitBtn1Click);
    Publish("glBitBtn2Click", &Ttemporizator::glBitBtn2Click);
    Publish("glBitBtn3Click", &Ttemporizator::glBitBtn3Click);
    Publish("glBitBtn4Click", &Ttemporizator::glBitBtn4Click);
    Publish("glBitBtn5Click", &Ttemporizator::glBitBtn5Click);
    Publish("Timer1Timer", &Ttemporizator::Timer1Timer);
    Publish("Timer2Timer", &Ttemporizator::Timer2Timer);
    ReadLayout("Ttemporizator");
    Label1 = Bind<TLabel>("Label1");
    spin = Bind<TFlatSpinEditInteger>("spin");
    Label3 = Bind<TLabel>("Label3");
    Label2 = Bind<TLabel>("Label2");
    gauge = Bind<TFlatGauge>("gauge");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    glBitBtn2 = Bind<TglBitBtn>("glBitBtn2");
    glBitBtn3 = Bind<TglBitBtn>("glBitBtn3");
    glBitBtn4 = Bind<TglBitBtn>("glBitBtn4");
    glBitBtn5 = Bind<TglBitBtn>("glBitBtn5");
    system = Bind<TglSysInfo>("system");
    Timer1 = Bind<TTimer>("Timer1");
    Timer2 = Bind<TTimer>("Timer2");
    FinishCreate();
}

Ttemporizator::~Ttemporizator() { HoldAwake(ahCountdown, false); }

void Ttemporizator::FormCreate(TObject*)
{
    Armed = false;
    gauge->SetProgress(0);
    SecondsTotal = 0;
    SecondCounter = 1;
    sleepWatch_.Start();
}

int Ttemporizator::ElapsedPercent() const
{
    if (SecondsTotal <= 0)
        return 100;
    // Exact in integers, so that a share of exactly 29 % reads 29 and not 28.999...
    return static_cast<int>(std::int64_t{SecondCounter} * 100 / SecondsTotal);
}

// "Valideaza": counts from now, from the minutes in the field, restarting a countdown that runs.
void Ttemporizator::glBitBtn1Click(TObject*)
{
    // Enter reaches here while the field keeps the focus, so a typed count outside the range has
    // not been corrected on leaving yet: it is limited here as the field would limit it, and the
    // field is made to show what was confirmed so that the minute tick counts down from there.
    const int typed = spin->Value();
    const int minutes = std::clamp(typed, kMinMinutes, kMaxMinutes);
    if (minutes != typed)
        spin->SetValue(minutes);
    Armed = true;
    gauge->SetProgress(1);
    SecondsTotal = minutes * 60;
    if (Ramas)
        Ramas->Label1->SetCaption(std::to_string(minutes));
    shownMinutes_ = minutes;
    SecondCounter = 1;
    sleepWatch_.Start();
    countedMs_ = 0;
    firstTickSeen_ = false;
    requested_ = false;
    minuteTaken_ = false;
    HoldAwake(ahCountdown, true);
}

// "Anuleaza": back to idle; the total and the field keep their values.
void Ttemporizator::glBitBtn2Click(TObject*)
{
    if (Ramas) {
        Ramas->FlatGauge1->SetProgress(0);
        Ramas->Label1->SetCaption("");
    }
    gauge->SetProgress(0);
    Armed = false;
    SecondCounter = 1;
    HoldAwake(ahCountdown, false);
}

// "Iesire": always asks; the timers go on, so an armed countdown still fires.
void Ttemporizator::glBitBtn3Click(TObject*)
{
    Hide();
    Prompt->ShowForm();
}

// "Zavrin imediata": shuts down now, armed or not.
void Ttemporizator::glBitBtn4Click(TObject*) { RequestShutdown(); }

// "Zavrin dupa ora indicata": back to the main window, which hides the strip as it shows; an armed
// countdown goes on in the background.
void Ttemporizator::glBitBtn5Click(TObject*)
{
    Hide();
    Form2->ShowForm();
    if (!Armed && Ramas)
        Ramas->Hide();
}

void Ttemporizator::Timer1Timer(TObject*)
{
    // Time awake: ticks lost while the machine slept are not made up, so sleep pauses the count.
    countedMs_ += sleepWatch_.Look().awakeMs;
    if (Armed) {
        if (!firstTickSeen_) {
            firstTickSeen_ = true;
            countedAtFirstTickMs_ = countedMs_;
        }
        // One more than before, and never behind the time passed: at least 1 + the whole seconds
        // since confirmation, and 2 + those since the first tick, which is what a run without a
        // lost tick counts, so catching up keeps to its schedule.
        const std::int64_t counted = std::max({std::int64_t{SecondCounter} + 1, 1 + WholeSeconds(countedMs_),
                                                2 + WholeSeconds(countedMs_ - countedAtFirstTickMs_)});
        SecondCounter = static_cast<std::int32_t>(std::min<std::int64_t>(counted, INT32_MAX));
        const int p = ElapsedPercent();
        if (Ramas)
            Ramas->FlatGauge1->SetProgress(p);
        gauge->SetProgress(p);
        // The minute tick is lost with the others and is not made up: the minutes shown are brought
        // down to those left, counting a started minute whole and never showing 0. Compared with
        // what was shown, so a count being typed into the field is not taken away every second.
        const int left = static_cast<int>(std::max<std::int64_t>(1, (std::int64_t{SecondsTotal} - SecondCounter + 59) / 60));
        if (shownMinutes_ > left) {
            ShowMinutes(left);
            minuteTaken_ = true;
        }
    }
    // Once per confirmation: a count that caught up may pass the total without ever equalling it.
    if (Armed && !requested_ && SecondCounter >= SecondsTotal) {
        requested_ = true;
        HoldAwake(ahCountdown, false);
        RequestShutdown();
    }
}

// The minute tick is free-running, not aligned with the confirmation; the field keeps the value at
// 1 or more, so the strip never shows 0.
void Ttemporizator::Timer2Timer(TObject*)
{
    if (!Armed)
        return;
    if (minuteTaken_) {
        minuteTaken_ = false;
        return;
    }
    const std::int64_t next = std::int64_t{spin->Value()} - 1;
    ShowMinutes(static_cast<int>(std::max<std::int64_t>(next, INT32_MIN)));
}

void Ttemporizator::ShowMinutes(int minutes)
{
    spin->SetValue(minutes);
    shownMinutes_ = spin->Value();
    if (Ramas)
        Ramas->Label1->SetCaption(std::to_string(shownMinutes_));
}

// The title-bar close: hidden, then the question if the setting asks for it, else the program ends.
// The setting is saved only by the main window's close.
void Ttemporizator::FormClose(TObject*, TCloseAction&)
{
    Hide();
    if (setari->CheckBox1->Checked())
        Prompt->ShowForm();
    else
        Form1->Close();
}

void Ttemporizator::RequestShutdown()
{
    RunSystemAction(TActionKind::Shutdown, TActionTarget::Local(), system->OSPlatform());
}

namespace {
const bool kRegistered = (RegisterRootClass("Ttemporizator", "TForm"), true);
}

} // namespace zv
