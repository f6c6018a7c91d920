#pragma once

#include <windows.h>

#include <cstdint>

#include "comport/LineEvents.h"
#include "comport/SerialHandle.h"
#include "toolkit/object/ToolkitObject.h"

namespace toolkit {
class Thread;
}

namespace comport {

class ComPort;

// The worker that waits for the line events of an open port and hands each
// to the port's owner, by window message or by the port's handler slots.
// Freeing it stops the thread and waits for its end.
class EventThread : public toolkit::ToolkitObject {
public:
    explicit EventThread(ComPort* port);

    ComPort* Port = nullptr;
    // Closed only with the object, when no thread can still wait on it.
    SerialEvent StopEvent;
    // The events of the last completed wait.
    LineEvents Occurred;
    toolkit::Thread* Thread = nullptr;

protected:
    friend EventThread* CreateEventThread(ComPort* port);

    void Destroy() override;
    virtual std::uint32_t Execute();

private:
    static std::uint32_t ExecuteEntry(void* self, toolkit::Thread* thread);

    void Dispatch();
    void NotifyByMessage();
    void NotifyByHandlers();
    void WaitForThreadHandlingSentMessages();
};

// Arms the port's event mask, then starts the thread.
EventThread* CreateEventThread(ComPort* port);

// The message a notify window receives for each line event; wParam is the
// event's mask bit.
inline constexpr UINT LineEventMessage = WM_USER + 1;

} // namespace comport
