#include "countdown/Despre.h"

#include <string>

#include "countdown/TextResource.h"
#include "framework/Application.h"
#include "framework/Layout.h"
#include "framework/Shell.h"

namespace zv {

Tdespre* despre = nullptr;

Tdespre::Tdespre(TComponent* owner) : TForm(owner)
{
    Publish("glStaticText1Click", &Tdespre::glStaticText1Click);
    Publish("glBitBtn1Click", &Tdespre::glBitBtn1Click);
    ReadLayout("Tdespre");
    Label1 = Bind<TLabel>("Label1");
    Label2 = Bind<TLabel>("Label2");
    glStaticText1 = Bind<TglStaticText>("glStaticText1");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    Memo1 = Bind<TMemo>("Memo1");
    Memo1->SetLines(TextResourceLines("TERMENI"));
    FinishCreate();
}

// The user's mail program, on a new message to the author; owned by the application's main window.
void Tdespre::glStaticText1Click(TObject*)
{
    const std::string file = std::string("mailto:") + kDespreMail + "?subject=Zavrin4 Feedback";
    ShellPort().ShellExecute(MainWindowHandle(), nullptr, file.c_str(), "", "", SW_SHOWNORMAL);
}

void Tdespre::glBitBtn1Click(TObject*) { Hide(); }

namespace {
const bool kRegistered = (RegisterRootClass("Tdespre", "TForm"), true);
}

} // namespace zv
