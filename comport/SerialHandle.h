#pragma once

#include <windows.h>

#include "comport/SerialApi.h"
#include "toolkit/object/UniqueHandle.h"

namespace comport {

// A handle the port's platform made, closed through that same platform, so
// that a test seam sees the close as it saw the open.
struct ClosedThroughSerialApi {
    SerialApi* Api = nullptr;

    void Close(HANDLE handle) const { Api->CloseHandle(handle); }
};

struct EventHandleTraits : ClosedThroughSerialApi {
    using Handle = HANDLE;
    // CreateEventA gives 0 when it fails.
    static HANDLE Empty() { return nullptr; }
};

struct DeviceHandleTraits : ClosedThroughSerialApi {
    using Handle = HANDLE;
    // CreateFileA gives INVALID_HANDLE_VALUE when it fails.
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
};

using SerialEvent = toolkit::UniqueHandle<EventHandleTraits>;
using SerialDevice = toolkit::UniqueHandle<DeviceHandleTraits>;

} // namespace comport
