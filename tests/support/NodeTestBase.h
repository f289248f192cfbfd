// Tests of captured nodes: a claimed working folder and nodes whose
// temporary file already holds given bytes.
#pragma once

#include "capture/CBData.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

class CNodeTestBase : public ::testing::Test {
protected:
    void SetUp() override { m_app.ClaimWorkFolder(); }

    // A node of class T whose temporary file holds `bytes`.
    template <class T = CCBData>
    std::unique_ptr<T> NodeWith(const std::string& bytes)
    {
        auto node = std::make_unique<T>();
        node->m_strTempFile = m_app.MakeTempFileName();
        node->m_nSize = bytes.size();
        WriteFileBytes(node->m_strTempFile, bytes);
        return node;
    }

    CTestApp m_app;
};
