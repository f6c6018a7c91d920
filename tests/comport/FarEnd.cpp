#include "FarEnd.h"

#include <atomic>
#include <thread>

#include "comport/ComPort.h"
#include "tests/support/ConfigureSequence.h"
#include "tests/support/Eventually.h"

FarEnd::FarEnd(int number)
{
    const comport::DevicePath path(comport::PortName{number});
    handle = ::CreateFileA(path.Text(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    // Reads return at once with what is queued.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 5000;
    ::SetCommTimeouts(handle, &timeouts);
}

FarEnd::~FarEnd()
{
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
}

std::string FarEnd::ReadQueued()
{
    char chunk[4096];
    DWORD got = 0;
    if (!::ReadFile(handle, chunk, sizeof chunk, &got, nullptr))
        return {};
    return std::string(chunk, got);
}

std::string FarEnd::Read(std::size_t count, DWORD milliseconds)
{
    std::string bytes;
    // A pause only where nothing came: a busy line is read at full speed.
    bool idle = false;
    PollUntil(
        [&] {
            const std::string chunk = ReadQueued();
            bytes += chunk;
            idle = chunk.empty();
            return !IsOpen() || bytes.size() >= count;
        },
        milliseconds, [&] {
            if (idle)
                ::Sleep(2);
        });
    return bytes;
}

std::string FarEnd::ReadAll(DWORD milliseconds)
{
    return Read(static_cast<std::size_t>(-1), milliseconds);
}

bool FarEnd::Write(const std::string& bytes)
{
    DWORD written = 0;
    return IsOpen() &&
           ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ConfigureUnderLoad(comport::ComPort& port, FarEnd& remote, int actions)
{
    const std::size_t count = ConfigureSequence(actions).size();
    std::atomic<bool> busy{true};
    std::thread load([&] {
        volatile unsigned spin = 0;
        while (busy.load(std::memory_order_relaxed))
            spin = spin + 1;
    });
    std::string received;
    std::thread reader([&] { received = remote.Read(count, 30000); });
    for (int i = 0; i < actions; ++i)
        RunConfigure(port);
    reader.join();
    busy = false;
    load.join();
    return received;
}
