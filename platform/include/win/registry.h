// The registry: keys under six predefined roots, each with named values. Key and value names
// are matched without regard to case and keep the case they were created with. Functions return
// an error code (ERROR_SUCCESS on success) rather than setting the last error.
#pragma once

#include "win/kernel.h"
#include "win/types.h"

#define KIT_PREDEFINED_KEY(value) (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(value))))
#define HKEY_CLASSES_ROOT KIT_PREDEFINED_KEY(0x80000000)
#define HKEY_CURRENT_USER KIT_PREDEFINED_KEY(0x80000001)
#define HKEY_LOCAL_MACHINE KIT_PREDEFINED_KEY(0x80000002)
#define HKEY_USERS KIT_PREDEFINED_KEY(0x80000003)
#define HKEY_CURRENT_CONFIG KIT_PREDEFINED_KEY(0x80000005)
#define HKEY_DYN_DATA KIT_PREDEFINED_KEY(0x80000006)

#define ERROR_KEY_DELETED 1018L

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7

// Key options and dispositions.
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// Access rights.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x00020019
#define KEY_WRITE 0x00020006
#define KEY_EXECUTE 0x00020019
#define KEY_ALL_ACCESS 0x000F003F

LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                            REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                            LPDWORD disposition);
LONG WINAPI RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG WINAPI RegCloseKey(HKEY key);
// Deletes the key with everything below it.
LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey);
LONG WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                           DWORD dataSize);
LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD dataSize);
