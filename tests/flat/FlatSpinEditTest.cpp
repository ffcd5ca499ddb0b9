// The integer spin edit, driven with real keyboard, mouse and clipboard messages: its value in the text,
// clamping on exit, arrow steps at the limits, the character filter and its beeps, and its geometry.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "controls/flat/FlatSpinEditInteger.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "flat/PixelCount.h"
#include "tests/support/FakeSoundPort.h"

namespace zv {
namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class SpinEdit : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form = new TForm(Application);
        form->SetBounds(80, 80, 300, 160);
        form->SetColor(clBtnFace);
        form->Font().SetName("MS Sans Serif");
        form->Font().SetHeight(-11);
        form->ShowForm();
        other = new TEdit(nullptr);
        other->SetBounds(10, 100, 80, 21);
        other->SetParent(form);
        Application->ProcessMessages();
    }
    static void TearDownTestSuite()
    {
        delete form;
        form = nullptr;
    }
    void SetUp() override
    {
        spin = new TFlatSpinEditInteger(nullptr);
        spin->SetBounds(10, 10, 65, 20);
        spin->SetMinValue(1);
        spin->SetMaxValue(180);
        spin->SetValue(1);
        spin->SetParent(form);
        spin->OnChange = [this](TObject*) { ++changes; };
        other->SetFocus();
    }
    void TearDown() override
    {
        other->SetFocus();
        spin->SetParent(nullptr);
        delete spin;
    }
    // Focus in from the keyboard side, the whole text selected, then characters as typed.
    void Type(const std::string& text)
    {
        spin->SetFocus();
        spin->SelectAll();
        for (char ch : text) {
            ::SendMessageA(spin->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
        }
    }
    void Leave() { other->SetFocus(); }
    void Key(WORD vk)
    {
        ::SendMessageA(spin->Handle(), WM_KEYDOWN, vk, 1);
        ::SendMessageA(spin->Handle(), WM_KEYUP, vk, 0xC0000001);
    }
    void ClickArrow(bool up)
    {
        HWND h = spin->Button()->Handle();
        const int x = up ? 3 : 15;
        ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, 5));
        ::SendMessageA(h, WM_LBUTTONUP, 0, At(x, 5));
    }
    static TForm* form;
    static TEdit* other;
    TFlatSpinEditInteger* spin = nullptr;
    TFakeSoundPort sound;
    int changes = 0;
};

TForm* SpinEdit::form = nullptr;
TEdit* SpinEdit::other = nullptr;

TEST_F(SpinEdit, LeavingTheFieldBringsTypedNumbersIntoRange)
{
    Type("0");
    EXPECT_EQ("0", spin->GetText()) << "the text stays as typed while the field has the focus";
    Leave();
    EXPECT_EQ("1", spin->GetText());
    Type("500");
    Leave();
    EXPECT_EQ("180", spin->GetText());
    EXPECT_EQ(180, spin->Value());
    Type("-7");
    Leave();
    EXPECT_EQ("1", spin->GetText());
    Type("42");
    Leave();
    EXPECT_EQ("42", spin->GetText());
    EXPECT_EQ(0, sound.Beeps());
}

TEST_F(SpinEdit, ArrowsAndArrowKeysStepWithinTheBounds)
{
    spin->SetValue(179);
    ClickArrow(true);
    EXPECT_EQ(180, spin->Value());
    ClickArrow(true);
    EXPECT_EQ("180", spin->GetText()) << "up at the maximum stays there";
    EXPECT_TRUE(spin->Focused()) << "a press on an arrow brings the focus to the field";
    ClickArrow(false);
    EXPECT_EQ(179, spin->Value());
    Key(VK_DOWN);
    EXPECT_EQ(178, spin->Value());
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(180, spin->Value());
    spin->SetIncrement(50);
    Key(VK_DOWN);
    EXPECT_EQ(130, spin->Value());
    spin->SetValue(-5);
    EXPECT_EQ("1", spin->GetText()) << "writing clamps";
    EXPECT_GE(changes, 6) << "each written value is a change";
}

