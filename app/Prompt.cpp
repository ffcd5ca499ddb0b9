#include "app/Prompt.h"

#include "app/MainWindow.h"
#include "app/Splash.h"
#include "framework/Layout.h"

namespace zv {

TPrompt* Prompt = nullptr;

TPrompt::TPrompt(TComponent* owner) : TForm(owner)
{
    Publish("glBitBtn1Click", &TPrompt::glBitBtn1Click);
    Publish("glBitBtn2Click", &TPrompt::glBitBtn2Click);
    ReadLayout("TPrompt");
    Label1 = Bind<TLabel>("Label1");
    Label2 = Bind<TLabel>("Label2");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    glBitBtn2 = Bind<TglBitBtn>("glBitBtn2");
    FinishCreate();
}

// "NU": back to the main window, whichever window asked.
void TPrompt::glBitBtn1Click(TObject*)
{
    Hide();
    Form2->ShowForm();
}

// "DA": closing the splash, the application's main window, ends the program. Nothing is saved here.
void TPrompt::glBitBtn2Click(TObject*) { Form1->Close(); }

namespace {
const bool kRegistered = (RegisterRootClass("TPrompt", "TForm"), true);
}

} // namespace zv
