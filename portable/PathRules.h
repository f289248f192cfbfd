// How Windows reads the paths and names that a block hands over, judged by
// their ASCII characters only, so that UTF-16 text and ANSI bytes of any code
// page go by the same rules.
#pragma once

#include <string_view>

// The first rule a name breaks when a target creates it under its own
// folder: '\' and '/' separate subfolders, which are allowed.
enum class NameFault {
    None,
    Empty,
    Absolute,    // starts with a separator: the root of a drive, or a server
    Drive,       // "C:" and the like
    Characters,  // < > : " | ? * or a control character
    Parent,      // a ".." component
    Device,      // CON, PRN, AUX, NUL, COM1-9 or LPT1-9, with or without an extension
    Trailing,    // a component ending with a dot or a space, which Windows drops
};

// Whether Windows opens a device for this part of a path: CON, PRN, AUX,
// NUL, COM1 to COM9 or LPT1 to LPT9 in any case, whatever the extension and
// the blanks before it.
bool IsDeviceName(std::string_view component);

NameFault FindNameFault(std::u16string_view name);
// A byte from 0x80 up is taken with the byte after it as one character, so
// that the trail byte of a double-byte code page is never read as ASCII.
NameFault FindNameFault(std::string_view ansiName);

// "X:\..." or "\\server\...", with '\' or '/'.
bool IsAbsolutePath(std::u16string_view path);
bool IsAbsolutePath(std::string_view ansiPath);
