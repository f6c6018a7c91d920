#include "app/DisplayProtocol.h"

namespace app {

std::optional<std::uint8_t> ChoiceByte(std::span<const Choice> choices, std::intptr_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= choices.size())
        return std::nullopt;
    return choices[static_cast<std::size_t>(index)].Byte;
}

} // namespace app
