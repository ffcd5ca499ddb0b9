// The exit confirmation: "NU" goes back to the main window, "DA" ends the program.
#pragma once

#include "controls/styled/glBitBtn.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace zv {

class TPrompt : public TForm {
public:
    explicit TPrompt(TComponent* owner);
    const char* ClassName() const override { return "TPrompt"; }

    TLabel* Label1;
    TLabel* Label2;
    TglBitBtn* glBitBtn1;
    TglBitBtn* glBitBtn2;

    void glBitBtn1Click(TObject* sender);
    void glBitBtn2Click(TObject* sender);
};

extern TPrompt* Prompt;

} // namespace zv
