#pragma once
// Components own the components created with them as owner and free them
// when they go. When a component goes, its owner's components and everyone
// that asked for a free notification are told, so no one keeps a dangling
// reference.

#include "framework/graphics/GraphicsObjects.h"

#include <string>
#include <vector>

enum class TOperation : uint8_t { Insert, Remove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    bool Destroying() const { return destroying_; }

    // This component and `other` are each told (Notification, TOperation::Remove)
    // when the other goes, whoever owns them.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    std::string Name;

protected:
    // Called on every component of the owner when one of them is inserted or
    // removed, and on free-notification subscribers.
    virtual void Notification(TComponent* component, TOperation operation);
    // Tells the owner's components and the subscribers that this component
    // goes. Called by ~TComponent; a derived destructor that wants others to
    // still see its own type calls it first (it runs only once).
    void NotifyDestruction();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool destroying_ = false;
    bool destructionNotified_ = false;
};
