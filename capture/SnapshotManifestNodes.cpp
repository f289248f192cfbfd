#include "capture/SnapshotManifestNodes.h"

#include "capture/CBDataGdi.h"
#include "capture/CBDataImageBytes.h"
#include "capture/FormatNames.h"
#include "framework/Utf8.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, ManifestPage>, 4> kPages{{
    {kTabHex, ManifestPage::Hex},
    {kTabText, ManifestPage::Text},
    {kTabImage, ManifestPage::Image},
    {kTabProperty, ManifestPage::Property},
}};
constexpr std::array<std::pair<int, ManifestIcon>, 4> kIcons{{
    {kIconFolder, ManifestIcon::Folder},
    {kIconData, ManifestIcon::Data},
    {kIconPicture, ManifestIcon::Picture},
    {kIconUnknown, ManifestIcon::Unknown},
}};

template <class Value, size_t N>
Value ToManifest(const std::array<std::pair<int, Value>, N>& table, int number)
{
    for (const auto& [own, value] : table) {
        if (own == number)
            return value;
    }
    return table.front().second;
}

template <class Value, size_t N>
int FromManifest(const std::array<std::pair<int, Value>, N>& table, Value value)
{
    for (const auto& [own, item] : table) {
        if (item == value)
            return own;
    }
    return table.front().first;
}

ManifestNodeKind KindOf(const CCBData& node)
{
    if (dynamic_cast<const CCBData_DIB*>(&node))
        return ManifestNodeKind::Dib;
    if (dynamic_cast<const CCBData_DragImageBits*>(&node))
        return ManifestNodeKind::DragImage;
    if (dynamic_cast<const CCBData_HBITMAP*>(&node))
        return ManifestNodeKind::Bitmap;
    if (dynamic_cast<const CCBData_HENHMF*>(&node))
        return ManifestNodeKind::EnhMetafile;
    if (dynamic_cast<const CCBData_HMETAFILEPICT*>(&node))
        return ManifestNodeKind::MetafilePict;
    return ManifestNodeKind::Data;
}

std::unique_ptr<CCBData> MakeOfKind(ManifestNodeKind kind, const ICaptureHost& host)
{
    switch (kind) {
    case ManifestNodeKind::Dib:
        return std::make_unique<CCBData_DIB>();
    case ManifestNodeKind::DragImage:
        return std::make_unique<CCBData_DragImageBits>();
    case ManifestNodeKind::Bitmap:
        return std::make_unique<CCBData_HBITMAP>(nullptr, nullptr);
    case ManifestNodeKind::EnhMetafile:
        return std::make_unique<CCBData_HENHMF>(nullptr);
    case ManifestNodeKind::MetafilePict:
        return std::make_unique<CCBData_HMETAFILEPICT>(nullptr, host);
    case ManifestNodeKind::Data:
        break;
    }
    return std::make_unique<CCBData>();
}

}

ManifestNode DescribeNode(const CCBData& node)
{
    ManifestNode out;
    out.kind = KindOf(node);
    out.label = ToUtf8(node.GetLabel());
    const FORMATETC& fmt = node.m_fmt;
    out.format = {fmt.cfFormat, ToUtf8(RegisteredFormatName(fmt.cfFormat)), fmt.dwAspect, static_cast<int32_t>(fmt.lindex),
                  fmt.tymed};
    out.medium = node.m_tymedActual;
    out.type = ToUtf8(node.m_strType);
    out.name = ToUtf8(node.m_strName);
    out.displayName = ToUtf8(node.m_strDisplayName);
    out.icon = ToManifest(kIcons, node.m_nIcon);
    out.defaultPage = ToManifest(kPages, node.m_nDefaultTab);
    out.codePage = node.m_nCodePage;
    out.size = node.m_nSize;
    for (const std::wstring& row : node.m_arrInfo)
        out.rows.push_back({ToUtf8(row), IsErrorRow(row)});
    return out;
}

std::unique_ptr<CCBData> MakeNode(const ManifestNode& description, const ICaptureHost& host)
{
    const ManifestFormat& format = description.format;
    UINT number = format.number;
    if (!format.registeredName.empty()) {
        number = ::RegisterClipboardFormatW(FromUtf8(format.registeredName).c_str());
        if (number == 0)
            return nullptr;
    }
    std::unique_ptr<CCBData> node = MakeOfKind(description.kind, host);
    node->m_fmt = {static_cast<CLIPFORMAT>(number), nullptr, format.aspect, static_cast<LONG>(format.lindex),
                   format.tymed};
    node->m_tymedActual = description.medium;
    node->m_strType = FromUtf8(description.type);
    node->m_strName = FromUtf8(description.name);
    node->m_strDisplayName = FromUtf8(description.displayName);
    node->m_nIcon = FromManifest(kIcons, description.icon);
    node->m_nDefaultTab = FromManifest(kPages, description.defaultPage);
    node->m_nCodePage = description.codePage;
    node->m_nSize = description.size;
    for (const ManifestRow& row : description.rows) {
        // A row the file marks as an error is one here too, whatever its name.
        const std::wstring text = FromUtf8(row.text);
        node->m_arrInfo.push_back(row.error && !IsErrorRow(text) ? ErrorRow(text) : text);
    }
    return node;
}
