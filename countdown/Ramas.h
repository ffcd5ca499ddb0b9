// The remaining-time strip: a borderless window that stays on top while the countdown runs. It shows
// the share of the countdown passed in a wide gauge and the minutes left in large type; the
// countdown window writes both.
#pragma once

#include "controls/flat/FlatGauge.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace zv {

class TRamas : public TForm {
public:
    explicit TRamas(TComponent* owner);
    const char* ClassName() const override { return "TRamas"; }

    TFlatGauge* FlatGauge1;
    // Sizes itself to its text, growing to the right from where it stands.
    TLabel* Label1;

    void FormCreate(TObject* sender);

    // The gauge has no label beside it: a screen reader names it for what the strip shows.
    std::string AccChildName(const TControl* child) const override;
};

extern TRamas* Ramas;

} // namespace zv
