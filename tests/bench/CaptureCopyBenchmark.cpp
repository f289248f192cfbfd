// Prints the throughput of copying a 256 MiB memory block and stream into a
// node's temporary file, beside a plain write of the same bytes into the
// same folder. Run by hand: wine capture_copy_benchmark.exe
#include "capture/CBDataCreateContext.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "support/TestApp.h"

#include <ole2.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr SIZE_T kSize = 256u << 20;
constexpr DWORD kChunk = 1u << 20;

double SecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PlainWrite(const std::wstring& path, const BYTE* bytes)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    for (SIZE_T done = 0; done < kSize; done += kChunk) {
        DWORD written = 0;
        ::WriteFile(file, bytes + done, kChunk, &written, nullptr);
    }
}

void Report(const char* what, double seconds, double baseline)
{
    std::printf("%-28s %8.1f MiB/s   %.2f x plain write\n", what, 256.0 / seconds, baseline / seconds);
}

}

int main()
{
    ::OleInitialize(nullptr);
    {
        CTestApp app;
        app.ClaimWorkFolder();
        CCBDataCreateContext context(app);
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, kSize));
        {
            CGlobalLock lock(block);
            auto* bytes = static_cast<BYTE*>(lock.Get());
            for (SIZE_T i = 0; i < kSize; ++i)
                bytes[i] = static_cast<BYTE>(i * 131);
            const std::wstring plainPath = app.MakeTempFileName();
            PlainWrite(plainPath, bytes);  // warms the file system up
            const double plain = SecondsOf([&] { PlainWrite(plainPath, bytes); });
            ::DeleteFileW(plainPath.c_str());
            Report("plain WriteFile, 1 MiB chunks", plain, plain);

            Report("CaptureGlobal", SecondsOf([&] { context.CaptureGlobal(block); }), plain);
            CComPtr<IStream> stream;
            ::CreateStreamOnHGlobal(block, FALSE, &stream);
            Report("CaptureStream (HGLOBAL stream)", SecondsOf([&] { context.CaptureStream(stream); }), plain);
        }
    }
    ::OleUninitialize();
    return 0;
}
