#include "toolkit/graphics/GdiHandle.h"

namespace toolkit {

void DeviceContextTraits::Close(HDC dc) const
{
    switch (From) {
    case Source::Window:
        GiveBackWindowDC(Window, dc);
        break;
    case Source::Memory:
        DropMemoryDC(dc);
        break;
    case Source::HandedOver:
        DeleteDC(dc);
        break;
    case Source::Lent:
        break;
    }
}

} // namespace toolkit
