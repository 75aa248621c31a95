// Time of the platform: the tick count and Sleep, both on the process's clock.
#pragma once

#include "win/types.h"

DWORD WINAPI GetTickCount();
void WINAPI Sleep(DWORD milliseconds);
