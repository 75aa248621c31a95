// The Program Manager window as a DDE client meets it, in one process: a client window talks to
// it with the raw DDE messages, atoms and shared memory.
#include "progman_window.h"

#include "program_groups.h"

#include "kernel/testing/test_pc.h"
#include "win/memory.h"
#include "win/paint.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received>& received() {
    static std::vector<Received> messages;
    return messages;
}

LRESULT CALLBACK clientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The client is a top-level window too: it meets its own initiation broadcast and ignores it.
    if (message > WM_DDE_INITIATE && message <= WM_DDE_LAST) {
        received().push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string atomText(UINT_PTR atom) {
    char name[256] = {};
    GlobalGetAtomNameA(static_cast<ATOM>(atom), name, sizeof name);
    return name;
}

class ProgmanWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        received().clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = clientProc;
        wc.lpszClassName = "DdeClient";
        ASSERT_TRUE(RegisterClassA(&wc));
        client = CreateWindowExA(0, "DdeClient", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        server = createProgmanWindow(nullptr, SW_HIDE);
        ASSERT_TRUE(client && server);
    }
    void TearDown() override {
        if (IsWindow(server)) DestroyWindow(server);
        DestroyWindow(client);
        pump();
        UnregisterClassA(kProgmanClass, nullptr);
        UnregisterClassA("DdeClient", nullptr);
    }

    // Delivers every posted message; true when the quit message came.
    bool pump() {
        bool quit = false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) quit = true;
            else DispatchMessageA(&msg);
        }
        return quit;
    }

    // Broadcasts an initiation; the names that the answers carry (atoms keep the spelling in which
    // they were first added, so they are compared in capitals).
    std::vector<std::string> initiate(const char* service, const char* topic) {
        ATOM serviceAtom = *service ? GlobalAddAtomA(service) : 0;
        ATOM topicAtom = *topic ? GlobalAddAtomA(topic) : 0;
        received().clear();
        SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client), MAKELPARAM(serviceAtom, topicAtom));
        std::vector<std::string> answers;
        for (const Received& r : received()) {
            EXPECT_EQ(r.message, static_cast<UINT>(WM_DDE_ACK));
            EXPECT_EQ(reinterpret_cast<HWND>(r.wParam), server);
            std::string names = atomText(LOWORD(r.lParam)) + "|" + atomText(HIWORD(r.lParam));
            for (char& c : names) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            answers.push_back(names);
            GlobalDeleteAtom(LOWORD(r.lParam));
            GlobalDeleteAtom(HIWORD(r.lParam));
        }
        received().clear();
        if (serviceAtom) GlobalDeleteAtom(serviceAtom);
        if (topicAtom) GlobalDeleteAtom(topicAtom);
        return answers;
    }

    // Posts an execute and returns the status of its acknowledgement (-1: none came). The
    // acknowledgement must return the command memory, which the client then frees.
    int execute(const char* commands) {
        HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, std::strlen(commands) + 1);
        std::strcpy(static_cast<char*>(GlobalLock(block)), commands);
        GlobalUnlock(block);
        received().clear();
        EXPECT_TRUE(PostMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client), reinterpret_cast<LPARAM>(block)));
        quit = pump();
        int status = -1;
        for (const Received& r : received()) {
            if (r.message != WM_DDE_ACK || status != -1) continue;
            UINT_PTR low = 0, high = 0;
            EXPECT_TRUE(UnpackDDElParam(WM_DDE_ACK, r.lParam, &low, &high));
            FreeDDElParam(WM_DDE_ACK, r.lParam);
            EXPECT_EQ(reinterpret_cast<HGLOBAL>(high), block) << commands;
            status = static_cast<int>(low);
        }
        GlobalFree(block);
        return status;
    }

    std::vector<std::string> groupNames() {
        std::vector<std::string> names;
        for (const progman::ProgramGroup& group : progman::GroupStore().list().groups) names.push_back(group.name);
        return names;
    }

    platform::testing::TestPc pc;
    HWND client = nullptr;
    HWND server = nullptr;
    bool quit = false;
};

