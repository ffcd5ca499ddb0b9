// Published properties of the styled controls.
#include "controls/styled/glBitBtn.h"
#include "controls/styled/glHint.h"
#include "framework/Layout.h"

namespace zv {
namespace {
const bool kRegistered = [] {
    RegisterClass<TglBitBtn>("TglBitBtn", "TBitBtn");
    RegisterClass<TglHint>("TglHint", "TComponent")
        .Prop<TglHint>("Active", [](TglHint& h, const TLayoutValue& v) { h.SetActive(v.AsBool()); })
        .Prop<TglHint>("ShowHint", [](TglHint& h, const TLayoutValue& v) { h.SetShowHint(v.AsBool()); })
        .Prop<TglHint>("OnShowHint", [](TglHint& h, const TLayoutValue& v, TLayoutContext& ctx) {
            h.OnShowHint = ctx.Handler<TShowHintEvent>(v);
        })
        .Prop<TglHint>("OnHint", [](TglHint& h, const TLayoutValue& v, TLayoutContext& ctx) {
            h.OnHint = ctx.Handler<TNotifyEvent>(v);
        });
    return true;
}();
} // namespace
} // namespace zv
