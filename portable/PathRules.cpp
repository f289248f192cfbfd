#include "portable/PathRules.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Names are judged by their ASCII characters; every other character stands
// for itself only in not being ASCII.
constexpr char kOther = '\x80';

std::string AsciiView(std::u16string_view text)
{
    std::string ascii(text.size(), kOther);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] < 0x80)
            ascii[i] = static_cast<char>(text[i]);
    return ascii;
}

std::string AsciiView(std::string_view ansi)
{
    std::string ascii;
    for (size_t i = 0; i < ansi.size(); ++i) {
        const bool single = static_cast<unsigned char>(ansi[i]) < 0x80;
        ascii.push_back(single ? ansi[i] : kOther);
        if (!single)
            ++i;
    }
    return ascii;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsRefused(char c)
{
    return (c >= 1 && c <= 31) || std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

NameFault ComponentFault(std::string_view component)
{
    if (component == "..")
        return NameFault::Parent;
    if (IsDeviceName(component))
        return NameFault::Device;
    if (component.back() == '.' || component.back() == ' ')
        return NameFault::Trailing;
    return NameFault::None;
}

NameFault AsciiNameFault(std::string_view name)
{
    if (name.empty())
        return NameFault::Empty;
    if (IsSeparator(name[0]))
        return NameFault::Absolute;
    if (name.size() >= 2 && IsLetter(name[0]) && name[1] == ':')
        return NameFault::Drive;
    if (std::ranges::any_of(name, IsRefused))
        return NameFault::Characters;
    for (size_t start = 0; start <= name.size();) {
        const size_t end = std::min(name.find_first_of("\\/", start), name.size());
        if (end > start)
            if (const NameFault fault = ComponentFault(name.substr(start, end - start)); fault != NameFault::None)
                return fault;
        start = end + 1;
    }
    return NameFault::None;
}

bool IsAsciiAbsolutePath(std::string_view path)
{
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]))
        return true;
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

} // namespace

bool IsDeviceName(std::string_view component)
{
    std::string_view stem = component.substr(0, component.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    if (stem.size() > 4)
        return false;
    std::string upper(stem);
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    static constexpr std::array<std::string_view, 4> kNames{"CON", "PRN", "AUX", "NUL"};
    if (std::ranges::find(kNames, upper) != kNames.end())
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

NameFault FindNameFault(std::u16string_view name)
{
    return AsciiNameFault(AsciiView(name));
}

NameFault FindNameFault(std::string_view ansiName)
{
    return AsciiNameFault(AsciiView(ansiName));
}

bool IsAbsolutePath(std::u16string_view path)
{
    return IsAsciiAbsolutePath(AsciiView(path));
}

bool IsAbsolutePath(std::string_view ansiPath)
{
    return IsAsciiAbsolutePath(AsciiView(ansiPath));
}
