#include "framework/ListBox.h"

#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner)
{
    // The native list box reports selection changes itself (LBN_SELCHANGE).
    clickOnMouseUp_ = false;
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.winClassName = "LISTBOX";
    p.nativeClass = true;
    p.style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (style_ == TListBoxStyle::lbOwnerDrawFixed)
        p.style |= LBS_OWNERDRAWFIXED;
    else if (style_ == TListBoxStyle::lbOwnerDrawVariable)
        p.style |= LBS_OWNERDRAWVARIABLE;
    p.exStyle |= WS_EX_CLIENTEDGE;
    p.caption.clear();
}

void TCustomListBox::HandleCreated()
{
    TWinControl::HandleCreated();
    HWND h = HandleIfAllocated();
    // The fixed height is asked for while the window is being created, before it is ours.
    if (style_ == TListBoxStyle::lbOwnerDrawFixed)
        ::SendMessageA(h, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
    if (updateCount_ > 0)
        ::SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < Count(); ++i)
        InsertIntoWindow(i);
    ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TCustomListBox::HandleDestroying()
{
    itemIndex_ = ItemIndex();
    TWinControl::HandleDestroying();
}

void TCustomListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception(Format("List index out of bounds (%d)", index));
}

void TCustomListBox::InsertIntoWindow(int index)
{
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, LB_INSERTSTRING, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)].text.c_str()));
}

const std::string& TCustomListBox::Items(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

TObject* TCustomListBox::Objects(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TCustomListBox::SetObjects(int index, TObject* object)
{
    CheckIndex(index);
    items_[static_cast<size_t>(index)].object = object;
}

int TCustomListBox::AddItem(const std::string& text, TObject* object)
{
    Insert(Count(), text, object);
    return Count() - 1;
}

void TCustomListBox::Insert(int index, const std::string& text, TObject* object)
{
    if (index < 0 || index > Count())
        throw Exception(Format("List index out of bounds (%d)", index));
    // The list holds the item before the window does, so a measure request can read it.
    items_.insert(items_.begin() + index, Item{text, object});
    InsertIntoWindow(index);
}

void TCustomListBox::Delete(int index)
{
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    else if (itemIndex_ >= Count())
        itemIndex_ = -1;
}

void TCustomListBox::Clear()
{
    items_.clear();
    itemIndex_ = -1;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, LB_RESETCONTENT, 0, 0);
}

void TCustomListBox::SetItems(const std::vector<std::string>& lines)
{
    BeginUpdate();
    Clear();
    for (const std::string& s : lines)
        AddItem(s);
    EndUpdate();
}

int TCustomListBox::IndexOf(const std::string& text) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text == text)
            return static_cast<int>(i);
    return -1;
}

int TCustomListBox::ItemIndex() const
{
    if (HWND h = HandleIfAllocated()) {
        const LRESULT r = ::SendMessageA(h, LB_GETCURSEL, 0, 0);
        return r == LB_ERR ? -1 : static_cast<int>(r);
    }
    return itemIndex_;
}

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    itemIndex_ = index;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::BeginUpdate()
{
    if (updateCount_++ == 0)
        if (HWND h = HandleIfAllocated())
            ::SendMessageA(h, WM_SETREDRAW, FALSE, 0);
}

void TCustomListBox::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    if (HWND h = HandleIfAllocated()) {
        ::SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(h, nullptr, TRUE);
    }
}

void TCustomListBox::SetStyle(TListBoxStyle s)
{
    if (s == style_)
        return;
    style_ = s;
    RecreateWnd();
}

