#include "kernel/error_mode.h"
#include "win/kernel.h"

#include <atomic>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
std::atomic<UINT> errorMode{0};
}

namespace platform::kernel {
UINT errorMode() { return ::errorMode.load(); }
}

UINT WINAPI SetErrorMode(UINT mode) { return errorMode.exchange(mode); }

DWORD WINAPI GetLastError() { return lastError; }
void WINAPI SetLastError(DWORD code) { lastError = code; }
