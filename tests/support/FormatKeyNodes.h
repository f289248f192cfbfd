// Nodes that differ in what names their format key, for the tests of the
// per-format first page and code page.
#pragma once

#include "capture/CBData.h"

#include <gtest/gtest.h>

#include <memory>

// A top-level node of a registered format, as the capture makes one.
inline std::unique_ptr<CCBData> FormatNode(const wchar_t* registeredName)
{
    auto node = std::make_unique<CCBData>();
    node->m_fmt.cfFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(registeredName));
    node->m_fmt.dwAspect = DVASPECT_CONTENT;
    EXPECT_NE(node->m_fmt.cfFormat, 0) << "could not register the format";
    return node;
}

// An element below a storage or folder: format number 0, a name, and the
// page its kind opens with.
inline std::unique_ptr<CCBData> NamedNode(const wchar_t* name, int builtInTab)
{
    auto node = std::make_unique<CCBData>();
    node->m_strName = name;
    node->m_nDefaultTab = builtInTab;
    return node;
}
