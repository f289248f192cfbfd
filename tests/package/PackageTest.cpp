// What a Windows user downloads, made by scripts/test.sh as scripts/package.sh
// makes it: the ZIP's Plexa.exe, unpacked into a folder whose path holds
// spaces and Japanese, and the per-user installer from installation through
// an upgrade to its removal.
#include "capture/SnapshotFile.h"
#include "common/Version.h"
#include "framework/ComPtr.h"
#include "framework/Format.h"
#include "framework/Utf8.h"
#include "support/PlexaProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <msiquery.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace {

constexpr wchar_t kUpgradeCode[] = L"{245F7BB7-E32E-4E4E-8B20-42BFF216703E}";

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    ::SHGetKnownFolderPath(id, 0, nullptr, &path);
    const std::wstring result(path ? path : L"");
    ::CoTaskMemFree(path);
    return result;
}

std::wstring Package(const std::wstring& name)
{
    std::wstring path = L"Z:" + FromUtf8(PLEXA_SOURCE_DIR) + L"/" + name;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

const std::wstring kMsi = Package(L"dist/Plexa-" + std::wstring(kPlexaVersion) + L"-x64.msi");
const std::wstring kNextMsi = Package(L"build/windows/package-test/Plexa-next-x64.msi");

int RunAndWait(std::wstring commandLine)
{
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    const CHandle handle(process.hProcess), thread(process.hThread);
    ::WaitForSingleObject(handle, 120000);
    DWORD code = 0;
    return ::GetExitCodeProcess(handle, &code) ? static_cast<int>(code) : -1;
}

// The installed products of Plexa's upgrade code, as code and version.
std::vector<std::pair<std::wstring, std::wstring>> Installed(const wchar_t* property = INSTALLPROPERTY_VERSIONSTRING)
{
    std::vector<std::pair<std::wstring, std::wstring>> products;
    wchar_t product[39];
    for (DWORD i = 0; ::MsiEnumRelatedProductsW(kUpgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
        wchar_t value[128] = {};
        DWORD length = 128;
        ::MsiGetProductInfoW(product, property, value, &length);
        products.emplace_back(product, value);
    }
    return products;
}

// What the package sets on its shortcut as application user model ID.
// Windows Installer 5 sets it when it makes the shortcut; Wine's does not,
// so the package is read.
std::wstring ShortcutAppUserModelId()
{
    MSIHANDLE database = 0, view = 0, record = 0;
    wchar_t value[128] = {};
    DWORD length = 128;
    if (::MsiOpenDatabaseW(kMsi.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
        ::MsiDatabaseOpenViewW(database,
                               L"SELECT `PropVariantValue` FROM `MsiShortcutProperty` WHERE "
                               L"`Shortcut_`='PlexaShortcut' AND `PropertyKey`='System.AppUserModel.ID'",
                               &view) == ERROR_SUCCESS &&
        ::MsiViewExecute(view, 0) == ERROR_SUCCESS && ::MsiViewFetch(view, &record) == ERROR_SUCCESS)
        ::MsiRecordGetStringW(record, 1, value, &length);
    for (const MSIHANDLE handle : {record, view, database})
        ::MsiCloseHandle(handle);
    return value;
}

// Through HKEY_CLASSES_ROOT, as the shell reads it: the user's classes on
// Windows, the machine's under Wine, which has no per-user classes.
std::wstring ClassesValue(const wchar_t* key)
{
    wchar_t value[512] = {};
    DWORD size = sizeof(value);
    return ::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS
               ? value
               : L"(none)";
}

// Closes the window and waits for its process; the exit code, or -1.
int CloseAndWait(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const CHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    return ::WaitForSingleObject(process, 20000) == WAIT_OBJECT_0 && ::GetExitCodeProcess(process, &code)
               ? static_cast<int>(code)
               : -1;
}

template <class Find>
HWND WaitForWindow(Find find)
{
    HWND window = nullptr;
    for (const ULONGLONG end = ::GetTickCount64() + 30000; !window && ::GetTickCount64() < end; ::Sleep(100))
        window = find();
    return window;
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        // What a failed journey left installed goes, so that the next run starts clean.
        for (const auto& [product, version] : Installed())
            RunAndWait(L"msiexec /x " + product + L" /qn");
        ClearPlexaSettings();
        ::CoUninitialize();
    }
};

}  // namespace

TEST_F(PackageTest, TheZipsPlexaCarriesTheVersionAndRunsFromAFolderWithSpacesAndJapanese)
{
    const std::wstring folder = KnownFolder(FOLDERID_ProgramFilesX86) + L"\\テスト フォルダ";
    const std::wstring exe = folder + L"\\Plexa.exe";
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << "scripts/test.sh unpacks the ZIP there";
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(PLEXA_VERSION_MINOR, PLEXA_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(PLEXA_VERSION_BUILD, PLEXA_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    for (const wchar_t* translation : {L"040904B0", L"041104B0"}) {
        for (const auto& [name, expected] :
             {std::pair{L"FileVersion", kPlexaVersion}, {L"ProductVersion", kPlexaVersion}, {L"ProductName", L"Plexa"},
              {L"InternalName", L"Plexa"}, {L"OriginalFilename", L"Plexa.exe"},
              {L"LegalCopyright", L"Copyright (c) 2026 The Plexa authors. MIT License."}}) {
            wchar_t* value = nullptr;
            const std::wstring query = FormatString(L"\\StringFileInfo\\%s\\%s", translation, name);
            ::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
            EXPECT_STREQ(value, expected) << query;
        }
    }

    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + exe + L"\"";
    ASSERT_TRUE(::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &process));
    const CHandle handle(process.hProcess), thread(process.hThread);
    const HWND window = WaitForWindow([&] { return FindMainWindowOf(process.dwProcessId); });
    ASSERT_NE(window, nullptr) << "its window shows";
    EXPECT_EQ(CloseAndWait(window), 0) << "and it ends cleanly";
}

TEST_F(PackageTest, TheInstallerInstallsForTheUserOpensSnapshotsUpgradesAndLeavesNothingWhenRemoved)
{
    ASSERT_EQ(RunAndWait(L"msiexec /i \"" + kMsi + L"\" /qn"), 0);
    const std::wstring folder = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Plexa";
    const std::wstring exe = folder + L"\\Plexa.exe";
    const std::wstring shortcut = KnownFolder(FOLDERID_Programs) + L"\\Plexa.lnk";
    for (const wchar_t* file : {L"Plexa.exe", L"README.md", L"LICENSE", L"docs\\snapshot-format.md"})
        EXPECT_TRUE(FileExists(folder + L"\\" + file)) << file;
    ASSERT_EQ(Installed().size(), 1u);
    EXPECT_EQ(Installed()[0].second, kPlexaVersion);
    EXPECT_EQ(Installed(INSTALLPROPERTY_PUBLISHER)[0].second, L"The Plexa authors");
    CComPtr<IShellLinkW> link;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)), S_OK);
    CComPtr<IPersistFile> file;
    link->QueryInterface(IID_PPV_ARGS(&file));
    ASSERT_EQ(file->Load(shortcut.c_str(), STGM_READ), S_OK) << "a Start-menu shortcut";
    wchar_t target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    EXPECT_EQ(::lstrcmpiW(target, exe.c_str()), 0) << target;
    EXPECT_EQ(ShortcutAppUserModelId(), L"Plexa.AppID.NoVersion") << "the running window's";
    EXPECT_EQ(ClassesValue(L".plexa"), L"Plexa.Snapshot");
    EXPECT_EQ(ClassesValue(L"Plexa.Snapshot\\DefaultIcon"), exe + L",0");
    EXPECT_EQ(ClassesValue(L"Plexa.Snapshot\\shell\\open\\command"), L"\"" + exe + L"\" \"%1\"");

    // A double click: the shell's open verb, on a path that holds spaces and Japanese.
    const CTempDir files;
    const std::wstring snapshot = files / L"スナップ ショット.plexa";
    std::wstring error;
    ASSERT_EQ(SaveSnapshotFile(snapshot, {L"開く"}, {}, {}, error), SnapshotResult::Done) << error;
    ASSERT_GT(reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", snapshot.c_str(), nullptr, nullptr, SW_SHOW)),
              32);
    const HWND window = WaitForWindow([] { return ::FindWindowW(nullptr, L"スナップ ショット.plexa - Plexa"); });
    ASSERT_NE(window, nullptr) << "the installed Plexa opens the snapshot";
    EXPECT_EQ(CloseAndWait(window), 0);

    ASSERT_EQ(RunAndWait(L"msiexec /i \"" + kNextMsi + L"\" /qn"), 0);
    ASSERT_EQ(Installed().size(), 1u) << "the newer one replaces it";
    EXPECT_EQ(Installed()[0].second, FormatString(L"%d.%d.%d.%d", PLEXA_VERSION_MAJOR, PLEXA_VERSION_MINOR,
                                                  PLEXA_VERSION_PATCH + 1, PLEXA_VERSION_BUILD));

    ASSERT_EQ(RunAndWait(L"msiexec /x \"" + kNextMsi + L"\" /qn"), 0);
    EXPECT_TRUE(Installed().empty());
    EXPECT_FALSE(DirectoryExists(folder));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_EQ(ClassesValue(L".plexa"), L"(none)");
    EXPECT_EQ(ClassesValue(L"Plexa.Snapshot"), L"(none)");
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Plexa Installer", 0, KEY_READ, &key), ERROR_SUCCESS);
}
