// A DDE server window in the test's own thread: it records what the engine sends it and answers
// the way a test asks, with the raw messages, atoms and shared memory of the platform.
#pragma once

#include "win/memory.h"
#include "win/user.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class DdeTestServer {
public:
    // How the server answers an execute.
    enum class Answer { positive, negative, data, terminate, quit };

    explicit DdeTestServer(const char* title)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DdeTestServer::proc;
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);  // the first server registers it; the others find it there
        window = CreateWindowA(kClass, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        servers()[window] = this;
    }
    ~DdeTestServer()
    {
        servers().erase(window);
        if (IsWindow(window))
            DestroyWindow(window);
        if (servers().empty())
            UnregisterClassA(kClass, nullptr);
    }
    DdeTestServer(const DdeTestServer&) = delete;
    DdeTestServer& operator=(const DdeTestServer&) = delete;

    HWND window = nullptr;
    // What reached the server, one text per message: "INITIATE service|topic", "EXECUTE text",
    // "REQUEST format item", "ACK status item", "TERMINATE".
    std::vector<std::string> log;
    // The service this server answers; an initiation for another one is ignored.
    std::string service = "Progman";
    // Answers per command; commands not listed are acknowledged positively.
    std::map<std::string, Answer> answers;
    // The command memory of the last execute, to see whether the client freed it.
    HGLOBAL lastCommand = nullptr;
    // Number of times a server that was asked to answered an initiation.
    int initiationsAnswered = 0;

private:
    static constexpr const char* kClass = "DdeTestServer";

    static std::map<HWND, DdeTestServer*>& servers()
    {
        static std::map<HWND, DdeTestServer*> all;
        return all;
    }

    static std::string atomName(ATOM atom)
    {
        char name[256] = {};
        if (atom != 0)
            GlobalGetAtomNameA(atom, name, sizeof name);
        return name;
    }

    void postAck(HWND client, WORD status, UINT_PTR value)
    {
        PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                     PackDDElParam(WM_DDE_ACK, status, value));
    }

    void postTextData(HWND client, const char* item)
    {
        HGLOBAL data = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, sizeof(DDEDATA) + 8);
        auto* header = static_cast<DDEDATA*>(GlobalLock(data));
        header->fRelease = 1;
        header->fResponse = 1;
        header->cfFormat = CF_TEXT;
        header->Value[0] = '\0';
        GlobalUnlock(data);
        ATOM atom = GlobalAddAtomA(item);
        PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(window),
                     PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(data), atom));
    }

    void onExecute(HWND client, HGLOBAL memory)
    {
        lastCommand = memory;
        std::string command = static_cast<const char*>(GlobalLock(memory));
        GlobalUnlock(memory);
        log.push_back("EXECUTE " + command);
        auto found = answers.find(command);
        Answer answer = found == answers.end() ? Answer::positive : found->second;
        switch (answer) {
        case Answer::positive:
            postAck(client, 0x8000, reinterpret_cast<UINT_PTR>(memory));
            break;
        case Answer::negative:
            postAck(client, 0, reinterpret_cast<UINT_PTR>(memory));
            break;
        case Answer::data:
            postTextData(client, command.c_str());
            break;
        case Answer::terminate:
            PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
            break;
        case Answer::quit:
            PostQuitMessage(5);
            break;
        }
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        HWND client = reinterpret_cast<HWND>(wParam);
        switch (message) {
        case WM_DDE_INITIATE: {
            std::string asked = atomName(LOWORD(lParam));
            std::string topic = atomName(HIWORD(lParam));
            log.push_back("INITIATE " + asked + "|" + topic);
            if (asked != service)
                return 0;
            ++initiationsAnswered;
            SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(GlobalAddAtomA(service.c_str()), GlobalAddAtomA(service.c_str())));
            return 0;
        }
        case WM_DDE_EXECUTE:
            onExecute(client, reinterpret_cast<HGLOBAL>(lParam));
            return 0;
        case WM_DDE_REQUEST:
            log.push_back("REQUEST " + std::to_string(LOWORD(lParam)) + " " + atomName(HIWORD(lParam)));
            return 0;
        case WM_DDE_ACK: {
            UINT_PTR status = 0, item = 0;
            UnpackDDElParam(WM_DDE_ACK, lParam, &status, &item);
            FreeDDElParam(WM_DDE_ACK, lParam);
            log.push_back("ACK " + std::to_string(status) + " " + atomName(static_cast<ATOM>(item)));
            GlobalDeleteAtom(static_cast<ATOM>(item));
            return 0;
        }
        case WM_DDE_TERMINATE:
            log.push_back("TERMINATE");
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto found = servers().find(window);
        if (found == servers().end())
            return DefWindowProcA(window, message, wParam, lParam);
        return found->second->handle(message, wParam, lParam);
    }
};
