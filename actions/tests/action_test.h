// A fresh PC and a caller's context for the tests of the installer actions.
#pragma once

#include "actions/action_context.h"
#include "kernel/paths.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class TestContext : public ActionContext {
public:
    std::string install = "C:\\PLAYER";
    std::string group = "TV Player";
    std::string programDir = "C:\\";
    BOOL record = TRUE;

    LPCSTR installPath() const override { return install.c_str(); }
    LPCSTR groupName() const override { return group.c_str(); }
    BOOL recordFlag() const override { return record; }
    LPCSTR programDirectory() const override { return programDir.c_str(); }
};

class ActionTest : public ::testing::Test {
protected:
    platform::testing::TestPc pc;
    TestContext context;

    static std::filesystem::path host(const std::string& windowsPath)
    {
        return platform::paths::map(windowsPath).host;
    }
    static bool exists(const std::string& windowsPath)
    {
        return platform::paths::map(windowsPath).exists;
    }
    static std::string read(const std::string& windowsPath)
    {
        return platform::testing::readHostFile(host(windowsPath));
    }
    static void write(const std::string& windowsPath, const std::string& content)
    {
        platform::testing::writeHostFile(host(windowsPath), content);
    }
};
