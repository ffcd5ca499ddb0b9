// Style records of the styled family: gradients, alignments, bevels, colour sets and item styles.
// A control owns its records and hears of every change through the one callback it gives each record
// (SetOnChange); the callback gets the record as its sender.
#pragma once

#include <memory>

#include "controls/styled/glTypes.h"
#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Graphics.h"

namespace zv {

class TglPersistent : public TObject {
public:
    TglPersistent() = default;
    TglPersistent(const TglPersistent&) = delete;
    TglPersistent& operator=(const TglPersistent&) = delete;

    // Records that own records pass the callback on to them.
    virtual void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    // The owner's method and the owner object.
    template <class T>
    void SetOnChange(T* owner, void (T::*method)(TObject*))
    {
        SetOnChange([owner, method](TObject* sender) { (owner->*method)(sender); });
    }
    const TNotifyEvent& OnChange() const { return onChange_; }

protected:
    void Changed()
    {
        if (onChange_)
            onChange_(this);
    }
    // Compare, store, notify.
    template <class V>
    void Update(V& field, V value)
    {
        if (field != value) {
            field = value;
            Changed();
        }
    }
    // Store and notify, changed or not.
    template <class V>
    void Store(V& field, V value)
    {
        field = value;
        Changed();
    }

private:
    TNotifyEvent onChange_;
};

// The two colours of a gradient, with their RGB forms resolved when each is set.
class TTwainColors : public TglPersistent {
public:
    TTwainColors();
    void Assign(const TTwainColors& other);

    TColor FromColor() const { return fromColor_; }
    void SetFromColor(TColor c);
    TColor ToColor() const { return toColor_; }
    void SetToColor(TColor c);
    // The colours as RGB, as the system colour scheme was when they were set.
    TColor FromRGB() const { return fromRGB_; }
    TColor ToRGB() const { return toRGB_; }

private:
    TColor fromColor_ = clGray;
    TColor toColor_ = clBlack;
    TColor fromRGB_;
    TColor toRGB_;
};

class TCustomGradient : public TTwainColors {
public:
    void Assign(const TCustomGradient& other);

    bool Active() const { return active_; }
    void SetActive(bool v) { Update(active_, v); }
    // Compose off-screen; a plain switch that does not notify.
    bool BufferedDraw() const { return bufferedDraw_; }
    void SetBufferedDraw(bool v) { bufferedDraw_ = v; }
    TglGradientDir Orientation() const { return orientation_; }
    // Notifies only while the gradient is active: an inactive one shows nothing that could change.
    void SetOrientation(TglGradientDir d);
    int Steps() const { return steps_; }
    // Kept to 1..255.
    void SetSteps(int n);
    TglPercent PercentFilling() const { return percentFilling_; }
    // Kept to 0..100.
    void SetPercentFilling(int p);
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle s) { Store(brushStyle_, s); }
    // Bands start at the far edge.
    bool Reverse() const { return reverse_; }
    void SetReverse(bool v) { reverse_ = v; }

private:
    bool active_ = false;
    bool bufferedDraw_ = false;
    TglGradientDir orientation_ = TglGradientDir::fgdHorizontal;
    int steps_ = 255;
    TglPercent percentFilling_ = 100;
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    bool reverse_ = false;
};

class TGradient : public TCustomGradient {};

class T2DAlign : public TglPersistent {
public:
    void Assign(const T2DAlign& other);
    TglHorAlign Horizontal() const { return horizontal_; }
    void SetHorizontal(TglHorAlign a) { Update(horizontal_, a); }
    TglVertAlign Vertical() const { return vertical_; }
    void SetVertical(TglVertAlign a) { Update(vertical_, a); }

private:
    TglHorAlign horizontal_ = TglHorAlign::fhaLeft;
    TglVertAlign vertical_ = TglVertAlign::fvaTop;
};

class TIllumination : public T2DAlign {
public:
    void Assign(const TIllumination& other);
    int ShadowDepth() const { return shadowDepth_; }
    // Negative depths are taken as 0.
    void SetShadowDepth(int d) { Update(shadowDepth_, d < 0 ? 0 : d); }

private:
    int shadowDepth_ = 2;
};

class TPointClass : public TglPersistent {
public:
    void Assign(const TPointClass& other);
    int X() const { return x_; }
    void SetX(int v) { Update(x_, v); }
    int Y() const { return y_; }
    void SetY(int v) { Update(y_, v); }

private:
    int x_ = 0;
    int y_ = 0;
};

class TglBevel : public TglPersistent {
public:
    void Assign(const TglBevel& other);
    TBevelCut Inner() const { return inner_; }
    void SetInner(TBevelCut c) { Update(inner_, c); }
    TBevelCut Outer() const { return outer_; }
    void SetOuter(TBevelCut c) { Update(outer_, c); }
    TglSides Sides() const { return sides_; }
    void SetSides(TglSides s) { Update(sides_, s & kAllSides); }
    bool Bold() const { return bold_; }
    void SetBold(bool b) { Update(bold_, b); }

private:
    TBevelCut inner_ = TBevelCut::bvNone;
    TBevelCut outer_ = TBevelCut::bvNone;
    TglSides sides_ = kAllSides;
    bool bold_ = false;
};

