// The system information window: nine facts about the machine, one per line, as they were when the
// program started.
#pragma once

#include <string>
#include <vector>

#include "controls/styled/glBitBtn.h"
#include "controls/styled/glListBox.h"
#include "framework/Forms.h"
#include "sysinfo/glSysInfo.h"

namespace zv {

// The window's nine lines, in order, made from a collector's properties.
std::vector<std::string> SysInfoLines(const TglSysInfo& info);

class TInfo : public TForm {
public:
    explicit TInfo(TComponent* owner);
    const char* ClassName() const override { return "TInfo"; }

    TglListBox* box;
    TglBitBtn* glBitBtn1;
    TglSysInfo* sinfo;

    void FormCreate(TObject* sender);
    void glBitBtn1Click(TObject* sender);
};

extern TInfo* Info;

} // namespace zv
