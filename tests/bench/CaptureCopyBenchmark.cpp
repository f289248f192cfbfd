// The time to copy a 256 MiB memory block and stream into a node's temporary
// file, against a plain write of the same bytes into the same folder.
#include "BenchReport.h"
#include "capture/CBDataCreateContext.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "support/TestApp.h"

#include <ole2.h>


namespace {

constexpr SIZE_T kSize = 256u << 20;
constexpr DWORD kChunk = 1u << 20;

void PlainWrite(const std::wstring& path, const BYTE* bytes)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    for (SIZE_T done = 0; done < kSize; done += kChunk) {
        DWORD written = 0;
        ::WriteFile(file, bytes + done, kChunk, &written, nullptr);
    }
}

void Report(const char* name, const char* what, double seconds, double plain)
{
    PrintRatio(name, seconds / plain, 1.10);
    PrintDetail("%s: %.1f MiB/s; plain WriteFile in 1 MiB chunks %.1f MiB/s", what, 256.0 / seconds, 256.0 / plain);
}

}

int main()
{
    ::OleInitialize(nullptr);
    {
        CTestApp app;
        app.ClaimWorkFolder();
        CHeadlessProgress progress;
        CCBDataCreateContext context(app, progress);
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
            Report("capture-global", "CaptureGlobal", SecondsOf([&] { context.CaptureGlobal(block); }), plain);
            CComPtr<IStream> stream;
            ::CreateStreamOnHGlobal(block, FALSE, &stream);
            Report("capture-stream", "CaptureStream of a stream on memory", SecondsOf([&] { context.CaptureStream(stream); }),
                   plain);
        }
    }
    ::OleUninitialize();
    return 0;
}
