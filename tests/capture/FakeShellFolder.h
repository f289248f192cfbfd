// A shell folder whose items a test picks freely: names in each of the three
// STRRET forms or none, items that bind as a stream, a folder, a storage or
// nothing. It answers only the flags a complete listing asks with: EnumObjects
// with every kind of item, GetDisplayNameOf for parsing inside the folder or
// for normal display.
#pragma once

#include "FakeStorage.h"
#include "support/TestBytes.h"

#include <shobjidl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CFakeShellFolder {
public:
    enum class NameForm { Wide, Ansi, Offset, None };

    struct Item {
        std::wstring parsingName;
        std::wstring displayName;
        NameForm form = NameForm::Wide;
        std::optional<CBytes> stream;
        std::shared_ptr<const CFakeShellFolder> folder;
        std::optional<CFakeStorage> storage;
        bool bindsToItsFolder = false;  // a folder that contains itself
    };

    CFakeShellFolder& Add(Item item);
    // EnumObjects answers `result`; S_FALSE comes without an enumerator.
    CFakeShellFolder& AnswerEnumeration(HRESULT result);

    // One reference for the caller; every object made is a counted test object.
    HRESULT Build(IShellFolder** out) const;

    // The identifier list the folder gives item `index`, terminator included.
    CBytes ItemIdList(size_t index) const;

private:
    std::vector<Item> m_items;
    HRESULT m_enumeration = S_OK;
};
