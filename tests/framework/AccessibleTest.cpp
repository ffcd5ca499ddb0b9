// What a screen reader reads of framework controls, through AccessibleObjectFromWindow in process:
// roles, names from captions and labels, states, the hint as description, children with their
// bounds, the default action, the events a win-event hook sees, and objects that go with their
// controls.
#include <gtest/gtest.h>

#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/AccReader.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

using test::TAccReader;
using test::TWinEventLog;

struct Accessible : ::testing::Test {
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBounds(60, 60, 320, 200);
        form->SetCaption("Fereastra");
        label = zv::test::Place<TLabel>(form, form, 8, 10, 60, 13);
        label->SetCaption("&Nume:");
        edit = zv::test::Place<TEdit>(form, form, 80, 8, 100, 21);
        edit->SetText("abc");
        edit->SetHint("Scrieti numele");
        label->SetFocusControl(edit);
        plain = zv::test::Place<TLabel>(form, form, 8, 40, 60, 13);
        plain->SetCaption("Ora curenta");
        box = zv::test::Place<TCheckBox>(form, form, 8, 70, 120, 17);
        box->SetCaption("Intreaba");
        box->OnClick = [this](TObject*) { ++clicks; };
        form->ShowForm();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }

    TForm* form = nullptr;
    TLabel* label = nullptr;
    TLabel* plain = nullptr;
    TEdit* edit = nullptr;
    TCheckBox* box = nullptr;
    int clicks = 0;
};

TEST_F(Accessible, ControlsAreReadByWhatASightedUserReads)
{
    TAccReader f(form->Handle());
    ASSERT_TRUE(f);
    EXPECT_EQ(ROLE_SYSTEM_CLIENT, f.Role());
    EXPECT_EQ("Fereastra", f.Name());
    EXPECT_EQ(4, f.ChildCount());

    // Windowless labels are children of the window's object, named by their captions.
    const long time = f.Find("Ora curenta");
    ASSERT_GT(time, 0);
    EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, f.Role(time));
    EXPECT_FALSE(f.Child(time)) << "a windowless child has no object of its own";
    EXPECT_GT(f.Find("Nume:"), 0) << "the accelerator's marker is not read";

    // The edit is editable text named by its label, with its text as value and its hint as accDescription.
    TAccReader e = f.Window("Nume:");
    ASSERT_TRUE(e);
    EXPECT_EQ(ROLE_SYSTEM_TEXT, e.Role());
    EXPECT_EQ("abc", e.Value());
    EXPECT_EQ("Scrieti numele", e.Description());
    EXPECT_TRUE(e.State() & STATE_SYSTEM_FOCUSABLE);
    edit->SetFocus();
    EXPECT_TRUE(e.State() & STATE_SYSTEM_FOCUSED);
    edit->SetEnabled(false);
    EXPECT_TRUE(e.State() & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ("", f.Description(time)) << "no hint, no description";

    // Without a label an edit has no name: its text is not its name.
    label->SetFocusControl(nullptr);
    EXPECT_EQ("", e.Name());
}

