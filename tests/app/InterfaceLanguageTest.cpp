// Both interface languages are whole: every text, menu and dialog exists in
// Japanese and in English, and every dialog's controls hold their text in
// the dialog's own font.
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr LANGID kLanguages[] = {kJapaneseUi, kEnglishUi};

std::string LanguageName(LANGID language)
{
    return language == kJapaneseUi ? "Japanese" : "English";
}

std::vector<UINT> ResourceIds(const wchar_t* type)
{
    std::vector<UINT> ids;
    ::EnumResourceNamesW(
        nullptr, type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<UINT>*>(param)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// Every text id of the string table in `language`.
std::set<UINT> TextIds(LANGID language)
{
    std::set<UINT> ids;
    for (const UINT block : ResourceIds(RT_STRING)) {
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            if (!LoadResStringIn(id, language).empty())
                ids.insert(id);
        }
    }
    return ids;
}

// The text ids the code can use: every IDS_ define of the headers that hold them.
std::vector<std::pair<std::string, UINT>> DefinedTextIds()
{
    std::vector<std::pair<std::string, UINT>> ids;
    const std::regex define(R"(^\s*#define\s+(IDS_\w+)\s+(\d+))");
    for (const char* header : {"framework/FrameworkIds.h", "res/resource.h", "res/strings/capture.h",
                               "res/strings/viewers.h", "res/strings/ui.h", "res/strings/app.h",
                               "res/strings/checks_text.h", "res/strings/checks_binary.h"}) {
        std::ifstream in(std::string("Z:") + PLEXA_SOURCE_DIR + "/" + header);
        EXPECT_TRUE(in) << header;
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, define))
                ids.emplace_back(match[1], static_cast<UINT>(std::stoul(match[2])));
        }
    }
    return ids;
}

// The printf conversions of a text in order, each as the arguments it takes:
// a '*' for a width or precision given as one, the length and the letter.
std::vector<std::wstring> Conversions(const std::wstring& text)
{
    static const std::wregex conversion(LR"(%(%|[-+ #0]*(\*?)\d*(?:\.(\*?)\d*)?([hlLjzt]*[a-zA-Z])))");
    std::vector<std::wstring> found;
    for (std::wsregex_iterator match(text.begin(), text.end(), conversion), end; match != end; ++match) {
        if ((*match)[1] != L"%")
            found.push_back((*match)[2].str() + (*match)[3].str() + (*match)[4].str());
    }
    return found;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

bool IsClass(HWND window, const wchar_t* name)
{
    wchar_t className[32]{};
    ::GetClassNameW(window, className, 32);
    return ::lstrcmpiW(className, name) == 0;
}

// The width a control leaves its text: all of a static's, a push button's
// less its frame, a check box's or radio button's less its box.
std::optional<int> TextRoom(HWND control, int width)
{
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    if (IsClass(control, L"Static")) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE)
            return width;
    } else if (IsClass(control, L"Button")) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return width - 2 * (::GetSystemMetrics(SM_CXEDGE) + 2);
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return width - ::GetSystemMetrics(SM_CXMENUCHECK) - 3;
        }
    }
    return std::nullopt;
}

// What of each control's text its window cannot show, measured with the control's font.
std::vector<std::string> Overflows(HWND dialog)
{
    std::vector<std::string> overflows;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        wchar_t text[512]{};
        ::GetWindowTextW(control, text, 512);
        RECT client;
        ::GetClientRect(control, &client);
        const std::optional<int> room = TextRoom(control, client.right);
        if (!*text || !room)
            continue;
        const HDC dc = ::GetDC(control);
        const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, *room, 0};
        // A static wraps its words and a button does not; either must keep its last line inside.
        const bool wraps = IsClass(control, L"Static") && (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
        ::DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        ::SelectObject(dc, old);
        ::ReleaseDC(control, dc);
        if (needed.right > *room || needed.bottom > client.bottom) {
            char utf8[1024]{};
            ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
            overflows.push_back("control " + std::to_string(::GetDlgCtrlID(control)) + " \"" + utf8 + "\" needs " +
                                std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + ", has " +
                                std::to_string(*room) + " x " + std::to_string(client.bottom));
        }
    }
    return overflows;
}

}  // namespace

TEST(InterfaceLanguage, EveryDialogsControlsHoldTheirTextInBothLanguages)
{
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    for (const UINT id : ResourceIds(RT_DIALOG)) {
        for (const LANGID language : kLanguages) {
            SCOPED_TRACE(testing::Message() << "dialog " << id << " in " << LanguageName(language));
            const auto bytes = FindResourceBytesIn(id, RT_DIALOG, language);
            const HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                                             reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), parent,
                                                             PlainDialogProc, 0);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(Overflows(dialog), std::vector<std::string>{});
            ::DestroyWindow(dialog);
        }
    }
    ::DestroyWindow(parent);
}

TEST(InterfaceLanguage, EveryTextIdTheCodeCanUseHasATextInBothLanguages)
{
    const auto defined = DefinedTextIds();
    ASSERT_GT(defined.size(), 5u);
    for (const auto& [name, id] : defined) {
        for (const LANGID language : kLanguages)
            EXPECT_FALSE(LoadResStringIn(id, language).empty()) << name << " in " << LanguageName(language);
    }
    EXPECT_EQ(TextIds(kJapaneseUi), TextIds(kEnglishUi)) << "the two string tables hold the same ids";
}

TEST(InterfaceLanguage, EveryTextTakesTheSameArgumentsInBothLanguages)
{
    const std::set<UINT> ids = TextIds(kJapaneseUi);
    ASSERT_GT(ids.size(), 5u);
    for (const UINT id : ids)
        EXPECT_EQ(Conversions(LoadResStringIn(id, kJapaneseUi)), Conversions(LoadResStringIn(id, kEnglishUi))) << id;
}

TEST(InterfaceLanguage, EveryMenuDialogAndDialogListIsTranslated)
{
    for (const LPCWSTR type : std::initializer_list<LPCWSTR>{RT_MENU, RT_DIALOG, MAKEINTRESOURCEW(RT_DLGINIT)}) {
        const std::vector<UINT> ids = ResourceIds(type);
        EXPECT_FALSE(ids.empty());
        for (const UINT id : ids) {
            for (const LANGID language : kLanguages)
                EXPECT_FALSE(FindResourceBytesIn(id, type, language).empty()) << id << " in " << LanguageName(language);
        }
    }
}
