// Plexa.exe's commands run as a script runs them: no window, lines on
// standard error, the result on standard output, and the exit status.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "UnixPrograms.h"
#include "app/LoadEndRequests.h"
#include "app/WorkFolder.h"
#include "capture/ClipboardPrivacy.h"
#include "capture/SnapshotSource.h"
#include "common/Version.h"
#include "framework/Format.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/app.h"
#include "support/ClipboardRead.h"
#include "support/EveryKindOfSource.h"
#include "support/SnapshotOfSource.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

class CommandLineTest : public PlexaSession {
protected:
    // Runs Plexa.exe with `arguments` to its end.
    int Run(const std::wstring& arguments)
    {
        CPlexaCommand command(m_temp.Path(), arguments);
        const int status = command.Wait();
        m_out = command.Out();
        m_err = command.Err();
        return status;
    }

    std::wstring Quoted(const std::wstring& name) const { return L"\"" + (m_temp / name) + L"\""; }

    // The manifest of the snapshot file or dump folder `name`.
    SnapshotManifest ManifestOf(const std::wstring& name)
    {
        std::wstring error;
        const auto source = OpenSnapshotSource(m_temp / name, error);
        EXPECT_TRUE(source) << error;
        return source ? source->Manifest() : SnapshotManifest{};
    }

    std::string m_out;
    std::string m_err;
};

const ManifestNode* FindNode(const std::vector<ManifestNode>& nodes, const std::string& label)
{
    const auto found = std::find_if(nodes.begin(), nodes.end(), [&](const ManifestNode& n) { return n.label == label; });
    return found == nodes.end() ? nullptr : &*found;
}

bool IsOleOwnFormat(const std::string& label)
{
    return label == "\"DataObject\"" || label == "\"Ole Private Data\"" || label == "\"Wine Marshalled DataObject\"";
}

std::vector<std::string> LabelsOf(const std::vector<ManifestNode>& nodes)
{
    std::vector<std::string> labels;
    for (const ManifestNode& node : nodes)
        labels.push_back(node.label);
    return labels;
}

}

