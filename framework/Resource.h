// Raw resources of the running module.
#pragma once

#include <windows.h>

#include <span>

// The bytes of resource `id` of `type`; empty when it does not exist.
std::span<const BYTE> FindResourceBytes(UINT id, const wchar_t* type);
