// The main window as laid out: places, sizes, texts, hints, tab order, menu, and what the menu and
// the mail link open.
#include "tests/app/AppFixture.h"

#include "countdown/Despre.h"
#include "countdown/Versiuni.h"
#include "sysinfo/Info.h"

using namespace zv;
using namespace zv::test;

namespace {

struct Placed {
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* hint;
};

// Controls with their table values (texts of labels and buttons; hints where the table has one).
const Placed kControls[] = {
    {"Label5", 32, 22, 56, 13, "Ora actiunii:", ""},
    {"DateTimePicker1", 128, 16, 89, 21, nullptr, "Setati ora la care se va efectua actiunea precizata in campul alaturat"},
    {"Label6", 32, 52, 62, 13, "Data actiunii:", ""},
    {"DateTimePicker2", 128, 48, 89, 21, nullptr, "Setati data actiunii"},
    {"glBitBtn1", 36, 96, 177, 25, "Valideaza", "Apasati pentru a valida datele introduse"},
    {"glBitBtn2", 36, 128, 81, 25, "Anuleaza", "Anulati datele introduse (si implicit si zavrina)"},
    {"glBitBtn4", 132, 128, 81, 25, "Iesire", "Parasiti programul"},
    {"glBitBtn3", 36, 160, 177, 25, "Zavrin imediata", "Opriti instantaneu sistemul"},
    {"glBitBtn5", 36, 192, 177, 25, "Temporizator", "Selectati pentru trecerea in fereastra temporizatorului"},
    {"glGroupBox1", 256, 16, 145, 105, "Tipul actiunii", "Selectati tipul actiunii"},
    {"group1", 256, 128, 145, 129, "Zavrin in retea (numai XP)",
     "ATENTIE!!! Trebuie sa aveti drept de control pentru sistemul oprit in retea!"},
    {"Label2", 32, 240, 70, 13, "Ora zavrinii este:", ""},
    {"Label3", 32, 264, 82, 13, "Ora curenta este:", ""},
    {"rd1", 8, 24, 121, 17, "Zavrin", "Selectati pentru zavrina sistemului"},
    {"rd2", 8, 48, 121, 17, "Rebootare", "Selectati pentru rebootarea sistemului"},
    {"rd3", 8, 72, 121, 17, "Delogare", "Selectati pentru delogarea userului"},
    {"radio1", 10, 32, 97, 17, "Actiune locala", "Selectati pentru actiune locala"},
    {"radio2", 10, 56, 96, 17, "Actiune in retea", "Selectati pentru actiune in retea"},
    {"Label1", 24, 80, 91, 14, "Numele sistemului :", ""},
    {"glShadow1", 12, 95, 129, 25, nullptr, ""},
    {"Edit1", 8, 96, 129, 20, "//", ""},
};

using MainLayout = AppFixture;

TEST_F(MainLayout, ControlsStandWhereTheTablesPutThemWithTheirTextsAndHints)
{
    for (const Placed& p : kControls) {
        SCOPED_TRACE(p.name);
        auto* c = Form2->Bind<TControl>(p.name);
        // Labels size themselves to their text; only their place is fixed.
        const bool autoSized = dynamic_cast<TLabel*>(c) && static_cast<TLabel*>(c)->AutoSize();
        EXPECT_EQ(p.left, c->Left());
        EXPECT_EQ(p.top, c->Top());
        if (!autoSized) {
            EXPECT_EQ(p.width, c->Width());
            EXPECT_EQ(p.height, c->Height());
        }
        if (p.text) {
            EXPECT_EQ(p.text, c->Caption());
        }
        EXPECT_EQ(p.hint, c->Hint());
        // Every control that has a hint shows it on its own account.
        if (*p.hint) {
            EXPECT_TRUE(c->ShowHint());
            EXPECT_FALSE(c->ParentShowHint());
        }
    }
    EXPECT_EQ(Form2->group1, Form2->Edit1->Parent());
    EXPECT_EQ(Form2->glGroupBox1, Form2->rd3->Parent());
    EXPECT_EQ(Form2->Label4->Caption(), "nestabilita");
    EXPECT_EQ(std::string("email: ") + kAuthorMail, Form2->glStaticText1->Caption());
    EXPECT_EQ(TCursor::crHandPoint, Form2->glStaticText1->Cursor());
    EXPECT_EQ(clNavy, Form2->glStaticText1->Font().Color());
    EXPECT_EQ(clRed, Form2->glStaticText1->ActiveColor());
    EXPECT_EQ(clInfoBk, Form2->Edit1->Color());
    EXPECT_EQ(clInfoBk, Form2->DateTimePicker1->Color());
    EXPECT_EQ(RUSSIAN_CHARSET, Form2->group1->Font().Charset());
}

TEST_F(MainLayout, TheWindowItself)
{
    EXPECT_EQ("Zavrin Computer v4.01", Form2->Caption());
    EXPECT_EQ(193, Form2->Left());
    EXPECT_EQ(114, Form2->Top());
    RECT r;
    ::GetClientRect(Form2->Handle(), &r);
    EXPECT_EQ(434, r.right);
    EXPECT_EQ(296, r.bottom);
    const LONG style = ::GetWindowLongA(Form2->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ("MS Sans Serif", Form2->Font().Name());
    EXPECT_EQ(-11, Form2->Font().Height());
    EXPECT_EQ(1000u, Form2->Timer1->Interval());
    EXPECT_FALSE(Form2->glHint1->Active());
}

TEST_F(MainLayout, TabOrderRunsAsTheTableSays)
{
    std::vector<TWinControl*> list;
    Form2->GetTabOrderList(list);
    std::vector<std::string> names;
    for (TWinControl* c : list)
        names.push_back(c->Name());
    EXPECT_EQ((std::vector<std::string>{"DateTimePicker1", "DateTimePicker2", "glBitBtn1", "group1", "Edit1", "radio1",
                                        "radio2", "glBitBtn2", "glBitBtn4", "glBitBtn3", "glGroupBox1", "rd1", "rd2",
                                        "rd3", "glBitBtn5"}),
              names);
}

TEST_F(MainLayout, TheMenuHasItsItemsUnderTheirNames)
{
    TMainMenu* m = Form2->MainMenu1;
    EXPECT_EQ(m, Form2->Menu());
    const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>> expected = {
        {"File1", {{"Anulare1", "Anulare"}, {"Iesire1", "Iesire"}}},
        {"Setari1", {{"impData1", "Timp/Data"}, {"Display1", "Display"}, {"Regionale1", "Regionale"}, {"Interfata1", "Interfata"}}},
        {"Help1", {{"SystemInfo1", "System Info"}, {"Versiuni1", "Versiuni"}, {"Despre1", "Despre"}}},
    };
    const char* tops[] = {"File", "Setari", "Despre"};
    ASSERT_EQ(3, m->Items().Count());
    for (int i = 0; i < 3; ++i) {
        TMenuItem* top = m->Items().Items(i);
        EXPECT_EQ(expected[i].first, top->Name());
        EXPECT_EQ(tops[i], top->Caption());
        ASSERT_EQ(static_cast<int>(expected[i].second.size()), top->Count());
        for (int j = 0; j < top->Count(); ++j) {
            EXPECT_EQ(expected[i].second[j].first, top->Items(j)->Name());
            EXPECT_EQ(expected[i].second[j].second, top->Items(j)->Caption());
        }
    }
    // The window really carries it.
    HMENU bar = ::GetMenu(Form2->Handle());
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(3, ::GetMenuItemCount(bar));
}

TEST_F(MainLayout, MenuItemsAndTheMailLinkDoWhatTheTableSays)
{
    ClickMenu(Form2, Form2->Bind<TMenuItem>("impData1"));
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Display1"));
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Regionale1"));
    Form2->ShowForm();
    ::SendMessageA(Form2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(270, 278));
    ::SendMessageA(Form2->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(270, 278));
    // The applets by full path in the system directory: by bare name the shell would look in the
    // current directory first, the program's own folder when Explorer started it.
    char sys[MAX_PATH];
    const std::string dir(sys, ::GetSystemDirectoryA(sys, MAX_PATH));
    const std::vector<std::string> files = {dir + "\\timedate.cpl", dir + "\\desk.cpl", dir + "\\intl.cpl",
                                            std::string("mailto:") + kAuthorMail + "?subject=Zavrin4 Feedback"};
    ASSERT_EQ(files.size(), shell.Launches().size());
    for (size_t i = 0; i < files.size(); ++i) {
        const auto& l = shell.Launches()[i];
        EXPECT_EQ(Form1->Handle(), l.owner);
        EXPECT_FALSE(l.operation.has_value());
        EXPECT_EQ(files[i], l.file.value_or("<null>"));
        EXPECT_EQ("", l.parameters.value_or("<null>"));
        EXPECT_EQ("", l.directory.value_or("<null>"));
        EXPECT_EQ(SW_SHOWNORMAL, l.showCommand);
    }

    const std::vector<std::pair<const char*, TForm*>> shows = {
        {"Interfata1", setari}, {"SystemInfo1", Info}, {"Versiuni1", Versiuni}, {"Despre1", despre}};
    for (const auto& [item, form] : shows) {
        EXPECT_FALSE(form->Visible()) << item;
        ClickMenu(Form2, Form2->Bind<TMenuItem>(item));
        EXPECT_TRUE(form->Visible()) << item;
    }
    EXPECT_TRUE(Form2->Visible()); // shown beside, never modal
    EXPECT_EQ(0u, session.RequestCount());
}

} // namespace
