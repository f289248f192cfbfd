// The time to paint a full page of the hex dump at the start of a 1 KiB node
// and at the last line of an 8 GiB node whose bytes are made up on demand,
// and the process's peak working set after each: the dump reads only the
// lines it draws, so both should match.
#include "BenchReport.h"
#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "viewers/HexViewCtrl.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 500;

uint32_t ReadMadeUp(uint64_t offset, uint32_t count, void* buffer, void*, int64_t)
{
    for (uint32_t i = 0; i < count; ++i)
        static_cast<uint8_t*>(buffer)[i] = static_cast<uint8_t>((offset + i) * 131);
    return count;
}

uint32_t ReadKiB(uint64_t offset, uint32_t count, void* buffer, void* context, int64_t)
{
    const auto& bytes = *static_cast<const std::vector<uint8_t>*>(context);
    const uint64_t n = offset < bytes.size() ? std::min<uint64_t>(count, bytes.size() - offset) : 0;
    std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(offset), n, static_cast<uint8_t*>(buffer));
    return static_cast<uint32_t>(n);
}

// Milliseconds for one paint of the whole window, averaged.
double PaintMs(HWND view)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepeats; ++i) {
        ::InvalidateRect(view, nullptr, TRUE);
        ::UpdateWindow(view);
    }
    ::GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kRepeats;
}

double PeakMiB()
{
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / 1048576.0;
}

}

int main()
{
    CTestApp app;
    CWnd host;
    CHexViewCtrl view;
    if (!CreateHostWindow(host, RECT{0, 0, 800, 700}) || !view.Create(host))
        return 1;
    ::MoveWindow(view, 0, 0, 780, 680, TRUE);
    ::ShowWindow(view, SW_SHOW);
    ::SetFocus(view);

    std::vector<uint8_t> kib(1024);
    for (size_t i = 0; i < kib.size(); ++i)
        kib[i] = static_cast<uint8_t>(i * 131);
    view.SetDataSource(ReadKiB, &kib, 0, kib.size());
    PaintMs(view);  // warms fonts and caches up
    const double small = PaintMs(view);
    const double smallPeak = PeakMiB();

    view.SetDataSource(ReadMadeUp, nullptr, 0, 8ull << 30);
    ::SendMessageW(view, WM_VSCROLL, SB_BOTTOM, 0);
    const double large = PaintMs(view);
    const double largePeak = PeakMiB();

    PrintRatio("hex-paint", large / small, 1.2);
    PrintDetail("a page of %d lines, %d paints each", view.GetPageLines(), kRepeats);
    PrintDetail("1 KiB node, offset 0: %.3f ms a paint, peak working set %.1f MiB", small, smallPeak);
    PrintDetail("8 GiB node, last line: %.3f ms a paint, peak working set %.1f MiB (%.1f MiB more)", large, largePeak,
                largePeak - smallPeak);
    return 0;
}
