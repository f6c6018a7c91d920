#pragma once

#include <windows.h>

#include <string>

// A program started under the same Wine prefix, with its standard output
// read through a pipe, and its run-time error box found, read and closed.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& argument);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process != nullptr; }

    // The run-time error box of this process ("Error"), or null when none
    // appears within the wait.
    HWND WaitForErrorBox(DWORD milliseconds);
    static std::string BoxText(HWND box);
    static void PressOk(HWND box);

    // The exit code, or STILL_ACTIVE when the process has not ended in time.
    DWORD WaitForExit(DWORD milliseconds);
    // Everything written so far and not yet taken.
    std::string TakeOutput();

private:
    HANDLE process = nullptr;
    DWORD processId = 0;
    HANDLE outputRead = nullptr;
};

// The directory of the running test program, where the child programs are.
std::string ProgramDirectory();
