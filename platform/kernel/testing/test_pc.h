// A fresh PC for a test: made in a new temporary folder, attached to the process, removed again.
#pragma once

#include "kernel/pc_create.h"

#include <filesystem>

namespace platform::testing {

class TestPc {
public:
    explicit TestPc(const PcOptions& options = {});
    ~TestPc();
    TestPc(const TestPc&) = delete;
    TestPc& operator=(const TestPc&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // Host path of a Windows path's file on drive C ("C:\WINDOWS\WIN.INI" -> root/c/WINDOWS/WIN.INI).
    std::filesystem::path host(const std::string& windowsPath) const;

private:
    std::filesystem::path root_;
};

// Makes a fresh PC in DIR (which must not exist or be empty) and attaches it.
void makePc(const std::filesystem::path& dir, const PcOptions& options = {});

// Reads and writes whole host files in tests.
std::string readHostFile(const std::filesystem::path& file);
void writeHostFile(const std::filesystem::path& file, const std::string& content);

}  // namespace platform::testing
