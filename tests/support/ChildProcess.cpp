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

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE outputWrite = nullptr;
    if (!CreatePipe(&outputRead, &outputWrite, &inheritable, 1 << 16)) {
        startError = GetLastError();
        outputRead = nullptr;
        return;
    }
    SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
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
    // The child holds the only write end: its end is the pipe's end.
    CloseHandle(outputWrite);
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
    std::string output;
    DWORD available = 0;
    while (outputRead != nullptr &&
           PeekNamedPipe(outputRead, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[512];
        DWORD read = 0;
        if (!ReadFile(outputRead, buffer, sizeof(buffer), &read, nullptr) || read == 0)
            break;
        output.append(buffer, read);
    }
    return output;
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
