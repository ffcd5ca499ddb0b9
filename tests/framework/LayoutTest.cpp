// Reading layouts: the tree they build, their errors, and the loading protocol.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/Layout.h"
#include "framework/Menus.h"
#include "framework/Timer.h"

using namespace zv;

namespace {

// Records the loading state its properties were set in, and its Loaded() calls.
class TProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    const char* ClassName() const override { return "TProbe"; }
    void Loaded() override
    {
        ++loadedCalls;
        sawSiblingsLoadedWhenLoaded = Owner() && Owner()->FindComponent("Last") != nullptr;
        TWinControl::Loaded();
    }
    int loadedCalls = 0;
    bool loadingWhenSet = false;
    bool sawSiblingsLoadedWhenLoaded = false;
    std::vector<std::string> lines;
    unsigned options = 0;
};

class TLayoutForm : public TForm {
public:
    explicit TLayoutForm(TComponent* owner) : TForm(owner)
    {
        PublishHandler("ProbeClick", TNotifyEvent([this](TObject*) { ++clicks; }));
        PublishHandler("FormCreate", TNotifyEvent([this](TObject*) { ++creates; }));
    }
    const char* ClassName() const override { return "TLayoutForm"; }
    void Read(const std::string& text) { ReadComponentLayout(this, text, "TLayoutForm"); }
    int clicks = 0;
    int creates = 0;
};

// Registered under the wrong parent: layouts may name TProbe's properties for it, which it lacks.
class TMisfiled : public TWinControl {
public:
    using TWinControl::TWinControl;
    const char* ClassName() const override { return "TMisfiled"; }
};

const bool kRegistered = [] {
    RegisterRootClass("TLayoutForm", "TForm");
    RegisterClass<TMisfiled>("TMisfiled", "TProbe");
    RegisterClass<TProbe>("TProbe", "TWinControl")
        .Prop<TProbe>("Marker", [](TProbe& p, const TLayoutValue& v) {
            p.loadingWhenSet = p.IsLoading();
            p.Tag = v.AsInt();
        })
        .Prop<TProbe>("Lines", [](TProbe& p, const TLayoutValue& v) { p.lines = v.AsStrings(); })
        .Prop<TProbe>("Options", [](TProbe& p, const TLayoutValue& v) {
            p.options = v.AsSet({{"opA", 1}, {"opB", 2}, {"opC", 4}});
        });
    return true;
}();

const char* kGoodLayout = R"(object Form9: TLayoutForm
  Caption = 'It''s a test'#13#10 + 'second'
  ClientWidth = 200
  ClientHeight = 100
  Font.Height = -13
  OnCreate = FormCreate
  Menu = Menu1
  object Outer: TProbe
    Left = 10
    Top = 20
    Width = 100
    Height = 50
    Marker = 7
    Color = clInfoBk
    OnClick = ProbeClick
    object Inner: TProbe
      Left = 1
      Top = 2
      Lines = ('a' 'b' + 'c')
      Options = [opA, opC]
    end
  end
  object Timer1: TTimer
    Interval = 250
    Enabled = False
  end
  object Menu1: TMainMenu
    object File1: TMenuItem
      Caption = 'File'
      object Exit1: TMenuItem
        Caption = 'Iesire'
        OnClick = ProbeClick
      end
    end
  end
  object Last: TProbe
    TabOrder = 0
  end
end
)";

TEST(Layout, BuildsTheTreeItDescribes)
{
    TLayoutForm form(nullptr);
    form.Read(kGoodLayout);
    EXPECT_EQ("Form9", form.Name());
    EXPECT_EQ("It's a test\r\nsecond", form.Caption());
    EXPECT_EQ(-13, form.Font().Height());

    auto* outer = form.Bind<TProbe>("Outer");
    auto* inner = form.Bind<TProbe>("Inner");
    EXPECT_EQ(&form, outer->Parent());
    EXPECT_EQ(outer, inner->Parent());
    EXPECT_EQ(&form, inner->Owner()); // the form owns everything it reads
    EXPECT_EQ(10, outer->Left());
    EXPECT_EQ(50, outer->Height());
    EXPECT_EQ(clInfoBk, outer->Color());
    // Defaults left out stay the class's own.
    EXPECT_TRUE(inner->Visible());
    EXPECT_EQ(0, inner->Width());
    EXPECT_EQ((std::vector<std::string>{"a", "bc"}), inner->lines);
    EXPECT_EQ(5u, inner->options);
    // Child fonts follow the parent unless they say otherwise.
    EXPECT_EQ(-13, inner->Font().Height());

    auto* timer = form.Bind<TTimer>("Timer1");
    EXPECT_EQ(250u, timer->Interval());
    EXPECT_FALSE(timer->Enabled());

    auto* menu = form.Bind<TMainMenu>("Menu1");
    EXPECT_EQ(menu, form.Menu()); // referred to before it was defined
    ASSERT_EQ(1, menu->Items().Count());
    EXPECT_EQ("Iesire", menu->Items().Items(0)->Items(0)->Caption());

    // Events bound by name reach the form's handlers.
    outer->Click();
    menu->Items().Items(0)->Items(0)->Click();
    EXPECT_EQ(2, form.clicks);
    // Tab order from the layout: Last asked for position 0 among the form's children.
    EXPECT_EQ(0, form.Bind<TProbe>("Last")->TabOrder());
    EXPECT_EQ(1, outer->TabOrder());
}

