// The version-history window.
#pragma once

#include "framework/Forms.h"

namespace zv {

class TVersiuni : public TForm {
public:
    explicit TVersiuni(TComponent* owner);
    const char* ClassName() const override { return "TVersiuni"; }
};

extern TVersiuni* Versiuni;

} // namespace zv
