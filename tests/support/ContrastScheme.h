// A contrast theme for a test: the port says one is on, and the system colours are a theme's, restored
// when the object goes. Wine never reports a contrast theme itself.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

#include "framework/ColorRoles.h"

namespace zv::test {

// The eight colours a user picks in a contrast theme (Windows 11 names them background, text, hyperlink,
// inactive text, selected text and its background, button text and its background), and the info pair.
struct TSchemeColors {
    const char* name;
    TColor window, windowText, hotLight, grayText, highlight, highlightText, btnFace, btnText, infoBk, infoText;
};

// A dark theme and a light one, after Windows 11's "Aquatic" and "Desert": none of their colours is pure
// black or white, so a colour named in code shows up as a stranger, and window and button faces differ, so
// text on the wrong one shows too.
extern const TSchemeColors kBlackScheme;
extern const TSchemeColors kWhiteScheme;

class TContrastTheme final : public IContrastPort {
public:
    explicit TContrastTheme(const TSchemeColors& scheme, bool on = true);
    ~TContrastTheme() override;
    TContrastTheme(const TContrastTheme&) = delete;
    TContrastTheme& operator=(const TContrastTheme&) = delete;

    bool ContrastThemeOn() override { return on_; }
    void SetOn(bool on) { on_ = on; }
    const TSchemeColors& Scheme() const { return scheme_; }
    // Every colour the scheme sets, as plain RGB.
    const std::set<TColor>& Colors() const { return colors_; }
    bool InScheme(TColor c) const { return colors_.count(c) != 0; }
    // One of the colours, or an antialiased edge of text in one over another (a mix of the two).
    bool InSchemeOrBlend(TColor c) const;

private:
    const TSchemeColors& scheme_;
    bool on_;
    std::vector<COLORREF> saved_;
    std::set<TColor> colors_;
};

} // namespace zv::test
