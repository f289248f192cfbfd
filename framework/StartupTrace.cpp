#include "framework/StartupTrace.h"

#include "framework/ConsoleOutput.h"
#include "framework/Format.h"

#include <windows.h>

#include <string>
#include <vector>

namespace startup_trace {
namespace {

struct CPhase {
    const wchar_t* name;
    double ms;
};

struct CTrace {
    bool enabled = ::GetEnvironmentVariableW(L"PLEXA_STARTUP_TRACE", nullptr, 0) > 0;
    bool reported = false;
    std::vector<CPhase> phases;
};

CTrace& Trace()
{
    static CTrace trace;
    return trace;
}

double MsSinceProcessCreation()
{
    FILETIME creation{}, exit{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    ::GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(creation)) / 10000.0;
}

}

void Mark(const wchar_t* phase)
{
    CTrace& trace = Trace();
    if (trace.enabled && !trace.reported)
        trace.phases.push_back({phase, MsSinceProcessCreation()});
}

void BeforeWaiting()
{
    CTrace& trace = Trace();
    MSG msg;
    if (!trace.enabled || trace.reported || ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return;
    Mark(L"idle");
    trace.reported = true;
    std::wstring text;
    double previous = 0;
    for (const CPhase& phase : trace.phases) {
        text += FormatString(L"startup %8.1f ms %+7.1f ms  %s\r\n", phase.ms, phase.ms - previous, phase.name);
        previous = phase.ms;
    }
    CConsoleOutput().Error(text);
}

}
