// Makes the README's pictures: starts Plexa.exe, pastes a clipboard as a
// person would have it after copying a picture from a web page and an
// e-mail attachment, shows each page and both dialogs, and saves each
// window as it appears on the screen into the folder given, with Plexa's
// interface in Japanese (ja) or English (en; the pictures' names end in
// "-en"). With a DPI and a name, it saves only the window after the paste,
// at that scale (the one Wine was started with), under that name.
//   readme_screenshots.exe FOLDER ja|en [DPI NAME]
#include "capture/ClipboardCapture.h"
#include "common/SettingsNames.h"
#include "e2e/PlexaWindow.h"
#include "e2e/RemoteControls.h"
#include "e2e/SampleSources.h"
#include "e2e/UserInput.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Resource.h"
#include "framework/ScopedOle.h"
#include "res/resource.h"
#include "support/DialogCaption.h"
#include "support/PlexaProcess.h"
#include "support/SnapshotOfSource.h"
#include "support/TempDir.h"
#include "support/TestDataObject.h"
#include "support/TestPictures.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Plexa\\Plexa";
constexpr RECT kFrameRect{40, 40, 1000, 680};
constexpr DWORD kSettleMs = 800;
// Tabs stand in the order プロパティ, HEX, テキスト, 画像, then チェック when there are findings.
constexpr int kHexTab = 1;
constexpr int kTextTab = 2;
constexpr int kChecksTab = 4;

CLIPFORMAT Registered(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

// A small drawing of the kind people copy from a web page.
std::string DemoPng()
{
    Gdiplus::Bitmap bitmap(240, 150, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Gdiplus::LinearGradientBrush sky(Gdiplus::Point(0, 0), Gdiplus::Point(0, 150),
                                           Gdiplus::Color(255, 90, 150, 230), Gdiplus::Color(255, 220, 235, 250));
    graphics.FillRectangle(&sky, 0, 0, 240, 150);
    const Gdiplus::SolidBrush sun(Gdiplus::Color(255, 255, 200, 60));
    graphics.FillEllipse(&sun, 160, 20, 50, 50);
    const Gdiplus::SolidBrush hill(Gdiplus::Color(255, 60, 140, 80));
    graphics.FillEllipse(&hill, -60, 100, 240, 120);
    const Gdiplus::SolidBrush farHill(Gdiplus::Color(200, 40, 110, 70));
    graphics.FillEllipse(&farHill, 100, 110, 220, 100);
    return EncodePicture(bitmap, L"image/png");
}

CBytes FileGroupW(const std::vector<std::pair<std::wstring, std::string>>& files)
{
    CBytes bytes(sizeof(UINT) + files.size() * sizeof(FILEDESCRIPTORW), 0);
    const UINT count = static_cast<UINT>(files.size());
    std::memcpy(bytes.data(), &count, sizeof(count));
    for (size_t i = 0; i < files.size(); ++i) {
        FILEDESCRIPTORW descriptor{};
        descriptor.dwFlags = FD_FILESIZE | FD_WRITESTIME | FD_UNICODE;
        descriptor.nFileSizeLow = static_cast<DWORD>(files[i].second.size());
        ::GetSystemTimeAsFileTime(&descriptor.ftLastWriteTime);
        files[i].first.copy(descriptor.cFileName, MAX_PATH - 1);
        std::memcpy(bytes.data() + sizeof(UINT) + i * sizeof(descriptor), &descriptor, sizeof(descriptor));
    }
    return bytes;
}

CComPtr<CTestDataObject> MakeDemoClipboard()
{
    using namespace std::string_view_literals;
    const std::string utf8Caption = "\xE5\xA4\x9C\xE6\xA1\x9C\xE3\x81\xAE\xE5\x86\x99\xE7\x9C\x9F";  // 夜桜の写真
    const std::vector<std::pair<std::wstring, std::string>> attachments{
        {L"お花見の案内.txt", "4月5日(土) 10:00 上野公園\r\n"},
        {L"地図.png", DemoPng()},
    };
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"夜桜の写真\r\nhttps://example.jp/blog/hanami.html\0"sv)));
    source->Offer({.cf = Registered(L"HTML Format")},
                  CTestMedium::Global(BytesOf(std::string_view(HtmlFormatBlock(
                      "<p><img src=\"hanami.png\" alt=\"\"><br>" + utf8Caption + "</p>")))));
    source->Offer({.cf = Registered(L"PNG")}, CTestMedium::Global(BytesOf(std::string_view(DemoPng()))));
    source->Offer({.cf = Registered(CFSTR_FILEDESCRIPTORW)}, CTestMedium::Global(FileGroupW(attachments)));
    auto& contents = source->Offer({.cf = Registered(CFSTR_FILECONTENTS), .tymed = TYMED_HGLOBAL | TYMED_ISTREAM});
    for (size_t i = 0; i < attachments.size(); ++i)
        contents.At(static_cast<LONG>(i), CTestMedium::Stream(BytesOf(std::string_view(attachments[i].second))));
    return source;
}

