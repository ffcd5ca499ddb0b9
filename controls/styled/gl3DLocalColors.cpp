#include "controls/styled/gl3DLocalColors.h"

#include "controls/styled/glRecords.h"

namespace zv {

TLocal3DColorsStack Local3DColorsStack;

Tgl3DLocalColors::Tgl3DLocalColors(TComponent* owner) : TComponent(owner) {}

Tgl3DLocalColors::~Tgl3DLocalColors() { Local3DColorsStack.Clear(); }

void Tgl3DLocalColors::MakeShades(TColor base, TColor& light, TColor& dark) const
{
    dark = ShiftColor(base, -darkShift_);
    light = ShiftColor(base, lightShift_);
}

void TLocal3DColorsStack::Push(Tgl3DLocalColors* colors)
{
    // A component already on the chain would make it a loop.
    if (!colors)
        return;
    for (Tgl3DLocalColors* c = head_; c; c = c->previous_)
        if (c == colors)
            return;
    colors->previous_ = head_;
    head_ = colors;
}

void TLocal3DColorsStack::Pop()
{
    if (!head_)
        return;
    Tgl3DLocalColors* top = head_;
    head_ = top->previous_;
    top->previous_ = nullptr;
}

void TLocal3DColorsStack::Clear()
{
    while (head_)
        Pop();
}

} // namespace zv

#include "framework/Layout.h"

namespace zv {
namespace {
const bool kRegistered = [] {
    RegisterClass<Tgl3DLocalColors>("Tgl3DLocalColors", "TComponent")
        .Prop<Tgl3DLocalColors>("DkShadow", [](Tgl3DLocalColors& c, const TLayoutValue& v) { c.SetDkShadow(v.AsColor()); })
        .Prop<Tgl3DLocalColors>("Highlight", [](Tgl3DLocalColors& c, const TLayoutValue& v) { c.SetHighlight(v.AsColor()); })
        .Prop<Tgl3DLocalColors>("Shadow", [](Tgl3DLocalColors& c, const TLayoutValue& v) { c.SetShadow(v.AsColor()); });
    return true;
}();
} // namespace
} // namespace zv
