// Comparing a tree read from Plexa with what the test expects of it.
#pragma once

#include "RemoteControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Image indexes of the capture tree.
enum : int { kImageFolder = 0, kImageData = 1, kImagePicture = 2 };

// The texts of `items`, in order.
std::vector<std::wstring> TextsOf(const std::vector<CRemoteTreeItem>& items);

// The texts of `items` and of everything under them, a line each, indented
// by depth.
std::wstring OutlineOf(const std::vector<CRemoteTreeItem>& items, int depth = 0);

// The one root item; fails the test when there is not exactly one.
CRemoteTreeItem SingleRoot(const std::vector<CRemoteTreeItem>& tree);

// The snapshot title a paste gives the clipboard's current state.
std::wstring ClipboardTitle();
