// The settings window: one check box, "ask before quitting", that takes effect at once.
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace zv {

class Tsetari : public TForm {
public:
    explicit Tsetari(TComponent* owner);
    const char* ClassName() const override { return "Tsetari"; }

    TCheckBox* CheckBox1;

    void FormCreate(TObject* sender);
};

extern Tsetari* setari;

} // namespace zv
