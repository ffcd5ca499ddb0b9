// Published properties of the styled controls that have no behaviour of their own yet.
#include "controls/styled/glBitBtn.h"
#include "controls/styled/glHint.h"
#include "controls/styled/glShadow.h"
#include "framework/Layout.h"

namespace zv {
namespace {
const bool kRegistered = [] {
    RegisterClass<TglBitBtn>("TglBitBtn", "TBitBtn");
    RegisterClass<TglShadow>("TglShadow", "TGraphicControl")
        .Prop<TglShadow>("TransparentColor", [](TglShadow& s, const TLayoutValue& v) { s.SetTransparentColor(v.AsColor()); });
    RegisterClass<TglHint>("TglHint", "TComponent")
        .Prop<TglHint>("Active", [](TglHint& h, const TLayoutValue& v) { h.SetActive(v.AsBool()); })
        .Prop<TglHint>("ShowHint", [](TglHint& h, const TLayoutValue& v) { h.SetShowHint(v.AsBool()); });
    return true;
}();
} // namespace
} // namespace zv
