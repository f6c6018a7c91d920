#include "runtime/OuterExceptionHandler.h"

#include <windows.h>

#include "runtime/ErrorNumbers.h"
#include "runtime/Program.h"

// Registered as the process's unhandled-exception filter, the handler runs
// when no frame of the faulting thread took the exception, and never while a
// debugger is attached (the debugger sees the fault first). It does not halt
// where it is called: after a stack overflow that stack has no room left for
// a message box. It resumes the main thread instead at the start of the halt,
// on a part of the stack near its base that nothing uses any more.

namespace runtime {

namespace {

// The stack that a stack overflow leaves for taking the exception: enough for
// the platform's dispatch and this handler. Without it the platform finds no
// room to report the overflow and ends the process silently.
ULONG StackGuarantee = 32 * 1024;

DWORD mainThreadId = 0;
std::uintptr_t haltStackTop = 0;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
void* overflowHandler = nullptr;
bool registered = false;

std::uint8_t faultNumber = 0;
std::uintptr_t faultAddress = 0;

[[noreturn]] void HaltAfterFault()
{
    // A floating-point fault leaves its exception pending in the FPU.
#if defined(__x86_64__)
    const std::uint32_t defaultControl = 0x1F80;
    asm volatile("fninit\n\tldmxcsr %0" : : "m"(defaultControl));
#elif defined(__i386__)
    asm volatile("fninit");
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

    // Enter HaltAfterFault as if called from the frame below the program
    // entry. Nothing is written to that stack before the thread is there:
    // this handler itself may be running on it.
    CONTEXT* context = exception->ContextRecord;
#if defined(__x86_64__)
    context->Rsp = haltStackTop - sizeof(void*);
    context->Rip = reinterpret_cast<DWORD64>(&HaltAfterFault);
#elif defined(__i386__)
    context->Esp = haltStackTop - sizeof(void*);
    context->Eip = reinterpret_cast<DWORD>(&HaltAfterFault);
#else
#error "Unsupported processor"
#endif
    context->EFlags &= ~0x400u; // direction flag, which the calling convention wants clear
    return EXCEPTION_CONTINUE_EXECUTION;
}

void RegisterOuterExceptionHandler(std::uintptr_t haltStack)
{
    mainThreadId = GetCurrentThreadId();
    haltStackTop = haltStack & ~std::uintptr_t{15};
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
