#include "framework/OleDataObject.h"

std::vector<FORMATETC> COleDataObject::EnumFormats() const
{
    std::vector<FORMATETC> formats;
    CComPtr<IEnumFORMATETC> enumerator;
    if (!m_pDataObject || FAILED(m_pDataObject->EnumFormatEtc(DATADIR_GET, &enumerator)) || !enumerator)
        return formats;
    FORMATETC fmt;
    while (enumerator->Next(1, &fmt, nullptr) == S_OK)
        formats.push_back(fmt);
    return formats;
}

bool COleDataObject::GetData(const FORMATETC& fmt, STGMEDIUM& medium) const
{
    medium = {};
    FORMATETC asked = fmt;
    return m_pDataObject && SUCCEEDED(m_pDataObject->GetData(&asked, &medium));
}
