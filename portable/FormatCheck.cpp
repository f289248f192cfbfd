#include "portable/FormatCheck.h"

#include "common/AsciiCase.h"
#include "portable/FormatCheckKinds.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Standard clipboard format numbers.
constexpr uint32_t kCfText = 1, kCfOemText = 7, kCfDib = 8, kCfUnicodeText = 13, kCfHdrop = 15, kCfLocale = 16,
                   kCfDibV5 = 17;

constexpr std::array<std::pair<std::wstring_view, CheckKind>, 16> kRegisteredKinds{{
    {L"HTML Format", CheckKind::Html},
    {L"Rich Text Format", CheckKind::Rtf},
    {L"PNG", CheckKind::Png},
    {L"image/png", CheckKind::Png},
    {L"FileGroupDescriptorW", CheckKind::FileGroupW},
    {L"FileGroupDescriptor", CheckKind::FileGroupA},
    {L"Shell IDList Array", CheckKind::ShellIdList},
    {L"Preferred DropEffect", CheckKind::DropEffect},
    {L"Performed DropEffect", CheckKind::DropEffect},
    {L"Logical Performed DropEffect", CheckKind::DropEffect},
    {L"Paste Succeeded", CheckKind::DropEffect},
    {L"CanIncludeInClipboardHistory", CheckKind::Dword},
    {L"CanUploadToCloudClipboard", CheckKind::Dword},
    {L"UniformResourceLocator", CheckKind::Url},
    {L"UniformResourceLocatorW", CheckKind::UrlW},
    {L"Web Custom Format Map", CheckKind::WebCustomMap},
}};

// "ExcludeClipboardContentFromMonitorProcessing" is absent: any data of it
// asks the same, so it has no layout to check.

}  // namespace

CheckKind CheckKindOfFormat(uint32_t format, std::wstring_view name)
{
    switch (format) {
    case kCfText:
    case kCfOemText:
        return CheckKind::AnsiText;
    case kCfUnicodeText:
        return CheckKind::UnicodeText;
    case kCfDib:
        return CheckKind::Dib;
    case kCfDibV5:
        return CheckKind::DibV5;
    case kCfHdrop:
        return CheckKind::DropFiles;
    case kCfLocale:
        return CheckKind::Dword;
    default:
        break;
    }
    // Windows compares registered names without regard to case.
    for (const auto& [registered, kind] : kRegisteredKinds)
        if (AsciiEquals(name, registered))
            return kind;
    return CheckKind::None;
}

std::unique_ptr<CFormatCheck> MakeFormatCheck(CheckKind kind, uint64_t totalSize, const CheckContext& context)
{
    switch (kind) {
    case CheckKind::None:
        return nullptr;
    case CheckKind::Html:
        return MakeHtmlCheck(totalSize);
    case CheckKind::AnsiText:
        return MakeAnsiTextCheck();
    case CheckKind::UnicodeText:
        return MakeUnicodeTextCheck();
    case CheckKind::Rtf:
        return MakeRtfCheck();
    case CheckKind::Dib:
    case CheckKind::DibV5:
        return MakeDibCheck(kind == CheckKind::DibV5, totalSize);
    case CheckKind::Png:
        return MakePngCheck();
    case CheckKind::DropFiles:
        return MakeDropFilesCheck();
    case CheckKind::FileGroupW:
    case CheckKind::FileGroupA:
        return MakeFileGroupCheck(kind == CheckKind::FileGroupW, context);
    case CheckKind::ShellIdList:
        return MakeShellIdListCheck();
    case CheckKind::DropEffect:
    case CheckKind::Dword:
        return MakeDwordCheck(kind == CheckKind::DropEffect);
    case CheckKind::Url:
    case CheckKind::UrlW:
        return MakeUrlCheck(kind == CheckKind::UrlW);
    case CheckKind::WebCustomMap:
        return MakeWebCustomMapCheck(context);
    }
    return nullptr;
}

FindingList CheckBytes(CheckKind kind, ByteSpan bytes, const CheckContext& context, size_t pieceSize)
{
    auto check = MakeFormatCheck(kind, bytes.size(), context);
    if (!check)
        return {};
    pieceSize = std::max<size_t>(pieceSize, 1);
    for (size_t at = 0; at < bytes.size(); at += std::min(pieceSize, bytes.size() - at))
        check->Consume(bytes.subspan(at, std::min(pieceSize, bytes.size() - at)));
    return check->Finish();
}
