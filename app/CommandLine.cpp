#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

CCommandLine ParseCommandLine(const wchar_t* commandLine)
{
    CCommandLine parsed;
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return parsed;
    if (count > 1)
        parsed.snapshotFile = arguments[1];
    ::LocalFree(arguments);
    return parsed;
}
