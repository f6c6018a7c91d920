#include "toolkit/object/ToolkitObject.h"

#include "toolkit/object/PointerList.h"

namespace toolkit {

void ToolkitObject::Destroy()
{
    Finalise();
    delete this;
}

// Runs once: both the slot and the list are taken out before they are used,
// so a nested finalisation finds nothing left to do.
void ToolkitObject::Finalise()
{
    const auto onDestroy = std::exchange(OnDestroy, {});
    onDestroy.Fire(this);

    PointerList* owned = std::exchange(OwnedObjects, nullptr);
    if (owned == nullptr)
        return;
    for (PointerList::Value value : *owned)
        FreeObject(reinterpret_cast<ToolkitObject*>(value));
    FreeObject(owned);
}

void FreeObject(ToolkitObject* object)
{
    if (object == nullptr || object->FreePending() || object->Destroying)
        return;
    if ((object->RefCount >> 1) == 0) {
        object->Destroying = true;
        object->Destroy();
    } else {
        object->RefCount -= 1;
    }
}

void AddReference(ToolkitObject* object)
{
    if (object != nullptr)
        object->RefCount += 2;
}

void ReleaseReference(ToolkitObject* object)
{
    if (object == nullptr)
        return;
    object->RefCount -= 2;
    if (object->RefCount < 0 && object->FreePending() && !object->Destroying) {
        object->Destroying = true;
        object->Destroy();
    }
}

void AddOwnedObject(ToolkitObject* owner, ToolkitObject* object)
{
    if (owner == nullptr || object == nullptr)
        return;
    if (owner->OwnedObjects == nullptr)
        owner->OwnedObjects = CreateList();
    // The newest first: owned objects are freed in the reverse order of adding.
    owner->OwnedObjects->Insert(0, reinterpret_cast<PointerList::Value>(object));
}

} // namespace toolkit
