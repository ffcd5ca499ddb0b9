// The About and version-history windows: their texts, their read-only memos, the mail link and the
// buttons that hide them; and, for all three information windows, text in plain printable ASCII.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppFixture.h"
#include "countdown/Despre.h"
#include "countdown/TextResource.h"
#include "countdown/Versiuni.h"
#include "framework/ListBox.h"
#include "sysinfo/Info.h"

using namespace zv;
using namespace zv::test;

namespace {

void Type(HWND h, const std::string& text)
{
    for (char ch : text)
        ::SendMessageA(h, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

void Key(HWND h, WORD vk)
{
    ::SendMessageA(h, WM_KEYDOWN, vk, 1);
    ::SendMessageA(h, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(::GlobalLock(mem)));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
    ::CloseClipboard();
}

bool PrintableAscii(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

class AboutAndVersions : public AppFixture {};

TEST_F(AboutAndVersions, TheVersionHistoryHasItsThirtyEntriesInOrderAndTheClosingRemark)
{
    const std::vector<std::string> lines = Versiuni->Memo1->Lines();
    ASSERT_EQ(131u, lines.size());
    EXPECT_EQ(TextResourceLines("VERSIUNI"), lines);

    std::vector<std::string> versions;
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        const std::string& l = lines[i];
        ASSERT_FALSE(l.empty()) << "line " << i;
        if (l[0] == ' ')
            continue; // a continuation of the entry above
        ASSERT_TRUE(l[0] >= '1' && l[0] <= '4') << "line " << i << ": " << l;
        versions.push_back(l.substr(0, l.find("  ")));
    }
    ASSERT_EQ(30u, versions.size());
    EXPECT_EQ("1.00", versions.front());
    EXPECT_EQ("4.01", versions.back());
    EXPECT_EQ(4, std::count_if(versions.begin(), versions.end(),
                               [](const std::string& v) { return v.find(" RC") != std::string::npos; }));
    EXPECT_TRUE(std::is_sorted(versions.begin(), versions.end()));
    EXPECT_TRUE(std::any_of(versions.begin(), versions.end(), [](const std::string& v) { return v[0] == '2'; }));
    EXPECT_TRUE(std::any_of(versions.begin(), versions.end(), [](const std::string& v) { return v[0] == '3'; }));
    // Every entry has at least one line below its version.
    EXPECT_EQ(lines[0].rfind("1.00", 0), 0u);
    EXPECT_EQ(' ', lines[1][0]);

    EXPECT_EQ("", lines[129]);
    EXPECT_NE(std::string::npos, lines[130].find("toate functiile"));
}

TEST_F(AboutAndVersions, TheTermsAreAHeadingAnEmptyLineAndTenLinesOfText)
{
    const std::vector<std::string> lines = despre->Memo1->Lines();
    ASSERT_EQ(12u, lines.size());
    EXPECT_FALSE(lines[0].empty());
    EXPECT_EQ("", lines[1]);
    for (size_t i = 2; i < lines.size(); ++i)
        EXPECT_FALSE(lines[i].empty()) << "line " << i;
}

TEST_F(AboutAndVersions, NeitherMemoTakesTypingDeletingOrPasting)
{
    PutOnClipboard("lipit");
    for (TMemo* memo : {despre->Memo1, Versiuni->Memo1}) {
        EXPECT_TRUE(memo->ReadOnly());
        const std::string before = memo->GetText();
        static_cast<TForm*>(memo->Owner())->ShowForm();
        memo->SetFocus();
        memo->SetSelection(0, 5);
        Type(memo->Handle(), "abc\b");
        Key(memo->Handle(), VK_DELETE);
        Key(memo->Handle(), VK_BACK);
        for (UINT msg : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO})
            ::SendMessageA(memo->Handle(), msg, 0, 0);
        EXPECT_EQ(before, memo->GetText()) << memo->Owner()->Name();
    }
}

TEST_F(AboutAndVersions, TheMenuShowsEachWindowItsButtonHidesItAndItComesBackUnchanged)
{
    struct Case {
        TForm* form;
        const char* menuItem;
        TglBitBtn* button;
        TMemo* memo;
    };
    for (const Case& c : {Case{despre, "Despre1", despre->glBitBtn1, despre->Memo1},
                          Case{Versiuni, "Versiuni1", Versiuni->glBitBtn1, Versiuni->Memo1}}) {
        const std::string text = c.memo->GetText();
        ClickMenu(Form2, Form2->Bind<TMenuItem>(c.menuItem));
        EXPECT_TRUE(c.form->Visible()) << c.menuItem;
        ClickButton(c.button);
        EXPECT_FALSE(c.form->Visible()) << c.menuItem;
        EXPECT_FALSE(::IsWindowVisible(c.form->Handle())) << c.menuItem;
        ClickMenu(Form2, Form2->Bind<TMenuItem>(c.menuItem));
        EXPECT_TRUE(c.form->Visible()) << c.menuItem;
        EXPECT_EQ(text, c.memo->GetText()) << c.menuItem;
        // The title bar's close box only hides it too.
        ::SendMessageA(c.form->Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(c.form->Visible()) << c.menuItem;
    }
}

// Read down the history, it stays there however often the window is painted: the text given at the
// first paint is not given again.
TEST_F(AboutAndVersions, TheVersionHistoryScrolledStaysWhereItWasWhenItRepaints)
{
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Versiuni1"));
    ::UpdateWindow(Versiuni->Handle());
    const HWND memo = Versiuni->Memo1->Handle();
    ::SendMessageA(memo, WM_VSCROLL, SB_PAGEDOWN, 0);
    ::SendMessageA(memo, WM_VSCROLL, SB_PAGEDOWN, 0);
    const LRESULT read = ::SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(read, 0);
    for (int paint = 0; paint < 3; ++paint) {
        ::RedrawWindow(Versiuni->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(read, ::SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0)) << "paint " << paint;
    }
    ClickButton(Versiuni->glBitBtn1);
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Versiuni1"));
    ::UpdateWindow(Versiuni->Handle());
    EXPECT_EQ(read, ::SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0)) << "closed and opened again";
}

TEST_F(AboutAndVersions, EnterInTheVersionHistoryPressesOk)
{
    Versiuni->ShowForm();
    Versiuni->Memo1->SetFocus();
    ASSERT_TRUE(Versiuni->Memo1->Focused());
    Key(Versiuni->Memo1->Handle(), VK_RETURN);
    EXPECT_FALSE(Versiuni->Visible());
}

TEST_F(AboutAndVersions, TheAuthorLinkOpensAFeedbackMailOwnedByTheMainWindow)
{
    despre->ShowForm();
    TglStaticText* link = despre->glStaticText1;
    EXPECT_EQ(TCursor::crHandPoint, link->Cursor());
    EXPECT_EQ(clRed, link->ActiveColor());
    EXPECT_EQ(0u, link->Caption().rfind("Autor: ", 0));
    EXPECT_GT(link->Caption().size(), 7u);

    const int x = link->Left() + 3, y = link->Top() + 3;
    ::SendMessageA(despre->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(despre->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));

    ASSERT_EQ(1u, shell.Launches().size());
    const TShellLaunch& l = shell.Launches()[0];
    EXPECT_EQ(Form1->Handle(), l.owner);
    EXPECT_EQ(MainWindowHandle(), l.owner);
    EXPECT_FALSE(l.operation.has_value());
    EXPECT_EQ("mailto:zavrin@zavrin.ro?subject=Zavrin4 Feedback", l.file.value_or("<null>"));
    EXPECT_EQ("", l.parameters.value_or("<null>"));
    EXPECT_EQ("", l.directory.value_or("<null>"));
    EXPECT_EQ(SW_SHOWNORMAL, l.showCommand);
}

TEST_F(AboutAndVersions, EveryTextOfTheThreeWindowsIsPrintableAscii)
{
    for (TForm* form : std::vector<TForm*>{Info, despre, Versiuni}) {
        std::vector<std::string> texts{form->Caption()};
        for (int i = 0; i < form->ComponentCount(); ++i) {
            TComponent* c = form->Component(i);
            if (auto* memo = dynamic_cast<TMemo*>(c)) {
                for (const std::string& l : memo->Lines())
                    texts.push_back(l);
            } else if (auto* list = dynamic_cast<TCustomListBox*>(c)) {
                for (int j = 0; j < list->Count(); ++j)
                    texts.push_back(list->Items(j));
            } else if (auto* control = dynamic_cast<TControl*>(c)) {
                texts.push_back(control->Caption());
            }
        }
        EXPECT_GT(texts.size(), 3u) << form->Name();
        for (const std::string& t : texts)
            EXPECT_TRUE(PrintableAscii(t)) << form->Name() << ": " << t;
    }
}

} // namespace
