// Plexa's entry point and its one application object.
#include "app/PlexaApp.h"
#include "framework/StartupTrace.h"
#include "framework/UiLanguage.h"

namespace {
CPlexaApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    startup_trace::Mark(L"wWinMain");
    theApp.m_nCmdShow = nCmdShow;
    theApp.m_commandLine = ParseCommandLine(::GetCommandLineW());
    // Before the first text is loaded, for the window and the commands alike.
    if (theApp.m_commandLine.language)
        SetUiLanguage(theApp.m_commandLine.language);
    if (theApp.m_commandLine.command == CommandKind::Window && theApp.m_commandLine.error.empty())
        return theApp.Run();
    return theApp.RunHeadless();
}
