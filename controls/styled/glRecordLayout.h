// Publishing a control's style records to the layout reader, one call per record:
//
//   auto& c = RegisterClass<TglGroupBox>("TglGroupBox", "TCustomControl");
//   RegisterRecordProps<TglGroupBox>(c, "Gradient", &TglGroupBox::Gradient);      // Gradient.FromColor, ...
//   RegisterRecordProps<TglGroupBox>(c, "Border", [](TglGroupBox& b) -> TglBevel& { return b.Border(); });
//
// The accessor is anything that turns an owner into a reference to its record (a member function, a
// lambda). The record's type picks the fields: every published field becomes "<prefix>.<Field>",
// records inside records nest ("ItemStyle.Bevel.Inner", "ItemStyle.Gradient.Steps").
#pragma once

#include <functional>
#include <string>
#include <type_traits>

#include "controls/styled/glRecords.h"
#include "framework/Layout.h"

namespace zv {

namespace gl_layout_detail {

template <class Owner, class Get>
using RecordOf = std::remove_cvref_t<std::invoke_result_t<Get, Owner&>>;

// Registers "<prefix>.<field>" with a setter that reaches the record through `get`.
template <class Owner, class Get, class Set>
void Field(TClassInfo& c, const std::string& prefix, const char* field, Get get, Set set)
{
    c.FieldProp<Owner>(prefix, field, [get, set](Owner& o, const TLayoutValue& v) { set(std::invoke(get, o), v); });
}

inline int CharsetOf(const TLayoutValue& v)
{
    if (v.kind == TLayoutValue::Kind::Integer)
        return v.AsInt();
    return v.AsEnum<int>({{"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"ANSI_CHARSET", ANSI_CHARSET},
                          {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                          {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"OEM_CHARSET", OEM_CHARSET}});
}

} // namespace gl_layout_detail

template <class Owner, class Get>
void RegisterRecordProps(TClassInfo& c, const std::string& prefix, Get get);

// A font reached through a record: "<prefix>.Name", ".Height", ".Size", ".Color", ".Charset", ".Style".
template <class Owner, class Get>
void RegisterFontProps(TClassInfo& c, const std::string& prefix, Get get)
{
    using namespace gl_layout_detail;
    Field<Owner>(c, prefix, "Name", get, [](TFont& f, const TLayoutValue& v) { f.SetName(v.AsString()); });
    Field<Owner>(c, prefix, "Height", get, [](TFont& f, const TLayoutValue& v) { f.SetHeight(v.AsInt()); });
    Field<Owner>(c, prefix, "Size", get, [](TFont& f, const TLayoutValue& v) { f.SetSize(v.AsInt()); });
    Field<Owner>(c, prefix, "Color", get, [](TFont& f, const TLayoutValue& v) { f.SetColor(v.AsColor()); });
    Field<Owner>(c, prefix, "Charset", get, [](TFont& f, const TLayoutValue& v) { f.SetCharset(CharsetOf(v)); });
    Field<Owner>(c, prefix, "Style", get, [](TFont& f, const TLayoutValue& v) {
        f.SetStyle(v.AsSet({{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline},
                            {"fsStrikeOut", fsStrikeOut}}));
    });
}

template <class Owner, class Get>
void RegisterRecordProps(TClassInfo& c, const std::string& prefix, Get get)
{
    using namespace gl_layout_detail;
    using R = RecordOf<Owner, Get>;

    if constexpr (std::is_base_of_v<TTwainColors, R>) {
        Field<Owner>(c, prefix, "FromColor", get, [](R& r, const TLayoutValue& v) { r.SetFromColor(v.AsColor()); });
        Field<Owner>(c, prefix, "ToColor", get, [](R& r, const TLayoutValue& v) { r.SetToColor(v.AsColor()); });
    }
    if constexpr (std::is_base_of_v<TCustomGradient, R>) {
        Field<Owner>(c, prefix, "Active", get, [](R& r, const TLayoutValue& v) { r.SetActive(v.AsBool()); });
        Field<Owner>(c, prefix, "BufferedDraw", get,
                     [](R& r, const TLayoutValue& v) { r.SetBufferedDraw(v.AsBool()); });
        Field<Owner>(c, prefix, "Orientation", get,
                     [](R& r, const TLayoutValue& v) { r.SetOrientation(GlEnumValue<TglGradientDir>(v)); });
        Field<Owner>(c, prefix, "Steps", get, [](R& r, const TLayoutValue& v) { r.SetSteps(v.AsInt()); });
        Field<Owner>(c, prefix, "PercentFilling", get,
                     [](R& r, const TLayoutValue& v) { r.SetPercentFilling(v.AsInt()); });
        Field<Owner>(c, prefix, "BrushStyle", get,
                     [](R& r, const TLayoutValue& v) { r.SetBrushStyle(GlEnumValue<TBrushStyle>(v)); });
    }
    if constexpr (std::is_base_of_v<T2DAlign, R>) {
        Field<Owner>(c, prefix, "Horizontal", get,
                     [](R& r, const TLayoutValue& v) { r.SetHorizontal(GlEnumValue<TglHorAlign>(v)); });
        Field<Owner>(c, prefix, "Vertical", get,
                     [](R& r, const TLayoutValue& v) { r.SetVertical(GlEnumValue<TglVertAlign>(v)); });
    }
    if constexpr (std::is_base_of_v<TIllumination, R>)
        Field<Owner>(c, prefix, "ShadowDepth", get, [](R& r, const TLayoutValue& v) { r.SetShadowDepth(v.AsInt()); });
    if constexpr (std::is_base_of_v<TPointClass, R>) {
        Field<Owner>(c, prefix, "X", get, [](R& r, const TLayoutValue& v) { r.SetX(v.AsInt()); });
        Field<Owner>(c, prefix, "Y", get, [](R& r, const TLayoutValue& v) { r.SetY(v.AsInt()); });
    }
    if constexpr (std::is_base_of_v<TglBevel, R>) {
        Field<Owner>(c, prefix, "Inner", get,
                     [](R& r, const TLayoutValue& v) { r.SetInner(GlEnumValue<TBevelCut>(v)); });
        Field<Owner>(c, prefix, "Outer", get,
                     [](R& r, const TLayoutValue& v) { r.SetOuter(GlEnumValue<TBevelCut>(v)); });
        Field<Owner>(c, prefix, "Sides", get, [](R& r, const TLayoutValue& v) { r.SetSides(GlSetValue<TglSide>(v)); });
        Field<Owner>(c, prefix, "Bold", get, [](R& r, const TLayoutValue& v) { r.SetBold(v.AsBool()); });
    }
    if constexpr (std::is_base_of_v<TglCustomBoxStyle, R>)
        Field<Owner>(c, prefix, "PenStyle", get,
                     [](R& r, const TLayoutValue& v) { r.SetPenStyle(GlEnumValue<TPenStyle>(v)); });
    if constexpr (std::is_base_of_v<TglCustomTextBoxStyle, R>) {
        Field<Owner>(c, prefix, "TextColor", get, [](R& r, const TLayoutValue& v) { r.SetTextColor(v.AsColor()); });
        Field<Owner>(c, prefix, "BackgroundColor", get,
                     [](R& r, const TLayoutValue& v) { r.SetBackgroundColor(v.AsColor()); });
        Field<Owner>(c, prefix, "HighlightColor", get,
                     [](R& r, const TLayoutValue& v) { r.SetHighlightColor(v.AsColor()); });
        Field<Owner>(c, prefix, "ShadowColor", get,
                     [](R& r, const TLayoutValue& v) { r.SetShadowColor(v.AsColor()); });
    }
    if constexpr (std::is_base_of_v<TglCustomTextColors, R>) {
        Field<Owner>(c, prefix, "Text", get, [](R& r, const TLayoutValue& v) { r.SetText(v.AsColor()); });
        Field<Owner>(c, prefix, "Delineate", get, [](R& r, const TLayoutValue& v) { r.SetDelineate(v.AsColor()); });
        Field<Owner>(c, prefix, "Shadow", get, [](R& r, const TLayoutValue& v) { r.SetShadow(v.AsColor()); });
        Field<Owner>(c, prefix, "Highlight", get, [](R& r, const TLayoutValue& v) { r.SetHighlight(v.AsColor()); });
    }
    if constexpr (std::is_base_of_v<TglCustomLabelColors, R>) {
        Field<Owner>(c, prefix, "TextActive", get, [](R& r, const TLayoutValue& v) { r.SetTextActive(v.AsColor()); });
        Field<Owner>(c, prefix, "DelineateActive", get,
                     [](R& r, const TLayoutValue& v) { r.SetDelineateActive(v.AsColor()); });
    }
    if constexpr (std::is_base_of_v<TglGrBoxColors, R>) {
        Field<Owner>(c, prefix, "Caption", get, [](R& r, const TLayoutValue& v) { r.SetCaption(v.AsColor()); });
        Field<Owner>(c, prefix, "CaptionActive", get,
                     [](R& r, const TLayoutValue& v) { r.SetCaptionActive(v.AsColor()); });
        Field<Owner>(c, prefix, "Client", get, [](R& r, const TLayoutValue& v) { r.SetClient(v.AsColor()); });
        Field<Owner>(c, prefix, "ClientActive", get,
                     [](R& r, const TLayoutValue& v) { r.SetClientActive(v.AsColor()); });
    }
    if constexpr (std::is_base_of_v<TglCustomListBoxItemStyle, R>) {
        Field<Owner>(c, prefix, "Color", get, [](R& r, const TLayoutValue& v) { r.SetColor(v.AsColor()); });
        Field<Owner>(c, prefix, "DelineateColor", get,
                     [](R& r, const TLayoutValue& v) { r.SetDelineateColor(v.AsColor()); });
        Field<Owner>(c, prefix, "TextStyle", get,
                     [](R& r, const TLayoutValue& v) { r.SetTextStyle(GlEnumValue<TglTextStyle>(v)); });
        RegisterFontProps<Owner>(c, prefix + ".Font", [get](Owner& o) -> TFont& { return std::invoke(get, o).Font(); });
        RegisterRecordProps<Owner>(c, prefix + ".Bevel",
                                   [get](Owner& o) -> TglBevel& { return std::invoke(get, o).Bevel(); });
    }
    if constexpr (std::is_base_of_v<TglListBoxItemStyle, R>)
        RegisterRecordProps<Owner>(c, prefix + ".Gradient",
                                   [get](Owner& o) -> TGradient& { return std::invoke(get, o).Gradient(); });
}

} // namespace zv
