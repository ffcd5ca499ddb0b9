// Published properties of the framework's core classes, by name, for the layout reader.
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "framework/Menus.h"
#include "framework/Timer.h"

namespace zv {

namespace {

int CharsetValue(const TLayoutValue& v)
{
    if (v.kind == TLayoutValue::Kind::Integer)
        return v.AsInt();
    return v.AsEnum<int>({{"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"ANSI_CHARSET", ANSI_CHARSET},
                          {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                          {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"OEM_CHARSET", OEM_CHARSET}});
}

template <class T>
void FontProps(TClassInfo& c, TFont& (*font)(T&))
{
    c.Prop<T>("Font.Name", [font](T& t, const TLayoutValue& v) { font(t).SetName(v.AsString()); })
        .template Prop<T>("Font.Height", [font](T& t, const TLayoutValue& v) { font(t).SetHeight(v.AsInt()); })
        .template Prop<T>("Font.Size", [font](T& t, const TLayoutValue& v) { font(t).SetSize(v.AsInt()); })
        .template Prop<T>("Font.Color", [font](T& t, const TLayoutValue& v) { font(t).SetColor(v.AsColor()); })
        .template Prop<T>("Font.Charset", [font](T& t, const TLayoutValue& v) { font(t).SetCharset(CharsetValue(v)); })
        .template Prop<T>("Font.Style", [font](T& t, const TLayoutValue& v) {
            font(t).SetStyle(v.AsSet({{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline},
                                      {"fsStrikeOut", fsStrikeOut}}));
        });
}

const bool kRegistered = [] {
    RegisterRootClass("TComponent", "").Prop<TComponent>("Tag", [](TComponent& c, const TLayoutValue& v) {
        c.Tag = v.AsInt();
    });

    auto& control = RegisterRootClass("TControl", "TComponent");
    control.Prop<TControl>("Left", [](TControl& c, const TLayoutValue& v) { c.SetLeft(v.AsInt()); })
        .Prop<TControl>("Top", [](TControl& c, const TLayoutValue& v) { c.SetTop(v.AsInt()); })
        .Prop<TControl>("Width", [](TControl& c, const TLayoutValue& v) { c.SetWidth(v.AsInt()); })
        .Prop<TControl>("Height", [](TControl& c, const TLayoutValue& v) { c.SetHeight(v.AsInt()); })
        .Prop<TControl>("Caption", [](TControl& c, const TLayoutValue& v) { c.SetText(v.AsString()); })
        .Prop<TControl>("Text", [](TControl& c, const TLayoutValue& v) { c.SetText(v.AsString()); })
        .Prop<TControl>("Color", [](TControl& c, const TLayoutValue& v) { c.SetColor(v.AsColor()); })
        .Prop<TControl>("ParentColor", [](TControl& c, const TLayoutValue& v) { c.SetParentColor(v.AsBool()); })
        .Prop<TControl>("ParentFont", [](TControl& c, const TLayoutValue& v) { c.SetParentFont(v.AsBool()); })
        .Prop<TControl>("Hint", [](TControl& c, const TLayoutValue& v) { c.SetHint(v.AsString()); })
        .Prop<TControl>("ShowHint", [](TControl& c, const TLayoutValue& v) { c.SetShowHint(v.AsBool()); })
        .Prop<TControl>("ParentShowHint", [](TControl& c, const TLayoutValue& v) { c.SetParentShowHint(v.AsBool()); })
        .Prop<TControl>("Visible", [](TControl& c, const TLayoutValue& v) { c.SetVisible(v.AsBool()); })
        .Prop<TControl>("Enabled", [](TControl& c, const TLayoutValue& v) { c.SetEnabled(v.AsBool()); })
        .Prop<TControl>("Cursor", [](TControl& c, const TLayoutValue& v) {
            c.SetCursor(v.AsEnum<TCursor>({{"crDefault", TCursor::crDefault}, {"crArrow", TCursor::crArrow},
                                           {"crHandPoint", TCursor::crHandPoint}, {"crIBeam", TCursor::crIBeam},
                                           {"crHourGlass", TCursor::crHourGlass}}));
        })
        .Prop<TControl>("OnClick", [](TControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnClick = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TControl>("OnDblClick", [](TControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnDblClick = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TControl>("OnMouseDown", [](TControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnMouseDown = ctx.Handler<TMouseEvent>(v);
        })
        .Prop<TControl>("OnMouseUp", [](TControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnMouseUp = ctx.Handler<TMouseEvent>(v);
        })
        .Prop<TControl>("OnMouseMove", [](TControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnMouseMove = ctx.Handler<TMouseMoveEvent>(v);
        });
    FontProps<TControl>(control, [](TControl& c) -> TFont& { return c.Font(); });

    RegisterRootClass("TGraphicControl", "TControl");

    RegisterRootClass("TWinControl", "TControl")
        .Prop<TWinControl>("TabOrder", [](TWinControl& c, const TLayoutValue& v) { c.SetTabOrder(v.AsInt()); })
        .Prop<TWinControl>("TabStop", [](TWinControl& c, const TLayoutValue& v) { c.SetTabStop(v.AsBool()); })
        .Prop<TWinControl>("OnEnter", [](TWinControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnEnter = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TWinControl>("OnExit", [](TWinControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnExit = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TWinControl>("OnKeyDown", [](TWinControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnKeyDown = ctx.Handler<TKeyEvent>(v);
        })
        .Prop<TWinControl>("OnKeyUp", [](TWinControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnKeyUp = ctx.Handler<TKeyEvent>(v);
        })
        .Prop<TWinControl>("OnKeyPress", [](TWinControl& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnKeyPress = ctx.Handler<TKeyPressEvent>(v);
        });

    RegisterRootClass("TCustomControl", "TWinControl");

    RegisterRootClass("TForm", "TWinControl")
        .Prop<TForm>("BorderStyle", [](TForm& f, const TLayoutValue& v) {
            f.SetBorderStyle(v.AsEnum<TBorderStyle>(
                {{"bsNone", TBorderStyle::bsNone}, {"bsSingle", TBorderStyle::bsSingle},
                 {"bsSizeable", TBorderStyle::bsSizeable}, {"bsDialog", TBorderStyle::bsDialog},
                 {"bsToolWindow", TBorderStyle::bsToolWindow}, {"bsSizeToolWin", TBorderStyle::bsSizeToolWin}}));
        })
        .Prop<TForm>("BorderIcons", [](TForm& f, const TLayoutValue& v) {
            f.SetBorderIcons(v.AsSet({{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize},
                                      {"biMaximize", biMaximize}, {"biHelp", biHelp}}));
        })
        .Prop<TForm>("Position", [](TForm& f, const TLayoutValue& v) {
            f.SetPosition(v.AsEnum<TPosition>({{"poDesigned", TPosition::poDesigned},
                                               {"poDefault", TPosition::poDefault},
                                               {"poScreenCenter", TPosition::poScreenCenter},
                                               {"poDesktopCenter", TPosition::poDesktopCenter},
                                               {"poMainFormCenter", TPosition::poMainFormCenter}}));
        })
        .Prop<TForm>("FormStyle", [](TForm& f, const TLayoutValue& v) {
            f.SetFormStyle(v.AsEnum<TFormStyle>({{"fsNormal", TFormStyle::fsNormal}, {"fsStayOnTop", TFormStyle::fsStayOnTop}}));
        })
        .Prop<TForm>("ClientWidth", [](TForm& f, const TLayoutValue& v) { f.SetClientWidth(v.AsInt()); })
        .Prop<TForm>("ClientHeight", [](TForm& f, const TLayoutValue& v) { f.SetClientHeight(v.AsInt()); })
        .Prop<TForm>("KeyPreview", [](TForm& f, const TLayoutValue& v) { f.KeyPreview = v.AsBool(); })
        .Prop<TForm>("Menu", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TMainMenu>(v, [&f](TMainMenu* m) { f.SetMenu(m); });
        })
        .Prop<TForm>("ActiveControl", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TWinControl>(v, [&f](TWinControl* c) { f.FocusControlChanged(c); });
        })
        .Prop<TForm>("OnCreate", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnCreate = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TForm>("OnShow", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnShow = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TForm>("OnHide", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnHide = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TForm>("OnActivate", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnActivate = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TForm>("OnDestroy", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnDestroy = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TForm>("OnClose", [](TForm& f, const TLayoutValue& v, TLayoutContext& ctx) {
            f.OnClose = ctx.Handler<TCloseEvent>(v);
        });

    RegisterClass<TTimer>("TTimer", "TComponent")
        .Prop<TTimer>("Interval", [](TTimer& t, const TLayoutValue& v) { t.SetInterval(static_cast<UINT>(v.AsInt())); })
        .Prop<TTimer>("Enabled", [](TTimer& t, const TLayoutValue& v) { t.SetEnabled(v.AsBool()); })
        .Prop<TTimer>("OnTimer", [](TTimer& t, const TLayoutValue& v, TLayoutContext& ctx) {
            t.SetOnTimer(ctx.Handler<TNotifyEvent>(v));
        });

    RegisterClass<TMainMenu>("TMainMenu", "TComponent");
    RegisterClass<TMenuItem>("TMenuItem", "TComponent")
        .Prop<TMenuItem>("Caption", [](TMenuItem& m, const TLayoutValue& v) { m.SetCaption(v.AsString()); })
        .Prop<TMenuItem>("Enabled", [](TMenuItem& m, const TLayoutValue& v) { m.SetEnabled(v.AsBool()); })
        .Prop<TMenuItem>("Checked", [](TMenuItem& m, const TLayoutValue& v) { m.SetChecked(v.AsBool()); })
        .Prop<TMenuItem>("OnClick", [](TMenuItem& m, const TLayoutValue& v, TLayoutContext& ctx) {
            m.OnClick = ctx.Handler<TNotifyEvent>(v);
        });
    return true;
}();

} // namespace
} // namespace zv
