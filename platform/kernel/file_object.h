// An open file of the process: the kernel object behind CreateFileA and OpenFile handles.
#pragma once

#include "kernel/handles.h"
#include "win/types.h"

#include <filesystem>
#include <string>

namespace platform::files {

class FileObject : public handles::KernelObject {
public:
    FileObject(int fd, std::string windowsPath, std::filesystem::path host, DWORD access)
        : fd_(fd), windowsPath_(std::move(windowsPath)), host_(std::move(host)), access_(access) {}
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int fd() const { return fd_; }
    const std::string& windowsPath() const { return windowsPath_; }
    const std::filesystem::path& host() const { return host_; }
    bool canRead() const;
    bool canWrite() const;

private:
    int fd_;
    std::string windowsPath_;
    std::filesystem::path host_;
    DWORD access_;
};

// Opens PATH as CreateFileA does; on failure returns INVALID_HANDLE_VALUE with the last error set.
HANDLE open(const char* path, DWORD access, DWORD shareMode, DWORD disposition, DWORD attributes = 0);

// The file behind HANDLE, or nullptr (and ERROR_INVALID_HANDLE) when it is not an open file.
FileObject* find(HANDLE handle);

// Deletes PATH as DeleteFileA does; sets the last error on failure.
bool remove(const char* path);

}  // namespace platform::files
