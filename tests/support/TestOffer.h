// One format that a test data object offers, with the answers for the items
// (lindex) that can be asked for.
#pragma once

#include "support/TestAnswer.h"
#include "support/TestFormat.h"

#include <utility>
#include <vector>

class CTestOffer {
public:
    explicit CTestOffer(CTestFormat format) : m_format(format) {}

    // Answers requests for item `lindex`: the offered one, or the index of
    // one file of FileContents. A later answer for the same item replaces it.
    CTestOffer& At(LONG lindex, CTestAnswer answer);

    const CTestFormat& Format() const { return m_format; }
    // The answer for item `lindex`, or null.
    CTestAnswer* Find(LONG lindex);

private:
    CTestFormat m_format;
    std::vector<std::pair<LONG, CTestAnswer>> m_answers;
};
