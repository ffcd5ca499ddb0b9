#include "countdown/Ramas.h"

#include "framework/Layout.h"

namespace zv {

TRamas* Ramas = nullptr;

TRamas::TRamas(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &TRamas::FormCreate);
    ReadLayout("TRamas");
    FlatGauge1 = Bind<TFlatGauge>("FlatGauge1");
    Label1 = Bind<TLabel>("Label1");
    FinishCreate();
}

void TRamas::FormCreate(TObject*) { FlatGauge1->SetProgress(0); }

// The strip stands alone on the screen, with no caption or label to read it by; "Timp ramas" says what
// it is for, as the window's name "Ramas" does, while the gauge's value gives the share passed.
std::string TRamas::AccChildName(const TControl* child) const
{
    return child == FlatGauge1 ? "Timp ramas" : TForm::AccChildName(child);
}

namespace {
const bool kRegistered = (RegisterRootClass("TRamas", "TForm"), true);
}

} // namespace zv
