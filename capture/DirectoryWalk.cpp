// A directory and everything below it: files copied, sub-directories walked.
#include "capture/CBDataCreateContext.h"
#include "capture/TwoPassWalk.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

// The entries in the order the file system delivers them; null when the
// search cannot start.
std::unique_ptr<CCBDataArray> ListDirectory(CCBDataCreateContext& context, const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    CFindHandle search(::FindFirstFileW(JoinPath(path, L"*").c_str(), &found));
    if (!search)
        return nullptr;
    auto level = std::make_unique<CCBDataArray>();
    do {
        const std::wstring name = found.cFileName;
        if (!walk::ShowEntry(context, name))
            break;
        std::unique_ptr<CCBData> node;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == L"." || name == L"..")
                continue;
            node = walk::MakePlaceholder(LoadResString(IDS_TYPE_DIRECTORY).c_str());
        } else {
            node = context.CaptureFile(JoinPath(path, name).c_str());
        }
        node->m_strName = name;
        walk::AddEntry(context, *level, std::move(node));
    } while (::FindNextFileW(search, &found));
    return level;
}

}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureDirectory(const std::wstring& path)
{
    auto node = walk::MakeContainer(LoadResString(IDS_TYPE_DIRECTORY).c_str());
    node->m_pChildren = ListDirectory(*this, path);
    walk::ExpandPlaceholders(*this, *node, [&](const CCBData& placeholder) {
        return CaptureDirectory(JoinPath(path, placeholder.m_strName));
    });
    return node;
}
