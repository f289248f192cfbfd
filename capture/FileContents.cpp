// Virtual files: the FileContents items that a file group descriptor lists.
#include "app/PlexaApp.h"
#include "capture/CBDataCreateContext.h"
#include "capture/CBDataFileDescriptor.h"

CCBData_FileDescriptor* FindFileGroupDescriptor(const CCBDataArray& nodes, const CCBData& contents)
{
    CCBData* wide = nullptr;
    CCBData* ansi = nullptr;
    for (const auto& node : nodes) {
        if (node->m_fmt.dwAspect != contents.m_fmt.dwAspect)
            continue;
        if (node->m_fmt.cfFormat == g_cfFileGroupDescriptorW)
            wide = node.get();
        else if (node->m_fmt.cfFormat == g_cfFileGroupDescriptor)
            ansi = node.get();
    }
    return dynamic_cast<CCBData_FileDescriptor*>(wide ? wide : ansi);
}

void CaptureFileContents(CCBDataArray& children, CCBDataCreateContext& context,
                         const CCBData_FileDescriptor& descriptor, const FORMATETC& contentsFormat)
{
    for (size_t i = 0; i < descriptor.m_arrFileNames.size(); ++i) {
        const std::wstring& name = descriptor.m_arrFileNames[i];
        context.ShowItem(name);
        if (context.PumpMessages())
            return;
        FORMATETC item = contentsFormat;
        item.lindex = static_cast<LONG>(i);
        // Each file has a budget of its own.
        context.m_nTotal = 0;
        auto node = context.GetMedium(item, TYMED_HGLOBAL);
        node->m_strName = name;
        children.push_back(std::move(node));
    }
}
