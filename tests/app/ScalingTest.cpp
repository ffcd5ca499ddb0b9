// Every window scaled from its layout at 96 dpi to the screen's: places, sizes, client sizes and the
// layouts' font heights, rounded as the system rounds (MulDiv), and back to 96 exactly.
#include "tests/app/AppFixture.h"

#include <map>

#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "controls/styled/glStaticText.h"
#include "framework/StdCtrls.h"
#include "tests/support/AccReader.h"
#include "sysinfo/Info.h"

using namespace zv;
using namespace zv::test;

namespace {

struct Facts {
    RECT bounds;
    int fontHeight;
    bool ownFont;
    bool autoSized;
    bool heightFromFont;
};

struct FormFacts {
    int clientWidth, clientHeight;
    std::map<std::string, Facts> controls;
};

std::vector<TForm*> AllForms()
{
    return {Form1, Form2, temporizator, Ramas, Prompt, setari, Info, despre, Versiuni};
}

FormFacts Read(TForm* form)
{
    FormFacts f{form->ClientWidth(), form->ClientHeight(), {}};
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form->Component(i));
        if (!c || c->Name().empty())
            continue;
        const auto* label = dynamic_cast<TLabel*>(c);
        const auto* link = dynamic_cast<TglStaticText*>(c);
        f.controls[c->Name()] = Facts{RECT{c->Left(), c->Top(), c->Width(), c->Height()}, c->Font().Height(),
                                      !c->ParentFont(), (label && label->AutoSize()) || (link && link->AutoSize()),
                                      dynamic_cast<TCustomEdit*>(c) != nullptr};
    }
    return f;
}

int MulDiv96(int v, int dpi) { return ::MulDiv(v, dpi, 96); }

// Whether the window scaled to `dpi` still fits the screen (the system keeps a window within it).
bool Fits(TForm* form, const FormFacts& at96, int dpi)
{
    return MulDiv96(at96.clientHeight, dpi) + 60 < ::GetSystemMetrics(SM_CYMAXTRACK) &&
           MulDiv96(at96.clientWidth, dpi) + 30 < ::GetSystemMetrics(SM_CXMAXTRACK);
}

void ExpectScaled(const FormFacts& at96, const FormFacts& now, int dpi, bool fits)
{
    if (fits) {
        EXPECT_EQ(MulDiv96(at96.clientWidth, dpi), now.clientWidth);
        EXPECT_EQ(MulDiv96(at96.clientHeight, dpi), now.clientHeight);
    }
    for (const auto& [name, was] : at96.controls) {
        SCOPED_TRACE(name);
        const Facts& is = now.controls.at(name);
        EXPECT_EQ(MulDiv96(was.bounds.left, dpi), is.bounds.left);
        EXPECT_EQ(MulDiv96(was.bounds.top, dpi), is.bounds.top);
        // A label sized by its text takes the size of its text in the font the system gives for
        // the new height (a bitmap font such as MS Sans Serif comes in a few sizes only).
        if (was.ownFont) {
            EXPECT_EQ(MulDiv96(was.fontHeight, dpi), is.fontHeight);
        }
        if (was.autoSized)
            continue;
        EXPECT_EQ(MulDiv96(was.bounds.right, dpi), is.bounds.right);
        if (was.heightFromFont) {
            EXPECT_GE(is.bounds.bottom, was.bounds.bottom); // an edit is as high as its font's cell
        } else {
            EXPECT_EQ(MulDiv96(was.bounds.bottom, dpi), is.bounds.bottom);
        }
    }
}

void ExpectSame(const FormFacts& a, const FormFacts& b)
{
    EXPECT_EQ(a.clientWidth, b.clientWidth);
    EXPECT_EQ(a.clientHeight, b.clientHeight);
    for (const auto& [name, was] : a.controls) {
        SCOPED_TRACE(name);
        const Facts& is = b.controls.at(name);
        EXPECT_TRUE(::EqualRect(&was.bounds, &is.bounds))
            << was.bounds.left << "," << was.bounds.top << " " << was.bounds.right << "x" << was.bounds.bottom << " became "
            << is.bounds.left << "," << is.bounds.top << " " << is.bounds.right << "x" << is.bounds.bottom;
        EXPECT_EQ(was.fontHeight, is.fontHeight);
    }
}

void SendDpiChanged(TForm* form, int dpi)
{
    RECT r;
    ::GetWindowRect(form->Handle(), &r);
    // Windows suggests the window's rectangle scaled by the change, at the same place.
    r.right = r.left + ::MulDiv(r.right - r.left, dpi, form->Dpi());
    r.bottom = r.top + ::MulDiv(r.bottom - r.top, dpi, form->Dpi());
    ::SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
}