int TCustomListBox::ItemHeight() const
{
    if (style_ == TListBoxStyle::lbStandard)
        if (HWND h = HandleIfAllocated())
            return static_cast<int>(::SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
    return itemHeight_;
}

void TCustomListBox::SetItemHeight(int h)
{
    if (h <= 0 || h == itemHeight_)
        return;
    itemHeight_ = h;
    HWND w = HandleIfAllocated();
    if (!w)
        return;
    if (style_ == TListBoxStyle::lbOwnerDrawFixed) {
        ::SendMessageA(w, LB_SETITEMHEIGHT, 0, MAKELPARAM(h, 0));
        Invalidate();
    } else if (style_ == TListBoxStyle::lbOwnerDrawVariable) {
        RecreateWnd(); // every item is measured again
    }
}

RECT TCustomListBox::ItemRect(int index) const
{
    RECT r{0, 0, 0, 0};
    if (HWND h = HandleIfAllocated(); h && index >= 0 && index < Count())
        if (::SendMessageA(h, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            r = RECT{0, 0, 0, 0};
    return r;
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const
{
    HWND h = HandleIfAllocated();
    if (!h)
        return -1;
    const int top = static_cast<int>(::SendMessageA(h, LB_GETTOPINDEX, 0, 0));
    for (int i = top < 0 ? 0 : top; i < Count(); ++i) {
        RECT r = ItemRect(i);
        if (::PtInRect(&r, p))
            return i;
        if (r.top > p.y)
            break;
    }
    return existing ? -1 : Count();
}

bool TCustomListBox::CNCommand(WORD code)
{
    // A double click comes from the framework's own mouse decoding; LBN_DBLCLK would repeat it.
    if (code != LBN_SELCHANGE)
        return false;
    Click();
    return true;
}

bool TCustomListBox::CNMeasureItem(MEASUREITEMSTRUCT& mis)
{
    if (mis.CtlType != ODT_LISTBOX)
        return false;
    HWND h = HandleIfAllocated();
    HDC dc = ::GetDC(h);
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    int height = itemHeight_;
    try {
        MeasureItem(static_cast<int>(mis.itemID), height);
    } catch (...) {
        canvas_.SetHandle(nullptr);
        ::ReleaseDC(h, dc);
        throw;
    }
    canvas_.SetHandle(nullptr);
    ::ReleaseDC(h, dc);
    // The window system keeps item heights in a byte.
    mis.itemHeight = static_cast<UINT>(height < 1 ? 1 : (height > 255 ? 255 : height));
    return true;
}

bool TCustomListBox::CNDrawItem(DRAWITEMSTRUCT& dis)
{
    if (dis.CtlType != ODT_LISTBOX)
        return false;
    ScopedDCState keep(dis.hDC);
    canvas_.SetHandle(dis.hDC);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    try {
        DrawItem(static_cast<int>(dis.itemID), dis.rcItem, dis.itemState);
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    return true;
}

void TCustomListBox::MeasureItem(int index, int& height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, index, height);
}

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    const bool isItem = index >= 0 && index < Count();
    if (isItem && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    const bool selected = isItem && (state & ODS_SELECTED) != 0;
    // The previous item left the brush clear for its text.
    canvas_.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas_.Brush().SetColor(selected ? clHighlight : RoleColor(TColorRole::Face, Color()));
    canvas_.FillRect(rect);
    if (isItem) {
        canvas_.Font().SetColor(selected ? clHighlightText : RoleColorOn(Color(), TColorRole::Text, Font().Color()));
        canvas_.Brush().SetStyle(TBrushStyle::bsClear);
        RECT text = rect;
        text.left += 2;
        canvas_.DrawText(Items(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((state & ODS_FOCUS) && FocusCueShown()) {
        HDC dc = canvas_.Handle();
        const COLORREF fore = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusCue(dc, rect, selected ? clHighlightText : RoleColorOn(Color(), TColorRole::Text, clBlack));
        ::SetTextColor(dc, fore);
        ::SetBkColor(dc, back);
    }
}

namespace {
const bool kRegistered = [] {
    RegisterRootClass("TCustomListBox", "TWinControl")
        .Prop<TCustomListBox>("Style", [](TCustomListBox& l, const TLayoutValue& v) {
            l.SetStyle(v.AsEnum<TListBoxStyle>({{"lbStandard", TListBoxStyle::lbStandard},
                                                {"lbOwnerDrawFixed", TListBoxStyle::lbOwnerDrawFixed},
                                                {"lbOwnerDrawVariable", TListBoxStyle::lbOwnerDrawVariable}}));
        })
        .Prop<TCustomListBox>("ItemHeight", [](TCustomListBox& l, const TLayoutValue& v) { l.SetItemHeight(v.AsInt()); })
        .Prop<TCustomListBox>("Items.Strings", [](TCustomListBox& l, const TLayoutValue& v) { l.SetItems(v.AsStrings()); })
        .Prop<TCustomListBox>("OnDrawItem", [](TCustomListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnDrawItem = ctx.Handler<TDrawItemEvent>(v);
        })
        .Prop<TCustomListBox>("OnMeasureItem", [](TCustomListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnMeasureItem = ctx.Handler<TMeasureItemEvent>(v);
        });
    RegisterClass<TListBox>("TListBox", "TCustomListBox");
    return true;
}();
} // namespace

} // namespace zv
