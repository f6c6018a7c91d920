#include "toolkit/object/PointerList.h"

#include <algorithm>
#include <cstring>

namespace toolkit {

PointerList* CreateList()
{
    return CreateObject<PointerList>();
}

PointerList::Value PointerList::Get(std::int32_t index) const
{
    if (index < 0 || index >= count)
        return 0;
    return items[index];
}

void PointerList::Set(std::int32_t index, Value value)
{
    if (index >= 0 && index < count)
        items[index] = value;
}

std::int32_t PointerList::Add(Value value)
{
    if (count == capacity) {
        // A step the list cannot take, as one that would carry it past the
        // longest list, is taken as 4 like a step that is not positive.
        if (GrowBy <= 0 || GrowBy > MaxCapacity - count)
            GrowBy = 4;
        SetCapacity(count + std::min(GrowBy, MaxCapacity - count));
        if (count == capacity)
            return -1;
    }
    items[count] = value;
    return count++;
}

void PointerList::Insert(std::int32_t index, Value value)
{
    if (index < 0 || index > count || Add(value) < 0)
        return;
    for (std::int32_t i = count - 1; i > index; --i)
        items[i] = items[i - 1];
    items[index] = value;
}

void PointerList::Delete(std::int32_t index, std::int32_t runLength)
{
    if (index < 0 || index >= count || runLength <= 0)
        return;
    if (runLength > count - index)
        runLength = count - index;
    for (std::int32_t i = index; i + runLength < count; ++i)
        items[i] = items[i + runLength];
    count -= runLength;
}

std::int32_t PointerList::IndexOf(Value value) const
{
    for (std::int32_t i = 0; i < count; ++i)
        if (items[i] == value)
            return i;
    return -1;
}

void PointerList::Remove(Value value)
{
    Delete(IndexOf(value));
}

void PointerList::Clear()
{
    delete[] items;
    items = nullptr;
    count = 0;
    capacity = 0;
}

void PointerList::SetCapacity(std::int32_t newCapacity)
{
    if (newCapacity > MaxCapacity)
        newCapacity = MaxCapacity;
    if (newCapacity < count)
        newCapacity = count;
    if (newCapacity == capacity)
        return;
    Value* grown = newCapacity > 0 ? new Value[newCapacity] : nullptr;
    if (count > 0)
        std::memcpy(grown, items, count * sizeof(Value));
    delete[] items;
    items = grown;
    capacity = newCapacity;
}

void PointerList::Destroy()
{
    Clear();
    ToolkitObject::Destroy();
}

} // namespace toolkit
