// The progress window running WININST.INF on the manual clock, against a server window of the
// test's own thread; and the clean-up of WIN.INI [windows] run.
#include "actions/command_script.h"
#include "dde_test_server.h"
#include "progress_test.h"

#include "kernel/hooks.h"
#include "win/paint.h"
#include "win/profile.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class ProgressWindowTest : public ProgressTest {
protected:
    void TearDown() override
    {
        platform::hooks::promptMissingFile() = nullptr;
        ProgressTest::TearDown();
    }
    void writeScript(const std::string& text) { platform::testing::writeHostFile(pc.host("C:\\WININST.INF"), text); }
    // Opens the window and lets it load the script; the lines it holds.
    Lines start(int mode = 1)
    {
        EXPECT_EQ(startCommandScript(&progress, mode, instance, owner, "C:\\"), 0);
        pump();
        Lines lines;
        HWND list = GetDlgItem(progress, IDC_SCRIPT_LINES);
        LRESULT count = IsWindow(progress) ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
        for (LRESULT i = 0; i < count; ++i) {
            char line[SCRIPT_LINE_MAX + 1] = "";
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(ProgressWindowTest, RunsOneLinePerTickAndTellsTheOwnerOnceWhenDone)
{
    struct Case {
        int mode;
        UINT endMessage;
    } cases[] = {{1, WM_SETUP_SCRIPT_DONE}, {0, WM_UNSETUP_SCRIPT_DONE}};
    for (const Case& c : cases) {
        endMessages().clear();
        engineState.partner = nullptr;
        DdeTestServer server("server");
        writeScript("TITLE:Loading Item in Group.\r\n\r\nINITIATE:Progman,Progman\r\n\r\n"
                    "EXECUTE:[CreateGroup(TV)]\r\nEXECUTE:[ExitProgman(1)]\r\n\r\nTERMINATE:\r\n");
        ASSERT_EQ(start(c.mode).size(), 8u);
        for (int line = 1; line <= 8; ++line) {
            ASSERT_TRUE(IsWindow(progress)) << "gone before line " << line;
            platform::clock::advance(STEP_PERIOD - 1);
            pump();
            EXPECT_EQ(endMessages()[c.endMessage], 0);
            tick();
            if (line == 1) {
                char title[64] = "";
                GetWindowTextA(progress, title, sizeof title);
                EXPECT_STREQ(title, "Loading Item in Group.");
            }
        }
        EXPECT_FALSE(IsWindow(progress));
        for (int more = 0; more < 3; ++more)
            tick();
        EXPECT_EQ(endMessages()[c.endMessage], 1) << "mode " << c.mode;
        EXPECT_EQ(server.log, (Lines{"INITIATE Progman|Progman", "EXECUTE [CreateGroup(TV)]",
                                     "EXECUTE [ExitProgman(1)]", "TERMINATE"}));
    }
}

TEST_F(ProgressWindowTest, CutsLinesAtEachCarriageReturnAndTheCharacterAfterIt)
{
    struct Case {
        const char* what;
        std::string text;
        Lines lines;
    } cases[] = {
        {"empty lines stay lines", "A\r\n\r\n\r\nB\r\n", {"A", "", "", "B"}},
        {"no line end at the end of the file", "A\r\nB", {"A", "B"}},
        {"a lone CR drops the next character", "AB\rXCD\r\n", {"AB", "CD"}},
        {"LF alone ends no line", "A\nB\r\n", {"A\nB"}},
        {"a CR as the last character", "A\r", {"A"}},
        {"the longest line", std::string(255, 'x') + "\r\n", {std::string(255, 'x')}},
    };
    for (const Case& c : cases) {
        writeScript(c.text);
        EXPECT_EQ(start(), c.lines) << c.what;
        DestroyWindow(progress);
        pump();
    }
}

TEST_F(ProgressWindowTest, ScriptsThatWouldRunCutAreRefusedWhole)
{
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"a line longer than 255 characters", "INITIATE:Progman,Progman\r\nEXECUTE:[A()]\r\n;" + std::string(255, 'x')},
        {"a zero byte inside a line", std::string("INITIATE:Progman,Progman\r\nEXECUTE:[A(\0)]\r\n", 42)},
    };
    for (const Case& c : cases) {
        endMessages().clear();
        DdeTestServer server("server");
        writeScript(c.text);
        EXPECT_TRUE(start().empty()) << c.what;
        EXPECT_FALSE(IsWindow(progress)) << c.what << ": the window closes before its first tick";
        EXPECT_EQ(endMessages()[WM_SETUP_SCRIPT_DONE], 1) << c.what;
        EXPECT_TRUE(server.log.empty()) << c.what;
    }
}

