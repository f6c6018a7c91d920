// A program that starts and halts through the run-time support and, as its
// command line asks, ends normally or with a fault. Its modules and the
// places of its faults are written to standard output.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"
#include "toolkit/window/Control.h"
#include "toolkit/controls/Button.h"

extern "C" char FaultingInstruction[] asm("FaultingInstruction");

namespace {

void Say(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written,
              nullptr);
}

void SayAddress(const char* label, std::uintptr_t address)
{
    char line[64] = {};
    std::size_t length = std::strlen(label);
    std::memcpy(line, label, length);
    line[length++] = ' ';
    for (int shift = static_cast<int>(sizeof(address) * 8) - 4; shift >= 0; shift -= 4)
        line[length++] = "0123456789ABCDEF"[(address >> shift) & 0xF];
    line[length] = '\n';
    Say(line);
}

enum class Mode { Normal, AccessViolation, NullCall, Divide, StackOverflow, Raise, OutOfMemory,
                  ReleaseInvalid, ThreadFault, WindowProcedureFault, ClickFault, SwallowedClickFault,
                  FaultHandledBySystem, InitializeFault, FinalizeFault, OverflowInCreateThenFinalizeFault,
                  Unknown };

Mode ModeOf(const char* commandLine)
{
    static const struct { const char* name; Mode mode; } modes[] = {
        {"normal", Mode::Normal},
        {"access-violation", Mode::AccessViolation},
        {"null-call", Mode::NullCall},
        {"divide", Mode::Divide},
        {"stack-overflow", Mode::StackOverflow},
        {"raise", Mode::Raise},
        {"out-of-memory", Mode::OutOfMemory},
        {"release-invalid", Mode::ReleaseInvalid},
        {"thread-fault", Mode::ThreadFault},
        {"window-procedure-fault", Mode::WindowProcedureFault},
        {"click-fault", Mode::ClickFault},
        {"click-fault-behind-swallowing-handler", Mode::SwallowedClickFault},
        {"fault-handled-by-system", Mode::FaultHandledBySystem},
        {"initialize-fault", Mode::InitializeFault},
        {"finalize-fault", Mode::FinalizeFault},
        {"overflow-in-create-then-finalize-fault", Mode::OverflowInCreateThenFinalizeFault},
    };
    const char* argument = std::strrchr(commandLine, ' ');
    argument = argument == nullptr ? commandLine : argument + 1;
    for (const auto& entry : modes)
        if (std::strcmp(argument, entry.name) == 0)
            return entry.mode;
    return Mode::Unknown;
}

Mode mode = Mode::Unknown;

// A static constructor: the program's own entry must run it.
struct Constructed {
    Constructed() { value = 42; }
    int value = 0;
} constructed;

__attribute__((noinline, noclone)) void WriteToAddressZero()
{
    asm volatile(".globl FaultingInstruction\n"
                 "FaultingInstruction:\n\t"
                 "movl $1, 0\n" ::: "memory");
}

volatile int zero = 0;
volatile int one = 1;
volatile int recursionLimit = 0x7FFFFFFF;

__attribute__((noinline)) int Recurse(int depth)
{
    volatile char buffer[256];
    buffer[0] = static_cast<char>(depth);
    if (depth < recursionLimit)
        return Recurse(depth + 1) + buffer[0];
    return buffer[0];
}

volatile std::size_t hugeSize = ~std::size_t{0} / 2;

void* volatile allocated = nullptr;

// Stores the block, so that the call is not a tail call.
__attribute__((noinline, noclone)) void AllocateTooMuch()
{
    allocated = ::operator new(hugeSize);
}

// The address just after the call to operator new in AllocateTooMuch: the
// first near call there whose target is operator new.
std::uintptr_t AfterAllocationCall()
{
    const auto* code = reinterpret_cast<const unsigned char*>(&AllocateTooMuch);
    const auto target = reinterpret_cast<std::uintptr_t>(
        static_cast<void* (*)(std::size_t)>(&::operator new));
    for (int offset = 0; offset < 64; ++offset) {
        if (code[offset] != 0xE8)
            continue;
        std::int32_t displacement;
        std::memcpy(&displacement, code + offset + 1, sizeof(displacement));
        const auto after = reinterpret_cast<std::uintptr_t>(code + offset + 5);
        if (after + static_cast<std::intptr_t>(displacement) == target)
            return after;
    }
    return 0;
}

char notFromTheHeap[64];
char* volatile notABlock = notFromTheHeap + 16;

DWORD WINAPI FaultingThread(void*)
{
    Say("thread started\n");
    WriteToAddressZero();
    return 0;
}

