// Finding and loading the program's compiled resources.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rc/registry.h"
#include "win/kernel.h"
#include "win/resource.h"

namespace platform::rc {

namespace {

// Does the type or name of a resource match what the program asked for: a number
// (MAKEINTRESOURCE or "#123") or a name compared without regard to case.
bool matches(std::uint16_t number, const char* name, LPCSTR wanted) {
    if (IS_INTRESOURCE(wanted)) return !name && number == static_cast<std::uint16_t>(reinterpret_cast<ULONG_PTR>(wanted));
    if (wanted[0] == '#') {
        char* end = nullptr;
        unsigned long value = std::strtoul(wanted + 1, &end, 10);
        return *end == '\0' && value <= 0xFFFF && !name && number == value;
    }
    if (!name) return false;
    for (std::size_t i = 0;; ++i) {
        if (std::toupper(static_cast<unsigned char>(wanted[i])) != static_cast<unsigned char>(name[i])) return false;
        if (wanted[i] == '\0') return true;
    }
}

const CompiledResource* checked(HRSRC resource) {
    auto all = registeredResources();
    auto* entry = reinterpret_cast<const CompiledResource*>(resource);
    for (const CompiledResource& r : all)
        if (&r == entry) return entry;
    return nullptr;
}

}  // namespace

}  // namespace platform::rc

using namespace platform::rc;

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!name || !type) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool typeSeen = false;
    for (const CompiledResource& r : registeredResources()) {
        if (!matches(r.typeNumber, r.typeName, type)) continue;
        typeSeen = true;
        if (matches(r.nameNumber, r.nameName, name))
            return reinterpret_cast<HRSRC>(const_cast<CompiledResource*>(&r));
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

// Compiled resources live in the program image: loading hands out their address.
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    const CompiledResource* entry = checked(resource);
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<unsigned char*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    const CompiledResource* entry = checked(resource);
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(entry->size);
}

// Loaded resources are part of the image and are never freed.
BOOL WINAPI FreeResource(HGLOBAL data) { return FALSE; }
