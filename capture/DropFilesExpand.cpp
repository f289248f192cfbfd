// The files and directories of a drop list (CF_HDROP), read from the bytes of
// its node: files copied, directories walked.
#include "capture/AnsiText.h"
#include "capture/CBDataCreateContext.h"
#include "portable/DropFilesLayout.h"
#include "capture/TwoPassWalk.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

std::vector<std::wstring> WidePaths(const std::vector<std::u16string>& paths)
{
    std::vector<std::wstring> wide;
    for (const auto& path : paths)
        wide.emplace_back(path.begin(), path.end());
    return wide;
}

// ANSI paths are converted as the platform's own drop functions do.
std::vector<std::wstring> WidePaths(const std::vector<std::string>& paths)
{
    std::vector<std::wstring> wide;
    for (const auto& path : paths)
        wide.push_back(AnsiToWide(path));
    return wide;
}

std::unique_ptr<CCBData> CaptureDropped(CCBDataCreateContext& context, const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA status;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &status))
        return CCBDataCreateContext::CreateErrorData(LoadResString(IDS_FILE_MISSING));
    if (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return walk::MakePlaceholder(LoadResString(IDS_TYPE_DIRECTORY).c_str());
    return context.CaptureFile(path.c_str());
}

}

void CCBData::ExpandDropFiles(CCBDataCreateContext& context)
{
    const auto data = LoadData();
    if (!data)
        return;
    const auto list = ReadDropFiles(ByteSpan(data.get(), static_cast<size_t>(m_nSize)));
    if (!list) {
        AddErrorLine(LoadResString(IDS_DROP_LIST_BROKEN));
        return;
    }
    if (!list->complete)
        AddErrorLine(LoadResString(IDS_DROP_LIST_TRUNCATED));
    m_pChildren = std::make_unique<CCBDataArray>();
    for (const std::wstring& path : std::visit([](const auto& paths) { return WidePaths(paths); }, list->paths)) {
        if (!walk::ShowEntry(context, path))
            break;
        auto node = CaptureDropped(context, path);
        node->m_strName = path;
        walk::AddEntry(context, *m_pChildren, std::move(node));
    }
    walk::ExpandPlaceholders(context, *this, [&](const CCBData& placeholder) {
        return context.CaptureDirectory(placeholder.m_strName);
    });
}
