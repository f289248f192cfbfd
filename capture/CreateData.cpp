// How each offered format is taken, and which page and code page its node
// opens with.
#include "capture/CBDataCreateContext.h"
#include "capture/CBDataFileDescriptor.h"
#include "capture/CBDataImageBytes.h"
#include "capture/FormatNames.h"
#include "common/AsciiCase.h"

namespace {

// A node of class T that takes over what the fetch produced.
template <class T>
std::unique_ptr<T> MadeFrom(std::unique_ptr<CCBData> fetched)
{
    auto node = std::make_unique<T>();
    node->TakeOver(std::move(fetched));
    return node;
}

// Formats that stand for no bytes of their own: described, not fetched.
std::unique_ptr<CCBData> NotFetched(const FORMATETC& fmt)
{
    auto node = std::make_unique<CCBData>();
    node->m_fmt = fmt;
    return node;
}

std::unique_ptr<CCBData> WithDefaults(std::unique_ptr<CCBData> node, int tab, int codePage = kCodePageNone)
{
    node->m_nDefaultTab = tab;
    node->m_nCodePage = codePage;
    return node;
}

}

std::unique_ptr<CCBData> CCBDataCreateContext::CreateData(const FORMATETC& fmt)
{
    bool registered = false;
    const std::wstring name = GetFormatName(fmt.cfFormat, &registered);
    if (registered) {
        if (AsciiEquals(name, L"CFSTR_SHELLIDLIST")) {
            auto node = WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabProperty);
            node->m_nIcon = kIconFolder;
            node->ExpandShellIDList(*this);
            return node;
        }
        const bool wide = AsciiEquals(name, L"CFSTR_FILEDESCRIPTORW");
        if (wide || AsciiEquals(name, L"CFSTR_FILEDESCRIPTORA")) {
            auto node = MadeFrom<CCBData_FileDescriptor>(GetMedium(fmt, TYMED_HGLOBAL));
            node->m_nDefaultTab = kTabProperty;
            if (wide)
                node->ReadDescriptorsW();
            else
                node->ReadDescriptorsA();
            return node;
        }
        if (AsciiEquals(name, L"CFSTR_FILECONTENTS")) {
            auto node = NotFetched(fmt);
            node->m_nIcon = kIconFolder;
            return node;
        }
        if (AsciiEquals(name, L"\"DragImageBits\"")) {
            auto node = MadeFrom<CCBData_DragImageBits>(GetMedium(fmt, TYMED_HGLOBAL));
            node->m_nDefaultTab = kTabImage;
            return node;
        }
        return WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabHex);
    }

    switch (fmt.cfFormat) {
    case CF_TEXT:
    case CF_SYLK:
    case CF_DIF:
    case CF_DSPTEXT:
        return WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabText, kCodePageAnsi);
    case CF_OEMTEXT:
        return WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabText, kCodePageOem);
    case CF_UNICODETEXT:
        return WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabText, kCodePageUtf16LE);
    case CF_BITMAP:
        return GetMedium(fmt, TYMED_GDI);
    case CF_METAFILEPICT:
        return GetMedium(fmt, TYMED_MFPICT);
    case CF_ENHMETAFILE:
        return GetMedium(fmt, TYMED_ENHMF);
    case CF_DIB:
    case CF_DIBV5: {
        auto node = MadeFrom<CCBData_DIB>(GetMedium(fmt, TYMED_HGLOBAL));
        node->m_nDefaultTab = kTabImage;
        return node;
    }
    case CF_HDROP: {
        auto node = WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabProperty);
        node->ExpandDropFiles(*this);
        node->m_nIcon = kIconFolder;
        return node;
    }
    case CF_PALETTE:
    case CF_PENDATA:
        return NotFetched(fmt);
    }
    if (fmt.cfFormat >= CF_GDIOBJFIRST && fmt.cfFormat <= CF_GDIOBJLAST)
        return NotFetched(fmt);
    return WithDefaults(GetMedium(fmt, TYMED_HGLOBAL), kTabHex);
}
