#include "comport/EventThread.h"

#include "comport/ComPort.h"
#include "comport/OverlappedRequest.h"
#include "comport/SerialApi.h"
#include "toolkit/thread/Thread.h"

namespace comport {

namespace {

// The order in which the events of one wait are delivered.
constexpr LineEvent DeliveryOrder[] = {
    LineEvent::RxChar, LineEvent::TxEmpty, LineEvent::Break,  LineEvent::Ring,
    LineEvent::Cts,    LineEvent::Dsr,     LineEvent::RxFlag, LineEvent::Rlsd,
    LineEvent::Error,  LineEvent::Rx80Full,
};

} // namespace

inline EventThread::EventThread(ComPort* port)
    : Port(port),
      StopEvent(port->Platform().CreateEventA(nullptr, TRUE, FALSE, nullptr), {&port->Platform()})
{
}

EventThread* CreateEventThread(ComPort* port)
{
    EventThread* self = toolkit::CreateObject<EventThread>(port);
    SerialApi& api = port->Platform();
    // Armed before the thread's first wait, which would otherwise fail on a
    // port whose mask is still empty.
    api.SetCommMask(port->Handle(), ToPlatformMask(port->Events));
    self->Thread = toolkit::StartThread({&EventThread::ExecuteEntry, self});
    // A start request changes nothing for a running thread. This one, and
    // the one in Destroy, let a thread run whose first resume did not take
    // (a failed call, or a suspend count above one): a thread that never runs
    // never sees its stop event, and Close would wait for it forever.
    toolkit::ResumeThreadObject(self->Thread);
    return self;
}

std::uint32_t EventThread::ExecuteEntry(void* self, toolkit::Thread*)
{
    return static_cast<EventThread*>(self)->Execute();
}

std::uint32_t EventThread::Execute()
{
    SerialApi& api = Port->Platform();
    const HANDLE device = Port->Handle();
    // Written by the platform when a wait completes, also after this loop
    // has stopped looking: it lives as long as the request may.
    DWORD mask = 0;
    OverlappedRequest wait(api);
    const HANDLE waitList[2] = {StopEvent.Get(), wait.Event()};
    bool outstanding = false;

    for (;;) {
        mask = 0;
        // Without its event no wait can be followed; one that fails at once
        // (an invalid handle, a mask the device cannot serve) never
        // completes: either way retrying would only spin.
        if (!wait.Made()
            || (!api.WaitCommEvent(device, &mask, wait.Record())
                && api.GetLastError() != ERROR_IO_PENDING)) {
            api.WaitForSingleObject(StopEvent.Get(), INFINITE);
            break;
        }
        outstanding = true;
        const DWORD result = api.WaitForMultipleObjects(2, waitList, FALSE, INFINITE);
        if (result != WAIT_OBJECT_0 + 1)
            break;
        DWORD count = 0;
        outstanding = false;
        if (api.GetOverlappedResult(device, wait.Record(), &count, FALSE)) {
            Occurred = FromPlatformMask(mask);
            Dispatch();
        }
    }

    // An empty mask also ends a wait still outstanding; the request must
    // settle before its record goes away.
    api.SetCommMask(device, 0);
    if (outstanding) {
        DWORD count = 0;
        api.CancelIo(device);
        api.GetOverlappedResult(device, wait.Record(), &count, TRUE);
    }
    // The receive side only: clearing the transmit side would throw away
    // bytes that a write has accepted but the line has not carried yet.
    api.PurgeComm(device, PURGE_RXCLEAR);
    return 0;
}

void EventThread::Dispatch()
{
    const SyncMethod method = Port->SyncMethod();
    if (method == SyncMethod::Message)
        NotifyByMessage();
    else if (method <= HighestSyncMethod)
        NotifyByHandlers();
}

void EventThread::NotifyByMessage()
{
    SerialApi& api = Port->Platform();
    for (const LineEvent event : DeliveryOrder)
        if (Occurred.Contains(event))
            api.SendMessageW(Port->NotifyWindow, LineEventMessage, PlatformMaskBit(event), 0);
}

void EventThread::NotifyByHandlers()
{
    ComPort* port = Port;
    for (const LineEvent event : DeliveryOrder) {
        if (!Occurred.Contains(event))
            continue;
        switch (event) {
        case LineEvent::RxChar:
            // Read now: bytes that came after the event count too.
            if (const std::uint32_t count = port->InputQueueCount(); count > 0)
                port->OnRxChar.Fire(port, count);
            break;
        case LineEvent::TxEmpty:
            port->OnTxEmpty.Fire(port);
            break;
        case LineEvent::Break:
            port->OnBreak.Fire(port);
            break;
        case LineEvent::Ring:
            port->OnRing.Fire(port);
            break;
        case LineEvent::Cts:
            port->OnCtsChange.Fire(port, port->ModemStatus().Contains(ModemLine::Cts));
            break;
        case LineEvent::Dsr:
            port->OnDsrChange.Fire(port, port->ModemStatus().Contains(ModemLine::Dsr));
            break;
        case LineEvent::RxFlag:
            port->OnRxFlag.Fire(port);
            break;
        case LineEvent::Rlsd:
            port->OnRlsdChange.Fire(port, port->ModemStatus().Contains(ModemLine::Rlsd));
            break;
        case LineEvent::Error:
            // No slot: an error only has a message.
            break;
        case LineEvent::Rx80Full:
            port->OnRx80Full.Fire(port);
            break;
        }
    }
}

void EventThread::Destroy()
{
    SerialApi& api = Port->Platform();
    api.SetEvent(StopEvent.Get());
    // The rest of the time slice goes to the event thread, which sees the
    // stop event at once and is on its way out before the wait below: on a
    // single core Close does not first run a whole slice for nothing.
    api.Sleep(0);
    // See CreateEventThread: a thread still suspended must run to stop.
    toolkit::ResumeThreadObject(Thread);
    if (Port->SyncMethod() == SyncMethod::Message)
        WaitForThreadHandlingSentMessages();
    toolkit::WaitForThread(Thread);
    toolkit::FreeObject(std::exchange(Thread, nullptr));
    ToolkitObject::Destroy();
}

// The thread may be inside SendMessageW to a window of this very thread:
// answering sent messages (and nothing else) lets it finish.
void EventThread::WaitForThreadHandlingSentMessages()
{
    SerialApi& api = Port->Platform();
    const HANDLE thread = Thread->Handle();
    if (thread == nullptr)
        return;
    for (;;) {
        const DWORD result =
            api.MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        api.PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace comport
