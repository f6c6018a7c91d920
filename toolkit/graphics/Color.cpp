#include "toolkit/graphics/Color.h"

namespace toolkit {

COLORREF ResolveColor(Color color)
{
    if (static_cast<std::int32_t>(color) < 0)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

} // namespace toolkit
