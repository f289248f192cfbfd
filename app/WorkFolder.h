// The working folder shared by every running instance: claimed under a named
// mutex at start, cleaned by the last instance to leave, and the one source
// of temporary file names.
#pragma once

#include "framework/Handles.h"

#include <string>

class CWorkFolder {
public:
    CWorkFolder() = default;
    virtual ~CWorkFolder() { Release(); }
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;

    // The user's TEMP folder, or the system's temporary path when TEMP is unset or empty.
    static std::wstring GetTempRoot();

    // Creates the folder under `tempRoot` and opens this instance's marker on it.
    // False when the mutex or the marker could not be had.
    bool Claim(const std::wstring& tempRoot);
    // Closes the marker; the last instance to do so empties and removes the folder.
    void Release();

    // Creates a new empty file in the folder and returns its path; empty on failure.
    std::wstring MakeTempFileName() const;
    // The same file left open for writing, its path in `path`; an invalid
    // handle and an empty path on failure. Never an existing file: a name
    // taken already is drawn again.
    CFileHandle CreateTempFile(std::wstring& path) const;

    std::wstring m_strWorkDir;
    std::wstring m_strCheckFile;

protected:
    // The random part of a name; tests narrow it so that names collide.
    virtual unsigned int DrawNamePart() const;

private:
    void RemoveTempFiles() const;

    // Held open without delete sharing: deleting the marker succeeds only for
    // the last instance that closes it.
    CFileHandle m_hCheckFile;
};

// Both the folder's name and the mutex that guards it.
inline constexpr wchar_t kWorkFolderName[] = L"{F60B5956-6986-4CEF-9737-34DAA74A5C1E}";
