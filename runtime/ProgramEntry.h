#pragma once

// The entry of a program linked with cq_program_entry: it calls
// runtime::StartProgram first and ends with runtime::HaltProgram.
#if defined(__GNUC__)
extern "C" [[noreturn]] void ProgramEntry() asm("ProgramEntry");
#else
extern "C" [[noreturn]] void ProgramEntry();
#endif
