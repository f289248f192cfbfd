// What a Windows user downloads, made by scripts/package.sh: the version
// resource, the portable ZIP run from an awkward folder, and the per-user
// installer from installation through an upgrade to its removal.
#include "capture/SnapshotFile.h"
#include "capture/ZipFiles.h"
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

std::wstring DistFolder()
{
    std::wstring path = L"Z:" + FromUtf8(PLEXA_SOURCE_DIR) + L"/dist";
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring Package(const wchar_t* extension)
{
    return DistFolder() + L"\\Plexa-" + kPlexaVersion + L"-x64." + extension;
}

// The package of the next version, which test.sh makes beside the build.
std::wstring NextVersion()
{
    return FormatString(L"%d.%d.%d.%d", PLEXA_VERSION_MAJOR, PLEXA_VERSION_MINOR, PLEXA_VERSION_PATCH + 1,
                        PLEXA_VERSION_BUILD);
}

std::wstring NextPackage()
{
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\..\\package-test\\Plexa-next-x64.msi";
}

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    ::SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::wstring result(path ? path : L"");
    ::CoTaskMemFree(path);
    return result;
}

std::wstring InstallFolder() { return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Plexa"; }
std::wstring ShortcutPath() { return KnownFolder(FOLDERID_Programs) + L"\\Plexa.lnk"; }

// The archive's entries unpacked into `folder`, which must exist; their names.
std::vector<std::string> Unpack(const std::wstring& zip, const std::wstring& folder)
{
    const CFileHandle file(::CreateFileW(zip.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    CZipFileSource source(file);
    std::vector<ZipEntry> entries;
    EXPECT_EQ(ReadZipDirectory(source, entries), ZipError::None) << "run scripts/package.sh first";
    std::vector<std::string> names;
    for (const ZipEntry& entry : entries) {
        names.push_back(entry.name);
        std::wstring path = folder + L"\\" + FromUtf8(entry.name);
        std::replace(path.begin(), path.end(), L'/', L'\\');
        ::CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
        std::string bytes;
        CZipEntryReader reader(source, entry);
        uint8_t piece[65536];
        for (size_t produced = 0; reader.Read(piece, produced) == ZipError::None && produced;)
            bytes.append(reinterpret_cast<const char*>(piece), produced);
        WriteFileBytes(path, bytes);
    }
    return names;
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* translation, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    return ::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value
               ? std::wstring(value)
               : std::wstring();
}

int RunAndWait(const std::wstring& commandLine)
{
    std::wstring line = commandLine;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const CHandle handle(process.hProcess), thread(process.hThread);
    ::WaitForSingleObject(handle, 120000);
    DWORD code = 0;
    return ::GetExitCodeProcess(handle, &code) ? static_cast<int>(code) : -1;
}

int Msiexec(const wchar_t* action, const std::wstring& package)
{
    return RunAndWait(L"msiexec " + std::wstring(action) + L" \"" + package + L"\" /qn");
}

// The installed products of Plexa's upgrade code, by version.
std::vector<std::wstring> InstalledVersions()
{
    std::vector<std::wstring> versions;
    wchar_t product[39];
    for (DWORD i = 0; ::MsiEnumRelatedProductsW(kUpgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
        wchar_t version[64] = {};
        DWORD length = 64;
        ::MsiGetProductInfoW(product, INSTALLPROPERTY_VERSIONSTRING, version, &length);
        versions.push_back(version);
    }
    return versions;
}

// What the package sets on its Start-menu shortcut as application user model
// ID. Windows Installer 5 sets it when it makes the shortcut; Wine's does not,
// so the package is read.
std::wstring ShortcutAppUserModelId(const std::wstring& package)
{
    MSIHANDLE database = 0, view = 0, record = 0;
    std::wstring id;
    if (::MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
        ::MsiDatabaseOpenViewW(database,
                               L"SELECT `PropVariantValue` FROM `MsiShortcutProperty` WHERE "
                               L"`Shortcut_`='PlexaShortcut' AND `PropertyKey`='System.AppUserModel.ID'",
                               &view) == ERROR_SUCCESS &&
        ::MsiViewExecute(view, 0) == ERROR_SUCCESS && ::MsiViewFetch(view, &record) == ERROR_SUCCESS) {
        wchar_t value[128] = {};
        DWORD length = 128;
        ::MsiRecordGetStringW(record, 1, value, &length);
        id = value;
    }
    for (const MSIHANDLE handle : {record, view, database})
        if (handle)
            ::MsiCloseHandle(handle);
    return id;
}

std::wstring ProductPublisher()
{
    wchar_t product[39];
    if (::MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, product) != ERROR_SUCCESS)
        return {};
    wchar_t publisher[128] = {};
    DWORD length = 128;
    ::MsiGetProductInfoW(product, INSTALLPROPERTY_PUBLISHER, publisher, &length);
    return publisher;
}

// Through HKEY_CLASSES_ROOT, as the shell reads it: the user's classes on
// Windows, the machine's under Wine, which has no per-user classes.
std::wstring ClassesValue(const std::wstring& key)
{
    wchar_t value[512] = {};
    DWORD size = sizeof(value);
    return ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) ==
                   ERROR_SUCCESS
               ? value
               : L"(none)";
}

// The window whose title is `title`, once one shows; its process closes with it.
HWND WaitForWindowTitled(const std::wstring& title)
{
    for (const ULONGLONG end = ::GetTickCount64() + 30000; ::GetTickCount64() < end; ::Sleep(100))
        if (const HWND window = ::FindWindowW(nullptr, title.c_str()))
            return window;
    return nullptr;
}

int CloseAndWait(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const CHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process, 20000);
    DWORD code = 0;
    return ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE ? static_cast<int>(code) : -1;
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        // What a failed journey left installed goes, so that the next run starts clean.
        wchar_t product[39];
        while (::MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, product) == ERROR_SUCCESS &&
               RunAndWait(L"msiexec /x " + std::wstring(product) + L" /qn") == 0) {
        }
        ClearPlexaSettings();
        ::CoUninitialize();
    }
};

}  // namespace

