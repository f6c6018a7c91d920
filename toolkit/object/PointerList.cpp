#include "toolkit/object/PointerList.h"

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
        if (GrowBy <= 0)
            GrowBy = 4;
        SetCapacity(count + GrowBy);
    }
    items[count] = value;
    return count++;
}

void PointerList::Insert(std::int32_t index, Value value)
{
    if (index < 0 || index > count)
        return;
    Add(value);
    std::memmove(items + index + 1, items + index, (count - 1 - index) * sizeof(Value));
    items[index] = value;
}

void PointerList::Delete(std::int32_t index, std::int32_t runLength)
{
    if (index < 0 || index >= count || runLength <= 0)
        return;
    if (runLength > count - index)
        runLength = count - index;
    std::memmove(items + index, items + index + runLength,
                 (count - index - runLength) * sizeof(Value));
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
