// Runs the setup program in this process on a fresh PC with the fast clock, and answers its
// dialogs and message boxes as a user would: each time a new window becomes active the next
// answer of the test's list acts on it.
#pragma once

#include "automation/automation.h"
#include "kernel/module.h"
#include "kernel/paths.h"
#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"
#include "setup/setup_ids.h"
#include "setup/setup_state.h"
#include "time/clock.h"
#include "win/dialog.h"
#include "win/kernel.h"
#include "win/profile.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace setup_testing {

// An answer to one window: WINDOW is a dialog's template name or a message box's caption. ACT
// returns true when it is done with the window; until then it is called again on later polls.
struct Answer {
    std::string window;
    std::function<bool(HWND)> act;
};

inline HINSTANCE programInstance()
{
    return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x400000));
}

// The name automation knows a window by: its template name, else its title.
inline std::string windowName(HWND window, bool* fromTemplate = nullptr)
{
    const auto handle = static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(window));
    for (const platform::automation::Window& w : platform::automation::windows())
        if (w.record.handle == handle && !w.templateName.empty()) {
            if (fromTemplate)
                *fromTemplate = true;
            return w.templateName;
        }
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

inline std::string dialogText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Common answers.
inline std::function<bool(HWND)> press(int id)
{
    return [id](HWND window) {
        PostMessageA(window, WM_COMMAND, id, 0);
        return true;
    };
}
inline std::function<bool(HWND)> enterDestination(std::string path, std::string group)
{
    return [path, group](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_PATH, path.c_str());
        SetDlgItemTextA(dialog, IDC_GROUP, group.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

class SetupTest : public ::testing::Test {
protected:
    explicit SetupTest(platform::PcOptions options = {}) : pc(options)
    {
        platform::clock::setMode(platform::clock::Mode::fast);
        platform::module::setImagePath("C:\\_SETUP.EXE");
    }
    ~SetupTest() override { platform::clock::setMode(platform::clock::Mode::real); }

    // Runs the program with COMMAND_TAIL until it ends; the answers are used in order.
    void run(std::vector<Answer> answers, const char* commandTail = "A:")
    {
        current() = this;
        pending.assign(answers.begin(), answers.end());
        seen.clear();
        lastActive = nullptr;
        UINT_PTR poll = SetTimer(nullptr, 0, 20, &SetupTest::onPoll);
        runSetup(programInstance(), commandTail);
        KillTimer(nullptr, poll);
        current() = nullptr;
        EXPECT_TRUE(pending.empty()) << "unused answer for " << pending.front().window;
    }

    // Files of the PC.
    static std::filesystem::path host(const std::string& windowsPath)
    {
        return platform::paths::map(windowsPath).host;
    }
    static bool exists(const std::string& windowsPath) { return platform::paths::map(windowsPath).exists; }
    static std::string read(const std::string& windowsPath)
    {
        return platform::testing::readHostFile(host(windowsPath));
    }
    static void write(const std::string& windowsPath, const std::string& content)
    {
        platform::testing::writeHostFile(host(windowsPath), content);
    }
    static std::string profile(const std::string& file, const char* section, const char* key)
    {
        char value[1024];
        GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file.c_str());
        return value;
    }

    platform::testing::TestPc pc;
    std::deque<Answer> pending;
    std::vector<std::string> seen;  // names of the windows that became active, in order
    HWND lastActive = nullptr;
    // Called on every poll with the active window, before the answers.
    std::function<void(HWND)> watch;

private:
    static SetupTest*& current()
    {
        static SetupTest* test = nullptr;
        return test;
    }

    static void CALLBACK onPoll(HWND, UINT, UINT_PTR, DWORD)
    {
        SetupTest* t = current();
        HWND active = GetActiveWindow();
        if (!t || !active || active == setup.mainWindow || !IsWindowVisible(active))
            return;
        bool fromTemplate = false;
        std::string name = windowName(active, &fromTemplate);
        bool fresh = active != t->lastActive;
        if (fresh) {
            t->lastActive = active;
            t->seen.push_back(name);
        }
        if (t->watch)
            t->watch(active);
        if (t->pending.empty() || t->pending.front().window != name) {
            // A window that waits for an answer the test did not expect fails the test and is
            // dismissed, so that the run ends; the copy and progress windows go on by themselves.
            if (fresh && name != "FILECOPY" && name != "InstDosWinClass") {
                ADD_FAILURE() << "unexpected window " << name;
                PostMessageA(active, WM_COMMAND, fromTemplate ? IDCANCEL : IDOK, 0);
            }
            return;
        }
        Answer answer = t->pending.front();
        if (answer.act(active))
            t->pending.pop_front();
    }
};

}  // namespace setup_testing
