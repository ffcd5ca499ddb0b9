#include "app/Setari.h"

#include "app/Settings.h"
#include "framework/Layout.h"

namespace zv {

Tsetari* setari = nullptr;

Tsetari::Tsetari(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &Tsetari::FormCreate);
    ReadLayout("Tsetari");
    CheckBox1 = Bind<TCheckBox>("CheckBox1");
    FinishCreate();
}

void Tsetari::FormCreate(TObject*) { CheckBox1->SetChecked(ShowExitPrompt == 1); }

namespace {
const bool kRegistered = (RegisterRootClass("Tsetari", "TForm"), true);
}

} // namespace zv
