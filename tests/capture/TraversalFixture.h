// Shared by the traversal tests: a claimed working folder, a size limit of
// 1 MB so that a file of kLarge bytes passes it, a folder for source files,
// and ways to look into a captured tree.
#pragma once

#include "TestProgress.h"

#include "capture/CBDataCreateContext.h"
#include "support/NoLeakTest.h"
#include "support/TempDir.h"
#include "support/TestApp.h"
#include "support/TestBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline constexpr size_t kLarge = 1'500'000;
inline constexpr wchar_t kBudgetStop[] = L"エラー\tサイズが限界を超えたため取得を中止しました。";
inline constexpr wchar_t kAbortStop[] = L"エラー\t取得を中止しました。";

class CTraversalTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_app.ClaimWorkFolder();
        m_app.m_nSubDirSizeLimit = 1;
    }

    // A node holding `bytes` in its temporary file, as a captured format would.
    std::unique_ptr<CCBData> NodeWithBytes(const CBytes& bytes)
    {
        auto node = std::make_unique<CCBData>();
        node->m_strTempFile = m_app.MakeTempFileName();
        node->m_nSize = bytes.size();
        WriteFileBytes(node->m_strTempFile, std::string(bytes.begin(), bytes.end()));
        return node;
    }

    CTestApp m_app;
    CTempDir m_source;
    CTestProgress m_progress;
    CCBDataCreateContext m_context{m_app, m_progress};
};

// The child named `name`, or null.
inline const CCBData* Child(const CCBData& node, const std::wstring& name)
{
    if (node.m_pChildren)
        for (const auto& child : *node.m_pChildren)
            if (child->m_strName == name)
                return child.get();
    return nullptr;
}

inline std::vector<std::wstring> ChildNames(const CCBData& node)
{
    std::vector<std::wstring> names;
    if (node.m_pChildren)
        for (const auto& child : *node.m_pChildren)
            names.push_back(child->m_strName);
    return names;
}

// The bytes of a leaf's temporary file.
inline CBytes Contents(const CCBData& leaf)
{
    const std::string bytes = ReadFileBytes(leaf.m_strTempFile);
    return CBytes(bytes.begin(), bytes.end());
}

inline void WriteSourceFile(const std::wstring& path, const CBytes& bytes)
{
    WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

// A leaf copied completely: no line, its bytes in its temporary file.
inline void ExpectCopied(const CCBData* leaf, const CBytes& bytes, const wchar_t* type)
{
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->m_strType, type);
    EXPECT_EQ(leaf->m_nIcon, kIconData);
    EXPECT_EQ(leaf->m_arrInfo, CStringArray{});
    EXPECT_EQ(leaf->m_nSize, bytes.size());
    EXPECT_FALSE(leaf->m_pChildren);
    EXPECT_EQ(Contents(*leaf), bytes);
}

// A placeholder left unopened with `line`, holding no reference any more.
inline void ExpectStopped(const CCBData* node, const wchar_t* type, const wchar_t* line)
{
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->m_strType, type);
    EXPECT_EQ(node->m_bPending, 1);
    EXPECT_EQ(node->m_nIcon, kIconFolder);
    EXPECT_EQ(node->m_arrInfo, CStringArray{line});
    EXPECT_FALSE(node->m_pChildren);
    EXPECT_FALSE(node->m_pPendingFolder);
    EXPECT_FALSE(node->m_pPendingStorage);
}

// A container that was opened, with its children (possibly none).
inline void ExpectOpened(const CCBData* node, const wchar_t* type)
{
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->m_strType, type);
    EXPECT_EQ(node->m_bPending, 0);
    EXPECT_EQ(node->m_nIcon, kIconFolder);
    EXPECT_EQ(node->m_arrInfo, CStringArray{});
    EXPECT_TRUE(node->m_pChildren);
    EXPECT_TRUE(node->m_strTempFile.empty());
    EXPECT_EQ(node->m_nSize, 0u);
}