// A program's copy whose "HTML Format" counts its offsets in characters:
// Word pastes it, mail programs that go by the offsets cut it short.
CComPtr<CTestDataObject> MakeBrokenHtmlClipboard()
{
    const std::string utf8Caption = "\xE5\xA4\x9C\xE6\xA1\x9C\xE3\x81\xAE\xE5\x86\x99\xE7\x9C\x9F";  // 夜桜の写真
    auto source = CTestDataObject::Create();
    source->Offer({.cf = Registered(L"HTML Format")},
                  CTestMedium::Global(BytesOf(std::string_view(HtmlFormatBlock("<p><b>" + utf8Caption + "</b></p>", true)))));
    return source;
}

// Saves what the screen shows of `window` (its frame included) as a PNG file.
bool SaveWindowPicture(HWND window, const std::wstring& path)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    const CClientDC screen(nullptr);
    const CBitmapHandle bitmap(::CreateCompatibleBitmap(screen, cx, cy));
    {
        const CMemoryDC memory(::CreateCompatibleDC(screen));
        const CSelectObject select(memory, bitmap);
        ::BitBlt(memory, 0, 0, cx, cy, screen, rect.left, rect.top, SRCCOPY);
    }
    std::string png;
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        png = EncodePicture(picture, L"image/png");
    }
    if (png.empty())
        return false;
    WriteFileBytes(path, png);
    return true;
}

// "-en" before the extension of an English picture's name.
std::wstring PictureName(const wchar_t* name)
{
    std::wstring picture = name;
    if (GetUiLanguage() == kEnglishUi)
        picture.insert(picture.rfind(L'.'), L"-en");
    return picture;
}

bool Save(HWND window, const std::wstring& folder, const wchar_t* name)
{
    PumpMessagesFor(kSettleMs);
    const std::wstring picture = PictureName(name);
    const bool saved = SaveWindowPicture(window, folder + L"\\" + picture);
    std::fwprintf(stderr, L"%ls %ls\n", saved ? L"saved" : L"FAILED", picture.c_str());
    return saved;
}

// Plexa in the language of these pictures.
std::wstring LanguageArgument()
{
    return GetUiLanguage() == kEnglishUi ? L"/lang en" : L"/lang ja";
}

HTREEITEM FindNode(const CPlexaWindow& plexa, const std::wstring& label)
{
    const std::vector<CRemoteTreeItem> roots = ReadRemoteTree(plexa.Tree());
    if (roots.size() != 1)
        return nullptr;
    for (const CRemoteTreeItem& node : roots[0].children)
        if (node.text == label)
            return node.handle;
    return nullptr;
}

bool ShowNode(const CPlexaWindow& plexa, const std::wstring& label)
{
    HTREEITEM node = FindNode(plexa, label);
    return node && TreeView_SelectItem(plexa.Tree(), node);
}