TEST_F(ProgressWindowTest, AScriptLargerThanSixtyFourKilobytesRunsWhole)
{
    DdeTestServer server("server");
    std::string text = "INITIATE:Progman,Progman\r\n";
    int lines = 1;
    while (text.size() < 70000) {
        text += ";" + std::string(250, 'c') + "\r\n";
        ++lines;
    }
    text += "EXECUTE:[Last()]\r\n";
    ++lines;
    writeScript(text);
    EXPECT_EQ(static_cast<int>(start().size()), lines);
    EXPECT_EQ(ticksToEnd(WM_SETUP_SCRIPT_DONE, lines), lines);
    EXPECT_EQ(server.log.back(), "EXECUTE [Last()]");
}

TEST_F(ProgressWindowTest, AnEmptyScriptIsAFinishedRun)
{
    writeScript("");
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(ticksToEnd(WM_SETUP_SCRIPT_DONE, 3), 1);
    EXPECT_FALSE(IsWindow(progress));
    tick();
    EXPECT_EQ(endMessages()[WM_SETUP_SCRIPT_DONE], 1);
}

TEST_F(ProgressWindowTest, AMissingScriptAsksRetryOrCancelAndTheOwnerGoesOnEitherWay)
{
    struct Case {
        const char* what;
        bool writesOnRetry;
        int prompts;
        size_t lines;
    } cases[] = {
        {"Cancel", false, 1, 0},
        {"Retry once the file is there", true, 1, 2},
    };
    for (const Case& c : cases) {
        endMessages().clear();
        std::error_code ignored;
        std::filesystem::remove(pc.host("C:\\WININST.INF"), ignored);
        int prompts = 0;
        std::string asked;
        platform::hooks::promptMissingFile() = [&](const std::string& path) {
            ++prompts;
            asked = path;
            if (!c.writesOnRetry)
                return false;
            writeScript(";one\r\n;two\r\n");
            return true;
        };
        HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
        SetCursor(arrow);
        EXPECT_EQ(start().size(), c.lines) << c.what;
        EXPECT_EQ(prompts, c.prompts) << c.what;
        EXPECT_NE(asked.find("WININST.INF"), std::string::npos) << asked;
        EXPECT_EQ(ticksToEnd(WM_SETUP_SCRIPT_DONE, 5), static_cast<int>(c.lines)) << c.what;
        tick();
        EXPECT_EQ(endMessages()[WM_SETUP_SCRIPT_DONE], 1) << c.what;
        EXPECT_EQ(GetCursor(), arrow) << c.what << ": the busy cursor stayed";
    }
}

TEST_F(ProgressWindowTest, KoreanModeUsesTheWiderTemplateAndTheKoreanNotice)
{
    struct Case {
        bool korean;
        int mode;
        const char* notice;
    } cases[] = {
        {false, 1, " Creating program group and items. Please Wait. "},
        {false, 0, " Deleting program group and items. Please Wait. "},
        {true, 1, "    \xBE\xC6\xC0\xCC\xC5\xDB\xC0\xBB \xB5\xEE\xB7\xCF\xC7\xCF\xB4\xC2 \xC1\xDF\xC0\xD4\xB4\xCF\xB4\xD9. "
                  "\xB1\xE2\xB4\xD9\xB7\xC1 \xC1\xD6\xBD\xCA\xBD\xC3\xBF\xC0.    "},
        {true, 0, " \xBE\xC6\xC0\xCC\xC5\xDB\xC0\xBB \xC1\xA6\xB0\xC5\xC7\xCF\xB4\xC2 \xC1\xDF\xC0\xD4\xB4\xCF\xB4\xD9. "
                  "\xB1\xE2\xB4\xD9\xB7\xC1 \xC1\xD6\xBD\xCA\xBD\xC3\xBF\xC0. "},
    };
    writeScript(";\r\n");
    LONG plainWidth = 0;
    for (const Case& c : cases) {
        WriteProfileStringA("intl", "sLanguage", c.korean ? "kor" : "enu");
        start(c.mode);
        EXPECT_STREQ(progressState.notice, c.notice);
        RECT rect;
        GetWindowRect(progress, &rect);
        // Centred on the screen.
        EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (rect.right - rect.left) / 2);
        EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (rect.bottom - rect.top) / 2);
        if (!c.korean)
            plainWidth = rect.right - rect.left;
        else
            EXPECT_GT(rect.right - rect.left, plainWidth) << "not the template of 150 units";
        DestroyWindow(progress);
        pump();
    }
}

