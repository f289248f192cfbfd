// A storage whose elements a test picks freely: types a compound file never
// reports, elements that are listed but cannot be opened, and a hook that
// runs when a stream is opened. Elements open only with exclusive sharing,
// as in a compound file.
#pragma once

#include "support/TestBytes.h"

#include <objidl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFakeStorage {
public:
    CFakeStorage& AddStream(std::wstring name, CBytes bytes, std::function<void()> onOpen = {});
    CFakeStorage& AddStorage(std::wstring name, CFakeStorage storage);
    // Listed as a storage that opens as the very storage that lists it.
    CFakeStorage& AddItself(std::wstring name);
    // Listed with this type (any STGTY_* value or none of them); opening it fails.
    CFakeStorage& AddUnopenable(std::wstring name, DWORD type);

    // One reference for the caller; every object made is a counted test object.
    HRESULT Build(IStorage** out) const;

    struct Element {
        std::wstring name;
        DWORD type = 0;
        bool opens = false;
        CBytes bytes;
        std::function<void()> onOpen;
        std::shared_ptr<const CFakeStorage> storage;
        bool isItself = false;
    };

private:
    std::vector<Element> m_elements;
};
