#include "capture/CBDataFileDescriptor.h"

#include "capture/AnsiText.h"
#include "capture/CBDataCreateContext.h"
#include "portable/FileGroupLayout.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

std::wstring ToWide(const std::u16string& name)
{
    return std::wstring(name.begin(), name.end());
}

std::wstring ToWide(const std::string& name)
{
    return AnsiToWide(name);
}

template <class Char>
void AddNames(CCBData_FileDescriptor& node, const FileGroup<Char>& group)
{
    for (const auto& file : group.files) {
        std::wstring name = ToWide(file.name);
        node.m_arrInfo.push_back(
            FormatResString(IDS_FILE_NAME_ROW, static_cast<unsigned>(node.m_arrFileNames.size()), name.c_str()));
        node.m_arrFileNames.push_back(std::move(name));
    }
    // Only whole descriptors are read; the source's count is not trusted beyond its bytes.
    if (group.truncated)
        node.AddErrorLine(LoadResString(IDS_DESCRIPTORS_TRUNCATED));
}

}

void CCBData_FileDescriptor::ReadDescriptorsW()
{
    if (const auto bytes = LoadData())
        AddNames(*this, ReadFileGroupW(ByteSpan(bytes.get(), static_cast<size_t>(m_nSize))));
}

void CCBData_FileDescriptor::ReadDescriptorsA()
{
    if (const auto bytes = LoadData())
        AddNames(*this, ReadFileGroupA(ByteSpan(bytes.get(), static_cast<size_t>(m_nSize))));
}
