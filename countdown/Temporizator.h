// The countdown window: ends the session a number of minutes from now.
#pragma once

#include "framework/Forms.h"

namespace zv {

class Ttemporizator : public TForm {
public:
    explicit Ttemporizator(TComponent* owner);
    const char* ClassName() const override { return "Ttemporizator"; }
};

extern Ttemporizator* temporizator;

} // namespace zv
