// The DDE engine and the command-script lines against server windows of the test's own thread.
#include "actions/command_script.h"
#include "actions/dde_engine.h"
#include "dde_test_server.h"

#include "kernel/testing/test_pc.h"
#include "win/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class DdeEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engineState = EngineState{};
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "EngineOwner";
        ASSERT_NE(RegisterClassA(&wc), 0);
        owner = CreateWindowA("EngineOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(createDdeWindow(owner, nullptr));
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        UnregisterClassA("EngineOwner", nullptr);
        UnregisterClassA("ddeClass", nullptr);
    }

    // Runs each line as the progress window does, letting the thread's queue drain after each.
    void run(const Lines& lines)
    {
        for (const std::string& line : lines) {
            char buffer[SCRIPT_LINE_MAX + 1];
            lstrcpynA(buffer, line.c_str(), sizeof buffer);
            runScriptLine(owner, buffer);
            pump();
        }
    }
    static void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    platform::testing::TestPc pc;
    HWND owner = nullptr;
};

TEST_F(DdeEngineTest, ScriptLinesReachTheServerAsTheFormatSays)
{
    struct Case {
        const char* what;
        Lines script;
        Lines received;
    } cases[] = {
        {"verbs in lower case",
         {"initiate:Progman,Progman", "execute:[CreateGroup(A)]", "request:Groups", "terminate:"},
         {"INITIATE Progman|Progman", "EXECUTE [CreateGroup(A)]", "REQUEST 1 Groups", "TERMINATE"}},
        {"colons and commas inside an execute",
         {"INITIATE:Progman,Progman", "EXECUTE:[AddItem(\"C:\\TV\\P.EXE\",P,\"C:\\TV\\P.EXE\")]"},
         {"INITIATE Progman|Progman", "EXECUTE [AddItem(\"C:\\TV\\P.EXE\",P,\"C:\\TV\\P.EXE\")]"}},
        {"initiate without a comma has an empty topic",
         {"INITIATE:Progman", "EXECUTE:[A()]"},
         {"INITIATE Progman|", "EXECUTE [A()]"}},
        {"comments, empty lines and unknown verbs do nothing",
         {"", ";EXECUTE:[Hidden()]", "INITIATE:Progman,Progman", "; comment", "EXECUTE :[Blank()]",
          "PRINT:[Unknown()]", ":[NoVerb()]", "EXECUTE", "EXECUTE:[Runs()]"},
         {"INITIATE Progman|Progman", "EXECUTE ", "EXECUTE [Runs()]"}},
        {"nothing is sent outside a conversation",
         {"EXECUTE:[Before()]", "REQUEST:Groups", "TERMINATE:", "INITIATE:Progman,Progman", "TERMINATE:",
          "EXECUTE:[After()]", "REQUEST:Groups", "TERMINATE:"},
         {"INITIATE Progman|Progman", "TERMINATE"}},
        {"a negative acknowledgement does not stop the script",
         {"INITIATE:Progman,Progman", "EXECUTE:[Refused()]", "EXECUTE:[Next()]"},
         {"INITIATE Progman|Progman", "EXECUTE [Refused()]", "EXECUTE [Next()]"}},
    };
    for (const Case& c : cases) {
        engineState.partner = nullptr;
        DdeTestServer server("server");
        server.answers["[Refused()]"] = DdeTestServer::Answer::negative;
        run(c.script);
        EXPECT_EQ(server.log, c.received) << c.what;
    }
}

TEST_F(DdeEngineTest, TitleLineSetsTheWindowTitleWithEverythingAfterTheFirstColon)
{
    run({"TITLE:Loading Item in Group: 1"});
    char title[64];
    GetWindowTextA(owner, title, sizeof title);
    EXPECT_STREQ(title, "Loading Item in Group: 1");
}

TEST_F(DdeEngineTest, ExecuteReportsTheAnswerAndReleasesTheCommandMemory)
{
    struct Case {
        DdeTestServer::Answer answer;
        LONG result;
        bool memoryReturned;
    } cases[] = {
        {DdeTestServer::Answer::positive, 0x8000, true},
        {DdeTestServer::Answer::negative, 0, true},
        {DdeTestServer::Answer::data, 1, false},
    };
    for (const Case& c : cases) {
        DdeTestServer server("server");
        server.answers["[X()]"] = c.answer;
        HWND partner = ddeInitiate("Progman", "Progman");
        ASSERT_EQ(partner, server.window);
        EXPECT_EQ(ddeExecute(partner, "[X()]"), c.result);
        if (c.memoryReturned) {
            EXPECT_FALSE(engineState.executePending);
            EXPECT_EQ(GlobalLock(server.lastCommand), nullptr) << "the command memory was not freed";
        }
        ddeTerminate(partner);
        pump();
    }
}

TEST_F(DdeEngineTest, TheWaitLeavesEveryOtherMessageQueued)
{
    DdeTestServer server("server");
    HWND partner = ddeInitiate("Progman", "Progman");
    PostMessageA(owner, WM_USER, 0, 0);
    EXPECT_EQ(ddeExecute(partner, "[X()]"), 0x8000);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
}

