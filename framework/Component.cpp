#include "framework/Component.h"

#include <algorithm>
#include <cctype>

namespace zv {

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent()
{
    state_ |= csDestroying;
    // Tell everyone that referred to us; they drop their pointers.
    while (!freeNotifies_.empty()) {
        TComponent* c = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = c->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
    // Owned components go first-created-last.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        delete c; // removes itself from components_
    }
    if (owner_)
        owner_->Remove(this);
}

void TComponent::Insert(TComponent* c)
{
    components_.push_back(c);
    c->owner_ = this;
}

void TComponent::Remove(TComponent* c)
{
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    c->owner_ = nullptr;
    if (!IsDestroying())
        Notification(c, TOperation::opRemove);
}

void TComponent::SetName(const std::string& name) { name_ = name; }

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (c->name_.size() == name.size() &&
            std::equal(name.begin(), name.end(), c->name_.begin(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                   std::tolower(static_cast<unsigned char>(b)); }))
            return c;
    return nullptr;
}

void TComponent::SetLoadingState(bool loading)
{
    if (loading)
        state_ |= csLoading;
    else
        state_ &= ~static_cast<unsigned>(csLoading);
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading); }

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    other->freeNotifies_.erase(std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
                               other->freeNotifies_.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::PublishHandler(const std::string& name, std::any handler) { handlers_[name] = std::move(handler); }

const std::any* TComponent::FindHandler(std::string_view name) const
{
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
}

void TComponent::AddLayoutChild(TComponent*) {}

} // namespace zv
