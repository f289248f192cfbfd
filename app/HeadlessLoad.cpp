// `/load`: a saved snapshot served on the clipboard by Plexa's own data
// object until another program replaces it, the time is up or it is asked
// to end, then left there rendered.
#include "app/HeadlessCommands.h"

#include "app/LoadEndRequests.h"
#include "capture/SnapshotDataObject.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "res/strings/app.h"

#include <algorithm>
#include <optional>

namespace {

constexpr DWORD kPollMs = 100;

// Serves calls into the data object (OLE's clipboard window and other
// processes' requests arrive as messages) until `done` says so; `asked`
// wakes it at once.
template <class Done>
void ServeUntil(ULONGLONG deadline, HANDLE asked, Done done)
{
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return;
        ::MsgWaitForMultipleObjects(1, &asked, FALSE,
                                    static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kPollMs)), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}

int CHeadlessCommands::Load(const std::wstring& file, int holdSeconds)
{
    CSnapshotInfo info;
    CCBDataArray opened;
    std::wstring error;
    if (OpenSnapshotFile(file, m_host, {}, info, opened, error) != SnapshotResult::Done)
        return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_OPEN_LINE, file.c_str(), error.c_str()));
    const auto snapshot = std::make_shared<CCBDataArray>(std::move(opened));
    std::vector<const CCBData*> chosen;
    for (const auto& node : *snapshot)
        chosen.push_back(node.get());
    CStringArray leftOut;
    const CComPtr<CSnapshotDataObject> replay = CSnapshotDataObject::Create(snapshot, chosen, &leftOut);
    if (!replay)
        return Fail(LoadResString(IDS_OUT_OF_MEMORY));
    for (const std::wstring& name : leftOut)
        Say(FormatResString(IDS_LOAD_LEFT_OUT, name.c_str()));
    if (chosen.size() == leftOut.size()) {
        Say(LoadResString(IDS_LOAD_NOTHING_TO_SET));
        return kExitDifferent;
    }
    std::optional<int> status;
    const auto leave = [&] {
        if (!status)
            status = LeaveOnClipboard(*replay.Get());
    };
    // Listening before the line below, which tells a script it may ask for the end.
    CLoadEndRequests ends(leave);
    if (const HRESULT set = ::OleSetClipboard(replay.Get()); FAILED(set))
        return Fail(FormatResString(IDS_LOAD_CANNOT_SET, static_cast<unsigned long>(set)));
    m_console.Out(FormatResString(IDS_LOAD_SET, file.c_str(), static_cast<unsigned>(chosen.size() - leftOut.size())) +
                  L"\r\n");
    ServeUntil(::GetTickCount64() + static_cast<ULONGLONG>(holdSeconds) * 1000, ends.ConsoleEvent(),
               [&] { return ends.IsAsked() || ::OleIsCurrentClipboard(replay.Get()) != S_OK; });
    leave();
    return *status;
}

int CHeadlessCommands::LeaveOnClipboard(IDataObject& replay) const
{
    if (::OleIsCurrentClipboard(&replay) != S_OK) {
        Say(LoadResString(IDS_LOAD_REPLACED));
        return kExitDone;
    }
    if (const HRESULT flushed = ::OleFlushClipboard(); FAILED(flushed))
        return Fail(FormatResString(IDS_LOAD_CANNOT_FLUSH, static_cast<unsigned long>(flushed)));
    return kExitDone;
}
