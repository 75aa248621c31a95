#include "setup/setup_state.h"
#include "win/kernel.h"

LPCSTR locationDirectory(char letter, BOOL allowSource, LPSTR buffer, UINT size)
{
    switch (letter) {
    case 'C': return setup.installPath;
    case 'W': return GetWindowsDirectoryA(buffer, size) ? buffer : nullptr;
    case 'S': return GetSystemDirectoryA(buffer, size) ? buffer : nullptr;
    case 'X': return allowSource ? setup.sourceDirectory : nullptr;
    default: return nullptr;
    }
}
