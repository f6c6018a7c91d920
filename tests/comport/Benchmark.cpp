// Speed of the serial port where it matters to the utility: how long Close
// takes, what the event thread costs on a port that does not exist, and how
// long a whole configure action takes on a bench line.
//
//   comport_benchmark [line port number, default 8] [missing port number, default 14]
//
// The line port must be a bench pty (tools/serial-bench ... start 8); its far
// end COM(n+16) is drained. Prints one line per measurement.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FarEnd.h"
#include "comport/ComPort.h"
#include "comport/EventThread.h"
#include "tests/support/ConfigureSequence.h"
#include "toolkit/thread/Thread.h"

using namespace comport;

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A span of time as the platform gives it, in 100-nanosecond units.
double Milliseconds(FILETIME span)
{
    const ULARGE_INTEGER ticks{{span.dwLowDateTime, span.dwHighDateTime}};
    return static_cast<double>(ticks.QuadPart) / 10000.0;
}

double ProcessCpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return Milliseconds(kernel) + Milliseconds(user);
}

struct Spread {
    double least, mean, most;
};

Spread SpreadOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples)
        sum += s;
    return {samples.front(), sum / static_cast<double>(samples.size()), samples.back()};
}

void CloseLatency(const std::string& name, LineEvents events, const char* what)
{
    ComPort* port = CreateComPort(nullptr);
    port->Events = events;
    port->SetPort(name);
    std::vector<double> samples;
    for (int i = 0; i < 50; ++i) {
        port->Open();
        ::Sleep(20); // let the thread settle into its wait
        const double start = Now();
        port->Close();
        samples.push_back(Now() - start);
    }
    const Spread spread = SpreadOf(samples);
    std::printf("Close latency, no event pending, %s on %s: min %.2f ms, mean %.2f ms, max %.2f ms "
                "(50 closes; aim: under 100 ms)\n",
                what, name.c_str(), spread.least, spread.mean, spread.most);
    toolkit::FreeObject(port);
}

} // namespace

int main(int argc, char** argv)
{
    const int line = argc > 1 ? std::atoi(argv[1]) : 8;
    const int missing = argc > 2 ? std::atoi(argv[2]) : 14;
    const std::string lineName = "COM" + std::to_string(line);
    const std::string missingName = "COM" + std::to_string(missing);

    FarEnd remote(FarEndOf(line));
    if (!remote.IsOpen()) {
        std::printf("no bench line at %s (far end COM%d)\n", lineName.c_str(), FarEndOf(line));
        return 1;
    }

    CloseLatency(lineName, LineEvents().With(LineEvent::RxChar), "RxChar wait outstanding");
    CloseLatency(lineName, AllLineEvents, "all ten events (the wait fails on a pty)");
    CloseLatency(missingName, AllLineEvents, "all ten events, missing port");

    for (const LineEvents events : {AllLineEvents, LineEvents()}) {
        ComPort* port = CreateComPort(nullptr);
        port->Events = events;
        port->SetPort(missingName);
        const double cpuBefore = ProcessCpuMilliseconds();
        const double start = Now();
        for (int i = 0; i < 1000; ++i)
            RunConfigure(*port);
        const double wall = Now() - start;
        const double cpu = ProcessCpuMilliseconds() - cpuBefore;
        std::printf("1000 configure cycles on missing %s, %s: process CPU %.1f ms in all "
                    "(%.3f ms a cycle), wall %.1f ms\n",
                    missingName.c_str(), events.Empty() ? "no event thread" : "all ten events",
                    cpu, cpu / 1000.0, wall);
        toolkit::FreeObject(port);
    }

    {
        // What the event thread itself burns while a missing port stays open.
        ComPort* port = CreateComPort(nullptr);
        port->SetPort(missingName);
        port->Open();
        const HANDLE thread = port->EventThread()->Thread->Handle();
        ::Sleep(1000);
        FILETIME created, exited, kernel, user;
        ::GetThreadTimes(thread, &created, &exited, &kernel, &user);
        std::printf("Event thread on missing %s, open for 1 s: CPU %.2f ms (aim: near zero)\n",
                    missingName.c_str(), Milliseconds(kernel) + Milliseconds(user));
        port->Close();
        toolkit::FreeObject(port);
    }

    {
        ComPort* port = CreateComPort(nullptr);
        port->SetPort(lineName);
        std::vector<double> samples;
        std::size_t received = 0;
        for (int i = 0; i < 100; ++i) {
            const double start = Now();
            RunConfigure(*port);
            samples.push_back(Now() - start);
            received += remote.Read(20, 5000).size();
        }
        const Spread spread = SpreadOf(samples);
        std::printf("Configure action on %s (open, 4 writes, close; all ten events): min %.2f ms, "
                    "mean %.2f ms, max %.2f ms; %zu of 2000 bytes arrived\n",
                    lineName.c_str(), spread.least, spread.mean, spread.most, received);
        toolkit::FreeObject(port);
    }
    return 0;
}
