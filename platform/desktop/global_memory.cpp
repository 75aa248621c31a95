// Global memory blocks. A private block lives in this process; a GMEM_DDESHARE block is a file
// in the PC's run folder, mapped by every program that locks it, so the handle means the same
// bytes in every program of the PC.
#include "desktop/places.h"
#include "kernel/pc.h"
#include "win/kernel.h"
#include "win/memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Handle values above every host user-space address, so that they never meet a fixed block's
// pointer.
constexpr std::uint64_t kSharedTag = std::uint64_t(1) << 56;
constexpr std::uint64_t kMoveableTag = std::uint64_t(1) << 55;

struct Block {
    std::vector<std::byte> privateBytes;  // private blocks
    void* mapped = nullptr;               // shared blocks, once mapped here
    std::size_t size = 0;
    int locks = 0;
    bool fixed = false;
};

struct Heap {
    std::mutex lock;
    std::map<std::uint64_t, Block> blocks;
    std::uint64_t nextPrivate = 1;
    std::uint64_t nextShared = 1;
};

Heap& heap() {
    static auto* instance = new Heap;
    return *instance;
}

std::uint64_t key(HGLOBAL memory) {
    return reinterpret_cast<std::uintptr_t>(memory);
}
HGLOBAL handleOf(std::uint64_t value) {
    return reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(value));
}
bool isShared(std::uint64_t value) {
    return (value >> 56) == 1;
}

fs::path sharedFile(std::uint64_t value) {
    char name[32];
    std::snprintf(name, sizeof name, "%llx", static_cast<unsigned long long>(value));
    return platform::desktop::sharedMemoryFolder(platform::Pc::current().runFolder()) / name;
}

// Maps a shared block of this PC (made by any program) into this process.
Block* mapShared(std::uint64_t value) {
    Heap& h = heap();
    auto it = h.blocks.find(value);
    if (it != h.blocks.end() && it->second.mapped) return &it->second;
    if (!platform::Pc::hasCurrent()) return nullptr;
    int fd = ::open(sharedFile(value).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info{};
    ::fstat(fd, &info);
    std::size_t size = static_cast<std::size_t>(info.st_size);
    void* mapped = ::mmap(nullptr, size ? size : 1, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return nullptr;
    Block& b = h.blocks[value];
    b.mapped = mapped;
    b.size = size;
    return &b;
}

HGLOBAL allocateShared(std::size_t bytes) {
    if (!platform::Pc::hasCurrent()) return nullptr;
    Heap& h = heap();
    std::uint64_t value = kSharedTag | (std::uint64_t(::getpid()) << 20) | (h.nextShared++ & 0xFFFFF);
    fs::path file = sharedFile(value);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    bool sized = ::ftruncate(fd, static_cast<off_t>(bytes)) == 0;  // a new file reads as zeros
    ::close(fd);
    if (!sized || !mapShared(value)) {
        fs::remove(file, ec);
        return nullptr;
    }
    return handleOf(value);
}

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    if (flags & GMEM_DDESHARE) {
        HGLOBAL made = allocateShared(bytes);
        if (!made) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return made;
    }
    Block b;
    b.privateBytes.resize(bytes ? bytes : 1);  // always zeroed: GMEM_ZEROINIT costs nothing more
    b.size = bytes;
    b.fixed = !(flags & GMEM_MOVEABLE);
    std::uint64_t value = b.fixed ? reinterpret_cast<std::uintptr_t>(b.privateBytes.data())
                                  : (kMoveableTag | h.nextPrivate++);
    h.blocks[value] = std::move(b);
    return handleOf(value);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    std::uint64_t value = key(memory);
    Block* b = isShared(value) ? mapShared(value) : nullptr;
    if (!b) {
        auto it = h.blocks.find(value);
        if (it != h.blocks.end()) b = &it->second;
    }
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->locks;
    return b->mapped ? b->mapped : b->privateBytes.data();
}

BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    auto it = h.blocks.find(key(memory));
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Block& b = it->second;
    if (b.fixed) return TRUE;
    if (b.locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --b.locks;
    if (b.locks == 0) SetLastError(NO_ERROR);
    return b.locks > 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    std::uint64_t value = key(memory);
    auto it = h.blocks.find(value);
    if (isShared(value)) {
        if (it != h.blocks.end()) {
            if (it->second.mapped) ::munmap(it->second.mapped, it->second.size ? it->second.size : 1);
            h.blocks.erase(it);
        }
        std::error_code ec;
        if (!platform::Pc::hasCurrent() || !fs::remove(sharedFile(value), ec)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return memory;
        }
        return nullptr;
    }
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    h.blocks.erase(it);
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL memory) {
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    std::uint64_t value = key(memory);
    Block* b = isShared(value) ? mapShared(value) : nullptr;
    if (!b) {
        auto it = h.blocks.find(value);
        if (it == h.blocks.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        b = &it->second;
    }
    return b->size;
}
