#include "countdown/TextResource.h"

#include <windows.h>

#include "framework/Inflate.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"

namespace zv {

std::vector<std::string> TextResourceLines(const char* name)
{
    std::string text;
    if (!ReadResourceText(name, "TEXT", text))
        throw Exception(std::string("Text ") + name + ": resource not found");
    std::vector<std::string> lines = SplitLines(text);
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace zv
