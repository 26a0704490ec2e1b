// Holds a file open without sharing, as another program may:
//   holdfile <file> <held event> <release event>
// Opens the file, signals the first named event, and closes the file and ends
// once the second is signalled (or after half a minute).
#include <windows.h>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const HANDLE held = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE release = ::OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    const HANDLE file = ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == nullptr || release == nullptr || file == INVALID_HANDLE_VALUE)
        return 1;
    ::SetEvent(held);
    ::WaitForSingleObject(release, 30000);
    ::CloseHandle(file);
    return 0;
}
