// Global atoms: string atoms live in the desktop's table, shared by every program of the PC;
// integer atoms ("#123" or MAKEINTATOM(123), below 0xC000) are their own value.
#include "desktop/atom_table.h"
#include "desktop/connection.h"
#include "win/kernel.h"
#include "win/memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

using platform::desktop::Connection;
using platform::desktop::Kind;
using platform::desktop::Writer;

bool isIntegerForm(LPCSTR name) {
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

// The integer atom that NAME stands for: nullopt for a string name, 0 for an invalid one.
std::optional<ATOM> integerAtom(LPCSTR name) {
    if (isIntegerForm(name)) return static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    if (name[0] != '#') return std::nullopt;
    unsigned long value = 0;
    const char* p = name + 1;
    if (!*p) return std::nullopt;
    for (; *p; ++p) {
        if (*p < '0' || *p > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > 0xFFFF) return 0;
    }
    return static_cast<ATOM>(value < platform::desktop::AtomTable::kFirst ? value : 0);
}

ATOM stringCall(Kind kind, LPCSTR name) {
    if (std::strlen(name) > platform::desktop::AtomTable::kMaxName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    try {
        ATOM atom = Connection::get().call(kind, Writer().text(name)).u16();
        if (!atom) SetLastError(kind == Kind::atomFind ? ERROR_FILE_NOT_FOUND : ERROR_NOT_ENOUGH_MEMORY);
        return atom;
    } catch (const std::exception&) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return 0;
    }
}

}  // namespace

ATOM WINAPI GlobalAddAtomA(LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (std::optional<ATOM> integer = integerAtom(name)) {
        if (!*integer) SetLastError(ERROR_INVALID_PARAMETER);
        return *integer;
    }
    return stringCall(Kind::atomAdd, name);
}

ATOM WINAPI GlobalFindAtomA(LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (std::optional<ATOM> integer = integerAtom(name)) return *integer;
    return stringCall(Kind::atomFind, name);
}

UINT WINAPI GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size) {
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string name;
    if (atom == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (atom < platform::desktop::AtomTable::kFirst) {
        name = "#" + std::to_string(atom);
    } else {
        try {
            platform::desktop::Reader r = Connection::get().call(Kind::atomName, Writer().u16(atom));
            bool found = r.u8() != 0;
            name = r.text();
            if (!found) {
                SetLastError(ERROR_INVALID_HANDLE);
                return 0;
            }
        } catch (const std::exception&) {
            SetLastError(ERROR_INVALID_FUNCTION);
            return 0;
        }
    }
    std::size_t n = std::min(name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
    return static_cast<UINT>(n);
}

ATOM WINAPI GlobalDeleteAtom(ATOM atom) {
    if (atom < platform::desktop::AtomTable::kFirst) return 0;
    try {
        if (Connection::get().call(Kind::atomDelete, Writer().u16(atom)).u8()) return 0;
    } catch (const std::exception&) {
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return atom;
}
