#include "app/MainWindow.h"

#include "app/PowerPort.h"
#include "app/Prompt.h"
#include "app/Setari.h"
#include "app/Settings.h"
#include "app/Splash.h"
#include "app/SystemAction.h"
#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "framework/Application.h"
#include "framework/Clock.h"
#include "framework/DateUtils.h"
#include "framework/Layout.h"
#include "framework/Shell.h"
#include "sysinfo/Info.h"

namespace zv {

TForm2* Form2 = nullptr;

namespace {

// The date of one picker with the time of day of the other.
SYSTEMTIME Combine(const SYSTEMTIME& date, const SYSTEMTIME& time)
{
    SYSTEMTIME t = date;
    t.wHour = time.wHour;
    t.wMinute = time.wMinute;
    t.wSecond = time.wSecond;
    t.wMilliseconds = 0;
    return t;
}

void OpenWithShell(const char* file)
{
    ShellPort().ShellExecute(MainWindowHandle(), nullptr, file, "", "", SW_SHOWNORMAL);
}

} // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &TForm2::FormCreate);
    Publish("FormShow", &TForm2::FormShow);
    Publish("FormClose", &TForm2::FormClose);
    Publish("Timer1Timer", &TForm2::Timer1Timer);
    Publish("glBitBtn1Click", &TForm2::glBitBtn1Click);
    Publish("glBitBtn2Click", &TForm2::glBitBtn2Click);
    Publish("glBitBtn3Click", &TForm2::glBitBtn3Click);
    Publish("glBitBtn4Click", &TForm2::glBitBtn4Click);
    Publish("glBitBtn5Click", &TForm2::glBitBtn5Click);
    Publish("DateTimePicker1Change", &TForm2::DateTimePicker1Change);
    Publish("Radio1Click", &TForm2::Radio1Click);
    Publish("Radio2Click", &TForm2::Radio2Click);
    Publish("impData1Click", &TForm2::impData1Click);
    Publish("Display1Click", &TForm2::Display1Click);
    Publish("Regionale1Click", &TForm2::Regionale1Click);
    Publish("Interfata1Click", &TForm2::Interfata1Click);
    Publish("SystemInfo1Click", &TForm2::SystemInfo1Click);
    Publish("Versiuni1Click", &TForm2::Versiuni1Click);
    Publish("Despre1Click", &TForm2::Despre1Click);
    Publish("glStaticText1Click", &TForm2::glStaticText1Click);
    ReadLayout("TForm2");
    Label5 = Bind<TLabel>("Label5");
    Label6 = Bind<TLabel>("Label6");
    Label2 = Bind<TLabel>("Label2");
    Label4 = Bind<TLabel>("Label4");
    Label3 = Bind<TLabel>("Label3");
    glLabel4 = Bind<TLabel>("glLabel4");
    Label1 = Bind<TLabel>("Label1");
    glStaticText1 = Bind<TglStaticText>("glStaticText1");
    DateTimePicker1 = Bind<TDateTimePicker>("DateTimePicker1");
    DateTimePicker2 = Bind<TDateTimePicker>("DateTimePicker2");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    glBitBtn2 = Bind<TglBitBtn>("glBitBtn2");
    glBitBtn3 = Bind<TglBitBtn>("glBitBtn3");
    glBitBtn4 = Bind<TglBitBtn>("glBitBtn4");
    glBitBtn5 = Bind<TglBitBtn>("glBitBtn5");
    glGroupBox1 = Bind<TglGroupBox>("glGroupBox1");
    group1 = Bind<TglGroupBox>("group1");
    rd1 = Bind<TFlatRadioButton>("rd1");
    rd2 = Bind<TFlatRadioButton>("rd2");
    rd3 = Bind<TFlatRadioButton>("rd3");
    radio1 = Bind<TFlatRadioButton>("radio1");
    radio2 = Bind<TFlatRadioButton>("radio2");
    glShadow1 = Bind<TglShadow>("glShadow1");
    Edit1 = Bind<TEdit>("Edit1");
    Timer1 = Bind<TTimer>("Timer1");
    System = Bind<TglSysInfo>("System");
    glHint1 = Bind<TglHint>("glHint1");
    MainMenu1 = Bind<TMainMenu>("MainMenu1");
    FinishCreate();
}

TForm2::~TForm2() { HoldAwake(ahMainWindow, false); }

void TForm2::FormCreate(TObject*)
{
    group1->SetEnabled(System->OSPlatform() == "NT");
    Edit1->SetEnabled(false);
    Validated = false;
    const SYSTEMTIME now = Now();
    DateTimePicker1->SetDateTime(now);
    DateTimePicker2->SetDateTime(now);
    TimeEdited = false;
    rd1->SetChecked(true);
    DateTimePicker2->SetMinDate(DateOf(now));
    moment_.Start(WallSecond(now));
    sleepWatch_.Start();
    LoadSettings();
}

void TForm2::FormShow(TObject*)
{
    if (Ramas)
        Ramas->Hide();
}

void TForm2::Timer1Timer(TObject*)
{
    const SYSTEMTIME now = Now();
    const long long nowSecond = WallSecond(now);
    const bool slept = sleepWatch_.Look().slept;
    glLabel4->SetCaption(TimeToText(now));
    if (!Validated && !TimeEdited) {
        const SYSTEMTIME again = Now();
        DateTimePicker1->SetDateTime(again);
        // A clock put back before the day the window was created: the date picker cannot show
        // today, and keeps its earliest date instead of failing every second.
        const auto earliest = DateTimePicker2->MinDate();
        if (!earliest || SystemTimeToDateTime(DateOf(again)) >= SystemTimeToDateTime(*earliest))
            DateTimePicker2->SetDateTime(again);
    }
    if (moment_.Tick(nowSecond, slept))
        Fire();
    // Held awake until the moment fires; a clock put back before a moment that has not fired holds
    // again.
    HoldAwake(ahMainWindow, moment_.HoldsAwake(nowSecond));
}