// The root, whose page names the clipboard's owner before the formats.
bool ShowRoot(const CPlexaWindow& plexa)
{
    const std::vector<CRemoteTreeItem> roots = ReadRemoteTree(plexa.Tree());
    return roots.size() == 1 && TreeView_SelectItem(plexa.Tree(), roots[0].handle);
}

// The first virtual file, under the FileContents node opened for it.
bool ShowFirstVirtualFile(const CPlexaWindow& plexa)
{
    const HTREEITEM contents = FindNode(plexa, L"CFSTR_FILECONTENTS");
    if (!contents || !TreeView_Expand(plexa.Tree(), contents, TVE_EXPAND))
        return false;
    const HTREEITEM first = TreeView_GetChild(plexa.Tree(), contents);
    return first && TreeView_SelectItem(plexa.Tree(), first);
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

// The dialog box process `processId` shows, once it appears; null after 10 s.
HWND WaitForDialog(DWORD processId)
{
    DialogSearch search{processId, nullptr};
    for (int tries = 0; tries < 500 && !search.found; ++tries) {
        PumpMessagesFor(20);
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<DialogSearch*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (owner != s->processId || !::IsWindowVisible(window) || std::wcscmp(name, L"#32770") != 0)
                    return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

bool SaveDialog(const CPlexaWindow& plexa, UINT command, const std::wstring& folder, const wchar_t* name)
{
    ::PostMessageW(plexa.Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND dialog = WaitForDialog(plexa.ProcessId());
    if (!dialog)
        return false;
    const bool saved = Save(dialog, folder, name);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    PumpMessagesFor(kSettleMs);
    return saved;
}

// Where Plexa opens: its own saved placement, in pixels at the scale given.
void PlaceFrame(int dpi)
{
    const std::wstring frame = std::wstring(kSettingsKey) + L"\\" + settings::kFrameSection;
    registry::WriteInt(frame, settings::kInitialized, 1);
    registry::WriteInt(frame, settings::kLeft, ::MulDiv(kFrameRect.left, dpi, 96));
    registry::WriteInt(frame, settings::kTop, ::MulDiv(kFrameRect.top, dpi, 96));
    registry::WriteInt(frame, settings::kRight, ::MulDiv(kFrameRect.right, dpi, 96));
    registry::WriteInt(frame, settings::kBottom, ::MulDiv(kFrameRect.bottom, dpi, 96));
}

// The whole snapshot put back on the clipboard, and this program pasting it
// as an editor does: the log window lists what it asked for.
bool MakeReplayLogPicture(const CPlexaWindow& plexa, const std::wstring& folder)
{
    if (!ShowRoot(plexa) || !plexa.RunCommand(ID_REPLAY_TO_CLIPBOARD))
        return false;
    CComPtr<IDataObject> clipboard;
    if (FAILED(::OleGetClipboard(&clipboard)))
        return false;
    const auto html = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HTML Format"));
    for (const FORMATETC& asked : {FORMATETC{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                                   FORMATETC{html, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                                   FORMATETC{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}}) {
        FORMATETC format = asked;
        if (clipboard->QueryGetData(&format) != S_OK)
            continue;
        STGMEDIUM medium{};
        if (SUCCEEDED(clipboard->GetData(&format, &medium)))
            ::ReleaseStgMedium(&medium);
    }
    clipboard.Reset();
    PumpMessagesFor(kSettleMs);
    const HWND log = ::FindWindowW(L"#32770", DialogCaption(IDD_REPLAY_LOG, GetUiLanguage()).c_str());
    return log && Save(log, folder, L"plexa-replay-log.png");
}

// The broken "HTML Format" pasted, on its checks page.
bool MakeChecksPicture(const CPlexaWindow& plexa, const std::wstring& folder)
{
    const auto source = MakeBrokenHtmlClipboard();
    const CClipboardSource clipboard(source);
    return clipboard.Result() == S_OK && plexa.RunCommand(ID_EDIT_PASTE) && ShowNode(plexa, L"\"HTML Format\"") &&
           plexa.ClickPageTab(kChecksTab) && Save(plexa.Frame(), folder, L"plexa-checks.png");
}

// The same clipboard kept as a snapshot file and opened by a new Plexa from
// its command line: the root shows the owner and formats it was taken with.
bool MakeSnapshotPicture(const CTempDir& temp, IDataObject* source, const std::wstring& folder)
{
    const std::wstring path = temp / L"デモ.plexa";
    const std::wstring title = ClipboardSnapshotTitle(::GetClipboardSequenceNumber());
    if (SaveSnapshotOf(source, title, path).empty())
        return false;
    CPlexaProcess process(temp.Path(), LanguageArgument() + L" \"" + path + L"\"");
    const HWND frame = process.WaitForMainWindow();
    if (!frame)
        return false;
    const CPlexaWindow plexa(frame);
    for (int tries = 0; tries < 200 && ReadRemoteTree(plexa.Tree()).empty(); ++tries)
        PumpMessagesFor(50);
    const bool ok = ShowRoot(plexa) && Save(frame, folder, L"plexa-snapshot.png");
    return process.Close() == 0 && ok;
}

bool MakePictures(const std::wstring& folder, int dpi, const wchar_t* onlyMain)
{
    PlaceFrame(dpi);
    CTempDir temp;
    CPlexaProcess process(temp.Path(), LanguageArgument());
    const HWND frame = process.WaitForMainWindow();
    if (!frame)
        return false;
    const CPlexaWindow plexa(frame);
    const auto source = MakeDemoClipboard();
    const CClipboardSource clipboard(source);
    if (clipboard.Result() != S_OK || !plexa.RunCommand(ID_EDIT_PASTE))
        return false;

    bool ok = ShowNode(plexa, L"CFSTR_FILEDESCRIPTORW") && Save(frame, folder, onlyMain ? onlyMain : L"plexa-after-paste.png");
    if (onlyMain)
        return process.Close() == 0 && ok;
    ok = ShowRoot(plexa) && Save(frame, folder, L"plexa-owner.png") && ok;
    ok = ShowFirstVirtualFile(plexa) && plexa.ClickPageTab(kTextTab) && Save(frame, folder, L"plexa-virtual-file.png") &&
         ok;
    ok = ShowNode(plexa, L"\"HTML Format\"") && Save(frame, folder, L"plexa-text.png") && ok;
    ok = ShowNode(plexa, L"\"PNG\"") && Save(frame, folder, L"plexa-picture.png") && ok;
    ok = plexa.ClickPageTab(kHexTab) && Save(frame, folder, L"plexa-hex.png") && ok;
    ok = SaveDialog(plexa, ID_SETTINGS, folder, L"plexa-settings.png") && ok;
    ok = SaveDialog(plexa, ID_APP_ABOUT, folder, L"plexa-about.png") && ok;
    ok = MakeReplayLogPicture(plexa, folder) && ok;
    ok = MakeChecksPicture(plexa, folder) && ok;
    ok = process.Close() == 0 && ok;
    return MakeSnapshotPicture(temp, source, folder) && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool english = argc >= 3 && std::wcscmp(argv[2], L"en") == 0;
    if ((argc != 3 && argc != 5) || (!english && std::wcscmp(argv[2], L"ja") != 0)) {
        std::fwprintf(stderr, L"usage: readme_screenshots.exe FOLDER ja|en [DPI NAME]\n");
        return 2;
    }
    SetUiLanguage(english ? kEnglishUi : kJapaneseUi);
    const int dpi = argc == 5 ? _wtoi(argv[3]) : 96;
    const wchar_t* onlyMain = argc == 5 ? argv[4] : nullptr;
    // Screen pixels as they are, not scaled for a program that knows no DPI.
    ::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    const CScopedGdiPlus gdiplus;
    const CScopedOle ole;
    // A fresh start, as a new user sees it, and nothing left behind.
    ClearPlexaSettings();
    const bool made = dpi > 0 && MakePictures(argv[1], dpi, onlyMain);
    ClearPlexaSettings();
    return made ? 0 : 1;
}
