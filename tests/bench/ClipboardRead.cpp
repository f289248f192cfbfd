// The least a program can do to read a clipboard format another process put
// there: GetClipboardData and touching the last byte. What the platform
// costs, below anything a reader of the clipboard does itself.
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || !::OpenClipboard(nullptr))
        return 1;
    const HANDLE data = ::GetClipboardData(::RegisterClipboardFormatW(argv[1]));
    const SIZE_T size = data ? ::GlobalSize(data) : 0;
    const auto* bytes = static_cast<const volatile char*>(size ? ::GlobalLock(data) : nullptr);
    const int status = bytes && bytes[size - 1] != 0 ? 0 : 1;
    if (bytes)
        ::GlobalUnlock(data);
    ::CloseClipboard();
    return status;
}
