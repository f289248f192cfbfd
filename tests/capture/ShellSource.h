// The data object the shell itself makes for real files, as Explorer hands
// it to a drop target: a drop list and a shell item list among its formats.
#pragma once

#include "framework/ComPtr.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

// Null, with a test failure, when the shell cannot make it.
inline CComPtr<IDataObject> CreateShellDataObject(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    const auto parse = [](const std::wstring& path) {
        PIDLIST_ABSOLUTE pidl = nullptr;
        EXPECT_EQ(::SHParseDisplayName(path.c_str(), nullptr, &pidl, 0, nullptr), S_OK) << path.c_str();
        return pidl;
    };
    CComPtr<IDataObject> source;
    PIDLIST_ABSOLUTE folderList = parse(folder);
    std::vector<PIDLIST_ABSOLUTE> itemLists;
    std::vector<PCUITEMID_CHILD> items;
    for (const std::wstring& name : names) {
        itemLists.push_back(parse(folder + L"\\" + name));
        items.push_back(itemLists.back() ? ::ILFindLastID(itemLists.back()) : nullptr);
    }
    CComPtr<IShellFolder> desktop, parent;
    if (folderList && std::find(items.begin(), items.end(), nullptr) == items.end() &&
        ::SHGetDesktopFolder(&desktop) == S_OK &&
        desktop->BindToObject(folderList, nullptr, IID_PPV_ARGS(&parent)) == S_OK) {
        EXPECT_EQ(parent->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()), items.data(), IID_IDataObject,
                                        nullptr, reinterpret_cast<void**>(&source)),
                  S_OK);
    }
    ::ILFree(folderList);
    for (PIDLIST_ABSOLUTE list : itemLists)
        ::ILFree(list);
    EXPECT_TRUE(source) << "the shell makes a data object for the items";
    return source;
}
