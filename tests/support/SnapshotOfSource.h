// A snapshot file of what a test source offers, captured and written in the
// test's own process, for tests that hand a file to Plexa.exe.
#pragma once

#include <objidl.h>

#include <string>
#include <vector>

// The labels of the top-level nodes written; none, with a test failure naming
// the problem, when the file cannot be written.
std::vector<std::wstring> SaveSnapshotOf(IDataObject* source, const std::wstring& title, const std::wstring& path);