TEST_F(CommandLineTest, DumpWritesEveryKindOfFormatOnTheClipboardWithoutAWindow)
{
    const CTempDir dropped;
    const auto source = EveryKindOfSource(dropped.Path());
    const CClipboardSource clipboard(source);
    ASSERT_EQ(clipboard.Result(), S_OK);

    CPlexaCommand dump(m_temp.Path(), L"/dump " + Quoted(L"dump"));
    bool sawWindow = false;
    int status = -1;
    for (int tries = 0; tries < 600 && status < 0; ++tries) {
        sawWindow = sawWindow || FindMainWindowOf(dump.ProcessId()) != nullptr;
        status = dump.Wait(100);
    }
    EXPECT_EQ(status, 0) << dump.Err();
    EXPECT_FALSE(sawWindow);
    EXPECT_TRUE(dump.Out().starts_with(ToUtf8(m_temp / L"dump") + ": ")) << dump.Out();
    EXPECT_NE(dump.Err().find("] CF_UNICODETEXT"), std::string::npos) << "a progress line per format";

    const SnapshotManifest manifest = ManifestOf(L"dump");
    for (const char* label : {"CF_UNICODETEXT", "\"Plexa Test Format\"", "CF_BITMAP", "CF_HDROP"})
        EXPECT_TRUE(FindNode(manifest.nodes, label)) << label;
    // Through the clipboard a storage arrives as the bytes of its compound file.
    const ManifestNode* storage = FindNode(manifest.nodes, "49682");
    ASSERT_TRUE(storage);
    EXPECT_GT(storage->size, 0u);
    const ManifestNode* contents = FindNode(manifest.nodes, "CFSTR_FILECONTENTS");
    ASSERT_TRUE(contents && contents->children);
    EXPECT_EQ(LabelsOf(*contents->children), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    const ManifestNode* registered = FindNode(manifest.nodes, "\"Plexa Test Format\"");
    ASSERT_TRUE(registered);
    EXPECT_EQ(ReadFileBytes(m_temp / L"dump\\" + FromUtf8(registered->entry)), "registered");
}

TEST_F(CommandLineTest, AWindowThatIsRunningKeepsItsFilesWhileACommandRunsBesideIt)
{
    const CClipboardSample sample;
    const CPlexaWindow window = Start();
    ASSERT_TRUE(window.RunCommand(ID_EDIT_PASTE));
    const std::wstring workFolder = m_temp / kWorkFolderName;
    const std::vector<std::wstring> before = ListFolder(workFolder, L"*.cvtmp");
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(Run(L"/dump " + Quoted(L"dump")), 0) << m_err;
    EXPECT_EQ(ListFolder(workFolder, L"*.cvtmp"), before) << "the command took its own files and no others";
    EXPECT_EQ(Close(), 0);
}

TEST_F(CommandLineTest, DumpAsJsonPrintsTheManifestAndItsCounts)
{
    const CClipboardSample sample;
    ASSERT_EQ(Run(L"/dump " + Quoted(L"dump") + L" /json"), 0) << m_err;
    const auto result = nlohmann::json::parse(m_out);
    EXPECT_EQ(result["folder"], ToUtf8(m_temp / L"dump"));
    EXPECT_EQ(result["manifest"]["format"], "Plexa snapshot");
    EXPECT_EQ(result["formats"], result["manifest"]["nodes"].size());
    EXPECT_EQ(result["errors"], 0);
}

TEST_F(CommandLineTest, ASavedClipboardLoadedAgainIsServedUntilReplacedAndDumpsAsItWasSaved)
{
    const CTempDir dropped;
    {
        const auto source = EveryKindOfSource(dropped.Path());
        const CClipboardSource clipboard(source);
        ASSERT_EQ(Run(L"/save " + Quoted(L"every.plexa")), 0) << m_err;
    }
    CPlexaCommand load(m_temp.Path(), L"/load " + Quoted(L"every.plexa") + L" /hold 60");
    for (int tries = 0; tries < 200 && load.Out().empty(); ++tries)
        ::Sleep(50);
    const std::wstring set = LoadResString(IDS_LOAD_SET);
    ASSERT_NE(load.Out().find(ToUtf8(set.substr(set.rfind(L'%') + 2))), std::string::npos) << load.Err();
    EXPECT_EQ(FindMainWindowOf(load.ProcessId()), nullptr);

    ASSERT_EQ(Run(L"/dump " + Quoted(L"dump")), 0) << m_err;
    Run(L"/compare " + Quoted(L"every.plexa") + L" " + Quoted(L"dump") + L" /json");
    const auto comparison = nlohmann::json::parse(m_out);
    EXPECT_EQ(comparison["onlyInB"], nlohmann::json::array());
    // Only the formats whose capture had failed are not served again, and
    // Wine hands no palette to another process.
    const auto saved = nlohmann::json::parse(WriteManifest(ManifestOf(L"every.plexa")))["nodes"];
    for (const auto& label : comparison["onlyInA"]) {
        const auto node = std::find_if(saved.begin(), saved.end(), [&](const auto& n) { return n["label"] == label; });
        ASSERT_NE(node, saved.end()) << label;
        EXPECT_TRUE(label == "CF_PALETTE" || node->contains("errorRows")) << label;
    }
    // OLE's own formats name objects of the process that set the clipboard;
    // the system makes a CF_DIB of the bitmap when the one taken had failed.
    for (const auto& difference : comparison["different"])
        EXPECT_TRUE(difference["format"] == "CF_DIB" || IsOleOwnFormat(difference["format"])) << difference.dump();

    const CClipboardSample replacement;
    EXPECT_EQ(load.Wait(), 0);
    EXPECT_NE(load.Err().find(ToUtf8(LoadResString(IDS_LOAD_REPLACED))), std::string::npos) << load.Err();
}

namespace {

struct LoadEnding {
    const char* name;
    bool (*ask)(DWORD processId);  // false when the platform does not deliver it
};

class LoadEndingTest : public CommandLineTest, public testing::WithParamInterface<LoadEnding> {};

}

TEST_P(LoadEndingTest, EndsAtOnceLeavingTheDataOnTheClipboard)
{
    constexpr wchar_t kText[] = L"left behind";
    const auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(std::wstring_view(kText, std::size(kText)))));
    ASSERT_FALSE(SaveSnapshotOf(source, L"text", m_temp / L"text.plexa").empty());
    CPlexaCommand load(m_temp.Path(), L"/load " + Quoted(L"text.plexa") + L" /hold 60", CREATE_NEW_PROCESS_GROUP);
    for (int tries = 0; tries < 200 && load.Out().empty(); ++tries)
        ::Sleep(50);
    ASSERT_FALSE(load.Out().empty()) << load.Err();
    if (!GetParam().ask(load.ProcessId()))
        GTEST_SKIP() << "not delivered here, error " << ::GetLastError();
    EXPECT_EQ(load.Wait(10000), 0) << load.Err();
    EXPECT_EQ(ClipboardText(), kText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadEndingTest,
    testing::Values(
        LoadEnding{"CtrlBreak", [](DWORD process) { return ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, process) != 0; }},
        LoadEnding{"Close",
                   [](DWORD) { return ::PostMessageW(::FindWindowW(nullptr, kLoadWindowTitle), WM_CLOSE, 0, 0) != 0; }},
        LoadEnding{"LogOff",
                   [](DWORD) {
                       DWORD_PTR answer = 0;
                       return ::SendMessageTimeoutW(::FindWindowW(nullptr, kLoadWindowTitle), WM_ENDSESSION, TRUE,
                                                    ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLineTest, CompareSaysWhetherTwoSnapshotsMatchAndWhereTheyDiffer)
{
    const auto text = [](const std::wstring& value) {
        auto source = CTestDataObject::Create();
        source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(value)));
        source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("same")));
        return source;
    };
    ASSERT_FALSE(SaveSnapshotOf(text(L"abcdef"), L"a", m_temp / L"a.plexa").empty());
    ASSERT_FALSE(SaveSnapshotOf(text(L"abcdef"), L"b", m_temp / L"b.plexa").empty());
    ASSERT_FALSE(SaveSnapshotOf(text(L"abcXef"), L"c", m_temp / L"c.plexa").empty());

    EXPECT_EQ(Run(L"/compare " + Quoted(L"a.plexa") + L" " + Quoted(L"b.plexa")), 0) << m_err;
    EXPECT_NE(m_out.find(ToUtf8(LoadResString(IDS_SNAPSHOTS_EQUAL))), std::string::npos) << m_out;
    EXPECT_EQ(Run(L"/compare " + Quoted(L"a.plexa") + L" " + Quoted(L"c.plexa")), 1) << m_err;
    EXPECT_NE(m_out.find(ToUtf8(FormatResString(IDS_DIFFERENT_BYTES, L"CF_UNICODETEXT", 12ull, 12ull, 6ull))),
              std::string::npos)
        << m_out;
}

