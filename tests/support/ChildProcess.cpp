#include "tests/support/ChildProcess.h"

#include <vector>

namespace {

// CreateProcessA may write into the command line.
std::vector<char> Writable(const std::string& commandLine)
{
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    return writable;
}

// A pipe whose write end the child inherits; false when there is none.
bool ChildPipe(HANDLE& read, HANDLE& write)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inheritable, 1 << 16)) {
        read = write = nullptr;
        return false;
    }
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

std::string TakeFrom(HANDLE pipe)
{
    std::string taken;
    DWORD available = 0;
    while (pipe != nullptr && PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) &&
           available > 0) {
        char buffer[512];
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) || read == 0)
            break;
        taken.append(buffer, read);
    }
    return taken;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments, Errors errors)
{
    HANDLE outputWrite = nullptr;
    HANDLE errorWrite = nullptr;
    if (!ChildPipe(outputRead, outputWrite) ||
        (errors == Errors::Apart && !ChildPipe(errorRead, errorWrite))) {
        startError = GetLastError();
        if (outputWrite != nullptr)
            CloseHandle(outputWrite);
        return;
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputWrite;
    startup.hStdError = errorWrite != nullptr ? errorWrite : outputWrite;
    std::vector<char> commandLine = Writable("\"" + program + "\" " + arguments);
    PROCESS_INFORMATION information{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &information)) {
        process = information.hProcess;
        processId = information.dwProcessId;
        CloseHandle(information.hThread);
    } else {
        startError = GetLastError();
    }
    // The child holds the only write ends: its end is the pipes' end.
    CloseHandle(outputWrite);
    if (errorWrite != nullptr)
        CloseHandle(errorWrite);
}

ChildProcess::~ChildProcess()
{
    if (process != nullptr) {
        if (!Ended()) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    if (outputRead != nullptr)
        CloseHandle(outputRead);
    if (errorRead != nullptr)
        CloseHandle(errorRead);
}

bool ChildProcess::Ended(DWORD milliseconds) const
{
    return process != nullptr && WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
}

DWORD ChildProcess::WaitForExit(DWORD milliseconds)
{
    DWORD exitCode = STILL_ACTIVE;
    if (Ended(milliseconds))
        GetExitCodeProcess(process, &exitCode);
    return exitCode;
}

std::string ChildProcess::TakeOutput()
{
    return TakeFrom(outputRead);
}

std::string ChildProcess::TakeErrors()
{
    return TakeFrom(errorRead);
}

bool StartDetached(const std::string& commandLine)
{
    std::vector<char> writable = Writable(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}
