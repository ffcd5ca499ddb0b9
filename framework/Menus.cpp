#include "framework/Menus.h"

#include <algorithm>

#include "framework/Forms.h"

namespace zv {

namespace {
UINT g_nextCommand = 1;
} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(g_nextCommand++) {}

TMenuItem::~TMenuItem()
{
    if (parent_)
        parent_->Remove(this);
    for (TMenuItem* i : items_)
        i->parent_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& c)
{
    caption_ = c;
    Changed();
}

void TMenuItem::SetEnabled(bool v)
{
    enabled_ = v;
    Changed();
}

void TMenuItem::SetChecked(bool v)
{
    checked_ = v;
    Changed();
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parent_)
        item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::AddLayoutChild(TComponent* child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(child))
        Add(item);
}

TMenuItem* TMenuItem::FindByCommand(UINT id)
{
    if (command_ == id)
        return this;
    for (TMenuItem* i : items_)
        if (TMenuItem* f = i->FindByCommand(id))
            return f;
    return nullptr;
}

void TMenuItem::Click()
{
    if (enabled_ && OnClick)
        OnClick(this);
}

void TMenuItem::BuildInto(HMENU menu)
{
    for (TMenuItem* i : items_) {
        UINT flags = MF_STRING | (i->enabled_ ? MF_ENABLED : MF_GRAYED) | (i->checked_ ? MF_CHECKED : 0);
        if (i->caption_ == "-") {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!i->items_.empty()) {
            HMENU sub = ::CreatePopupMenu();
            i->BuildInto(sub);
            ::AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), i->caption_.c_str());
        } else {
            ::AppendMenuA(menu, flags, i->command_, i->caption_.c_str());
        }
    }
}

void TMenuItem::Changed()
{
    TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    if (auto* menu = dynamic_cast<TMainMenu*>(root->Owner()); menu && &menu->Items() == root && !IsLoading())
        menu->Rebuild();
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {}

TMainMenu::~TMainMenu()
{
    if (handle_ && !::IsMenu(handle_))
        handle_ = nullptr;
    if (handle_)
        ::DestroyMenu(handle_);
}

HMENU TMainMenu::Handle()
{
    if (!handle_) {
        handle_ = ::CreateMenu();
        items_->BuildInto(handle_);
    }
    return handle_;
}

void TMainMenu::Rebuild()
{
    if (!handle_)
        return;
    // Items appear in place on the form that shows this menu.
    while (::GetMenuItemCount(handle_) > 0)
        ::DeleteMenu(handle_, 0, MF_BYPOSITION);
    items_->BuildInto(handle_);
    if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->HandleIfAllocated())
        ::DrawMenuBar(form->HandleIfAllocated());
}

bool TMainMenu::DispatchCommand(UINT id)
{
    TMenuItem* item = items_->FindByCommand(id);
    if (!item || item == items_)
        return false;
    item->Click();
    return true;
}

void TMainMenu::AddLayoutChild(TComponent* child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(child))
        items_->Add(item);
}

} // namespace zv
