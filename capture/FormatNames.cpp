#include "capture/FormatNames.h"

#include "common/AsciiKeyTable.h"
#include "framework/Format.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

struct StandardFormat {
    UINT number;
    const wchar_t* name;
};

// In ascending order of number, for the search by halving.
constexpr StandardFormat kStandardFormats[] = {
    {CF_TEXT, L"CF_TEXT"},
    {CF_BITMAP, L"CF_BITMAP"},
    {CF_METAFILEPICT, L"CF_METAFILEPICT"},
    {CF_SYLK, L"CF_SYLK"},
    {CF_DIF, L"CF_DIF"},
    {CF_TIFF, L"CF_TIFF"},
    {CF_OEMTEXT, L"CF_OEMTEXT"},
    {CF_DIB, L"CF_DIB"},
    {CF_PALETTE, L"CF_PALETTE"},
    {CF_PENDATA, L"CF_PENDATA"},
    {CF_RIFF, L"CF_RIFF"},
    {CF_WAVE, L"CF_WAVE"},
    {CF_UNICODETEXT, L"CF_UNICODETEXT"},
    {CF_ENHMETAFILE, L"CF_ENHMETAFILE"},
    {CF_HDROP, L"CF_HDROP"},
    {CF_LOCALE, L"CF_LOCALE"},
    {CF_DIBV5, L"CF_DIBV5"},
    {CF_OWNERDISPLAY, L"CF_OWNERDISPLAY"},
    {CF_DSPTEXT, L"CF_DSPTEXT"},
    {CF_DSPBITMAP, L"CF_DSPBITMAP"},
    {CF_DSPMETAFILEPICT, L"CF_DSPMETAFILEPICT"},
    {CF_DSPENHMETAFILE, L"CF_DSPENHMETAFILE"},
};
static_assert(std::ranges::is_sorted(kStandardFormats, {}, &StandardFormat::number));

using CShellNameTable = CAsciiKeyTable<const wchar_t*>;

// "UniformResourceLocator" stands twice: the first row names it.
constexpr CShellNameTable::Row kShellNames[] = {
    {L"Shell IDList Array", L"CFSTR_SHELLIDLIST"},
    {L"Shell Object Offsets", L"CFSTR_SHELLIDLISTOFFSET"},
    {L"Net Resource", L"CFSTR_NETRESOURCES"},
    {L"FileGroupDescriptor", L"CFSTR_FILEDESCRIPTORA"},
    {L"FileGroupDescriptorW", L"CFSTR_FILEDESCRIPTORW"},
    {L"FileContents", L"CFSTR_FILECONTENTS"},
    {L"FileName", L"CFSTR_FILENAMEA"},
    {L"FileNameW", L"CFSTR_FILENAMEW"},
    {L"PrinterFriendlyName", L"CFSTR_PRINTERGROUP"},
    {L"FileNameMap", L"CFSTR_FILENAMEMAPA"},
    {L"FileNameMapW", L"CFSTR_FILENAMEMAPW"},
    {L"UniformResourceLocator", L"CFSTR_SHELLURL"},
    {L"UniformResourceLocator", L"CFSTR_INETURLA"},
    {L"UniformResourceLocatorW", L"CFSTR_INETURLW"},
    {L"Preferred DropEffect", L"CFSTR_PREFERREDDROPEFFECT"},
    {L"Performed DropEffect", L"CFSTR_PERFORMEDDROPEFFECT"},
    {L"Paste Succeeded", L"CFSTR_PASTESUCCEEDED"},
    {L"InShellDragLoop", L"CFSTR_INDRAGLOOP"},
    {L"MountedVolume", L"CFSTR_MOUNTEDVOLUME"},
    {L"PersistedDataObject", L"CFSTR_PERSISTEDDATAOBJECT"},
    {L"TargetCLSID", L"CFSTR_TARGETCLSID"},
    {L"Logical Performed DropEffect", L"CFSTR_LOGICALPERFORMEDDROPEFFECT"},
    {L"Autoplay Enumerated IDList Array", L"CFSTR_AUTOPLAY_SHELLIDLISTS"},
    {L"UntrustedDragDrop", L"CFSTR_UNTRUSTEDDRAGDROP"},
    {L"File Attributes Array", L"CFSTR_FILE_ATTRIBUTES_ARRAY"},
    {L"InvokeCommand DropParam", L"CFSTR_INVOKECOMMAND_DROPPARAM"},
    {L"DropHandlerCLSID", L"CFSTR_SHELLDROPHANDLER"},
    {L"DropDescription", L"CFSTR_DROPDESCRIPTION"},
    {L"text/plain", L"CFSTR_MIME_TEXT"},
};

