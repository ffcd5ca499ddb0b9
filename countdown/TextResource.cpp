#include "countdown/TextResource.h"

#include <windows.h>

#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"

namespace zv {

std::vector<std::string> TextResourceLines(const char* name)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC res = ::FindResourceA(module, name, "TEXT");
    if (!res)
        throw Exception(std::string("Text ") + name + ": resource not found");
    const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, res)));
    std::string text(bytes, ::SizeofResource(module, res));
    std::vector<std::string> lines = SplitLines(text);
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace zv
