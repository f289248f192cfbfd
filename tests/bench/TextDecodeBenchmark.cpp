// How long the text page takes to detect and decode 64 MiB of UTF-8,
// Shift_JIS and UTF-16LE text, beside a bare conversion of the same bytes
// (MultiByteToWideChar, or a copy for UTF-16), under the Japanese code page.
#include "BenchReport.h"
#include "viewers/CodePageDetection.h"
#include "viewers/TextDecoder.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr size_t kSize = 64u << 20;
constexpr int kRuns = 3;

double BestSecondsOf(const std::function<void()>& work)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// About kSize bytes of lines in `codePage` (or UTF-16LE for a negative one).
std::string MakeText(int codePage)
{
    // The Korean word makes the UTF-8 bytes pairs that code page 932 has not.
    const std::wstring line = codePage == CP_UTF8 ? L"가 日本語のテキスト, plain ASCII words too 0123456789\r\n"
                                                   : L"日本語のテキスト, plain ASCII words too 0123456789\r\n";
    std::string unit;
    if (codePage < 0) {
        unit.assign(reinterpret_cast<const char*>(line.data()), line.size() * sizeof(wchar_t));
    } else {
        unit.resize(line.size() * 4);
        unit.resize(static_cast<size_t>(::WideCharToMultiByte(static_cast<UINT>(codePage), 0, line.data(),
                                                              static_cast<int>(line.size()), unit.data(),
                                                              static_cast<int>(unit.size()), nullptr, nullptr)));
    }
    std::string text;
    text.reserve(kSize + unit.size());
    while (text.size() + unit.size() <= kSize)
        text += unit;
    return text;
}

struct Measured {
    double ratio;
    std::string detail;
};

Measured Measure(const char* name, int codePage, const CTextDecoder& decoder)
{
    const std::string text = MakeText(codePage);
    const ByteSpan bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    int detected = 0;
    size_t characters = 0;
    const double page = BestSecondsOf([&] {
        detected = DetectNodeCodePage(bytes);
        characters = decoder.Decode(bytes, detected).text.size();
    });
    const double bare = BestSecondsOf([&] {
        std::wstring wide;
        if (codePage < 0) {
            wide.resize(text.size() / 2);
            std::memcpy(wide.data(), text.data(), wide.size() * sizeof(wchar_t));
        } else {
            const int count = static_cast<int>(text.size());
            wide.resize(static_cast<size_t>(
                ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, text.data(), count, nullptr, 0)));
            ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, text.data(), count, wide.data(),
                                  static_cast<int>(wide.size()));
        }
    });
    char detail[160];
    std::snprintf(detail, sizeof detail, "%s: code page %d detected, %zu characters; page %.1f ms, bare %.1f ms, %.2f x",
                  name, detected, characters, page * 1000, bare * 1000, page / bare);
    return {page / bare, detail};
}

}

int main()
{
    const CTextDecoder decoder;
    const Measured texts[] = {Measure("UTF-8", CP_UTF8, decoder), Measure("Shift_JIS", 932, decoder),
                              Measure("UTF-16LE", -1, decoder)};
    double worst = 0;
    for (const Measured& text : texts)
        worst = std::max(worst, text.ratio);
    PrintRatio("text-decode", worst, 1.5);
    PrintDetail("the worst of three texts of %zu MiB, best of %d runs each, ANSI code page %u", kSize >> 20, kRuns,
                ::GetACP());
    for (const Measured& text : texts)
        PrintDetail("%s", text.detail.c_str());
    return 0;
}