TEST_F(ProgressWindowTest, PaintsTheNoticeInARaisedLightGreyBox)
{
    writeScript(";\r\n");
    start();
    RECT client;
    GetClientRect(progress, &client);
    const int w = client.right, h = client.bottom;
    HDC dc = GetDC(progress);
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), grey = RGB(192, 192, 192);
    EXPECT_EQ(GetPixel(dc, 0, h / 2), white);
    EXPECT_EQ(GetPixel(dc, w / 2, 0), white);
    EXPECT_EQ(GetPixel(dc, w - 1, h / 2), black);
    EXPECT_EQ(GetPixel(dc, w / 2, h - 1), black);
    EXPECT_EQ(GetPixel(dc, 2, 2), grey);
    // The sentence lies in the middle: dark pixels on the centre row, none near the frame.
    int dark = 0;
    for (int x = 1; x < w - 1; ++x)
        for (int y = 1; y < h - 1; ++y)
            if (GetPixel(dc, x, y) == black) {
                ++dark;
                EXPECT_GT(y, 2);
                EXPECT_LT(y, h - 3);
            }
    EXPECT_GT(dark, 50) << "no notice drawn";
    ReleaseDC(progress, dc);
}

TEST_F(ProgressWindowTest, RemoveRunEntryTakesOutTheFirstWordThatNamesTheProgramsOwnFile)
{
    struct Case {
        const char* before;
        const char* after;  // nullptr: WIN.INI is not written
    } cases[] = {
        {"C:\\_SETUP.EXE", ""},
        {"A.EXE C:\\TEMP\\_setup.exe  B.EXE", "A.EXE B.EXE"},
        {"_SETUP.EXE _SETUP.EXE X.EXE", "_SETUP.EXE X.EXE"},
        {"A.EXE D:_SETUP.EXE   ", "A.EXE"},
        {"A.EXE B.EXE", nullptr},
        {"A.EXE NOT_SETUP.EXE C:\\_SETUP.EXE\\", nullptr},
    };
    for (const Case& c : cases) {
        std::string winIni = "[windows]\r\nload=\r\nrun=" + std::string(c.before) + "\r\n";
        platform::testing::writeHostFile(pc.host("C:\\WINDOWS\\WIN.INI"), winIni);
        removeRunEntry(instance);
        std::string expected = c.after ? "[windows]\r\nload=\r\nrun=" + std::string(c.after) + "\r\n" : winIni;
        EXPECT_EQ(platform::testing::readHostFile(pc.host("C:\\WINDOWS\\WIN.INI")), expected) << c.before;
    }
}

TEST_F(ProgressWindowTest, RemoveRunEntryKeepsEveryOtherProgramOfALongRunValue)
{
    std::string others;
    for (int i = 0; i < 40; ++i)
        others += " C:\\PROGRAMS\\TOOL" + std::to_string(i) + ".EXE";
    std::string run = "C:\\_SETUP.EXE" + others;
    ASSERT_GT(run.size(), 255u);
    WriteProfileStringA("windows", "run", run.c_str());
    removeRunEntry(instance);
    char value[1024] = "";
    GetProfileStringA("windows", "run", "", value, sizeof value);
    EXPECT_EQ(value, others.substr(1));
}

}  // namespace
