// The log of a replay: every call the target of a snapshot offered again
// makes, a row each, cleared when the next replay starts. Modeless, so that
// the user watches it while the other program works; closing only hides it.
#pragma once

#include "capture/ReplayLog.h"
#include "common/Strings.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"

#include <string>

class CReplayLogDialog : public CDialogEx {
public:
    CReplayLogDialog();

    // Shows the window over `owner`, made on first use, with no rows and the
    // formats the replay leaves out, if any.
    void Start(HWND owner, const CStringArray& leftOut = {});
    void Add(const CReplayCall& call);
    // The rows as tab-separated lines under the column headings, then the
    // formats left out.
    std::wstring Text() const;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CListCtrl m_list;
    std::wstring m_leftOut;
};
