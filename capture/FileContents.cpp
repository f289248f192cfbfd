// Virtual files: the FileContents items that a file group descriptor lists.
#include "capture/CBDataCreateContext.h"
#include "capture/CBDataFileDescriptor.h"
#include "capture/FileGroupMatch.h"

CCBData_FileDescriptor* FindFileGroupDescriptor(const CCBDataArray& nodes, const CCBData& contents)
{
    const auto* found = FindDescriptorFor(nodes, contents.m_fmt.dwAspect,
                                          [](const auto& node) -> const FORMATETC& { return node->m_fmt; });
    return found ? dynamic_cast<CCBData_FileDescriptor*>(found->get()) : nullptr;
}

void CaptureFileContents(CCBDataArray& children, CCBDataCreateContext& context,
                         const CCBData_FileDescriptor& descriptor, const FORMATETC& contentsFormat,
                         bool refusedAsWhole)
{
    for (size_t i = 0; i < descriptor.m_arrFileNames.size(); ++i) {
        const std::wstring& name = descriptor.m_arrFileNames[i];
        context.ShowItem(name);
        if (context.ShouldStop())
            return;
        FORMATETC item = contentsFormat;
        item.lindex = static_cast<LONG>(i);
        // Each file has a budget of its own.
        context.m_nTotal = 0;
        auto node = context.GetMedium(item, TYMED_HGLOBAL);
        if (refusedAsWhole && node->m_tymedActual == TYMED_NULL) {
            FORMATETC whole = contentsFormat;
            whole.lindex = -1;
            node = context.GetMedium(whole, TYMED_HGLOBAL);
            node->m_fmt = item;
        }
        node->m_strName = name;
        children.push_back(std::move(node));
    }
}
