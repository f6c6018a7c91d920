#pragma once

#include <cstddef>

namespace runtime {

// One module of the program: what it sets up when the process starts and
// takes down when it ends. Either routine may be absent.
struct Module {
    void (*Initialize)() = nullptr;
    void (*Finalize)() = nullptr;
};

// The modules in initialization order; finalization runs the other way.
// InitializedCount counts the modules whose initialization has been started,
// so a module that fails part-way through its initialization is still
// finalized, and no module is finalized twice.
struct ModuleTable {
    const Module* Modules = nullptr;
    std::size_t Count = 0;
    std::size_t InitializedCount = 0;

    constexpr ModuleTable() = default;
    template <std::size_t N>
    constexpr explicit ModuleTable(const Module (&modules)[N]) : Modules(modules), Count(N)
    {
    }
};

} // namespace runtime