using Scaling = AppFixture;

} // namespace

TEST_F(Scaling, EveryWindowScalesItsLayoutAsTheSystemRounds)
{
    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(dpi);
        for (TForm* form : AllForms()) {
            SCOPED_TRACE(form->Name());
            const FormFacts at96 = Read(form);
            form->ScaleToDpi(dpi);
            EXPECT_EQ(dpi, form->Dpi());
            ExpectScaled(at96, Read(form), dpi, Fits(form, at96, dpi));
            form->ScaleToDpi(96);
            ExpectSame(at96, Read(form));
        }
    }
}

TEST_F(Scaling, MovingToAnotherScreenAndBackGivesTheLayoutAt96Exactly)
{
    for (TForm* form : AllForms()) {
        SCOPED_TRACE(form->Name());
        form->Show();
        const FormFacts at96 = Read(form);
        RECT before;
        ::GetWindowRect(form->Handle(), &before);
        SendDpiChanged(form, 144);
        ExpectScaled(at96, Read(form), 144, Fits(form, at96, 144));
        RECT client;
        ::GetClientRect(form->Handle(), &client);
        if (Fits(form, at96, 144)) {
            EXPECT_EQ(MulDiv96(at96.clientWidth, 144), client.right);
            EXPECT_EQ(MulDiv96(at96.clientHeight, 144), client.bottom);
        }
        SendDpiChanged(form, 96);
        ExpectSame(at96, Read(form));
        ::GetClientRect(form->Handle(), &client);
        EXPECT_EQ(at96.clientWidth, client.right);
        EXPECT_EQ(at96.clientHeight, client.bottom);
        RECT after;
        ::GetWindowRect(form->Handle(), &after);
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        form->Hide();
    }
}

// Moved onto a screen of another scale, the window goes where Windows suggests (on that screen, under
// the pointer that drags it), not where it was: the suggested place is taken, the size is the layout's.
TEST_F(Scaling, MovedToAScreenOfAnotherScaleTheWindowTakesThePlaceWindowsSuggests)
{
    for (TForm* form : std::vector<TForm*>{Form2, temporizator, Versiuni}) {
        SCOPED_TRACE(form->Name());
        form->Show();
        const FormFacts at96 = Read(form);
        RECT was;
        ::GetWindowRect(form->Handle(), &was);
        struct Move {
            int dpi, dx, dy;
        };
        for (const Move& m : {Move{144, 37, 23}, Move{192, -11, 41}, Move{96, 53, -17}}) {
            SCOPED_TRACE(m.dpi);
            RECT suggested{was.left + m.dx, was.top + m.dy, 0, 0};
            suggested.right = suggested.left + ::MulDiv(was.right - was.left, m.dpi, form->Dpi());
            suggested.bottom = suggested.top + ::MulDiv(was.bottom - was.top, m.dpi, form->Dpi());
            ::SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(m.dpi, m.dpi), reinterpret_cast<LPARAM>(&suggested));
            RECT now;
            ::GetWindowRect(form->Handle(), &now);
            EXPECT_EQ(suggested.left, now.left);
            EXPECT_EQ(suggested.top, now.top);
            if (Fits(form, at96, m.dpi)) {
                RECT client;
                ::GetClientRect(form->Handle(), &client);
                EXPECT_EQ(MulDiv96(at96.clientWidth, m.dpi), client.right);
                EXPECT_EQ(MulDiv96(at96.clientHeight, m.dpi), client.bottom);
            }
            was = now;
        }
        EXPECT_EQ(96, form->Dpi());
        ExpectSame(at96, Read(form));
        form->Hide();
    }
}

TEST_F(Scaling, AScreenReaderFindsTheControlsAtTheirScaledPlaces)
{
    Form2->Show();
    Form2->ScaleToDpi(144);
    TAccReader form(Form2->Handle());
    POINT client{0, 0};
    ::ClientToScreen(Form2->Handle(), &client);
    struct Placed {
        const char* name;
        int left, top;
    };
    for (const Placed& p : {Placed{"Label5", 32, 22}, Placed{"Label3", 32, 264}}) {
        SCOPED_TRACE(p.name);
        auto* c = Form2->Bind<TControl>(p.name);
        const long id = form.Find(c->Caption());
        ASSERT_GT(id, 0);
        const RECT r = form.Location(id);
        EXPECT_EQ(client.x + MulDiv96(p.left, 144), r.left);
        EXPECT_EQ(client.y + MulDiv96(p.top, 144), r.top);
        EXPECT_EQ(c->Width(), r.right - r.left);
        EXPECT_EQ(c->Height(), r.bottom - r.top);
    }
    Form2->ScaleToDpi(96);
    Form2->Hide();
}