TEST_F(PackageTest, TheZipsPlexaCarriesTheVersionAndRunsFromAFolderWithSpacesAndJapanese)
{
    const std::wstring folder = KnownFolder(FOLDERID_ProgramFilesX86) + L"\\テスト フォルダ";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(Unpack(Package(L"zip"), folder),
              (std::vector<std::string>{"Plexa.exe", "README.md", "LICENSE", "docs/snapshot-format.md"}));
    const std::wstring exe = folder + L"\\Plexa.exe";

    std::vector<BYTE> info(::GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(PLEXA_VERSION_MINOR, PLEXA_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(PLEXA_VERSION_BUILD, PLEXA_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    for (const wchar_t* translation : {L"040904B0", L"041104B0"}) {
        SCOPED_TRACE(translation);
        EXPECT_EQ(VersionString(info, translation, L"FileVersion"), kPlexaVersion);
        EXPECT_EQ(VersionString(info, translation, L"ProductVersion"), kPlexaVersion);
        EXPECT_EQ(VersionString(info, translation, L"ProductName"), L"Plexa");
        EXPECT_EQ(VersionString(info, translation, L"InternalName"), L"Plexa");
        EXPECT_EQ(VersionString(info, translation, L"OriginalFilename"), L"Plexa.exe");
        EXPECT_EQ(VersionString(info, translation, L"LegalCopyright"),
                  L"Copyright (c) 2026 The Plexa authors. MIT License.");
        EXPECT_FALSE(VersionString(info, translation, L"FileDescription").empty());
    }

    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + exe + L"\"";
    ASSERT_TRUE(::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &process));
    const CHandle handle(process.hProcess), thread(process.hThread);
    HWND window = nullptr;
    for (const ULONGLONG end = ::GetTickCount64() + 30000; !window && ::GetTickCount64() < end; ::Sleep(100))
        window = FindMainWindowOf(process.dwProcessId);
    ASSERT_NE(window, nullptr) << "its window shows";
    EXPECT_EQ(CloseAndWait(window), 0) << "and it ends cleanly";
    RemoveTree(folder);
}

TEST_F(PackageTest, TheInstallerInstallsForTheUserOpensSnapshotsUpgradesAndLeavesNothingWhenRemoved)
{
    ASSERT_EQ(Msiexec(L"/i", Package(L"msi")), 0);
    const std::wstring exe = InstallFolder() + L"\\Plexa.exe";
    for (const wchar_t* file : {L"Plexa.exe", L"README.md", L"LICENSE", L"docs\\snapshot-format.md"})
        EXPECT_TRUE(FileExists(InstallFolder() + L"\\" + file)) << file;
    EXPECT_EQ(InstalledVersions(), std::vector<std::wstring>{kPlexaVersion});
    EXPECT_EQ(ProductPublisher(), L"The Plexa authors");

    {
        CComPtr<IShellLinkW> link;
        ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)), S_OK);
        CComPtr<IPersistFile> file;
        link->QueryInterface(IID_PPV_ARGS(&file));
        ASSERT_EQ(file->Load(ShortcutPath().c_str(), STGM_READ), S_OK) << "a Start-menu shortcut";
        wchar_t target[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, 0);
        EXPECT_EQ(::lstrcmpiW(target, exe.c_str()), 0) << target;
    }
    EXPECT_EQ(ShortcutAppUserModelId(Package(L"msi")), L"Plexa.AppID.NoVersion") << "the running window's";
    EXPECT_EQ(ClassesValue(L".plexa"), L"Plexa.Snapshot");
    EXPECT_EQ(ClassesValue(L"Plexa.Snapshot\\DefaultIcon"), exe + L",0");
    EXPECT_EQ(ClassesValue(L"Plexa.Snapshot\\shell\\open\\command"), L"\"" + exe + L"\" \"%1\"");

    // A double click: the shell's open verb, with a path that holds spaces and Japanese.
    const CTempDir files;
    const std::wstring snapshot = files / L"スナップ ショット.plexa";
    std::wstring error;
    ASSERT_EQ(SaveSnapshotFile(snapshot, {L"開く"}, {}, {}, error), SnapshotResult::Done) << error;
    ASSERT_GT(reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", snapshot.c_str(), nullptr, nullptr, SW_SHOW)),
              32);
    const HWND window = WaitForWindowTitled(L"スナップ ショット.plexa - Plexa");
    ASSERT_NE(window, nullptr) << "the installed Plexa opens the snapshot";
    EXPECT_EQ(CloseAndWait(window), 0);

    ASSERT_EQ(Msiexec(L"/i", NextPackage()), 0);
    EXPECT_EQ(InstalledVersions(), std::vector<std::wstring>{NextVersion()}) << "the newer one replaces it";

    ASSERT_EQ(Msiexec(L"/x", NextPackage()), 0);
    EXPECT_TRUE(InstalledVersions().empty());
    EXPECT_FALSE(DirectoryExists(InstallFolder()));
    EXPECT_FALSE(FileExists(ShortcutPath()));
    for (const auto& [root, key] : {std::pair{HKEY_CLASSES_ROOT, L".plexa"}, {HKEY_CLASSES_ROOT, L"Plexa.Snapshot"},
                                    {HKEY_CURRENT_USER, L"Software\\Plexa Installer"}}) {
        HKEY opened = nullptr;
        EXPECT_NE(::RegOpenKeyExW(root, key, 0, KEY_READ, &opened), ERROR_SUCCESS) << key;
        if (opened)
            ::RegCloseKey(opened);
    }
}
