#include "runtime/OuterExceptionHandler.h"

#include <windows.h>

#include "runtime/ErrorNumbers.h"
#include "runtime/Program.h"

// Registered as the process's unhandled-exception filter, the handler runs
// when no frame of the faulting thread took the exception, and never while a
// debugger is attached (the debugger sees the fault first). A fault of the
// processor in the program's own code is handed to it before any frame is
// asked: 64-bit Windows, and 32-bit programs under WOW64, may swallow an
// exception where a window procedure that the kernel called (every
// SendMessage chain) returns to it, and the program would go on with no box,
// in a state nobody knows.
//
// It does not halt where it is called: after a stack overflow that stack has
// no room left for a message box. It resumes the main thread instead at the
// start of the halt, as if the program entry had called it, with every frame
// below the entry given up.

namespace runtime {

namespace {

// The stack that a stack overflow leaves for taking the exception: enough for
// the platform's dispatch and this handler. Without it the platform finds no
// room to report the overflow and ends the process silently.
ULONG StackGuarantee = 32 * 1024;

// SSE faults, which the headers name only in ntstatus.h.
constexpr DWORD FloatMultipleFaults = 0xC00002B4;
constexpr DWORD FloatMultipleTraps = 0xC00002B5;
// PROCESS_CALLBACK_FILTER_ENABLED, of a process's user-mode exception policy.
constexpr DWORD CallbackFilterEnabled = 0x1;

DWORD mainThreadId = 0;
std::uintptr_t haltStack = 0;
void* entryHandlerChain = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
void* faultHandler = nullptr;
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

// The processor's own exception codes. What software raises (Ctrl+C,
// RaiseException) is left to the frames and the filter.
bool IsProcessorFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case FloatMultipleFaults:
    case FloatMultipleTraps:
        return true;
    default:
        return false;
    }
}

// Code of the exe's own image, or no image at all: a call through a null
// pointer faults at 0. A fault in the platform's code is the platform's to
// handle first: some of its routines catch their own (IsBadReadPtr, the heap).
// VirtualQuery takes no loader lock, which the faulting code may hold.
bool InProgramCode(const void* address)
{
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(address, &region, sizeof(region)) == 0)
        return true;
    return region.Type != MEM_IMAGE || region.AllocationBase == MainInstance;
}

// A stack overflow is taken wherever it arises: the platform's search through
// the frames, down to the unhandled-exception filter, needs more stack than an
// overflow leaves (Wine 8 keeps two pages, and honours no larger guarantee).
LONG CALLBACK TakeProgramFault(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode != EXCEPTION_STACK_OVERFLOW &&
        !(IsProcessorFault(record->ExceptionCode) && InProgramCode(record->ExceptionAddress)))
        return EXCEPTION_CONTINUE_SEARCH;
    return OuterExceptionHandler(exception);
}

// Where the platform can be told not to swallow exceptions at the callback
// boundary (64-bit Windows 7 SP1 and later, WOW64 too), it is: then a fault
// in the platform's code under a window procedure reaches the filter as well.
void KeepCallbackExceptions()
{
    using GetPolicy = BOOL(WINAPI*)(DWORD*);
    using SetPolicy = BOOL(WINAPI*)(DWORD);
    // The two names differ in their first letter only: the program holds one.
    char name[] = "SetProcessUserModeExceptionPolicy";
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setPolicy =
        reinterpret_cast<SetPolicy>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
    name[0] = 'G';
    const auto getPolicy =
        reinterpret_cast<GetPolicy>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
    DWORD policy = 0;
    if (getPolicy != nullptr && setPolicy != nullptr && getPolicy(&policy))
        setPolicy(policy & ~CallbackFilterEnabled);
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
    faultHandler = AddVectoredExceptionHandler(1, &TakeProgramFault);
    KeepCallbackExceptions();
    registered = true;
}

void RemoveOuterExceptionHandler()
{
    if (!registered)
        return;
    registered = false;
    if (faultHandler != nullptr)
        RemoveVectoredExceptionHandler(faultHandler);
    SetUnhandledExceptionFilter(previousFilter);
}

} // namespace runtime
