// Packing of the two values of a DDE message into lParam.
#include "win/kernel.h"
#include "win/memory.h"

#include <cstring>

namespace {

bool isPacked(UINT message) {
    return message == WM_DDE_ACK || message == WM_DDE_ADVISE || message == WM_DDE_DATA || message == WM_DDE_POKE;
}

}  // namespace

LPARAM WINAPI PackDDElParam(UINT message, UINT_PTR low, UINT_PTR high) {
    if (!isPacked(message)) return MAKELPARAM(low, high);
    HGLOBAL pair = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, 2 * sizeof(UINT_PTR));
    UINT_PTR* values = pair ? static_cast<UINT_PTR*>(GlobalLock(pair)) : nullptr;
    if (!values) {
        if (pair) GlobalFree(pair);
        return 0;
    }
    values[0] = low;
    values[1] = high;
    GlobalUnlock(pair);
    return reinterpret_cast<LPARAM>(pair);
}

BOOL WINAPI UnpackDDElParam(UINT message, LPARAM lParam, PUINT_PTR low, PUINT_PTR high) {
    if (!isPacked(message)) {
        if (low) *low = LOWORD(lParam);
        if (high) *high = HIWORD(lParam);
        return TRUE;
    }
    HGLOBAL pair = reinterpret_cast<HGLOBAL>(lParam);
    const UINT_PTR* values = pair ? static_cast<const UINT_PTR*>(GlobalLock(pair)) : nullptr;
    if (!values) {
        if (low) *low = 0;
        if (high) *high = 0;
        return FALSE;
    }
    if (low) *low = values[0];
    if (high) *high = values[1];
    GlobalUnlock(pair);
    return TRUE;
}

BOOL WINAPI FreeDDElParam(UINT message, LPARAM lParam) {
    if (!isPacked(message)) return TRUE;
    return lParam && GlobalFree(reinterpret_cast<HGLOBAL>(lParam)) == nullptr;
}
