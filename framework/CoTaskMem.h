// Owners of memory that COM and the shell hand out from the task allocator
// (element names, display names, item identifier lists); the shell
// allocator is the task allocator.
#pragma once

#include <objbase.h>

#include <memory>

struct CoTaskMemDeleter {
    void operator()(void* p) const { ::CoTaskMemFree(p); }
};

template <class T>
using CCoTaskMemPtr = std::unique_ptr<T, CoTaskMemDeleter>;
