// The flat controls as a screen reader reads them: radio buttons with their checked state, the speed
// button pressed while down, the spin edit named by its label with its "Sus"/"Jos" arrows, and the
// gauge whose value is the percentage it shows.
#include <gtest/gtest.h>

#include "controls/flat/FlatGauge.h"
#include "controls/flat/FlatRadioButton.h"
#include "controls/flat/FlatSpeedButton.h"
#include "controls/flat/FlatSpinEditInteger.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/AccReader.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

using test::TAccReader;
using test::TWinEventLog;

struct FlatAccessible : ::testing::Test {
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBounds(80, 80, 360, 240);
        local = zv::test::Place<TFlatRadioButton>(form, form, 10, 10, 100, 17);
        local->SetCaption("Actiune locala");
        local->SetHint("Selectati pentru actiune locala");
        local->SetChecked(true);
        remote = zv::test::Place<TFlatRadioButton>(form, form, 10, 34, 100, 17);
        remote->SetCaption("Actiune in retea");
        remote->OnClick = [this](TObject*) { ++clicks; };
        speed = zv::test::Place<TFlatSpeedButton>(form, form, 150, 10, 60, 22);
        speed->SetCaption("Pauza");
        speed->SetGroupIndex(1);
        speed->SetAllowAllUp(true);
        auto* label = zv::test::Place<TLabel>(form, form, 10, 70, 100, 13);
        label->SetCaption("Timpul pana la zavrin");
        spin = zv::test::Place<TFlatSpinEditInteger>(form, form, 120, 66, 65, 20);
        spin->SetMinValue(1);
        spin->SetMaxValue(180);
        spin->SetValue(5);
        label->SetFocusControl(spin);
        gauge = zv::test::Place<TFlatGauge>(form, form, 10, 110, 113, 17);
        gauge->SetHint("Raportul");
        form->ShowForm();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }

    TForm* form = nullptr;
    TFlatRadioButton* local = nullptr;
    TFlatRadioButton* remote = nullptr;
    TFlatSpeedButton* speed = nullptr;
    TFlatSpinEditInteger* spin = nullptr;
    TFlatGauge* gauge = nullptr;
    int clicks = 0;
};

TEST_F(FlatAccessible, RadioButtonsAreReadCheckedAndCheckByTheirDefaultAction)
{
    TAccReader f(form->Handle());
    TAccReader a = f.Window("Actiune locala");
    TAccReader b = f.Window("Actiune in retea");
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(ROLE_SYSTEM_RADIOBUTTON, a.Role());
    EXPECT_EQ("Selectati pentru actiune locala", a.Description());
    EXPECT_EQ(STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE, a.State() & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE));
    EXPECT_EQ(unsigned{STATE_SYSTEM_FOCUSABLE}, b.State() & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE))
        << "not the tab stop, but the arrows reach it";
    EXPECT_EQ("Bifeaza", b.DefaultAction());

    TWinEventLog log;
    EXPECT_EQ(S_OK, b.DoDefaultAction());
    EXPECT_TRUE(remote->Checked());
    EXPECT_FALSE(local->Checked());
    EXPECT_EQ(1, clicks);
    EXPECT_TRUE(b.State() & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(a.State() & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, remote->Handle()));
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, local->Handle()));

    remote->SetFocus();
    EXPECT_TRUE(b.State() & STATE_SYSTEM_FOCUSED);
    remote->SetEnabled(false);
    EXPECT_TRUE(b.State() & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(FlatAccessible, SpeedButtonIsPressedWhileDown)
{
    TAccReader f(form->Handle());
    const long id = f.Find("Pauza");
    ASSERT_GT(id, 0);
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, f.Role(id));
    EXPECT_FALSE(f.State(id) & STATE_SYSTEM_PRESSED);
    TWinEventLog log;
    speed->SetDown(true);
    EXPECT_TRUE(f.State(id) & STATE_SYSTEM_PRESSED);
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, form->Handle(), id));
    speed->SetDown(false);
    EXPECT_FALSE(f.State(id) & STATE_SYSTEM_PRESSED);
}

