#include "controls/styled/glGroupBox.h"

#include "framework/Layout.h"

namespace zv {

TglGroupBox::TglGroupBox(TComponent* owner) : TCustomGroupBox(owner) { Font().SetCharset(RUSSIAN_CHARSET); }

std::string TglGroupBox::StyleSetting(const std::string& name) const
{
    auto it = style_.find(name);
    return it == style_.end() ? std::string() : it->second;
}

void TglGroupBox::ApplyEnabledToChildren(bool enabled)
{
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetEnabled(enabled);
}

namespace {
std::string ValueText(const TLayoutValue& v)
{
    switch (v.kind) {
    case TLayoutValue::Kind::Integer: return std::to_string(v.integer);
    case TLayoutValue::Kind::Set: {
        std::string s;
        for (const auto& m : v.items)
            s += (s.empty() ? "" : ",") + m;
        return "[" + s + "]";
    }
    default: return v.text;
    }
}

const bool kRegistered = [] {
    auto& c = RegisterClass<TglGroupBox>("TglGroupBox", "TCustomGroupBox");
    c.Prop<TglGroupBox>("FullHeight", [](TglGroupBox& g, const TLayoutValue& v) { g.SetFullHeight(v.AsInt()); });
    for (const char* p :
         {"Border.Inner", "Border.Outer", "Border.Bold", "CaptionBorder.Inner", "CaptionBorder.Outer",
          "CaptionBorder.Bold", "CaptionGradient.Active", "CaptionGradient.Orientation", "CaptionGradient.FromColor",
          "CaptionGradient.ToColor", "CaptionShift.X", "CaptionShift.Y", "Colors.Text", "Colors.TextActive",
          "Colors.Caption", "Colors.CaptionActive", "Colors.Client", "Colors.ClientActive", "Gradient.Active",
          "Gradient.Orientation", "Gradient.FromColor", "Gradient.ToColor", "Options", "Collapsed", "Transparent",
          "TransparentCaption", "GroupIndex", "CaptionAlignment", "CaptionTextStyle"}) {
        std::string name = p;
        c.Prop<TglGroupBox>(p, [name](TglGroupBox& g, const TLayoutValue& v) { g.SetStyleSetting(name, ValueText(v)); });
    }
    return true;
}();
} // namespace

} // namespace zv
