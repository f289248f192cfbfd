// The tree of a compound file for a test: nested storages and streams with
// given bytes. Every Build makes a new temporary compound file from it,
// deleted by the platform when its last reference goes.
#pragma once

#include "support/TestBytes.h"

#include <objidl.h>

#include <string>
#include <vector>

class CTestStorage {
public:
    CTestStorage& AddStream(std::wstring name, CBytes bytes);
    CTestStorage& AddStorage(std::wstring name, CTestStorage storage);

    // The root storage, open for reading and writing; one reference for the caller.
    HRESULT Build(IStorage** out) const;

private:
    struct Stream {
        std::wstring name;
        CBytes bytes;
    };
    struct Substorage;

    HRESULT WriteInto(IStorage* storage) const;

    std::vector<Stream> m_streams;
    std::vector<Substorage> m_storages;
};

struct CTestStorage::Substorage {
    std::wstring name;
    CTestStorage storage;
};