struct CommandFailure {
    const char* name;
    const wchar_t* arguments;  // "%T" stands for the test's folder
    int status;
    std::wstring (*message)();  // a part of standard error
};

class CommandFailureTest : public CommandLineTest, public testing::WithParamInterface<CommandFailure> {};

TEST_P(CommandFailureTest, EndsWithItsStatusAndMessage)
{
    WriteFileBytes(m_temp / L"hostile.plexa", "not an archive at all");
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    std::wstring arguments = GetParam().arguments;
    for (size_t at = arguments.find(L"%T"); at != std::wstring::npos; at = arguments.find(L"%T"))
        arguments.replace(at, 2, m_temp.Path());
    EXPECT_EQ(Run(arguments), GetParam().status);
    EXPECT_NE(m_err.find(ToUtf8(GetParam().message())), std::string::npos) << m_err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandFailureTest,
    testing::Values(
        CommandFailure{"MissingPath", L"/dump", 2, [] { return FormatResString(IDS_CMDLINE_PATH_COUNT, L"dump", 1u); }},
        CommandFailure{"UnknownOption", L"/dupm x", 2,
                       [] { return FormatResString(IDS_CMDLINE_UNKNOWN_OPTION, L"/dupm"); }},
        CommandFailure{"BadHold", L"/load x.plexa /hold soon", 2,
                       [] { return FormatResString(IDS_CMDLINE_HOLD_SECONDS, 24 * 60 * 60); }},
        CommandFailure{"MissingFile", L"/load \"%T\\missing.plexa\"", 2,
                       [] {
                           const std::wstring line = LoadResString(IDS_SNAPSHOT_CANNOT_OPEN_LINE);
                           return line.substr(0, line.find(L'%'));
                       }},
        CommandFailure{"HostileFile", L"/compare \"%T\\hostile.plexa\" \"%T\\hostile.plexa\"", 2,
                       [] { return std::wstring(L"ZIP"); }},
        CommandFailure{"EmptyClipboard", L"/save \"%T\\empty.plexa\"", 1,
                       [] { return LoadResString(IDS_CLIPBOARD_EMPTY); }},
        CommandFailure{"CheckTwoPaths", L"/check a b", 2,
                       [] { return FormatResString(IDS_CMDLINE_PATH_AT_MOST, L"check", 1u); }},
        CommandFailure{"CheckHostileFile", L"/check \"%T\\hostile.plexa\"", 2,
                       [] { return std::wstring(L"ZIP"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// What Python's json module reads of `json`, written to a file by a real
// Python beside Wine: whether it counts errors and whether `id` is among the findings.
std::string ReadByPython(const CTempDir& temp, const std::string& json, const char* id)
{
    WriteFileBytes(temp / L"check.json", json);
    const std::wstring answer = temp / L"python.txt";
    const std::string script = "import json, os, sys; d = json.load(open(sys.argv[1], encoding='utf-8')); "
                               "open(sys.argv[2] + '.part', 'w').write('%s %s' % (d['errors'] > 0, any(f['id'] == "
                               "sys.argv[3] for f in d['findings']))); os.replace(sys.argv[2] + '.part', sys.argv[2])";
    if (!StartUnixProgram("/usr/bin/python3 -c \"" + script + "\" \"" + UnixPathOf(temp / L"check.json") + "\" \"" +
                          UnixPathOf(answer) + "\" " + id) ||
        !WaitForFile(answer))
        return {};
    return ReadFileBytes(answer);
}

TEST_F(CommandLineTest, CheckEndsWithOneForErrorsOrWithStrictForWarningsWhereverTheSnapshotIs)
{
    const auto source = [](CLIPFORMAT format, const std::string& bytes) {
        auto data = CTestDataObject::Create();
        data->Offer({.cf = format}, CTestMedium::Global(CBytes(bytes.begin(), bytes.end())));
        return data;
    };
    const auto html = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HTML Format"));
    const auto effect = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Preferred DropEffect"));
    const std::string broken = HtmlFormatBlock("<b>\xE6\x97\xA5\xE6\x9C\xAC</b>", true);
    {
        const CClipboardSource clipboard(source(html, HtmlFormatBlock("<b>fine</b>")));
        EXPECT_EQ(Run(L"/check"), 0) << m_out;
    }
    {
        const CClipboardSource clipboard(source(effect, std::string("\x10\0\0\0", 4)));
        EXPECT_EQ(Run(L"/check"), 0) << "a warning passes";
        EXPECT_NE(m_out.find("warning\tdropeffect.value\t"), std::string::npos) << m_out;
        EXPECT_EQ(Run(L"/check /strict"), 1) << "unless strict";
    }
    {
        const CClipboardSource clipboard(source(html, broken));
        ASSERT_EQ(Run(L"/check /json"), 1);
        EXPECT_EQ(ReadByPython(m_temp, m_out, "html.character-offsets"), "True True");
        ASSERT_EQ(Run(L"/dump " + Quoted(L"dump")), 0) << m_err;
    }
    ASSERT_FALSE(SaveSnapshotOf(source(html, broken), L"broken", m_temp / L"broken.plexa").empty());
    for (const wchar_t* snapshot : {L"broken.plexa", L"dump"}) {
        std::vector<nlohmann::json> results;
        for (const wchar_t* language : {L" /lang ja", L" /lang en"}) {
            EXPECT_EQ(Run(L"/check " + Quoted(snapshot) + L" /json" + language), 1) << ToUtf8(snapshot);
            results.push_back(nlohmann::json::parse(m_out)["findings"][0]);
        }
        EXPECT_EQ(results[0]["id"], "html.character-offsets");
        EXPECT_EQ(results[1]["id"], results[0]["id"]) << "ids do not change with the language";
        EXPECT_NE(results[1]["message"], results[0]["message"]) << "messages do";
    }
}

TEST_F(CommandLineTest, DataItsSourceAsksMonitorsToLeaveAloneIsDumpedOnlyWithForce)
{
    PutMarkedText(L"secret", kClipboardHistoryFormat, 0);
    EXPECT_EQ(Run(L"/dump " + Quoted(L"dump")), 3);
    EXPECT_NE(m_err.find(ToUtf8(FormatResString(IDS_FORCE_TAKES_IT, L""))), std::string::npos) << m_err;
    EXPECT_EQ(::GetFileAttributesW((m_temp / L"dump").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(Run(L"/dump " + Quoted(L"dump") + L" /force"), 0) << m_err;
    EXPECT_TRUE(ManifestOf(L"dump").takenDespitePrivacyRequest);
}

TEST_F(CommandLineTest, HelpListsTheCommands)
{
    EXPECT_EQ(Run(L"/?"), 0);
    for (const char* command : {"/dump", "/save", "/load", "/hold", "/compare", "/json", "/force", "/lang"})
        EXPECT_NE(m_out.find(command), std::string::npos) << command;
}

TEST_F(CommandLineTest, LangChoosesTheLanguageOfTheHelpAndOfErrorsAboutEarlierOptions)
{
    EXPECT_EQ(Run(L"/lang en /?"), 0);
    const std::wstring version = FormatString(LoadResStringIn(IDS_VERSION_LINE, kEnglishUi).c_str(), kPlexaVersion, 64u);
    EXPECT_EQ(m_out, ToUtf8(L"Plexa " + version + L"\r\n\r\n" + LoadResStringIn(IDS_CMDLINE_HELP, kEnglishUi)));
    EXPECT_EQ(Run(L"/dupm /lang en"), 2);
    const std::wstring unknown = LoadResStringIn(IDS_CMDLINE_UNKNOWN_OPTION, kEnglishUi);
    EXPECT_EQ(m_err, ToUtf8(L"Plexa: " + FormatString(unknown.c_str(), L"/dupm") + L"\r\n" +
                            LoadResStringIn(IDS_CMDLINE_SEE_HELP, kEnglishUi) + L"\r\n"));
}
