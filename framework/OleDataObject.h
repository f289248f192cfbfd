// A data object received from another program (the clipboard, a drop).
#pragma once

#include "framework/ComPtr.h"

#include <objidl.h>

#include <vector>

class COleDataObject {
public:
    COleDataObject() = default;
    explicit COleDataObject(IDataObject* dataObject) : m_pDataObject(dataObject) {}

    void Attach(IDataObject* dataObject) { m_pDataObject = dataObject; }
    IDataObject* GetIDataObject() const { return m_pDataObject; }

    // Every format description offered for reading, in the order given.
    std::vector<FORMATETC> EnumFormats() const;
    // Asks for `fmt`; on success `medium` holds what arrived, for the caller to release.
    bool GetData(const FORMATETC& fmt, STGMEDIUM& medium) const;

private:
    CComPtr<IDataObject> m_pDataObject;
};
