#include "support/TestOffer.h"

CTestOffer& CTestOffer::At(LONG lindex, CTestAnswer answer)
{
    if (CTestAnswer* existing = Find(lindex))
        *existing = std::move(answer);
    else
        m_answers.emplace_back(lindex, std::move(answer));
    return *this;
}

CTestAnswer* CTestOffer::Find(LONG lindex)
{
    for (auto& [index, answer] : m_answers) {
        if (index == lindex)
            return &answer;
    }
    return nullptr;
}
