#pragma once

#include <windows.h>

#include "comport/SerialHandle.h"

namespace comport {

// One overlapped operation on the device, a write or a wait for line events:
// its own zero-filled record and event, both gone with the request. The
// event starts signalled, so an operation that fails at once leaves nothing
// to wait for. The owner keeps the request until the platform is done with
// the record.
class OverlappedRequest {
public:
    explicit OverlappedRequest(SerialApi& api)
        : event(api.CreateEventA(nullptr, TRUE, TRUE, nullptr), {&api})
    {
        record.hEvent = event.Get();
    }
    OverlappedRequest(const OverlappedRequest&) = delete;
    OverlappedRequest& operator=(const OverlappedRequest&) = delete;

    bool Made() const { return static_cast<bool>(event); }
    OVERLAPPED* Record() { return &record; }
    HANDLE Event() const { return record.hEvent; }

private:
    SerialEvent event;
    OVERLAPPED record{};
};

} // namespace comport
