// The About window: the program's name and date, the author's mail link and the terms of use.
#pragma once

#include "controls/styled/glBitBtn.h"
#include "controls/styled/glStaticText.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace zv {

// Where the author's link sends mail.
constexpr const char* kDespreMail = "zavrin@zavrin.ro";

class Tdespre : public TForm {
public:
    explicit Tdespre(TComponent* owner);
    const char* ClassName() const override { return "Tdespre"; }

    TLabel* Label1;
    TLabel* Label2;
    TglStaticText* glStaticText1;
    TglBitBtn* glBitBtn1;
    TMemo* Memo1;

    void glStaticText1Click(TObject* sender);
    void glBitBtn1Click(TObject* sender);
};

extern Tdespre* despre;

} // namespace zv
