#include "toolkit/graphics/GdiHandle.h"

#include <utility>

namespace toolkit {

void DeviceContext::Reset()
{
    const HDC old = std::exchange(dc, nullptr);
    if (old == nullptr)
        return;
    switch (source) {
    case Source::Window:
        GiveBackWindowDC(window, old);
        break;
    case Source::Memory:
        DropMemoryDC(old);
        break;
    case Source::HandedOver:
        DeleteDC(old);
        break;
    case Source::Lent:
        break;
    }
}

} // namespace toolkit
