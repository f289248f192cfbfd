// Data that real programs put on the clipboard gives no error finding: X11
// programs' text, HTML and pictures through Wine's bridge, the shell's copied files and the capture suite's every-kind source
// (but for its failures on purpose), each read by `/dump /json` as a script
// reads it. WordPad's rich text is ReplayTest's, beside its other WordPad journey.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "UserInput.h"
#include "UnixPrograms.h"
#include "framework/Utf8.h"
#include "support/EveryKindOfSource.h"

#include <nlohmann/json.hpp>
#include <shlobj.h>

#include <functional>
#include <memory>

namespace {

// A GTK program holding text or a picture on the X clipboard until another
// program takes it, or writing that picture as a PNG file, whole once it is there.
constexpr char kGtkClipboard[] = R"(import os, sys, gi
gi.require_version("Gdk", "3.0")
gi.require_version("GdkPixbuf", "2.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GdkPixbuf, GLib, Gtk
kind, arg = sys.argv[1], sys.argv[2]
picture = GdkPixbuf.Pixbuf.new(GdkPixbuf.Colorspace.RGB, True, 8, 24, 16)
picture.fill(0x3366CC80)
if kind == "png":
    picture.savev(arg + ".part", "png", [], [])
    os.replace(arg + ".part", arg)
    sys.exit(0)
clipboard = Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD)
if kind == "text":
    clipboard.set_text(arg, -1)
else:
    clipboard.set_image(picture)
clipboard.connect("owner-change", lambda board, event: event.owner is None and Gtk.main_quit())
GLib.timeout_add_seconds(120, Gtk.main_quit)
Gtk.main()
)";

struct RealSource {
    const char* name;
    const wchar_t* format;  // a registered format its data comes as; null for CF_UNICODETEXT
    // Puts the data on the clipboard; what it returns holds it there.
    std::function<std::shared_ptr<void>(const std::wstring& folder)> put;
    // The every-kind source's formats that fail on purpose, and its refused third virtual file.
    bool failsOnPurpose = false;
};

std::shared_ptr<void> Xclip(const std::wstring& folder, const char* target, const std::string& bytes)
{
    const std::wstring file = folder + L"\\xclip.in";
    WriteFileBytes(file, bytes);
    return std::make_shared<CUnixProgram>(std::string("/usr/bin/xclip -quiet -selection clipboard -t ") + target +
                                          " -i \"" + UnixPathOf(file) + "\"");
}

std::string GtkScript(const std::wstring& folder)
{
    WriteFileBytes(folder + L"\\gtk_clipboard.py", kGtkClipboard);
    return "/usr/bin/python3 \"" + UnixPathOf(folder + L"\\gtk_clipboard.py") + "\" ";
}

// The data object the shell itself makes for copied files, as Explorer's Copy puts it on the clipboard.
std::shared_ptr<void> ShellCopiedFiles(const std::wstring& folder)
{
    for (const wchar_t* name : {L"\\one.txt", L"\\two.txt"})
        WriteFileBytes(folder + name, "copied");
    CComPtr<IShellFolder> parent;
    PIDLIST_ABSOLUTE folderList = ::ILCreateFromPathW(folder.c_str());
    ::SHBindToObject(nullptr, folderList, nullptr, IID_PPV_ARGS(&parent));
    ::ILFree(folderList);
    std::vector<PITEMID_CHILD> items;
    for (const wchar_t* name : {L"one.txt", L"two.txt"}) {
        PIDLIST_RELATIVE item = nullptr;
        if (parent && SUCCEEDED(parent->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(name), nullptr,
                                                         &item, nullptr)))
            items.push_back(static_cast<PITEMID_CHILD>(item));
    }
    CComPtr<IDataObject> files;
    if (parent && items.size() == 2)
        parent->GetUIObjectOf(nullptr, 2, const_cast<PCUITEMID_CHILD_ARRAY>(items.data()), IID_IDataObject, nullptr,
                              reinterpret_cast<void**>(&files));
    for (PITEMID_CHILD item : items)
        ::ILFree(item);
    return files ? std::make_shared<CClipboardSource>(files) : nullptr;
}

const RealSource kRealSources[] = {
    {"xclip UTF8_STRING", nullptr,
     [](const std::wstring& folder) { return Xclip(folder, "UTF8_STRING", "X11 text, ünïcödé\n"); }},
    {"xclip text/html", L"HTML Format",
     [](const std::wstring& folder) { return Xclip(folder, "text/html", "<b>bold</b> and <i>ünïcödé</i>"); }},
    {"xclip image/png", L"PNG",
     [](const std::wstring& folder) -> std::shared_ptr<void> {
         const std::wstring png = folder + L"\\picture.png";
         if (!StartUnixProgram(GtkScript(folder) + "png \"" + UnixPathOf(png) + "\"") || !WaitForFile(png))
             return nullptr;
         return Xclip(folder, "image/png", ReadFileBytes(png));
     }},
    {"GTK text", nullptr,
     [](const std::wstring& folder) {
         return std::make_shared<CUnixProgram>(GtkScript(folder) + "text \"GTK text\"");
     }},
    {"GTK picture", L"PNG",
     [](const std::wstring& folder) { return std::make_shared<CUnixProgram>(GtkScript(folder) + "image none"); }},
    {"the shell's copied files", L"Shell IDList Array", ShellCopiedFiles},
    {"the every-kind source", L"Plexa Test Format",
     [](const std::wstring& folder) { return std::make_shared<CClipboardSource>(EveryKindOfSource(folder)); }, true},
};

bool WaitForFormat(const wchar_t* name)
{
    const UINT format = name ? ::RegisterClipboardFormatW(name) : CF_UNICODETEXT;
    for (int tries = 0; tries < 150; ++tries) {
        if (::IsClipboardFormatAvailable(format))
            return true;
        PumpMessagesFor(100);
    }
    return false;
}

class RealDataChecksTest : public PlexaSession, public testing::WithParamInterface<RealSource> {
protected:
    // The findings `/dump /json` prints for what the clipboard holds now.
    nlohmann::json DumpFindings()
    {
        CPlexaCommand dump(m_temp.Path(), L"/dump \"" + (m_temp / L"dump") + L"\" /json");
        EXPECT_EQ(dump.Wait(), 0) << dump.Err();
        const auto result = nlohmann::json::parse(dump.Out(), nullptr, false);
        return result.is_object() ? result["findings"] : nlohmann::json();
    }
};

}  // namespace

TEST_P(RealDataChecksTest, GivesNoErrorFinding)
{
    const CTempDir folder;
    const std::shared_ptr<void> held = GetParam().put(folder.Path());
    ASSERT_TRUE(held) << "the source could not be started";
    ASSERT_TRUE(WaitForFormat(GetParam().format)) << "the clipboard never held the source's data";
    const nlohmann::json findings = DumpFindings();
    ASSERT_TRUE(findings.is_array());
    int failures = 0;
    for (const auto& finding : findings) {
        if (finding["severity"] != "error")
            continue;
        ++failures;
        const bool refusedFile = finding["id"] == "filegroup.contents-missing" && finding["values"][0] == "2";
        EXPECT_TRUE(GetParam().failsOnPurpose && (finding["id"] == "capture.error" || refusedFile)) << finding.dump();
    }
    EXPECT_EQ(failures > 0, GetParam().failsOnPurpose);
}

INSTANTIATE_TEST_SUITE_P(RealPrograms, RealDataChecksTest, testing::ValuesIn(kRealSources),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase_if(name, [](char c) { return !isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });
