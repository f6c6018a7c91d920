#include "tests/toolkit/controls/UserInput.h"

#include <cstdlib>
#include <vector>

namespace userinput {

namespace {

constexpr const char* XdotoolUnixPath = "/usr/bin/xdotool";
constexpr const char* XdotoolDosPath = "Z:\\usr\\bin\\xdotool";
constexpr const char* ImportUnixPath = "/usr/bin/import";

bool Start(std::string commandLine)
{
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool Available()
{
    return GetFileAttributesA(XdotoolDosPath) != INVALID_FILE_ATTRIBUTES;
}

bool Xdotool(const std::string& arguments)
{
    return Start(std::string(XdotoolUnixPath) + " " + arguments);
}

void Drain()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

bool Screenshot(const char* name)
{
    const char* folder = std::getenv("CQ_SCREENSHOTS");
    if (folder == nullptr || *folder == 0)
        return false;
    const std::string unixPath = std::string(folder) + "/" + name + ".png";
    const std::string dosPath = "Z:" + unixPath;
    DeleteFileA(dosPath.c_str());
    if (!Start(std::string(ImportUnixPath) + " -window root " + unixPath))
        return false;
    return PumpUntil([&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(dosPath.c_str(), GetFileExInfoStandard, &data) &&
               data.nFileSizeLow > 0;
    });
}

} // namespace userinput
