// A program for the cross-program tests. Command-line tail: CLASS TITLE. It shows one window
// of that class and title and answers these messages (wParam: the asking window):
//   kAskBack   sends kAnswerBack to the asker before answering; returns that answer + 1
//   kInitiate  answers by sending kAcknowledge to the asker (as a DDE server answers an initiation)
//   kPostMany  posts kNumbered 0..lParam-1 to the asker
//   kReadShared returns the length of the text in the shared block lParam
//   kDieWhileAnswering ends the program without answering
#include "process/testing/test_messages.h"
#include "win/memory.h"
#include "win/process.h"
#include "win/user.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace platform::process::testing;
    HWND asker = reinterpret_cast<HWND>(wParam);
    switch (message) {
    case kAskBack:
        return SendMessageA(asker, kAnswerBack, reinterpret_cast<WPARAM>(window), lParam) + 1;
    case kInitiate:
        SendMessageA(asker, kAcknowledge, reinterpret_cast<WPARAM>(window), lParam);
        return 0;
    case kPostMany:
        for (LPARAM i = 0; i < lParam; ++i) PostMessageA(asker, kNumbered, static_cast<WPARAM>(i), 0);
        return 0;
    case kReadShared: {
        HGLOBAL block = reinterpret_cast<HGLOBAL>(lParam);
        const char* text = static_cast<const char*>(GlobalLock(block));
        LRESULT length = text ? static_cast<LRESULT>(std::strlen(text)) : -1;
        if (text) GlobalUnlock(block);
        return length;
    }
    case kDieWhileAnswering:
        std::_Exit(3);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int show) {
    std::string line = tail;
    std::size_t blank = line.find(' ');
    std::string className = line.substr(0, blank);
    std::string title = blank == std::string::npos ? "" : line.substr(blank + 1);
    WNDCLASSA wc{};
    wc.lpfnWndProc = testWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    if (!RegisterClassA(&wc)) return 2;
    HWND window = CreateWindowExA(0, className.c_str(), title.c_str(), WS_POPUP, 10, 20, 200, 100, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 3;
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