// The text colours every colour set shares.
class TglCustomTextColors : public TglPersistent {
public:
    TColor Text() const { return text_; }
    void SetText(TColor c) { Update(text_, c); }
    TColor TextDisabled() const { return textDisabled_; }
    void SetTextDisabled(TColor c) { Update(textDisabled_, c); }
    TColor Delineate() const { return delineate_; }
    void SetDelineate(TColor c) { Update(delineate_, c); }
    TColor Background() const { return background_; }
    void SetBackground(TColor c) { Update(background_, c); }
    TColor Highlight() const { return highlight_; }
    void SetHighlight(TColor c) { Update(highlight_, c); }
    TColor Shadow() const { return shadow_; }
    void SetShadow(TColor c) { Update(shadow_, c); }

protected:
    void AssignTextColors(const TglCustomTextColors& o);
    TColor text_ = clBlack;
    TColor textDisabled_ = clGray;
    TColor delineate_ = clWhite;
    TColor background_ = clBtnFace;
    TColor highlight_ = clBtnHighlight;
    TColor shadow_ = clBtnShadow;
};

class TglCustomLabelColors : public TglCustomTextColors {
public:
    TColor TextActive() const { return textActive_; }
    void SetTextActive(TColor c) { Update(textActive_, c); }
    TColor DelineateActive() const { return delineateActive_; }
    void SetDelineateActive(TColor c) { Update(delineateActive_, c); }

    // Automatic 3-D colours: derived from a background instead of set by hand.
    bool AutoHighlight() const { return autoHighlight_; }
    void SetAutoHighlight(bool v) { autoHighlight_ = v; }
    bool AutoShadow() const { return autoShadow_; }
    void SetAutoShadow(bool v) { autoShadow_ = v; }
    TColor BaseColor() const { return baseColor_; }
    void SetBaseColor(TColor c) { baseColor_ = c; }
    int HighlightShift() const { return highlightShift_; }
    void SetHighlightShift(int v) { highlightShift_ = v; }
    int ShadowShift() const { return shadowShift_; }
    void SetShadowShift(int v) { shadowShift_ = v; }
    // Recomputes the automatic colours from `background` without telling the owner (the owner asked).
    void RecalcAutoColors(TColor background);

protected:
    void AssignLabelColors(const TglCustomLabelColors& o);
    TColor textActive_ = clBlack;
    TColor delineateActive_ = clWhite;
    bool autoHighlight_ = false;
    bool autoShadow_ = false;
    TColor baseColor_ = clBtnFace;
    int highlightShift_ = 40;
    int shadowShift_ = 60;
};

// The group box's colours. The caption and client colours always notify.
class TglGrBoxColors : public TglCustomLabelColors {
public:
    void Assign(const TglGrBoxColors& other);
    TColor Caption() const { return caption_; }
    void SetCaption(TColor c) { Store(caption_, c); }
    TColor CaptionActive() const { return captionActive_; }
    void SetCaptionActive(TColor c) { Store(captionActive_, c); }
    TColor Client() const { return client_; }
    void SetClient(TColor c) { Store(client_, c); }
    TColor ClientActive() const { return clientActive_; }
    void SetClientActive(TColor c) { Store(clientActive_, c); }

private:
    TColor caption_ = clBtnFace;
    TColor captionActive_ = clBtnFace;
    TColor client_ = clBtnFace;
    TColor clientActive_ = clBtnFace;
};

// How one kind of list-box item looks. The owner sets the colours and the text style it wants.
class TglCustomListBoxItemStyle : public TglPersistent {
public:
    TglCustomListBoxItemStyle();
    void SetOnChange(TNotifyEvent handler) override;
    using TglPersistent::SetOnChange;

    TColor Color() const { return color_; }
    void SetColor(TColor c) { Update(color_, c); }
    TColor DelineateColor() const { return delineateColor_; }
    void SetDelineateColor(TColor c) { Update(delineateColor_, c); }
    // The record's own font; setting copies the given one into it. Changes made to it in place notify too.
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    void SetFont(const TFont& f);
    TglBevel& Bevel() { return *bevel_; }
    const TglBevel& Bevel() const { return *bevel_; }
    TglTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TglTextStyle s) { Store(textStyle_, s); }

protected:
    void AssignItemStyle(const TglCustomListBoxItemStyle& o);

private:
    TColor color_ = 0;
    TColor delineateColor_ = 0;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TglBevel> bevel_;
    TglTextStyle textStyle_ = TglTextStyle::fstNone;
};

class TglListBoxItemStyle : public TglCustomListBoxItemStyle {
public:
    TglListBoxItemStyle();
    void Assign(const TglListBoxItemStyle& other);
    void SetOnChange(TNotifyEvent handler) override;
    using TglPersistent::SetOnChange;
    TGradient& Gradient() { return *gradient_; }
    const TGradient& Gradient() const { return *gradient_; }

private:
    std::unique_ptr<TGradient> gradient_;
};

class TglCustomBoxStyle : public TglBevel {
public:
    TPenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(TPenStyle s) { Store(penStyle_, s); }

protected:
    TPenStyle penStyle_ = TPenStyle::psSolid;
};

class TglCustomTextBoxStyle : public TglCustomBoxStyle {
public:
    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor c) { Store(textColor_, c); }
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor c) { Store(backgroundColor_, c); }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor c) { Store(highlightColor_, c); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor c) { Store(shadowColor_, c); }

protected:
    TColor textColor_ = clBlack;
    TColor backgroundColor_ = clWindow;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
};

class TglTextBoxStyle : public TglCustomTextBoxStyle {
public:
    void Assign(const TglTextBoxStyle& other);
};

// Each channel moved by `shift` (negative darkens), kept to 0..255; a system colour is resolved first.
TColor ShiftColor(TColor c, int shift);

} // namespace zv
