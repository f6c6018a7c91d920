#include "runtime/OuterExceptionHandler.h"

#include <windows.h>

#include "runtime/ErrorNumbers.h"
#include "runtime/Program.h"

// Registered as the process's unhandled-exception filter, the handler runs
// when no frame of the faulting thread took the exception, and never while a
// debugger is attached (the debugger sees the fault first). It does not halt
// where it is called: after a stack overflow that stack has no room left for
// a message box. It resumes the main thread instead at the start of the halt,
// as if the program entry had called it, with every frame below the entry
// given up.

namespace runtime {

namespace {

// The stack that a stack overflow leaves for taking the exception: enough for
// the platform's dispatch and this handler. Without it the platform finds no
// room to report the overflow and ends the process silently.
ULONG StackGuarantee = 32 * 1024;

DWORD mainThreadId = 0;
std::uintptr_t haltStack = 0;
void* entryHandlerChain = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
void* overflowHandler = nullptr;
bool registered = false;

std::uint8_t faultNumber = 0;
std::uintptr_t faultAddress = 0;

// The head of the thread's chain of registered frame handlers.
void* HandlerChain()
{
    void* head = nullptr;
#if defined(__x86_64__)
    asm volatile("movq %%gs:0, %0" : "=r"(head));
#elif defined(__i386__)
    asm volatile("movl %%fs:0, %0" : "=r"(head));
#endif
    return head;
}

[[noreturn]] void HaltAfterFault()
{
    // The handlers that the abandoned frames registered (the platform's, when
    // the fault came in a message it sent; a stack overflow leaves them all)
    // lie on the stack that the halt now reuses: the chain goes back to what
    // it was at start, so that a fault while halting is not handed to them.
    // A floating-point fault leaves its exception pending in the FPU.
#if defined(__x86_64__)
    const std::uint32_t defaultControl = 0x1F80;
    asm volatile("movq %0, %%gs:0\n\tfninit\n\tldmxcsr %1" : : "r"(entryHandlerChain), "m"(defaultControl)
                 : "memory");
#elif defined(__i386__)
    asm volatile("movl %0, %%fs:0\n\tfninit" : : "r"(entryHandlerChain) : "memory");
#endif
    RaiseRuntimeError(faultNumber, faultAddress);
}

// A stack overflow is taken before any frame is asked: the platform's search
// through the frames, down to the unhandled-exception filter, needs more
// stack than an overflow leaves (Wine 8 keeps two pages, and honours no
// larger guarantee).
LONG CALLBACK TakeStackOverflow(EXCEPTION_POINTERS* exception)
{
    if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    return OuterExceptionHandler(exception);
}

} // namespace

long __stdcall OuterExceptionHandler(EXCEPTION_POINTERS* exception)
{
    if (GetCurrentThreadId() != mainThreadId)
        return EXCEPTION_CONTINUE_SEARCH;
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
        return EXCEPTION_CONTINUE_SEARCH;

    faultNumber = ExceptionToErrorNumber(record->ExceptionCode);
    faultAddress = reinterpret_cast<std::uintptr_t>(record->ExceptionAddress);
    // Such an exception cannot be resumed, not even elsewhere; it has left
    // stack enough to halt right here.
    if ((record->ExceptionFlags & EXCEPTION_NONCONTINUABLE) != 0)
        RaiseRuntimeError(faultNumber, faultAddress);

    // Enter HaltAfterFault as if the program entry had called it: on x86_64,
    // where the entry's calls all keep their return address in one place,
    // a fault while halting then unwinds through the entry to the platform's
    // outermost handler. Nothing is written to that stack before the thread
    // is there: this handler itself may be running on it.
    CONTEXT* context = exception->ContextRecord;
#if defined(__x86_64__)
    context->Rsp = haltStack;
    context->Rip = reinterpret_cast<DWORD64>(&HaltAfterFault);
#elif defined(__i386__)
    context->Esp = haltStack;
    context->Eip = reinterpret_cast<DWORD>(&HaltAfterFault);
#else
#error "Unsupported processor"
#endif
    context->EFlags &= ~0x400u; // direction flag, which the calling convention wants clear
    return EXCEPTION_CONTINUE_EXECUTION;
}

void RegisterOuterExceptionHandler(std::uintptr_t entryCallReturn)
{
    mainThreadId = GetCurrentThreadId();
    haltStack = entryCallReturn;
    entryHandlerChain = HandlerChain();
    ULONG guarantee = StackGuarantee;
    SetThreadStackGuarantee(&guarantee);
    previousFilter = SetUnhandledExceptionFilter(&OuterExceptionHandler);
    overflowHandler = AddVectoredExceptionHandler(1, &TakeStackOverflow);
    registered = true;
}

void RemoveOuterExceptionHandler()
{
    if (!registered)
        return;
    registered = false;
    if (overflowHandler != nullptr)
        RemoveVectoredExceptionHandler(overflowHandler);
    SetUnhandledExceptionFilter(previousFilter);
}

} // namespace runtime
