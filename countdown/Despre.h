// The About window.
#pragma once

#include "framework/Forms.h"

namespace zv {

class Tdespre : public TForm {
public:
    explicit Tdespre(TComponent* owner);
    const char* ClassName() const override { return "Tdespre"; }
};

extern Tdespre* despre;

} // namespace zv
