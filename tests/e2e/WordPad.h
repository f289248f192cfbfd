// Wine's WordPad, started with an empty document and ended without saving
// it: a real program that pastes and copies rich text.
#pragma once

#include "framework/Handles.h"

#include <string>

class CWordPad {
public:
    CWordPad();
    ~CWordPad();

    HWND Editor() const { return m_editor; }
    // WordPad's own paste; false when it does not answer in time.
    bool Paste() const;
    // Puts `rtf` in the document and copies all of it as WordPad does.
    bool CopyRichText(const std::string& rtf) const;
    std::wstring Text() const;

private:
    static BOOL CALLBACK FindEditor(HWND window, LPARAM editor);
    bool Send(UINT msg, WPARAM wParam, LPARAM lParam) const;

    CHandle m_process;
    HWND m_editor = nullptr;
};
