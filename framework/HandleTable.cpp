#include "framework/HandleTable.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zv {

namespace {
using THandleEntry = std::pair<HWND, TWinControl*>;
std::vector<THandleEntry>& HandleTable()
{
    static std::vector<THandleEntry> table;
    return table;
}

std::vector<THandleEntry>::iterator HandleSlot(HWND h)
{
    auto& t = HandleTable();
    return std::lower_bound(t.begin(), t.end(), h, [](const THandleEntry& e, HWND key) { return e.first < key; });
}
} // namespace

void BindHandle(HWND h, TWinControl* c)
{
    auto it = HandleSlot(h);
    if (it != HandleTable().end() && it->first == h)
        it->second = c;
    else
        HandleTable().insert(it, {h, c});
}

void UnbindHandle(HWND h)
{
    auto it = HandleSlot(h);
    if (it != HandleTable().end() && it->first == h)
        HandleTable().erase(it);
}

TWinControl* ControlOfHandle(HWND h)
{
    auto it = HandleSlot(h);
    return it != HandleTable().end() && it->first == h ? it->second : nullptr;
}

} // namespace zv
