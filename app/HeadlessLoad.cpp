// `/load`: a saved snapshot served on the clipboard by Plexa's own data
// object until another program replaces it or the time is up, then left
// there rendered.
#include "app/HeadlessCommands.h"

#include "capture/SnapshotDataObject.h"
#include "framework/Format.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 100;

// Serves calls into the data object (OLE's clipboard window and other
// processes' requests arrive as messages) until `done` says so.
template <class Done>
void ServeUntil(ULONGLONG deadline, Done done)
{
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kPollMs)),
                                    QS_ALLINPUT);
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
        return Fail(L"スナップショットを開けません。" + file + L"\r\n" + error);
    const auto snapshot = std::make_shared<CCBDataArray>(std::move(opened));
    std::vector<const CCBData*> chosen;
    for (const auto& node : *snapshot)
        chosen.push_back(node.get());
    CStringArray leftOut;
    const CComPtr<CSnapshotDataObject> replay = CSnapshotDataObject::Create(snapshot, chosen, &leftOut);
    for (const std::wstring& name : leftOut)
        m_console.Error(L"Plexa: 取得に失敗した形式は戻していません: " + name + L"\r\n");
    if (chosen.size() == leftOut.size()) {
        m_console.Error(L"Plexa: クリップボードに置ける形式がありません。\r\n");
        return kExitDifferent;
    }
    if (const HRESULT set = ::OleSetClipboard(replay.Get()); FAILED(set))
        return Fail(FormatString(L"クリップボードに置けません（0x%08lX）。", static_cast<unsigned long>(set)));
    m_console.Out(FormatString(L"%s: %u 形式をクリップボードに置きました。\r\n", file.c_str(),
                               static_cast<unsigned>(chosen.size() - leftOut.size())));

    const auto replaced = [&] { return ::OleIsCurrentClipboard(replay.Get()) != S_OK; };
    ServeUntil(::GetTickCount64() + static_cast<ULONGLONG>(holdSeconds) * 1000, replaced);
    if (replaced()) {
        m_console.Error(L"Plexa: 他のプログラムがクリップボードを置き換えました。\r\n");
        return kExitDone;
    }
    if (const HRESULT flushed = ::OleFlushClipboard(); FAILED(flushed))
        return Fail(FormatString(L"クリップボードに残せません（0x%08lX）。", static_cast<unsigned long>(flushed)));
    return kExitDone;
}