TEST_F(DdeEngineTest, InitiationAtomsAreReleasedOnEveryWayOut)
{
    {
        DdeTestServer server("server");
        EXPECT_EQ(ddeInitiate("Progman", "Progman"), server.window);
        EXPECT_EQ(GlobalFindAtomA("Progman"), 0) << "answered";
        ddeTerminate(server.window);
    }
    // No server and no program of that name to start.
    EXPECT_EQ(ddeInitiate("Progman", "Progman"), nullptr);
    EXPECT_EQ(engineState.partner, nullptr);
    EXPECT_EQ(GlobalFindAtomA("Progman"), 0) << "not answered";
}

TEST_F(DdeEngineTest, WhenTwoServersAnswerTheLastOneHoldsTheConversation)
{
    DdeTestServer first("first");
    DdeTestServer second("second");
    HWND partner = ddeInitiate("Progman", "Progman");
    ASSERT_EQ(first.initiationsAnswered, 1);
    ASSERT_EQ(second.initiationsAnswered, 1);
    // The broadcast goes topmost first: the server created last is on top and answers first.
    EXPECT_EQ(partner, first.window);
    ddeExecute(partner, "[Only()]");
    EXPECT_EQ(first.log.back(), "EXECUTE [Only()]");
    EXPECT_EQ(second.log, Lines{"INITIATE Progman|Progman"});
}

TEST_F(DdeEngineTest, ServerThatEndsTheConversationGetsTheAnsweringTerminate)
{
    DdeTestServer server("server");
    HWND partner = ddeInitiate("Progman", "Progman");
    PostMessageA(engineState.engineWindow, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(partner), 0);
    pump();
    EXPECT_EQ(engineState.partner, nullptr);
    EXPECT_EQ(server.log.back(), "TERMINATE");
    EXPECT_EQ(ddeExecute(partner, "[Late()]"), 0);
    EXPECT_EQ(server.log.back(), "TERMINATE");
}

TEST_F(DdeEngineTest, TheWaitEndsWhenNoAnswerCanCome)
{
    // A server that ends the conversation instead of acknowledging.
    {
        DdeTestServer server("server");
        server.answers["[Bye()]"] = DdeTestServer::Answer::terminate;
        HWND partner = ddeInitiate("Progman", "Progman");
        EXPECT_EQ(ddeExecute(partner, "[Bye()]"), 0);
        EXPECT_EQ(engineState.partner, nullptr);
        EXPECT_FALSE(engineState.executePending);
        pump();
    }
    // A server window that is gone: nothing can be posted.
    HWND gone;
    {
        DdeTestServer server("server");
        gone = ddeInitiate("Progman", "Progman");
    }
    EXPECT_EQ(engineState.partner, gone);
    EXPECT_EQ(ddeExecute(gone, "[Anyone()]"), 0);
    EXPECT_FALSE(engineState.executePending);
}

TEST_F(DdeEngineTest, QuitDuringTheWaitEndsItAndStaysForTheProgramsOwnLoop)
{
    DdeTestServer server("server");
    server.answers["[Quit()]"] = DdeTestServer::Answer::quit;
    HWND partner = ddeInitiate("Progman", "Progman");
    EXPECT_NE(ddeExecute(partner, "[Quit()]"), 0);
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DdeEngineTest, DataMessagesAreAnsweredAsTheirHeaderAsks)
{
    struct Case {
        const char* what;
        short format;
        bool ackRequested;
        bool release;
        Lines answers;
        bool freed;
    } cases[] = {
        {"text, released, no answer asked", CF_TEXT, false, true, {}, true},
        {"text, answer asked, kept", CF_TEXT, true, false, {"ACK 32768 Groups"}, false},
        {"text, answer asked, released", CF_TEXT, true, true, {"ACK 32768 Groups"}, true},
        // A negative answer hands the block back to the server, whatever fRelease says.
        {"not text", 2, true, true, {"ACK 0 Groups"}, false},
        {"not text, no answer asked", 2, false, false, {"ACK 0 Groups"}, false},
    };
    for (const Case& c : cases) {
        DdeTestServer server("server");
        HWND partner = ddeInitiate("Progman", "Progman");
        server.log.clear();
        HGLOBAL data = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, sizeof(DDEDATA) + 4);
        auto* header = static_cast<DDEDATA*>(GlobalLock(data));
        header->fAckReq = c.ackRequested;
        header->fRelease = c.release;
        header->cfFormat = c.format;
        GlobalUnlock(data);
        ATOM item = GlobalAddAtomA("Groups");
        PostMessageA(engineState.engineWindow, WM_DDE_DATA, reinterpret_cast<WPARAM>(partner),
                     PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(data), item));
        pump();
        EXPECT_EQ(server.log, c.answers) << c.what;
        EXPECT_EQ(GlobalLock(data) == nullptr, c.freed) << c.what;
        if (!c.freed)
            GlobalFree(data);
        EXPECT_EQ(GlobalFindAtomA("Groups"), 0) << c.what << ": the item atom was kept";
        ddeTerminate(partner);
        pump();
    }

    // A data message without memory is a notice only.
    DdeTestServer server("server");
    HWND partner = ddeInitiate("Progman", "Progman");
    server.log.clear();
    ATOM item = GlobalAddAtomA("Groups");
    PostMessageA(engineState.engineWindow, WM_DDE_DATA, reinterpret_cast<WPARAM>(partner),
                 PackDDElParam(WM_DDE_DATA, 0, item));
    pump();
    EXPECT_TRUE(server.log.empty());
    GlobalDeleteAtom(item);
}

}  // namespace
