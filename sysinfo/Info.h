// The system information window: the machine's facts, one per line.
#pragma once

#include "framework/Forms.h"

namespace zv {

class TInfo : public TForm {
public:
    explicit TInfo(TComponent* owner);
    const char* ClassName() const override { return "TInfo"; }
};

extern TInfo* Info;

} // namespace zv
