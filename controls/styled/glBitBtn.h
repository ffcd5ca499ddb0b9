// The styled push button. For now the classic bitmap button with the styled family's name, so that
// layouts name it as they always will.
#pragma once

#include "framework/Buttons.h"

namespace zv {

class TglBitBtn : public TBitBtn {
public:
    explicit TglBitBtn(TComponent* owner) : TBitBtn(owner) {}
    const char* ClassName() const override { return "TglBitBtn"; }
};

} // namespace zv
