// The process's error mode (SetErrorMode) as the kernel's own calls consult it.
#pragma once

#include "win/types.h"

namespace platform::kernel {

UINT errorMode();

}  // namespace platform::kernel
