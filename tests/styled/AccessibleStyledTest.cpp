// The styled controls as a screen reader reads them: push buttons, the collapsible group box (and
// collapsing it from the keyboard), the link text, and the shadow that stays silent.
#include <gtest/gtest.h>

#include "controls/styled/glBitBtn.h"
#include "controls/styled/glGroupBox.h"
#include "controls/styled/glShadow.h"
#include "controls/styled/glStaticText.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/AccReader.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

using test::TAccReader;
using test::TWinEventLog;

struct StyledAccessible : ::testing::Test {
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBounds(80, 80, 360, 240);
        button = zv::test::Place<TglBitBtn>(form, form, 10, 10, 100, 25);
        button->SetCaption("Valideaza");
        button->SetHint("Apasati pentru a valida");
        button->SetDefault(true);
        button->OnClick = [this](TObject*) { ++clicks; };
        group = zv::test::Place<TglGroupBox>(form, form, 150, 10, 145, 105);
        group->SetCaption("Tipul actiunii");
        group->SetHint("Selectati tipul");
        inside = zv::test::Place<TEdit>(form, group, 8, 30, 100, 20);
        shadow = zv::test::Place<TglShadow>(form, form, 10, 150, 100, 25);
        link = zv::test::Place<TglStaticText>(form, form, 10, 200, 120, 13);
        link->SetCaption("email: a@b.ro");
        link->OnClick = [this](TObject*) { ++opened; };
        form->ShowForm();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }

    TForm* form = nullptr;
    TglBitBtn* button = nullptr;
    TglGroupBox* group = nullptr;
    TEdit* inside = nullptr;
    TglShadow* shadow = nullptr;
    TglStaticText* link = nullptr;
    int clicks = 0;
    int opened = 0;
};

TEST_F(StyledAccessible, PushButtonIsReadWithItsHintAndPressesAsAClickDoes)
{
    TAccReader f(form->Handle());
    TAccReader b = f.Window("Valideaza");
    ASSERT_TRUE(b);
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, b.Role());
    EXPECT_EQ("Apasati pentru a valida", b.Description());
    EXPECT_TRUE(b.State() & STATE_SYSTEM_DEFAULT);
    EXPECT_FALSE(b.State() & STATE_SYSTEM_PRESSED);
    EXPECT_EQ("Apasa", b.DefaultAction());
    EXPECT_EQ(S_OK, b.DoDefaultAction());
    EXPECT_EQ(1, clicks);

    TWinEventLog log;
    ::SendMessageA(button->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(b.State() & STATE_SYSTEM_PRESSED);
    EXPECT_GE(log.Count(EVENT_OBJECT_STATECHANGE, button->Handle()), 1);
    ::SendMessageA(button->Handle(), BM_SETSTATE, FALSE, 0);
    EXPECT_FALSE(b.State() & STATE_SYSTEM_PRESSED);
}

TEST_F(StyledAccessible, GroupBoxIsAGroupingThatCollapsesByItsDefaultActionAndByTheKeyboard)
{
    TAccReader f(form->Handle());
    TAccReader g = f.Window("Tipul actiunii");
    ASSERT_TRUE(g);
    EXPECT_EQ(ROLE_SYSTEM_GROUPING, g.Role());
    EXPECT_EQ("Selectati tipul", g.Description());
    EXPECT_TRUE(g.State() & STATE_SYSTEM_EXPANDED);
    EXPECT_EQ(1, g.ChildCount()) << "its windowed child";
    EXPECT_EQ("Restrange", g.DefaultAction());

    TWinEventLog log;
    const int full = group->Height();
    EXPECT_EQ(S_OK, g.DoDefaultAction());
    EXPECT_TRUE(group->Collapsed());
    EXPECT_LT(group->Height(), full);
    EXPECT_TRUE(g.State() & STATE_SYSTEM_COLLAPSED);
    EXPECT_EQ("Extinde", g.DefaultAction());
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_STATECHANGE, group->Handle()));

    // The keyboard: the box is a tab stop; Space toggles, Left collapses, Right expands.
    EXPECT_TRUE(group->TabStop());
    group->SetFocus();
    EXPECT_TRUE(g.State() & STATE_SYSTEM_FOCUSED);
    ::SendMessageA(group->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(group->Collapsed());
    EXPECT_EQ(full, group->Height());
    ::SendMessageA(group->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(group->Collapsed()) << "Right only expands";
    ::SendMessageA(group->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(group->Collapsed());
    ::SendMessageA(group->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(group->Collapsed()) << "Left only collapses";
    ::SendMessageA(group->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(group->Collapsed());

    // A box that cannot collapse neither takes the focus nor offers the action.
    group->SetOptions(group->Options() & ~fgoCanCollapse);
    EXPECT_FALSE(group->CanFocus());
    EXPECT_EQ("", g.DefaultAction());
    EXPECT_FALSE(g.State() & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED));
}

TEST_F(StyledAccessible, LinkOpensByItsDefaultActionAndTheShadowStaysSilent)
{
    TAccReader f(form->Handle());
    // The button, the group box and the link: the shadow is not there.
    EXPECT_EQ(3, f.ChildCount());
    const long id = f.Find("email: a@b.ro");
    ASSERT_GT(id, 0);
    EXPECT_EQ(ROLE_SYSTEM_LINK, f.Role(id));
    EXPECT_TRUE(f.State(id) & STATE_SYSTEM_LINKED);
    EXPECT_EQ("Deschide", f.DefaultAction(id));
    EXPECT_EQ(S_OK, f.DoDefaultAction(id));
    EXPECT_EQ(1, opened);
    const POINT inShadow = shadow->ClientToScreen(POINT{50, 12});
    EXPECT_EQ(CHILDID_SELF, f.HitTest(inShadow));

    TWinEventLog log;
    link->SetCaption("email: c@d.ro");
    EXPECT_EQ(1, log.Count(EVENT_OBJECT_NAMECHANGE, form->Handle(), id));
}

} // namespace
} // namespace zv
