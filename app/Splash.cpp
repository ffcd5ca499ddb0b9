#include "app/Splash.h"

#include "app/MainWindow.h"
#include "framework/Layout.h"

namespace zv {

TForm1* Form1 = nullptr;
int SplashTicks = 0;

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &TForm1::FormCreate);
    Publish("Timer1Timer", &TForm1::Timer1Timer);
    ReadLayout("TForm1");
    Image1 = Bind<TImage>("Image1");
    Timer1 = Bind<TTimer>("Timer1");
    FinishCreate();
}

void TForm1::FormCreate(TObject*) { SplashTicks = 0; }

void TForm1::Timer1Timer(TObject*)
{
    ++SplashTicks;
    if (SplashTicks == 5) {
        Hide();
        // Nothing shows the picture any more: its 370 KB go back to the system (it comes back if the
        // splash is ever painted again).
        Image1->ReleaseResourcePicture();
        Form2->ShowForm();
    }
}

namespace {
const bool kRegistered = (RegisterRootClass("TForm1", "TForm"), true);
}

} // namespace zv
