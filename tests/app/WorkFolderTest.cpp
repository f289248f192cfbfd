#include "app/WorkFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <set>

namespace {

std::wstring FolderUnder(const CTempDir& root)
{
    return root / kWorkFolderName;
}

// Names whose random part takes only 1,024 values, so that they collide as
// often as a snapshot of hundreds of thousands of nodes opened in one second.
class CCrowdedWorkFolder final : public CWorkFolder {
    unsigned int DrawNamePart() const override { return std::rand() % 1024; }
};

}

TEST(WorkFolder, TheFirstInstanceToLeaveKeepsTheOthersFiles)
{
    CTempDir root;
    CWorkFolder first, second;
    ASSERT_TRUE(first.Claim(root.Path()));
    ASSERT_TRUE(second.Claim(root.Path()));
    EXPECT_EQ(first.m_strCheckFile, FolderUnder(root) + L"\\$ichk$.tmp");

    const std::wstring firstFile = first.MakeTempFileName();
    const std::wstring secondFile = second.MakeTempFileName();
    ASSERT_FALSE(firstFile.empty());
    ASSERT_FALSE(secondFile.empty());

    first.Release();
    EXPECT_TRUE(FileExists(firstFile));
    EXPECT_TRUE(FileExists(secondFile));
    EXPECT_TRUE(FileExists(second.m_strCheckFile));

    second.Release();
    EXPECT_FALSE(FileExists(firstFile));
    EXPECT_FALSE(FileExists(secondFile));
    EXPECT_FALSE(DirectoryExists(FolderUnder(root)));
}

TEST(WorkFolder, TheLastInstanceRemovesLeftoversButNotForeignEntries)
{
    CTempDir root;
    const std::wstring folder = FolderUnder(root);
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    WriteFileBytes(folder + L"\\20200101000000deadbeef.cvtmp", "left by a crashed run");
    WriteFileBytes(folder + L"\\notes.txt", "not ours");
    ASSERT_TRUE(::CreateDirectoryW((folder + L"\\folder.cvtmp").c_str(), nullptr));

    CWorkFolder instance;
    ASSERT_TRUE(instance.Claim(root.Path()));
    instance.MakeTempFileName();
    instance.Release();

    EXPECT_EQ(ListFolder(folder, L"*.cvtmp"), std::vector<std::wstring>{L"folder.cvtmp"});
    EXPECT_TRUE(FileExists(folder + L"\\notes.txt"));
    EXPECT_FALSE(FileExists(folder + L"\\$ichk$.tmp"));
    EXPECT_TRUE(DirectoryExists(folder));
}

TEST(WorkFolder, AMissingFolderIsCreatedAgainForTheNextName)
{
    CTempDir root;
    CWorkFolder instance;
    instance.m_strWorkDir = root / L"gone";
    ASSERT_FALSE(DirectoryExists(instance.m_strWorkDir));

    const std::wstring path = instance.MakeTempFileName();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(path.substr(0, instance.m_strWorkDir.size() + 1), instance.m_strWorkDir + L"\\");
}

TEST(WorkFolder, ANewFileComesOpenForWritingAndIsOnlyOurs)
{
    CTempDir root;
    CWorkFolder instance;
    instance.m_strWorkDir = root.Path();
    std::wstring path;
    CFileHandle file = instance.CreateTempFile(path);
    ASSERT_TRUE(file.IsValid());
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, "bytes", 5, &written, nullptr));
    CFileHandle reader(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(reader.IsValid()) << "no sharing while the capture writes it";
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "bytes");
}

TEST(WorkFolder, NamesAreAStampEightHexDigitsAndTheExtension)
{
    CTempDir root;
    CWorkFolder instance;
    ASSERT_TRUE(instance.Claim(root.Path()));
    SYSTEMTIME before;
    ::GetLocalTime(&before);

    const std::wstring first = instance.MakeTempFileName();
    const std::wstring second = instance.MakeTempFileName();
    ASSERT_NE(first, second);
    for (const auto& path : {first, second}) {
        const std::wstring name = path.substr(instance.m_strWorkDir.size() + 1);
        ASSERT_EQ(name.size(), 14u + 8u + 6u) << name;
        EXPECT_TRUE(std::all_of(name.begin(), name.begin() + 14, iswdigit)) << name;
        EXPECT_TRUE(std::all_of(name.begin() + 14, name.begin() + 22,
                                [](wchar_t c) { return iswdigit(c) || (c >= L'a' && c <= L'f'); }))
            << name;
        EXPECT_EQ(name.substr(22), L".cvtmp");
        EXPECT_EQ(std::stoi(name.substr(0, 4)), before.wYear);
        EXPECT_EQ(ReadFileBytes(path), "") << "the file is created empty";
    }
}

TEST(WorkFolder, NamesThatCollideNeverShareAFile)
{
    CTempDir root;
    CCrowdedWorkFolder instance;
    instance.m_strWorkDir = root.Path();
    std::set<std::wstring> paths;
    for (int file = 0; file < 1000; ++file)
        paths.insert(instance.MakeTempFileName());
    EXPECT_EQ(paths.size(), 1000u);
    EXPECT_EQ(ListFolder(root.Path(), L"*.cvtmp").size(), 1000u);
}

TEST(WorkFolder, NoNameWhenTheFolderCannotBeCreated)
{
    CTempDir root;
    WriteFileBytes(root / L"file", "a file, not a folder");
    CWorkFolder instance;
    instance.m_strWorkDir = root / L"file\\sub";
    EXPECT_EQ(instance.MakeTempFileName(), L"");
}

namespace {

std::wstring SystemTempPathWithoutSeparator()
{
    wchar_t path[MAX_PATH + 1];
    std::wstring system(path, ::GetTempPathW(MAX_PATH + 1, path));
    system.pop_back();
    return system;
}

}

TEST(WorkFolder, TempRootFallsBackToTheSystemPathWithoutTemp)
{
    wchar_t saved[32768];
    const DWORD savedLength = ::GetEnvironmentVariableW(L"TEMP", saved, 32768);

    ::SetEnvironmentVariableW(L"TEMP", L"");
    EXPECT_EQ(CWorkFolder::GetTempRoot(), SystemTempPathWithoutSeparator());
    ::SetEnvironmentVariableW(L"TEMP", nullptr);
    EXPECT_EQ(CWorkFolder::GetTempRoot(), SystemTempPathWithoutSeparator());
    ::SetEnvironmentVariableW(L"TEMP", L"C:\\custom\\temp");
    EXPECT_EQ(CWorkFolder::GetTempRoot(), L"C:\\custom\\temp");

    ::SetEnvironmentVariableW(L"TEMP", savedLength ? saved : nullptr);
    EXPECT_FALSE(SystemTempPathWithoutSeparator().empty());
}
