#include "ChildProcess.h"

#include <vector>

namespace {

constexpr DWORD PollInterval = 20;

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[16] = {};
    if (owner == search->processId && IsWindowVisible(window) &&
        GetWindowTextA(window, caption, sizeof(caption)) > 0 && std::string(caption) == "Error") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindText(HWND control, LPARAM parameter)
{
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[128] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    if (text[0] == '\0')
        return TRUE;
    *reinterpret_cast<std::string*>(parameter) = text;
    return FALSE;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& argument)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE outputWrite = nullptr;
    if (!CreatePipe(&outputRead, &outputWrite, &inheritable, 1 << 16))
        return;
    SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    std::string commandLine = "\"" + program + "\" " + argument;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    PROCESS_INFORMATION information{};
    if (CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &information)) {
        process = information.hProcess;
        processId = information.dwProcessId;
        CloseHandle(information.hThread);
    }
    CloseHandle(outputWrite);
}

ChildProcess::~ChildProcess()
{
    if (process != nullptr) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    if (outputRead != nullptr)
        CloseHandle(outputRead);
}

HWND ChildProcess::WaitForErrorBox(DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        BoxSearch search{processId, nullptr};
        EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        if (WaitForSingleObject(process, PollInterval) == WAIT_OBJECT_0)
            return nullptr;
    } while (GetTickCount64() < deadline);
    return nullptr;
}

std::string ChildProcess::BoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, &FindText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void ChildProcess::PressOk(HWND box)
{
    HWND ok = GetDlgItem(box, IDOK);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

DWORD ChildProcess::WaitForExit(DWORD milliseconds)
{
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &exitCode);
    return exitCode;
}

std::string ChildProcess::TakeOutput()
{
    std::string output;
    DWORD available = 0;
    while (PeekNamedPipe(outputRead, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[512];
        DWORD read = 0;
        if (!ReadFile(outputRead, buffer, sizeof(buffer), &read, nullptr) || read == 0)
            break;
        output.append(buffer, read);
    }
    return output;
}

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}
