#include "runtime/Program.h"

#include <windows.h>

#include "runtime/FailureReport.h"
#include "runtime/OuterExceptionHandler.h"

#if defined(__GNUC__)
// The static constructors, laid out by the linker: a marker, the constructors
// (run last first), a null entry.
extern "C" void (*__CTOR_LIST__[])();
#endif

namespace runtime {

std::int32_t ProcessExitCode = 0;
std::uintptr_t FailureAddress = 0;
void* MainInstance = nullptr;

namespace {

ModuleTable* programModules = nullptr;
// A fault at address 0 (a call through a null pointer) is still a failure
// to report, so pending is kept apart from the address.
bool failurePending = false;

void RunStaticConstructors()
{
#if defined(__GNUC__)
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr)
        ++count;
    for (; count > 0; --count)
        __CTOR_LIST__[count]();
#endif
}

} // namespace

// Never inlined into the entry: the halt after a fault starts on the place of
// its return address, at the bottom of the entry's frame.
__attribute__((noinline)) void StartProgram(ModuleTable& modules)
{
    MainInstance = GetModuleHandleA(nullptr);
    PrepareFailureReport();
    RegisterOuterExceptionHandler(reinterpret_cast<std::uintptr_t>(__builtin_dwarf_cfa()) - sizeof(void*));
    RunStaticConstructors();

    programModules = &modules;
    while (modules.InitializedCount < modules.Count) {
        const Module& module = modules.Modules[modules.InitializedCount++];
        if (module.Initialize != nullptr)
            module.Initialize();
    }
}

void HaltProgram()
{
    if (failurePending) {
        ReportFailure(static_cast<std::uint8_t>(ProcessExitCode), FailureAddress);
        failurePending = false;
        FailureAddress = 0;
    }

    // Counting down before the call means that a halt entered again, from a
    // failing finalization, goes on with the modules after it.
    if (programModules != nullptr) {
        while (programModules->InitializedCount > 0) {
            const Module& module = programModules->Modules[--programModules->InitializedCount];
            if (module.Finalize != nullptr)
                module.Finalize();
        }
    }

    RemoveOuterExceptionHandler();
    ExitProcess(static_cast<UINT>(ProcessExitCode));
}

void RaiseRuntimeError(std::uint8_t number, std::uintptr_t address)
{
    ProcessExitCode = number;
    FailureAddress = address;
    failurePending = true;
    HaltProgram();
}

} // namespace runtime