TEST_F(SpinEdit, TheFilterDropsWhatIsNoNumberWithABeep)
{
    Type("1a2b");
    EXPECT_EQ("12", spin->GetText());
    EXPECT_EQ(2, sound.Beeps());
    sound.Clear();
    // Enter stays in the field and is refused there.
    ::SendMessageA(spin->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageA(spin->Handle(), WM_CHAR, '\r', 1);
    EXPECT_EQ(1, sound.Beeps());
    EXPECT_EQ("12", spin->GetText());
    // Ctrl+Enter's line feed would make a second line in the multi-line window.
    ::SendMessageA(spin->Handle(), WM_CHAR, '\n', 1);
    EXPECT_EQ(2, sound.Beeps());
    EXPECT_EQ("12", spin->GetText());
    sound.Clear();
    // Signs and backspace pass.
    ::SendMessageA(spin->Handle(), WM_CHAR, '\b', 1);
    ::SendMessageA(spin->Handle(), WM_CHAR, '+', 1);
    EXPECT_EQ("1+", spin->GetText());
    EXPECT_EQ(0, sound.Beeps());
    EXPECT_EQ(1, spin->Value()) << "not a number: the minimum";

    spin->SetEditorEnabled(false);
    sound.Clear();
    ::SendMessageA(spin->Handle(), WM_CHAR, '5', 1);
    ::SendMessageA(spin->Handle(), WM_CHAR, '\b', 1);
    EXPECT_EQ("1+", spin->GetText());
    EXPECT_EQ(2, sound.Beeps());
    spin->SetSelection(0, 0);
    Key(VK_DELETE);
    EXPECT_EQ("1+", spin->GetText()) << "Delete is no way round the filter";
    ClickArrow(true);
    EXPECT_EQ("2", spin->GetText()) << "only the arrows change a field whose editor is off";
}

TEST_F(SpinEdit, UnreadableTextReadsAsTheMinimumAndIsLeftAsItIs)
{
    for (const char* text : {"", "-", "+", "1.5", "2147483648", "-2147483649", "12abc", "0x10"}) {
        spin->SetText(text);
        EXPECT_EQ(1, spin->Value()) << "'" << text << "'";
        EXPECT_EQ(text, spin->GetText()) << "reading leaves the text";
    }
    spin->SetText("+17");
    EXPECT_EQ(17, spin->Value());
    spin->SetText("");
    spin->SetFocus();
    Leave();
    EXPECT_EQ("", spin->GetText()) << "an empty field stays empty";
    ClickArrow(true);
    EXPECT_EQ("2", spin->GetText()) << "the next step starts from the minimum";
    spin->SetText("");
    ClickArrow(false);
    EXPECT_EQ("1", spin->GetText()) << "minimum - 1, clamped";
}

TEST_F(SpinEdit, ReadOnlyOnlyBeeps)
{
    spin->SetValue(50);
    spin->SetReadOnly(true);
    ClickArrow(true);
    ClickArrow(false);
    spin->SetFocus();
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ("50", spin->GetText());
    EXPECT_EQ(4, sound.Beeps());
}

TEST_F(SpinEdit, PasteIsRefusedUnlessTheFieldIsEditable)
{
    auto putOnClipboard = [](const char* text) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        const size_t n = std::strlen(text) + 1;
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, n);
        std::memcpy(::GlobalLock(mem), text, n);
        ::GlobalUnlock(mem);
        ::SetClipboardData(CF_TEXT, mem);
        ::CloseClipboard();
    };
    putOnClipboard("9x9");
    spin->SetValue(7);
    spin->SetFocus();
    spin->SelectAll();
    spin->SetReadOnly(true);
    ::SendMessageA(spin->Handle(), WM_PASTE, 0, 0);
    ::SendMessageA(spin->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ("7", spin->GetText());
    spin->SetReadOnly(false);
    spin->SetEditorEnabled(false);
    ::SendMessageA(spin->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("7", spin->GetText());
    spin->SetEditorEnabled(true);
    spin->SelectAll();
    ::SendMessageA(spin->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("9x9", spin->GetText()) << "a paste is not filtered";
    EXPECT_EQ(1, spin->Value());
    Leave();
    EXPECT_EQ("9x9", spin->GetText());
}

TEST_F(SpinEdit, WithoutBoundsEvery32BitValueIsKeptAndStepsStopAtTheLimits)
{
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(INT_MAX);
    EXPECT_EQ("2147483647", spin->GetText());
    ClickArrow(true);
    EXPECT_EQ(INT_MAX, spin->Value()) << "no wrap to a large negative number";
    spin->SetValue(INT_MIN);
    EXPECT_EQ("-2147483648", spin->GetText());
    ClickArrow(false);
    EXPECT_EQ(INT_MIN, spin->Value());
    Type("-99999");
    Leave();
    EXPECT_EQ("-99999", spin->GetText());
}

TEST_F(SpinEdit, KeyboardEntrySelectsAllButAClickKeepsTheCaret)
{
    spin->SetValue(123);
    spin->SetFocus();
    EXPECT_EQ(0, spin->SelStart());
    EXPECT_EQ(3, spin->SelLength());
    Leave();
    ::SendMessageA(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(4, 5));
    ::SendMessageA(spin->Handle(), WM_LBUTTONUP, 0, At(4, 5));
    EXPECT_TRUE(spin->Focused());
    EXPECT_EQ(0, spin->SelLength());
}

TEST_F(SpinEdit, ArrowsSitInsideTheBorderAndTheTextKeepsClearOfThem)
{
    const TSpinButton* b = spin->Button();
    EXPECT_EQ(65 - 22 - 5, b->Left());
    EXPECT_EQ(0, b->Top());
    EXPECT_EQ(22, b->Width());
    EXPECT_EQ(20 - 6, b->Height());
    RECT client;
    ::GetClientRect(spin->Handle(), &client);
    EXPECT_EQ(65 - 6, client.right);
    RECT text{};
    ::SendMessageA(spin->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    // The edit keeps its own small margin inside the rectangle it is given.
    EXPECT_LE(text.right, client.right - 22 - 3);
    EXPECT_GE(text.right, client.right - 22 - 3 - 4);

    spin->SetBounds(10, 10, 90, 30);
    EXPECT_EQ(90 - 22 - 5, b->Left());
    EXPECT_EQ(30 - 6, b->Height());
    EXPECT_EQ(24, b->DownButton()->Height()) << "the arrows follow";
}

TEST_F(SpinEdit, NeverLowerThanTheFontNeeds)
{
    // MS Sans Serif 8 point: a 13-pixel cell.
    ASSERT_EQ(20, spin->MinHeight());
    spin->SetHeight(8);
    EXPECT_EQ(20, spin->Height());
    RECT w;
    ::GetWindowRect(spin->Handle(), &w);
    EXPECT_EQ(20, w.bottom - w.top);
    EXPECT_EQ(14, spin->Button()->Height());
}

// The countdown's minutes field as its layout states it.
class TSpinLayoutForm : public TForm {
public:
    explicit TSpinLayoutForm(TComponent* owner) : TForm(owner) {}
    const char* ClassName() const override { return "TSpinLayoutForm"; }
    void Read(const std::string& text) { ReadComponentLayout(this, text, "TSpinLayoutForm"); }
};

const bool kRegistered = [] {
    RegisterRootClass("TSpinLayoutForm", "TForm");
    return true;
}();

TEST(SpinEditLayout, PublishedPropertiesReadFromALayout)
{
    TSpinLayoutForm f(nullptr);
    f.Read("object temporizator: TSpinLayoutForm\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'MS Sans Serif'\n"
           "  object spin: TFlatSpinEditInteger\n"
           "    Left = 88\n"
           "    Top = 64\n"
           "    Width = 65\n"
           "    Height = 20\n"
           "    ColorFocused = clInfoBk\n"
           "    ColorFlat = clInfoBk\n"
           "    AutoSize = False\n"
           "    MaxValue = 180\n"
           "    MinValue = 1\n"
           "    Increment = 2\n"
           "    EditorEnabled = True\n"
           "    ParentColor = False\n"
           "    ReadOnly = False\n"
           "    Value = 1\n"
           "  end\n"
           "end\n");
    auto* spin = f.Bind<TFlatSpinEditInteger>("spin");
    EXPECT_EQ(1, spin->MinValue());
    EXPECT_EQ(180, spin->MaxValue());
    EXPECT_EQ(2, spin->Increment());
    EXPECT_EQ(1, spin->Value());
    EXPECT_EQ(clInfoBk, spin->ColorFocused());
    EXPECT_EQ(clInfoBk, spin->ColorFlat());
    EXPECT_FALSE(spin->ParentColor());
    EXPECT_EQ(65, spin->Width());
    EXPECT_EQ(20, spin->Height()) << "13-pixel cell + 7";
}

} // namespace
} // namespace zv
