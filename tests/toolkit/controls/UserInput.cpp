#include "tests/toolkit/controls/UserInput.h"

#include <cstdlib>

#include "tests/support/ChildProcess.h"

namespace userinput {

namespace {

constexpr const char* XdotoolUnixPath = "/usr/bin/xdotool";
constexpr const char* XdotoolDosPath = "Z:\\usr\\bin\\xdotool";
constexpr const char* ImportUnixPath = "/usr/bin/import";

} // namespace

bool Available()
{
    return GetFileAttributesA(XdotoolDosPath) != INVALID_FILE_ATTRIBUTES;
}

bool Xdotool(const std::string& arguments)
{
    return StartDetached(std::string(XdotoolUnixPath) + " " + arguments);
}

void Drain()
{
    for (int round = 0; round < 3; ++round)
        DispatchQueued();
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
    if (!StartDetached(std::string(ImportUnixPath) + " -window root " + unixPath))
        return false;
    return PumpUntil([&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(dosPath.c_str(), GetFileExInfoStandard, &data) &&
               data.nFileSizeLow > 0;
    });
}

} // namespace userinput
