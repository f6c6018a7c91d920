#pragma once

#include <cstdint>
#include <utility>

#include "toolkit/object/EventSlot.h"

namespace toolkit {

class PointerList;

// The header of every object of the system: created on the heap by
// CreateObject, freed explicitly by FreeObject. References taken with
// AddReference defer a free until the last one is released; owned objects
// are freed with their owner, last added first.
class ToolkitObject {
public:
    ToolkitObject(const ToolkitObject&) = delete;
    ToolkitObject& operator=(const ToolkitObject&) = delete;

    // Fired once, with the object as sender, when the object is finalised.
    EventSlot<void(ToolkitObject* sender)> OnDestroy{};

    bool FreePending() const { return (RefCount & 1) != 0; }

protected:
    ToolkitObject() = default;
    virtual ~ToolkitObject() = default;
    // The memory goes back without its size, which the heap does not need:
    // the deleting destructors of types whose ends are alike come out alike.
    static void operator delete(void* block) { ::operator delete(block); }

    virtual void Init() {}
    // A type that holds resources of its own releases them here and ends
    // with ToolkitObject::Destroy, which finalises and frees the memory.
    virtual void Destroy();
    // Fires OnDestroy and frees the owned objects; runs once, so a type whose
    // owned objects must go before its other resources may call it early.
    void Finalise();

private:
    template <typename T, typename... Args>
    friend T* CreateObject(Args&&... args);
    friend void FreeObject(ToolkitObject* object);
    friend void AddReference(ToolkitObject* object);
    friend void ReleaseReference(ToolkitObject* object);
    friend void AddOwnedObject(ToolkitObject* owner, ToolkitObject* object);

    // Twice the number of references held, minus one while a free is pending.
    std::int32_t RefCount = 0;
    // Set as Destroy begins: a reference taken and released, or a free, while
    // the object is being destroyed must not destroy it again.
    bool Destroying = false;
    PointerList* OwnedObjects = nullptr;
};

// Without arguments the object is value-initialised: a type whose default
// constructor is its own implicit one starts with every member zero, and then
// its members' initializers run. Such a type gives initializers only to the
// members that start elsewhere than zero, or its constructor would write all
// the zeros again. A type with a constructor of its own initialises all of
// its members, as ToolkitObject does for the types built on it.
template <typename T, typename... Args>
T* CreateObject(Args&&... args)
{
    T* object = new T(std::forward<Args>(args)...);
    static_cast<ToolkitObject*>(object)->Init();
    return object;
}

// Frees now, or, while references are held, when the last one is released.
void FreeObject(ToolkitObject* object);

void AddReference(ToolkitObject* object);
void ReleaseReference(ToolkitObject* object);

// The owner frees the object when the owner is destroyed.
void AddOwnedObject(ToolkitObject* owner, ToolkitObject* object);

// Holds a reference for the lifetime of a scope.
class ObjectReference {
public:
    explicit ObjectReference(ToolkitObject* object) : object(object) { AddReference(object); }
    ~ObjectReference() { ReleaseReference(object); }
    ObjectReference(const ObjectReference&) = delete;
    ObjectReference& operator=(const ObjectReference&) = delete;

private:
    ToolkitObject* object;
};

} // namespace toolkit
