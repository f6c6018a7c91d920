#pragma once

#include <cstdint>

namespace comport {

// A set of the members of an enumeration whose values are bit numbers: bit n
// of the word is member n. Bits that stand for no member never enter the set.
template <typename Member, typename WordType, WordType AllMembers>
class EnumSet {
public:
    static constexpr WordType AllBits = AllMembers;

    constexpr EnumSet() = default;
    constexpr explicit EnumSet(WordType word) : word(static_cast<WordType>(word & AllBits)) {}

    constexpr WordType Word() const { return word; }
    constexpr bool Empty() const { return word == 0; }
    constexpr bool Contains(Member member) const { return (word & Bit(member)) != 0; }
    constexpr EnumSet With(Member member) const
    {
        return EnumSet(static_cast<WordType>(word | Bit(member)));
    }

    friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
    static constexpr WordType Bit(Member member)
    {
        return static_cast<WordType>(1u << static_cast<unsigned>(member));
    }

    WordType word = 0;
};

} // namespace comport
