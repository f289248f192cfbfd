// A node tree as text, one line per node indented by its depth: everything a
// node shows (label, type, description, media, size, names, pages, code page,
// the bytes of its file, its lines) and the bytes its GDI objects are kept as,
// so two trees compare with one EXPECT_EQ.
#pragma once

#include "capture/CBDataGdi.h"
#include "capture/SnapshotPictures.h"
#include "framework/Format.h"
#include "support/TempDir.h"

#include <cstddef>
#include <string>

inline std::wstring HexOf(const std::vector<uint8_t>& bytes)
{
    std::wstring hex;
    for (const uint8_t byte : bytes)
        hex += FormatString(L" %02X", byte);
    return hex;
}

inline std::wstring DescribePicture(const CCBData& node)
{
    const auto* gdi = dynamic_cast<const CCBData_GDI*>(&node);
    if (!gdi)
        return {};
    std::wstring text = FormatString(L" | picture %dx%dx%d", gdi->m_nWidth, gdi->m_nHeight, gdi->m_nBitsPerPixel);
    if (const auto* bitmap = dynamic_cast<const CCBData_HBITMAP*>(gdi))
        text += HexOf(BitmapFileBytes(bitmap->m_hBitmap)) + L" | palette" + HexOf(PaletteEntryBytes(bitmap->m_hPalette));
    if (const auto* enhanced = dynamic_cast<const CCBData_HENHMF*>(gdi))
        text += HexOf(EnhMetaFileBytes(enhanced->m_hEnhMetaFile));
    if (const auto* metafile = dynamic_cast<const CCBData_HMETAFILEPICT*>(gdi))
        text += HexOf(MetaFileBytes(metafile->m_hMetaFile)) + (metafile->m_hMetaFilePict ? L" block" : L" no block");
    return text;
}

inline void DescribeTree(const CCBDataArray& nodes, const std::wstring& indent, std::wstring& out)
{
    for (const auto& node : nodes) {
        const FORMATETC& fmt = node->m_fmt;
        out += indent + node->GetLabel() + L" | " + node->m_strType +
               FormatString(L" | format %u aspect %lu lindex %ld tymed %lu | icon %d, tymed %lu, %llu bytes",
                            fmt.cfFormat, fmt.dwAspect, fmt.lindex, fmt.tymed, node->m_nIcon, node->m_tymedActual,
                            static_cast<unsigned long long>(node->m_nSize)) +
               L" | " + node->m_strName + L" | " + node->m_strDisplayName +
               FormatString(L" | page %d code page %d |", node->m_nDefaultTab, node->m_nCodePage);
        if (!node->m_strTempFile.empty()) {
            std::string bytes = ReadFileBytes(node->m_strTempFile);
            // A METAFILEPICT block names its metafile by a handle of the
            // capturing process, which each capture makes anew.
            if (dynamic_cast<const CCBData_HMETAFILEPICT*>(node.get()) && bytes.size() == sizeof(METAFILEPICT))
                bytes.replace(offsetof(METAFILEPICT, hMF), sizeof(HMETAFILE), sizeof(HMETAFILE), 'h');
            out += L" file" + HexOf({bytes.begin(), bytes.end()});
        }
        // How long a fetch took differs between any two captures.
        for (const std::wstring& line : node->m_arrInfo)
            out += L" | " + (IsFetchTimeRow(line) ? line.substr(0, line.find(L'\t') + 1) + L"..." : line);
        out += DescribePicture(*node) + L'\n';
        if (node->m_pChildren)
            DescribeTree(*node->m_pChildren, indent + L"  ", out);
    }
}

inline std::wstring DescribeTree(const CCBDataArray& nodes)
{
    std::wstring out;
    DescribeTree(nodes, L"", out);
    return out;
}
