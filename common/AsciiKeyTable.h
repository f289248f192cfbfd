// A fixed table searched by text key with the case of A to Z ignored. It is
// sorted once when built and searched by halving; of rows with equal keys the
// one given first is found.
#pragma once

#include "common/AsciiCase.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

template <typename Value>
class CAsciiKeyTable {
public:
    struct Row {
        std::wstring_view key;
        Value value;
    };

    template <std::size_t N>
    explicit CAsciiKeyTable(const Row (&rows)[N]) : m_rows(rows, rows + N)
    {
        // Stable, so the first of equal keys stays ahead for lower_bound.
        std::ranges::stable_sort(m_rows, AsciiLess, &Row::key);
    }

    // The value of the first row with `key`; null when there is none.
    const Value* Find(std::wstring_view key) const
    {
        const auto found = std::ranges::lower_bound(m_rows, key, AsciiLess, &Row::key);
        return found != m_rows.end() && AsciiEquals(found->key, key) ? &found->value : nullptr;
    }

private:
    std::vector<Row> m_rows;
};
