// The cost of a whole capture run against a plain copy of the same bytes: a
// dropped directory tree of 20,000 small files, and a data object with 200
// formats of 64 KiB each.
#include "CaptureTiming.h"
#include "framework/Format.h"
#include "framework/Handles.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

namespace {

constexpr int kFormats = 200;
constexpr size_t kFormatSize = 64 * 1024;
constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 200;
constexpr size_t kFileSize = 512;

void MakeTree(const std::wstring& root)
{
    const std::string bytes(kFileSize, 'x');
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::wstring path = root + FormatString(L"\\folder%03d", folder);
        ::CreateDirectoryW(path.c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file)
            WriteFileBytes(path + FormatString(L"\\file%03d.txt", file), bytes);
    }
}

// Copies the tree into `to`, keeping its folders, or, when `flat`, every
// file straight into `to` under a number, the way the capture stores them.
void PlainCopy(const std::wstring& from, const std::wstring& to, bool flat)
{
    static int copied = 0;
    ::CreateDirectoryW(to.c_str(), nullptr);
    for (const auto& name : ListFolder(from)) {
        const std::wstring source = from + L"\\" + name;
        if (DirectoryExists(source))
            PlainCopy(source, flat ? to : to + L"\\" + name, flat);
        else
            ::CopyFileW(source.c_str(),
                        (to + L"\\" + (flat ? FormatString(L"%08d.cvtmp", ++copied) : name)).c_str(), FALSE);
    }
}

// A CF_HDROP block naming one path.
CBytes DropListOf(const std::wstring& path)
{
    CBytes bytes(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
    DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(header), path.c_str(), path.size() * sizeof(wchar_t));
    return bytes;
}

// The formats' bytes written to as many new files, as the capture does.
void PlainWrite(const std::wstring& folder, const CBytes& bytes, int count)
{
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i)
        WriteFileBytes(folder + FormatString(L"\\format%03d", i), std::string(bytes.begin(), bytes.end()));
}

}

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::OleInitialize(nullptr);
    {
        CTestApp app;
        app.ClaimWorkFolder();
        app.m_nSubDirSizeLimit = 1024;

        auto formats = CTestDataObject::Create();
        for (int i = 0; i < kFormats; ++i)
            formats->Offer({.cf = static_cast<CLIPFORMAT>(0xC200 + i)}, CTestMedium::Global(PatternBytes(kFormatSize)));
        const double writeSeconds =
            SecondsOf([&] { PlainWrite(app.m_tempRoot / L"formats", PatternBytes(kFormatSize), kFormats); });
        const double emptySeconds = SecondsToCapture(CTestDataObject::Create(), app);
        const double formatSeconds = SecondsToCapture(formats, app);
        const std::wstring tree = app.m_tempRoot / L"tree";
        ::CreateDirectoryW(tree.c_str(), nullptr);
        MakeTree(tree);
        const double plainSeconds = SecondsOf([&] { PlainCopy(tree, app.m_tempRoot / L"plain", false); });
        const double flatSeconds = SecondsOf([&] { PlainCopy(tree, app.m_tempRoot / L"flat", true); });
        auto drop = CTestDataObject::Create();
        drop->Offer({.cf = CF_HDROP}, CTestMedium::Global(DropListOf(tree)));
        const double dropSeconds = SecondsToCapture(drop, app);
        const double files = kFolders * kFilesPerFolder;
        PrintRatio("directory-capture", dropSeconds / plainSeconds, 1.5);
        PrintDetail("%d files of %zu bytes in %d folders: %.3f ms per file captured, %.3f ms copied plainly "
                    "into the same folders", kFolders * kFilesPerFolder, kFileSize, kFolders, dropSeconds * 1000 / files,
                    plainSeconds * 1000 / files);
        PrintDetail("copied plainly into one folder, as the capture stores them: %.3f ms per file (capture %.2f x)",
                    flatSeconds * 1000 / files, dropSeconds / flatSeconds);
        PrintDetail("a run over no format (the progress dialog shown and gone): %.1f ms", emptySeconds * 1000);
        PrintDetail("%d formats of 64 KiB: %.3f ms per format captured, %.3f ms written plainly; %.3f ms beyond the "
                    "copy without the run's own cost", kFormats, formatSeconds * 1000 / kFormats,
                    writeSeconds * 1000 / kFormats, (formatSeconds - emptySeconds - writeSeconds) * 1000 / kFormats);
    }
    ::OleUninitialize();
    return 0;
}