constexpr int kNameBufferChars = 65535;

// The names of the set bits, lowest bit first; names[i] names bit i.
template <std::size_t N>
CStringArray NamesOfSetBits(DWORD value, const wchar_t* const (&names)[N])
{
    CStringArray set;
    for (std::size_t bit = 0; bit < N; ++bit) {
        if (value & (1u << bit))
            set.emplace_back(names[bit]);
    }
    return set;
}

const wchar_t* FindStandardName(UINT number)
{
    const auto found = std::ranges::lower_bound(kStandardFormats, number, {}, &StandardFormat::number);
    return found != std::end(kStandardFormats) && found->number == number ? found->name : nullptr;
}

const wchar_t* FindShellName(std::wstring_view registeredName)
{
    static const CShellNameTable table(kShellNames);
    const wchar_t* const* name = table.Find(registeredName);
    return name ? *name : nullptr;
}

}

std::wstring GetFormatName(UINT cfFormat, bool* registered)
{
    if (registered)
        *registered = false;
    if (const wchar_t* name = FindStandardName(cfFormat))
        return name;
    if (cfFormat >= CF_GDIOBJFIRST && cfFormat <= CF_GDIOBJLAST)
        return FormatString(L"CF_GDIOBJFIRST+%u", cfFormat - CF_GDIOBJFIRST);
    if (cfFormat >= CF_PRIVATEFIRST && cfFormat <= CF_PRIVATELAST)
        return FormatString(L"CF_PRIVATEFIRST+%u", cfFormat - CF_PRIVATEFIRST);

    const std::wstring name = RegisteredFormatName(cfFormat);
    if (name.empty())
        return FormatString(L"%u", cfFormat);
    if (registered)
        *registered = true;
    if (const wchar_t* shellName = FindShellName(name))
        return shellName;
    return L"\"" + name + L"\"";
}

std::wstring GetAspectNames(DWORD aspect)
{
    static constexpr const wchar_t* kBitNames[] = {L"CONTENT", L"THUMBNAIL", L"ICON", L"DOCPRINT"};
    CStringArray names = NamesOfSetBits(aspect, kBitNames);
    if (aspect > 15)
        names.push_back(FormatString(L"0x%x?", aspect));
    return JoinStrings(names, L" ");
}

std::wstring GetTymedNames(DWORD tymed)
{
    static constexpr const wchar_t* kBitNames[] = {L"HGLOBAL", L"FILE", L"ISTREAM", L"ISTORAGE",
                                                   L"GDI", L"MFPICT", L"ENHMF"};
    return JoinStrings(NamesOfSetBits(tymed, kBitNames), L" ");
}

std::wstring GetFormatEtcName(const FORMATETC& fmt)
{
    std::wstring name = GetFormatName(fmt.cfFormat);
    if (fmt.dwAspect != 0 && fmt.dwAspect != DVASPECT_CONTENT)
        name += L" " + GetAspectNames(fmt.dwAspect);
    return name;
}

void GetFormatNames(const CFormatEtcArray& formats, CStringArray& names)
{
    names.clear();
    for (const auto& fmt : formats)
        names.push_back(GetFormatEtcName(fmt));
}

std::wstring RegisteredFormatName(UINT cfFormat)
{
    if (cfFormat < 0xC000)
        return {};
    std::wstring name(kNameBufferChars, L'\0');
    const int length = ::GetClipboardFormatNameW(cfFormat, name.data(), kNameBufferChars);
    name.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return name;
}
