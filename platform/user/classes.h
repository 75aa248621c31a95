// Lookup of this process's window classes.
#pragma once

#include "user/window.h"

#include <memory>

namespace platform::user {

// True when NAME is an atom in the form MAKEINTATOM gives, not a string.
inline bool isAtomName(LPCSTR name) {
    return name && (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

std::shared_ptr<WindowClass> findClass(LPCSTR name);

}  // namespace platform::user