LRESULT CALLBACK FaultingWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER)
        WriteToAddressZero();
    if (message == WM_CREATE && mode == Mode::OverflowInCreateThenFinalizeFault)
        Recurse(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A fault in a message handler, dispatched by the platform's message loop, or
// sent by the platform from inside its own call (WM_CREATE).
void FaultInWindowProcedure()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &FaultingWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FaultingWindow";
    RegisterClassA(&windowClass);
    SayAddress("fault", reinterpret_cast<std::uintptr_t>(FaultingInstruction));
    HWND window = CreateWindowA("FaultingWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}

void WriteToAddressZeroOnClick(void*, toolkit::Control*)
{
    WriteToAddressZero();
}

// Stands in for the boundary where 64-bit Windows may swallow a fault in a
// window procedure that the kernel called: a frame handler around the click
// that takes every exception and goes on as if nothing had happened.
[[noreturn]] void EndSwallowed()
{
    Say("swallowed\n");
    runtime::ProcessExitCode = 0;
    runtime::HaltProgram();
}

EXCEPTION_DISPOSITION SwallowEveryException(EXCEPTION_RECORD* record, void*, CONTEXT* context, void*)
{
    if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
        return ExceptionContinueSearch;
    // Entered as if called, on the stack below the fault.
#if defined(__x86_64__)
    context->Rsp = (context->Rsp & ~DWORD64{15}) - 8;
    context->Rip = reinterpret_cast<DWORD64>(&EndSwallowed);
#elif defined(__i386__)
    context->Esp = (context->Esp & ~DWORD{15}) - 4;
    context->Eip = reinterpret_cast<DWORD>(&EndSwallowed);
#endif
    return ExceptionContinueExecution;
}

// Stored, so that the call is not a tail call.
volatile LRESULT clicked = 0;

// MinGW images carry no table of safe handlers, so on i686 any handler on the
// thread's frame chain is called; on x86_64 the handler is this function's own.
__attribute__((noinline, noclone)) void ClickBehindSwallowingHandler(HWND button)
{
#if defined(__x86_64__)
    asm volatile(".seh_handler %c0, @except" : : "i"(&SwallowEveryException));
    clicked = SendMessageA(button, BM_CLICK, 0, 0);
#elif defined(__i386__)
    struct Registration {
        void* previous;
        void* handler;
    } registration{nullptr, reinterpret_cast<void*>(&SwallowEveryException)};
    asm volatile("movl %%fs:0, %0" : "=r"(registration.previous));
    asm volatile("movl %0, %%fs:0" : : "r"(&registration) : "memory");
    clicked = SendMessageA(button, BM_CLICK, 0, 0);
    asm volatile("movl %0, %%fs:0" : : "r"(registration.previous) : "memory");
#endif
}

// A fault in a button's OnClick, reached as a click is: the native button
// tells the form, and the form reflects the notification to the button.
void FaultInClickHandler()
{
    toolkit::Control* form = toolkit::CreateForm(nullptr, "Faulting");
    toolkit::SetControlSize(form, 200, 100);
    toolkit::Button* button = toolkit::CreateButton(form, "Go", 0, toolkit::GlyphLeft, nullptr, 0);
    toolkit::SetControlSize(button, 80, 26);
    button->OnClick = {WriteToAddressZeroOnClick, nullptr};
    HWND window = toolkit::GetWindowHandle(button);
    SayAddress("fault", reinterpret_cast<std::uintptr_t>(FaultingInstruction));
    if (mode == Mode::SwallowedClickFault)
        ClickBehindSwallowingHandler(window);
    else
        SendMessageA(window, BM_CLICK, 0, 0);
    toolkit::FreeObject(form);
}

void Fault()
{
    switch (mode) {
    case Mode::AccessViolation:
        SayAddress("fault", reinterpret_cast<std::uintptr_t>(FaultingInstruction));
        WriteToAddressZero();
        break;
    case Mode::NullCall: {
        void (*volatile nowhere)() = nullptr;
        nowhere();
        break;
    }
    case Mode::Divide:
        zero = one / zero;
        break;
    case Mode::StackOverflow:
        Recurse(0);
        break;
    case Mode::Raise:
        RaiseException(0xE0001234, 0, 0, nullptr);
        break;
    case Mode::OutOfMemory:
        SayAddress("fault", AfterAllocationCall());
        AllocateTooMuch();
        break;
    case Mode::ReleaseInvalid:
        ::operator delete(notABlock);
        break;
    case Mode::ThreadFault: {
        HANDLE thread = CreateThread(nullptr, 0, &FaultingThread, nullptr, 0, nullptr);
        WaitForSingleObject(thread, 60000);
        break;
    }
    case Mode::WindowProcedureFault:
    case Mode::OverflowInCreateThenFinalizeFault:
        FaultInWindowProcedure();
        break;
    case Mode::ClickFault:
    case Mode::SwallowedClickFault:
        FaultInClickHandler();
        break;
    case Mode::FaultHandledBySystem:
        // The platform reads the address under a handler of its own, which
        // takes the fault.
        if (!IsBadReadPtr(reinterpret_cast<const void*>(16), 1))
            Say("readable\n");
        break;
    default:
        break;
    }
}

void InitializeA() { Say("init A\n"); }
void InitializeB()
{
    Say("init B\n");
    if (mode == Mode::InitializeFault)
        WriteToAddressZero();
}
void InitializeC() { Say("init C\n"); }
void FinalizeA() { Say("fini A\n"); }
void FinalizeB()
{
    Say("fini B\n");
    if (mode == Mode::FinalizeFault || mode == Mode::OverflowInCreateThenFinalizeFault)
        WriteToAddressZero();
}
void FinalizeC() { Say("fini C\n"); }

const runtime::Module programModules[] = {
    {&InitializeA, &FinalizeA},
    {&InitializeB, &FinalizeB},
    {nullptr, nullptr},
    {&InitializeC, &FinalizeC},
};
runtime::ModuleTable modules(programModules);

} // namespace

void ProgramEntry()
{
    mode = ModeOf(GetCommandLineA());
    runtime::StartProgram(modules);
    if (constructed.value != 42 || mode == Mode::Unknown) {
        Say("not started\n");
        runtime::ProcessExitCode = 1;
        runtime::HaltProgram();
    }
    Say("running\n");
    Fault();
    Say("ended\n");
    runtime::ProcessExitCode = 0;
    runtime::HaltProgram();
}
