#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(nullptr)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    NotifyDestruction();
    // Free what we own, newest first; each one leaves our list as it goes.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last;
    }
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::NotifyDestruction()
{
    if (destructionNotified_)
        return;
    destructionNotified_ = true;
    destroying_ = true;
    const std::vector<TComponent*> subscribers = freeNotifies_;
    for (TComponent* subscriber : subscribers) {
        subscriber->RemoveFreeNotification(this);
        subscriber->Notification(this, TOperation::Remove);
    }
    freeNotifies_.clear();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, TOperation::Remove);
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::Remove && component)
        RemoveFreeNotification(component);
    // The owner passes the news on to everything it owns.
    const std::vector<TComponent*> owned = components_;
    for (TComponent* each : owned)
        if (each != component && std::find(components_.begin(), components_.end(), each) != components_.end())
            each->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    if (other)
        other->freeNotifies_.erase(
            std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
            other->freeNotifies_.end());
}
