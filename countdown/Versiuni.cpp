#include "countdown/Versiuni.h"

#include "countdown/TextResource.h"
#include "framework/Layout.h"

namespace zv {

TVersiuni* Versiuni = nullptr;

TVersiuni::TVersiuni(TComponent* owner) : TForm(owner)
{
    Publish("glBitBtn1Click", &TVersiuni::glBitBtn1Click);
    ReadLayout("TVersiuni");
    Label1 = Bind<TLabel>("Label1");
    Memo1 = Bind<TMemo>("Memo1");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    Memo1->SetLines(TextResourceLines("VERSIUNI"));
    FinishCreate();
}

void TVersiuni::glBitBtn1Click(TObject*) { Hide(); }

namespace {
const bool kRegistered = (RegisterRootClass("TVersiuni", "TForm"), true);
}

} // namespace zv