TEST_F(ProgmanWindowTest, HasTheClassAndTitleOfProgramManager) {
    EXPECT_EQ(FindWindowA("Progman", "Program Manager"), server);
}

TEST_F(ProgmanWindowTest, AnswersInitiationsForProgmanOrOpenNames) {
    struct Case {
        const char* service;
        const char* topic;
        bool answered;
    };
    const Case cases[] = {{"Progman", "Progman", true}, {"PROGMAN", "", true}, {"", "", true},
                          {"Progman", "Other", false},  {"Shell", "Progman", false}};
    for (const Case& c : cases) {
        std::vector<std::string> answers = initiate(c.service, c.topic);
        EXPECT_EQ(answers, c.answered ? std::vector<std::string>{"PROGMAN|PROGMAN"} : std::vector<std::string>{})
            << c.service << "|" << c.topic;
    }
    // The answers' atoms were the client's to delete; the server keeps none.
    EXPECT_EQ(GlobalFindAtomA("Progman"), 0);
}

TEST_F(ProgmanWindowTest, AcknowledgesEachExecute) {
    ASSERT_EQ(initiate("Progman", "Progman").size(), 1u);
    struct Case {
        const char* commands;
        int status;
    };
    const Case cases[] = {
        {"[CreateGroup(TV Kit)][AddItem(\"C:\\TV\\PLAYER.EXE\",Player,\"C:\\TV\\PLAYER.EXE\")]", 0x8000},
        {"[DeleteItem(Nothing)]", 0},
        {"[CreateGroup(Broken)", 0},
        {"[Frobnicate]", 0},
        {"[CreateGroup(Games)]", 0x8000},
    };
    for (const Case& c : cases) EXPECT_EQ(execute(c.commands), c.status) << c.commands;
    EXPECT_EQ(groupNames(), (std::vector<std::string>{"TV Kit", "Games"}));
    EXPECT_FALSE(quit);
}

TEST_F(ProgmanWindowTest, AnswersARequestForTheGroupsWithText) {
    ASSERT_EQ(execute("[CreateGroup(Main)][CreateGroup(TV Kit)]"), 0x8000);
    struct Case {
        WORD format;
        const char* item;
        const char* data;  // null: a negative acknowledgement
    };
    const Case cases[] = {{CF_TEXT, "Groups", "Main\r\nTV Kit\r\n"}, {CF_TEXT, "groups", "Main\r\nTV Kit\r\n"},
                          {CF_TEXT, "Main", nullptr}, {2, "Groups", nullptr}};
    for (const Case& c : cases) {
        ATOM item = GlobalAddAtomA(c.item);
        received().clear();
        SendMessageA(server, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(client), MAKELPARAM(c.format, item));
        GlobalDeleteAtom(item);  // the client's own atom goes when the request returns
        pump();
        ASSERT_EQ(received().size(), 1u) << c.item;
        const Received r = received()[0];
        EXPECT_EQ(r.message, static_cast<UINT>(c.data ? WM_DDE_DATA : WM_DDE_ACK)) << c.item;
        UINT_PTR low = 0, high = 0;
        ASSERT_TRUE(UnpackDDElParam(r.message, r.lParam, &low, &high));
        FreeDDElParam(r.message, r.lParam);
        EXPECT_EQ(atomText(high), c.item);  // the answer carries an atom of its own with the item
        GlobalDeleteAtom(static_cast<ATOM>(high));
        if (c.data) {
            HGLOBAL block = reinterpret_cast<HGLOBAL>(low);
            const auto* data = static_cast<const DDEDATA*>(GlobalLock(block));
            ASSERT_TRUE(data);
            EXPECT_EQ(data->cfFormat, CF_TEXT);
            EXPECT_EQ(data->fRelease, 1);
            EXPECT_EQ(data->fAckReq, 0);
            EXPECT_EQ(data->fResponse, 1);
            EXPECT_STREQ(reinterpret_cast<const char*>(data->Value), c.data);
            GlobalUnlock(block);
            GlobalFree(block);
        } else {
            EXPECT_EQ(low, 0u);
        }
    }
}

