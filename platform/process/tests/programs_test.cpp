// Programs in processes of their own on one PC: starting, messages between them, their end.
#include "kernel/testing/test_pc.h"
#include "process/programs.h"
#include "process/testing/test_messages.h"
#include "win/kernel.h"
#include "win/memory.h"
#include "win/process.h"
#include "win/shell.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

namespace platform::process {
namespace {

using namespace platform::process::testing;
namespace fs = std::filesystem;

std::vector<MSG>* received = nullptr;

LRESULT CALLBACK testerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && received) received->push_back(MSG{window, message, wParam, lParam, 0, {}});
    if (message == kAnswerBack) return 41;
    return DefWindowProcA(window, message, wParam, lParam);
}

class ProgramsTest : public ::testing::Test {
protected:
    void SetUp() override {
        received = &log;
        fs::copy_file(KIT_TEST_PROGRAM, pc.host("C:\\TESTPROG.EXE"));
        fs::create_directories(pc.host("C:\\TOOLS"));
        fs::copy_file(KIT_TEST_PROGRAM, pc.host("C:\\TOOLS\\OTHER.EXE"));
        WNDCLASSA wc{};
        wc.lpfnWndProc = testerProc;
        wc.lpszClassName = "Tester";
        RegisterClassA(&wc);
        tester = CreateWindowExA(0, "Tester", "tester", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(tester);
    }
    void TearDown() override {
        for (HWND w : started)
            if (IsWindow(w)) SendMessageTimeoutA(w, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
        waitForNoPrograms(std::chrono::seconds(20));
        DestroyWindow(tester);
        UnregisterClassA("Tester", nullptr);
        received = nullptr;
    }

    // Starts the test program with a window of CLASS and TITLE; returns the window.
    HWND start(const std::string& className, const std::string& title) {
        UINT code = WinExec(("C:\\TESTPROG.EXE " + className + " " + title).c_str(), SW_SHOWNORMAL);
        EXPECT_GT(code, 31u);
        // WinExec came back once the program waited for input: its window exists already.
        HWND w = FindWindowA(className.c_str(), title.c_str());
        EXPECT_TRUE(w) << className;
        started.push_back(w);
        return w;
    }

    platform::testing::TestPc pc;
    HWND tester = nullptr;
    std::vector<MSG> log;
    std::vector<HWND> started;
};

TEST_F(ProgramsTest, ASendIsAnsweredAfterTheReceiverSentBackToTheWaitingSender) {
    HWND other = start("Echo", "one");
    EXPECT_EQ(SendMessageA(other, kAskBack, reinterpret_cast<WPARAM>(tester), 0), 42);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message, kAnswerBack);
    EXPECT_EQ(reinterpret_cast<HWND>(log[0].wParam), other);
}

TEST_F(ProgramsTest, ABroadcastIsAnsweredByEveryProgramDuringTheBroadcastTheLaterAnswerLast) {
    HWND first = start("Server", "first");
    HWND second = start("Server", "second");
    SendMessageA(HWND_BROADCAST, kInitiate, reinterpret_cast<WPARAM>(tester), 0);
    std::vector<HWND> answeredBy;
    for (const MSG& m : log)
        if (m.message == kAcknowledge) answeredBy.push_back(reinterpret_cast<HWND>(m.wParam));
    // Top-level windows are asked topmost first: the later program's window is on top.
    EXPECT_EQ(answeredBy, (std::vector<HWND>{second, first}));
}

TEST_F(ProgramsTest, TextMessagesDoNotCarryPointersIntoAnotherProgram) {
    HWND other = start("Texts", "t");
    char buffer[16] = "unchanged";
    EXPECT_EQ(SendMessageA(other, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_STREQ(buffer, "unchanged");
    EXPECT_FALSE(PostMessageA(other, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")));
    // The title is still readable through the desktop.
    EXPECT_EQ(GetWindowTextA(other, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "t");
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(ProgramsTest, MessagesPostedByAnotherProgramArriveInOrder) {
    HWND other = start("Poster", "p");
    SendMessageA(other, kPostMany, reinterpret_cast<WPARAM>(tester), 200);
    std::vector<WPARAM> numbers;
    MSG msg;
    while (numbers.size() < 200 && GetMessageA(&msg, nullptr, kNumbered, kNumbered) > 0) numbers.push_back(msg.wParam);
    for (WPARAM i = 0; i < numbers.size(); ++i) ASSERT_EQ(numbers[i], i);
    EXPECT_EQ(numbers.size(), 200u);
}

TEST_F(ProgramsTest, ASharedBlockHandedOverInAMessageIsReadableByTheOtherProgram) {
    HWND other = start("Reader", "r");
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, 32);
    std::strcpy(static_cast<char*>(GlobalLock(block)), "[CreateGroup(Kit)]");
    GlobalUnlock(block);
    EXPECT_EQ(SendMessageA(other, kReadShared, 0, reinterpret_cast<LPARAM>(block)), 18);
    GlobalFree(block);
}

TEST_F(ProgramsTest, AKilledProgramLosesItsWindowsAndNobodyWaitsOnIt) {
    HWND other = start("Victim", "v");
    DWORD pid = 0;
    GetWindowThreadProcessId(other, &pid);
    ASSERT_GT(pid, 0u);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
    ASSERT_TRUE(waitForNoPrograms(std::chrono::seconds(20)));
    EXPECT_FALSE(IsWindow(other));
    EXPECT_EQ(FindWindowA("Victim", nullptr), nullptr);
    EXPECT_EQ(SendMessageA(other, kAskBack, reinterpret_cast<WPARAM>(tester), 0), 0);
    std::string events = platform::testing::readHostFile(Pc::current().eventLog());
    EXPECT_NE(events.find("end " + std::to_string(pid) + " killed"), std::string::npos) << events;
}

TEST_F(ProgramsTest, ASenderWaitingOnAProgramThatDiesGetsZeroAndGoesOn) {
    HWND other = start("Dying", "d");
    SetLastError(0);
    EXPECT_EQ(SendMessageA(other, kDieWhileAnswering, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(IsWindow(other));
}

TEST_F(ProgramsTest, ARestartRequestIsLoggedAndEndsTheOtherPrograms) {
    HWND other = start("Victim", "v");
    DWORD pid = 0;
    GetWindowThreadProcessId(other, &pid);
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    ASSERT_TRUE(waitForNoPrograms(std::chrono::seconds(20)));
    EXPECT_FALSE(IsWindow(other));
    std::string events = platform::testing::readHostFile(Pc::current().eventLog());
    EXPECT_NE(events.find("exitwindows " + std::to_string(::getpid()) + " flags 0x00000002 reserved 0x00000000"),
              std::string::npos)
        << events;
    EXPECT_NE(events.find("end " + std::to_string(pid)), std::string::npos) << events;
}

TEST_F(ProgramsTest, StartFailuresGiveThePlatformsCodes) {
    struct Case {
        const char* commandLine;
        UINT code;
    } cases[] = {
        {"C:\\MISSING.EXE", ERROR_FILE_NOT_FOUND},
        {"C:\\NODIR\\MISSING.EXE arg", ERROR_PATH_NOT_FOUND},
        {"NOWHERE", ERROR_FILE_NOT_FOUND},
        {"C:\\WINDOWS\\WIN.INI", ERROR_BAD_FORMAT},
        {"", ERROR_FILE_NOT_FOUND},
    };
    for (const Case& c : cases) EXPECT_EQ(WinExec(c.commandLine, SW_SHOWNORMAL), c.code) << c.commandLine;
}

TEST_F(ProgramsTest, ABareNameIsFoundInTheCurrentDirectoryAndShellExecuteHonoursItsDirectory) {
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_GT(WinExec("testprog Bare b", SW_SHOWNORMAL), 31u);
    HWND bare = FindWindowA("Bare", "b");
    EXPECT_TRUE(bare);
    started.push_back(bare);
    auto code = reinterpret_cast<std::uintptr_t>(ShellExecuteA(nullptr, nullptr, "OTHER.EXE", "Shell s", "C:\\TOOLS", SW_SHOWNORMAL));
    EXPECT_GT(code, 32u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ShellExecuteA(nullptr, nullptr, "OTHER.EXE", "", "C:\\", SW_SHOWNORMAL)),
              static_cast<std::uintptr_t>(SE_ERR_FNF));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ShellExecuteA(nullptr, "print", "OTHER.EXE", "", "C:\\TOOLS", SW_SHOWNORMAL)),
              static_cast<std::uintptr_t>(SE_ERR_NOASSOC));
    HWND shell = FindWindowA("Shell", "s");
    EXPECT_TRUE(shell);
    started.push_back(shell);
}

TEST_F(ProgramsTest, TheImageOfARunningProgramCannotBeDeletedUntilItEnds) {
    HWND other = start("Image", "i");
    EXPECT_FALSE(DeleteFileA("C:\\TESTPROG.EXE"));
    EXPECT_TRUE(fs::exists(pc.host("C:\\TESTPROG.EXE")));
    SendMessageA(other, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitForNoPrograms(std::chrono::seconds(20)));
    EXPECT_TRUE(DeleteFileA("C:\\TESTPROG.EXE"));
    std::string events = platform::testing::readHostFile(Pc::current().eventLog());
    EXPECT_NE(events.find("start "), std::string::npos);
    EXPECT_NE(events.find(" exit 0"), std::string::npos) << events;
}

}  // namespace
}  // namespace platform::process