TEST(Layout, APropertyOfAClassTheObjectIsNotIsRefusedNotApplied)
{
    TLayoutForm form(nullptr);
    form.Read("object Form9: TLayoutForm\n  object Good: TProbe\n    Marker = 7\n  end\nend\n");
    EXPECT_EQ(7, form.Bind<TProbe>("Good")->Tag);
    TLayoutForm other(nullptr);
    try {
        other.Read("object Form9: TLayoutForm\n  object Odd: TMisfiled\n    Marker = 7\n  end\nend\n");
        FAIL() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("line 3")) << e.what();
        EXPECT_NE(std::string::npos, std::string(e.what()).find("TMisfiled")) << e.what();
    }
}

TEST(Layout, LoadingStateAndLoadedOncePerComponentAfterTheWholeLayout)
{
    TLayoutForm form(nullptr);
    form.Read(kGoodLayout);
    auto* outer = form.Bind<TProbe>("Outer");
    auto* inner = form.Bind<TProbe>("Inner");
    EXPECT_TRUE(outer->loadingWhenSet);
    EXPECT_EQ(1, outer->loadedCalls);
    EXPECT_EQ(1, inner->loadedCalls);
    EXPECT_TRUE(outer->sawSiblingsLoadedWhenLoaded); // the last object existed before any Loaded()
    EXPECT_FALSE(outer->IsLoading());
    EXPECT_FALSE(form.IsLoading());
}

struct BadLayout {
    const char* text;
    const char* message;
};

class LayoutErrors : public ::testing::TestWithParam<BadLayout> {};

TEST_P(LayoutErrors, NameTheLineAndLeaveTheFormUsable)
{
    TLayoutForm form(nullptr);
    try {
        form.Read(GetParam().text);
        FAIL() << "no error for: " << GetParam().text;
    } catch (const ELayoutError& e) {
        EXPECT_STREQ(GetParam().message, e.what());
    }
    EXPECT_EQ(0, form.ComponentCount()); // what was made went away
    EXPECT_FALSE(form.IsLoading());
}

INSTANTIATE_TEST_SUITE_P(
    Layout, LayoutErrors,
    ::testing::Values(
        BadLayout{"object F: TLayoutForm\n  object A: TNoSuchClass\n  end\nend\n",
                  "Layout TLayoutForm, line 2: unknown class 'TNoSuchClass'"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n    Colour = clRed\n  end\nend\n",
                  "Layout TLayoutForm, line 3: unknown property 'Colour' of TProbe"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n\n    Left = 'ten'\n  end\nend\n",
                  "Layout TLayoutForm, line 4: bad value for property 'Left': integer expected"},
        BadLayout{"object F: TLayoutForm\n  Color = clNoColour\nend\n",
                  "Layout TLayoutForm, line 2: bad value for property 'Color': unknown colour 'clNoColour'"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n    Left = 1\n",
                  "Layout TLayoutForm, line 4: 'end' expected to close object 'A' opened on line 2"},
        BadLayout{"object F: TLayoutForm\n  Caption = 'open\nend\n",
                  "Layout TLayoutForm, line 2: unterminated string"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n    OnClick = NoHandler\n  end\nend\n",
                  "Layout TLayoutForm, line 3: bad value for property 'OnClick': handler 'NoHandler' not found"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n    Options = [opA, opZ]\n  end\nend\n",
                  "Layout TLayoutForm, line 3: bad value for property 'Options': unknown set member 'opZ'"},
        BadLayout{"object F: TOtherForm\nend\n", "Layout TLayoutForm, line 1: unknown class 'TOtherForm'"},
        BadLayout{"object F: TLayoutForm\n  Menu = Missing\nend\n",
                  "Layout TLayoutForm: Component 'Missing' not found in F"},
        BadLayout{"object F: TLayoutForm\n  object A: TProbe\n  end\n  object A: TProbe\n  end\nend\n",
                  "Layout TLayoutForm, line 4: duplicate component name 'A'"}));

} // namespace
