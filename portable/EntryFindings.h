// A block listing many entries can have the same fault in every one of them:
// the checks stop reading entries once this many findings are made, which the
// first ones show well enough and which a hostile block cannot make endless.
#pragma once

#include <cstddef>

constexpr size_t kMaxEntryFindings = 32;
