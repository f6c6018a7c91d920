#pragma once

#include <windows.h>

#include <string>

// A program started in the same Wine prefix, its standard output and error
// read through a pipe, or through two. One still running when this ends is
// ended with it.
class ChildProcess {
public:
    enum class Errors { WithOutput, Apart };
    ChildProcess(const std::string& program, const std::string& arguments,
                 Errors errors = Errors::WithOutput);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process != nullptr; }
    // Why it did not start: the platform's error number.
    DWORD StartError() const { return startError; }
    DWORD Id() const { return processId; }

    // True once the process has ended; waits for that at most this long.
    bool Ended(DWORD milliseconds = 0) const;
    // The exit code, or STILL_ACTIVE when the process has not ended in time.
    DWORD WaitForExit(DWORD milliseconds);
    // Everything written so far and not yet taken; never waits. Standard
    // error is in the output unless it is read apart.
    std::string TakeOutput();
    std::string TakeErrors();

private:
    HANDLE process = nullptr;
    DWORD processId = 0;
    DWORD startError = 0;
    HANDLE outputRead = nullptr;
    HANDLE errorRead = nullptr;
};

// Starts a command line and lets it run on its own: Wine starts a Linux
// program named by its path, but cannot wait for one. True when it started.
bool StartDetached(const std::string& commandLine);

// The directory of the running test program, where the child programs are.
std::string ProgramDirectory();
