#include "PlexaSession.h"

#include "common/SettingsNames.h"
#include "framework/Registry.h"

namespace {
constexpr wchar_t kSettingsKey[] = L"Software\\Plexa\\Plexa";
}  // namespace

void PlexaSession::SetUp()
{
    ClearPlexaSettings();
}

void PlexaSession::TearDown()
{
    m_plexa.reset();
    ClearPlexaSettings();
}

CPlexaWindow PlexaSession::Start(const std::wstring& arguments)
{
    m_plexa = std::make_unique<CPlexaProcess>(m_temp.Path(), arguments);
    EXPECT_TRUE(m_plexa->IsStarted());
    const HWND frame = m_plexa->WaitForMainWindow();
    EXPECT_NE(frame, nullptr) << "Plexa shows its main window";
    return CPlexaWindow(frame);
}

int PlexaSession::Close()
{
    const int exitCode = m_plexa ? m_plexa->Close() : -1;
    m_plexa.reset();
    return exitCode;
}

int PlexaSession::FrameSetting(const wchar_t* name, int missing)
{
    return registry::ReadInt(std::wstring(kSettingsKey) + L"\\" + settings::kFrameSection, name, missing);
}