TActionTarget TForm2::Target() const
{
    return radio1->Checked() ? TActionTarget::Local() : TActionTarget::Network(Edit1->GetText());
}

TForm2::TCheckedKinds TForm2::CheckedKinds() const
{
    TCheckedKinds kinds;
    for (auto [radio, kind] : {std::pair{rd1, TActionKind::Shutdown}, std::pair{rd2, TActionKind::Reboot},
                               std::pair{rd3, TActionKind::Logoff}}) {
        if (radio->Checked())
            kinds.kind[kinds.count++] = kind;
    }
    return kinds;
}

void TForm2::Fire()
{
    const TActionTarget target = Target();
    const std::string platform = System->OSPlatform();
    const TCheckedKinds kinds = CheckedKinds();
    for (int i = 0; i < kinds.count; ++i)
        RunSystemAction(kinds.kind[i], target, platform);
}

void TForm2::glBitBtn1Click(TObject*)
{
    // What the system would refuse is not armed: the user hears of it now, not after the moment.
    const TActionTarget target = Target();
    const TCheckedKinds kinds = CheckedKinds();
    for (int i = 0; i < kinds.count; ++i) {
        if (const std::string refusal = ActionRefusal(kinds.kind[i], target); !refusal.empty()) {
            WarnUser(refusal);
            return;
        }
    }
    const SYSTEMTIME date = DateTimePicker2->DateTime();
    const SYSTEMTIME time = DateTimePicker1->DateTime();
    SYSTEMTIME moment = Combine(date, time);
    const std::string timeText = TimeToText(moment);
    // A time format without seconds shows the minute: the moment meant is its start, the first
    // second the clock shows that text.
    if (SYSTEMTIME whole = moment; (whole.wSecond = 0, TimeToText(whole) == timeText))
        moment = whole;
    // A moment already gone never comes: arming it would show a time that does nothing.
    if (!moment_.Arm(WallSecond(moment), WallSecond(Now()))) {
        WarnUser("Momentul ales, " + DateToText(moment) + " " + timeText +
                 ", a trecut deja.\nAlegeti o data si o ora care urmeaza; nimic nu a fost stabilit.");
        return;
    }
    armedAt_ = moment;
    Validated = true;
    StoredDateText = DateToText(moment);
    StoredTimeText = timeText;
    Label4->SetCaption(timeText);
    HoldAwake(ahMainWindow, true);
}

void TForm2::glBitBtn2Click(TObject*)
{
    Validated = false;
    moment_.Disarm();
    Label4->SetCaption("nestabilita");
    TimeEdited = false;
    HoldAwake(ahMainWindow, false);
}

void TForm2::glBitBtn3Click(TObject*)
{
    RunSystemAction(TActionKind::Shutdown, TActionTarget::Local(), System->OSPlatform());
}

void TForm2::glBitBtn4Click(TObject*)
{
    Hide();
    Prompt->ShowForm();
}

void TForm2::glBitBtn5Click(TObject*)
{
    Hide();
    temporizator->ShowForm();
    Ramas->ShowForm();
}

void TForm2::FormClose(TObject*, TCloseAction&)
{
    if (setari->CheckBox1->Checked())
        Prompt->ShowForm();
    else
        Form1->Close();
    SaveSettings();
}

LRESULT TForm2::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = TForm::WndProc(msg, wParam, lParam);
    // Sent to every top-level window when the user changes the regional settings ("intl", the
    // section's old name; learn.microsoft.com, WM_SETTINGCHANGE).
    if (msg == WM_SETTINGCHANGE && lParam && ::lstrcmpiA(reinterpret_cast<const char*>(lParam), "intl") == 0)
        RegionalFormatsChanged();
    return result;
}

void TForm2::RegionalFormatsChanged()
{
    ResetFormatSettings();
    glLabel4->SetCaption(TimeToText(Now()));
    DateTimePicker1->FormatsChanged();
    DateTimePicker2->FormatsChanged();
    // The same moment, in the new words.
    if (Validated) {
        StoredDateText = DateToText(armedAt_);
        StoredTimeText = TimeToText(armedAt_);
        Label4->SetCaption(StoredTimeText);
    }
}

void TForm2::DateTimePicker1Change(TObject*) { TimeEdited = true; }

void TForm2::Radio1Click(TObject*) { Edit1->SetEnabled(false); }

void TForm2::Radio2Click(TObject*) { Edit1->SetEnabled(true); }

void TForm2::impData1Click(TObject*) { OpenWithShell(SystemDirectoryFile("timedate.cpl").c_str()); }

void TForm2::Display1Click(TObject*) { OpenWithShell(SystemDirectoryFile("desk.cpl").c_str()); }

void TForm2::Regionale1Click(TObject*) { OpenWithShell(SystemDirectoryFile("intl.cpl").c_str()); }

void TForm2::Interfata1Click(TObject*) { setari->ShowForm(); }

void TForm2::SystemInfo1Click(TObject*) { Info->ShowForm(); }

void TForm2::Versiuni1Click(TObject*) { Versiuni->ShowForm(); }

void TForm2::Despre1Click(TObject*) { despre->ShowForm(); }

void TForm2::glStaticText1Click(TObject*)
{
    OpenWithShell((std::string("mailto:") + kAuthorMail + "?subject=Zavrin4 Feedback").c_str());
}

namespace {
const bool kRegistered = (RegisterRootClass("TForm2", "TForm"), true);
}

} // namespace zv
