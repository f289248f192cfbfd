// A Plexa.exe of the test's own, started with no saved settings and leaving
// none behind, so that no case depends on the placement another one saved.
#pragma once

#include "PlexaWindow.h"
#include "support/PlexaProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class PlexaSession : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Plexa (again, after Close) with `arguments` and waits for its main window.
    CPlexaWindow Start(const std::wstring& arguments = {});
    // Closes the window the way a person does; Plexa's exit code, or -1.
    int Close();
    // A value Plexa saved under "Frame"; `missing` when there is none.
    static int FrameSetting(const wchar_t* name, int missing = -99999);

    CTempDir m_temp;
    std::unique_ptr<CPlexaProcess> m_plexa;
};
