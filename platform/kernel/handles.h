// The process's table of kernel objects. Files are one kind; other layers may add their own
// (processes, ...). HANDLE values are small numbers, never 0 and never INVALID_HANDLE_VALUE, so
// that they also serve as HFILE values.
#pragma once

#include "win/types.h"

#include <memory>

namespace platform::handles {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE add(std::unique_ptr<KernelObject> object);
KernelObject* find(HANDLE handle);
// Removes and destroys the object; false when the handle is not open.
bool close(HANDLE handle);

template <class T>
T* findAs(HANDLE handle) {
    return dynamic_cast<T*>(find(handle));
}

inline HANDLE fromHfile(HFILE file) {
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(file));
}
inline HFILE toHfile(HANDLE handle) {
    return static_cast<HFILE>(reinterpret_cast<LONG_PTR>(handle));
}

}  // namespace platform::handles
