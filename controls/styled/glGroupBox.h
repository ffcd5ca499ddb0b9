// The collapsible group box of the styled family. For now: the framework's group box with the
// styled box's enabling rule (disabling the box disables every child; enabling enables them all)
// and its settings kept as the layout gives them.
#pragma once

#include <map>
#include <string>

#include "framework/GroupBox.h"

namespace zv {

class TglGroupBox : public TCustomGroupBox {
public:
    explicit TglGroupBox(TComponent* owner);
    const char* ClassName() const override { return "TglGroupBox"; }

    int FullHeight() const { return fullHeight_; }
    void SetFullHeight(int h) { fullHeight_ = h; }
    // Style settings read from a layout, by their dotted names.
    void SetStyleSetting(const std::string& name, const std::string& value) { style_[name] = value; }
    std::string StyleSetting(const std::string& name) const;

protected:
    void ApplyEnabledToChildren(bool enabled) override;

private:
    int fullHeight_ = 0;
    std::map<std::string, std::string> style_;
};

} // namespace zv