TEST_F(FlatAccessible, SpinEditIsNamedByItsLabelAndItsArrowsStep)
{
    TAccReader f(form->Handle());
    TAccReader s = f.Window("Timpul pana la zavrin");
    ASSERT_TRUE(s);
    EXPECT_EQ(ROLE_SYSTEM_TEXT, s.Role());
    EXPECT_EQ("5", s.Value());
    ASSERT_EQ(1, s.ChildCount());
    TAccReader arrows = s.Child(1);
    ASSERT_TRUE(arrows);
    EXPECT_EQ(ROLE_SYSTEM_SPINBUTTON, arrows.Role());
    EXPECT_EQ("Timpul pana la zavrin", arrows.Name()); // read as part of the field it steps
    ASSERT_EQ(2, arrows.ChildCount());
    const long up = arrows.Find("Sus");
    const long down = arrows.Find("Jos");
    ASSERT_GT(up, 0);
    ASSERT_GT(down, 0);
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, arrows.Role(up));
    EXPECT_EQ(S_OK, arrows.DoDefaultAction(up));
    EXPECT_EQ(6, spin->Value());
    EXPECT_EQ("6", s.Value());
    EXPECT_EQ(S_OK, arrows.DoDefaultAction(down));
    EXPECT_EQ(S_OK, arrows.DoDefaultAction(down));
    EXPECT_EQ(4, spin->Value());
}

TEST_F(FlatAccessible, GaugeIsAProgressBarThatReportsOnlyAChangedPercentage)
{
    TAccReader f(form->Handle());
    const long id = f.Find("");
    ASSERT_GT(id, 0);
    EXPECT_EQ(ROLE_SYSTEM_PROGRESSBAR, f.Role(id));
    EXPECT_EQ("25 %", f.Value(id));
    EXPECT_EQ("Raportul", f.Description(id));

    gauge->SetMaxValue(1000);
    gauge->SetProgress(0);
    TWinEventLog log;
    gauge->SetProgress(5); // still 0 %
    EXPECT_EQ(0, log.Count(EVENT_OBJECT_VALUECHANGE, form->Handle(), id));
    gauge->SetProgress(10);
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_VALUECHANGE, form->Handle(), id));
    EXPECT_EQ("1 %", f.Value(id));
    gauge->SetMaxValue(20); // 10 of 20
    EXPECT_EQ(2, log.Count(EVENT_OBJECT_VALUECHANGE, form->Handle(), id));
    EXPECT_EQ("50 %", f.Value(id));
}

// A gauge takes no focus, so no label points at it: it is read by the label a sighted user reads it
// by, the one on its left on the same line, or else the one just above it.
TEST_F(FlatAccessible, GaugeIsNamedByTheLabelBesideIt)
{
    TAccReader f(form->Handle());
    auto name = [&] { return f.Name(f.Find(gauge->AccName())); };
    auto label = [&](const char* caption, int left, int top, int width) {
        auto* l = zv::test::Place<TLabel>(form, form, left, top, width, 13);
        l->SetAutoSize(false);
        l->SetCaption(caption);
        return l;
    };
    gauge->SetBounds(100, 150, 113, 17); // its middle is at 158
    label("La dreapta", 220, 150, 60);
    label("Departe", 100, 120, 60); // ends 17 px above it: another row
    label("Alaturi", 30, 160, 60);  // on its left, but level with its bottom edge only
    EXPECT_EQ("", gauge->AccName()) << "a label on its right, rows away or below its middle names nothing";

    label("Deasupra", 120, 135, 60);
    EXPECT_EQ("Deasupra", name());
    auto* beside = label("Timp trecut", 20, 152, 60);
    EXPECT_EQ("Timp trecut", name()) << "the label on the same line comes first";
    auto* nearer = label("Mai aproape", 82, 146, 18);
    EXPECT_EQ("Mai aproape", name()) << "of two on its left, the nearer";
    beside->SetVisible(false);
    EXPECT_EQ("Mai aproape", name());
    nearer->SetVisible(false);
    EXPECT_EQ("Deasupra", name()) << "a hidden label is read by nobody";
}

} // namespace
} // namespace zv
