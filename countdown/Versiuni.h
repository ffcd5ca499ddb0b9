// The version-history window.
#pragma once

#include "controls/styled/glBitBtn.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace zv {

class TVersiuni : public TForm {
public:
    explicit TVersiuni(TComponent* owner);
    const char* ClassName() const override { return "TVersiuni"; }

    TLabel* Label1;
    TMemo* Memo1;
    TglBitBtn* glBitBtn1;

    void glBitBtn1Click(TObject* sender);
};

extern TVersiuni* Versiuni;

} // namespace zv
