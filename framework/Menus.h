// The main menu of a form: items with captions and click handlers, nested as the layout nests them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Component.h"

namespace zv {

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_[static_cast<size_t>(i)]; }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    UINT Command() const { return command_; }
    TMenuItem* FindByCommand(UINT id);
    virtual void Click();

    TNotifyEvent OnClick;
    void AddLayoutChild(TComponent* child) override;
    // Fills `menu` with this item's children.
    void BuildInto(HMENU menu);
    void Changed();

private:
    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    UINT command_;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    HMENU subMenu_ = nullptr;

    friend class TMainMenu;
};

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    const char* ClassName() const override { return "TMainMenu"; }

    TMenuItem& Items() { return *items_; }
    // The menu bar, built on first use and rebuilt after changes.
    HMENU Handle();
    bool DispatchCommand(UINT id);
    void AddLayoutChild(TComponent* child) override;
    void Rebuild();

private:
    TMenuItem* items_;
    HMENU handle_ = nullptr;
};

} // namespace zv