TEST_F(Accessible, CheckBoxDefaultActionDoesWhatAClickDoes)
{
    TAccReader c(box->Handle());
    EXPECT_EQ(ROLE_SYSTEM_CHECKBUTTON, c.Role());
    EXPECT_EQ("Intreaba", c.Name());
    EXPECT_FALSE(c.State() & STATE_SYSTEM_CHECKED);
    EXPECT_EQ("Bifeaza", c.DefaultAction());
    EXPECT_EQ(S_OK, c.DoDefaultAction());
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(c.State() & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ("Debifeaza", c.DefaultAction());
    box->SetEnabled(false);
    EXPECT_EQ(E_FAIL, c.DoDefaultAction()) << "a disabled control does nothing";
    EXPECT_EQ(1, clicks);
}

TEST_F(Accessible, HitTestLocationAndNavigationFollowTheBounds)
{
    TAccReader f(form->Handle());
    const long id = f.Find("Ora curenta");
    const POINT origin = plain->ClientToScreen(POINT{0, 0});
    const RECT r = f.Location(id);
    EXPECT_EQ(origin.x, r.left);
    EXPECT_EQ(origin.y, r.top);
    EXPECT_EQ(plain->Width(), r.right - r.left);
    EXPECT_EQ(plain->Height(), r.bottom - r.top);

    EXPECT_EQ(id, f.HitTest(POINT{origin.x + 5, origin.y + 5}));
    const POINT inEdit = edit->ClientToScreen(POINT{5, 5});
    EXPECT_EQ(-2, f.HitTest(inEdit)) << "a windowed child answers with its own object";
    const POINT empty = form->ClientToScreen(POINT{300, 150});
    EXPECT_EQ(CHILDID_SELF, f.HitTest(empty));
    EXPECT_EQ(-1, f.HitTest(POINT{origin.x - 100, origin.y - 100}));
    plain->Hide();
    EXPECT_EQ(CHILDID_SELF, f.HitTest(POINT{origin.x + 5, origin.y + 5})) << "a hidden label is not hit";
    EXPECT_TRUE(f.State(id) & STATE_SYSTEM_INVISIBLE);

    VARIANT self, next;
    ::VariantInit(&self);
    ::VariantInit(&next);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ASSERT_EQ(S_OK, f.Get()->accNavigate(NAVDIR_FIRSTCHILD, self, &next));
    EXPECT_EQ(VT_I4, next.vt);
    EXPECT_EQ(1, next.lVal);
    self.lVal = 4;
    EXPECT_EQ(S_FALSE, f.Get()->accNavigate(NAVDIR_NEXT, self, &next)) << "past the last child";
    self.lVal = 9;
    EXPECT_EQ(E_INVALIDARG, f.Get()->accNavigate(NAVDIR_NEXT, self, &next));
}

TEST_F(Accessible, EventsTellListeningReaders)
{
    TAccReader f(form->Handle());
    const long id = f.Find("Ora curenta");
    TWinEventLog log;
    plain->SetCaption("12:00:01");
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_NAMECHANGE, form->Handle(), id));
    EXPECT_EQ("12:00:01", f.Name(id));
    edit->SetEnabled(false);
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, edit->Handle()));
    edit->SetEnabled(false);
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, edit->Handle())) << "no change, no event";
    box->SetChecked(true);
    EXPECT_GE(log.Count(EVENT_OBJECT_STATECHANGE, box->Handle()), 1);
}

TEST_F(Accessible, PickerKeepsTheSystemsObjectNamedByItsLabel)
{
    auto* picker = zv::test::Place<TDateTimePicker>(form, form, 80, 100, 100, 21);
    picker->SetHint("Setati data");
    auto* l = zv::test::Place<TLabel>(form, form, 8, 104, 60, 13);
    l->SetCaption("Data actiunii:");
    l->SetFocusControl(picker);
    TAccReader f(form->Handle());
    TAccReader p = f.Window("Data actiunii:");
    ASSERT_TRUE(p);
    EXPECT_EQ("Data actiunii:", p.Name());
    EXPECT_EQ("Setati data", p.Description());
    EXPECT_NE(-1, p.Role());
}

TEST_F(Accessible, ObjectsDoNotOutliveTheirControls)
{
    const int before = AccessibleLiveCount();
    {
        // However often a reader asks, a window has one object.
        for (int i = 0; i < 50; ++i)
            TAccReader again(edit->Handle());
    }
    EXPECT_EQ(before + 1, AccessibleLiveCount());
    TAccReader e(edit->Handle());
    TAccReader f(form->Handle());
    EXPECT_EQ(before + 2, AccessibleLiveCount());
    delete form;
    form = nullptr;
    // Held by a reader, the objects answer no more...
    BSTR b = nullptr;
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, e.Get()->get_accName(self, &b));
    EXPECT_EQ(nullptr, b);
    LONG n = 7;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, f.Get()->get_accChildCount(&n));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, f.Get()->accDoDefaultAction(self));
    // ...and go when the reader lets them go.
    e = TAccReader();
    f = TAccReader();
    EXPECT_EQ(before, AccessibleLiveCount());
}

} // namespace
} // namespace zv
