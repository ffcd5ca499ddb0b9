// The remaining-time strip: a borderless window that stays on top while the countdown runs.
#pragma once

#include "framework/Forms.h"

namespace zv {

class TRamas : public TForm {
public:
    explicit TRamas(TComponent* owner);
    const char* ClassName() const override { return "TRamas"; }
};

extern TRamas* Ramas;

} // namespace zv