TEST_F(ProgmanWindowTest, ExitProgmanIsAcknowledgedBeforeTheProgramEnds) {
    ASSERT_EQ(initiate("Progman", "Progman").size(), 1u);
    EXPECT_EQ(execute("[CreateGroup(Kept)][ExitProgman(1)]"), 0x8000);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(IsWindow(server));
    // The open conversation is ended by the server.
    ASSERT_EQ(received().size(), 2u);
    EXPECT_EQ(received()[1].message, static_cast<UINT>(WM_DDE_TERMINATE));
    EXPECT_EQ(reinterpret_cast<HWND>(received()[1].wParam), server);
    EXPECT_EQ(groupNames(), std::vector<std::string>{"Kept"});
}

TEST_F(ProgmanWindowTest, AnswersATerminateOnceAndRefusesLinks) {
    ASSERT_EQ(initiate("Progman", "Progman").size(), 1u);
    for (int round = 0; round < 2; ++round) {
        received().clear();
        PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client), 0);
        pump();
        const std::vector<UINT> expected = round == 0 ? std::vector<UINT>{WM_DDE_TERMINATE} : std::vector<UINT>{};
        std::vector<UINT> got;
        for (const Received& r : received()) got.push_back(r.message);
        EXPECT_EQ(got, expected) << "terminate " << round + 1;
    }

    for (UINT message : {WM_DDE_ADVISE, WM_DDE_POKE, WM_DDE_UNADVISE}) {
        ATOM item = GlobalAddAtomA("Groups");
        LPARAM lParam = message == WM_DDE_UNADVISE ? MAKELPARAM(CF_TEXT, item) : PackDDElParam(message, 0, item);
        received().clear();
        PostMessageA(server, message, reinterpret_cast<WPARAM>(client), lParam);
        pump();
        ASSERT_EQ(received().size(), 1u) << message;
        UINT_PTR status = 1, answered = 0;
        UnpackDDElParam(WM_DDE_ACK, received()[0].lParam, &status, &answered);
        FreeDDElParam(WM_DDE_ACK, received()[0].lParam);
        EXPECT_EQ(status, 0u) << message;
        EXPECT_EQ(answered, item) << message;
        GlobalDeleteAtom(item);
    }
}

// Pixels of the window's client area in RECT that are not its background.
int ink(HWND window, const RECT& rect) {
    HDC dc = GetDC(window);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (GetPixel(dc, x, y) != background) ++count;
    ReleaseDC(window, dc);
    return count;
}

TEST_F(ProgmanWindowTest, ShowsTheGroupsWithTheirItemsIndented) {
    ShowWindow(server, SW_SHOWNORMAL);
    pump();
    HDC dc = GetDC(server);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(server, dc);
    const int line = metrics.tmHeight + metrics.tmExternalLeading;
    ASSERT_GT(line, 0);
    const RECT groupLine{0, 4, 30, 4 + line}, itemLineStart{0, 4 + line, 30, 4 + 2 * line},
        itemLineName{32, 4 + line, 200, 4 + 2 * line};
    EXPECT_EQ(ink(server, RECT{0, 0, 200, 4 + 2 * line}), 0);

    ASSERT_EQ(execute("[CreateGroup(Main)][AddItem(A.EXE,Accessory)]"), 0x8000);
    pump();
    EXPECT_GT(ink(server, groupLine), 0);
    EXPECT_EQ(ink(server, itemLineStart), 0);
    EXPECT_GT(ink(server, itemLineName), 0);

    ASSERT_EQ(execute("[DeleteGroup(Main)]"), 0x8000);
    pump();
    EXPECT_EQ(ink(server, RECT{0, 0, 200, 4 + 2 * line}), 0);
}

}  // namespace
