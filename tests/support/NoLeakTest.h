// Fixture for tests that use the test COM sources: every object a test
// caused to be made must be gone when it ends.
#pragma once

#include "support/LiveObjects.h"

#include <gtest/gtest.h>

class CNoLeakTest : public ::testing::Test {
protected:
    void SetUp() override { m_liveBefore = LiveTestObjects(); }
    void TearDown() override
    {
        EXPECT_EQ(LiveTestObjects(), m_liveBefore) << "a test COM object is still referenced";
    }

private:
    long m_liveBefore = 0;
};
