// The component model: owners own and destroy their components; components that refer to each
// other ask to be told when the other goes away; a layout puts components into the loading state
// and calls Loaded() on each once the whole layout is in.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csDesigning = 4 };

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Component(int index) const { return components_[static_cast<size_t>(index)]; }
    TComponent* FindComponent(std::string_view name) const;
    // Name lookup with a checked cast; throws when the component is missing or of another class.
    template <class T>
    T* Bind(std::string_view name) const;

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    void SetLoadingState(bool loading);
    // Runs once after the whole layout holding this component has been read.
    virtual void Loaded();

    // Asks to be told (Notification with opRemove) when `other` is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);
    virtual void Notification(TComponent* component, TOperation operation);

    // Event handlers published by a root component (a form) so that layouts can bind them by name.
    void PublishHandler(const std::string& name, std::any handler);
    const std::any* FindHandler(std::string_view name) const;

    // A layout nests `child` inside this object; windowed controls make it a child control.
    virtual void AddLayoutChild(TComponent* child);
    // The registered class name (the one a layout uses).
    virtual const char* ClassName() const { return "TComponent"; }

    int Tag = 0;

protected:
    void SetDestroyingState() { state_ |= csDestroying; }

private:
    void Insert(TComponent* c);
    void Remove(TComponent* c);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::map<std::string, std::any, std::less<>> handlers_;
    unsigned state_ = 0;
};

// Creates a component that its owner will destroy.
template <class T, class... Args>
T* Create(TComponent* owner, Args&&... args)
{
    return new T(owner, std::forward<Args>(args)...);
}

} // namespace zv

#include "framework/SysUtils.h"

namespace zv {
template <class T>
T* TComponent::Bind(std::string_view name) const
{
    TComponent* c = FindComponent(name);
    if (!c)
        throw Exception(std::string("Component '") + std::string(name) + "' not found in " + name_);
    T* t = dynamic_cast<T*>(c);
    if (!t)
        throw Exception(std::string("Component '") + std::string(name) + "' is a " + c->ClassName());
    return t;
}
} // namespace zv
