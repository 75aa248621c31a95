#include "win/time.h"

#include "time/clock.h"

DWORD WINAPI GetTickCount() {
    return static_cast<DWORD>(platform::clock::now());
}

void WINAPI Sleep(DWORD milliseconds) {
    platform::clock::sleep(milliseconds);
}
