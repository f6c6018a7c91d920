#pragma once

#include <cstdint>

#include "toolkit/object/ToolkitObject.h"

namespace toolkit {

// A growable list of pointer-sized values. Every index is checked: a read
// outside the list gives 0, a change outside it does nothing.
// Made by CreateObject: members without an initializer start at zero.
class PointerList : public ToolkitObject {
public:
    using Value = std::uintptr_t;
    // The longest list there can be: its size in bytes still fits a signed
    // 32-bit count, so no size or index arithmetic can overflow.
    static constexpr auto MaxCapacity = static_cast<std::int32_t>(INT32_MAX / sizeof(Value));

    std::int32_t Count() const { return count; }
    std::int32_t Capacity() const { return capacity; }
    std::int32_t GrowBy = 4;

    Value Get(std::int32_t index) const;
    void Set(std::int32_t index, Value value);

    // The index of the new value; -1 when the list is as long as it can be.
    std::int32_t Add(Value value);
    void Insert(std::int32_t index, Value value);
    void Delete(std::int32_t index, std::int32_t runLength = 1);
    std::int32_t IndexOf(Value value) const;
    void Remove(Value value);
    void Clear();
    void SetCapacity(std::int32_t newCapacity);

    const Value* begin() const { return items; }
    const Value* end() const { return items + count; }

protected:
    void Destroy() override;

private:
    Value* items;
    std::int32_t count;
    std::int32_t capacity;
};

PointerList* CreateList();

} // namespace toolkit
