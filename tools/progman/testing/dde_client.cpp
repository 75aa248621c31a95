#include "dde_client.h"

#include "win/memory.h"
#include "win/user.h"

#include <cstring>

namespace progman::testing {

namespace {
constexpr const char* kClientClass = "TestDdeClient";
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMilliseconds = 30000;
}  // namespace

DdeClient::DdeClient() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kClientClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, kClientClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

DdeClient::~DdeClient() {
    DestroyWindow(window_);
    UnregisterClassA(kClientClass, nullptr);
}

LRESULT CALLBACK DdeClient::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DdeClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message > WM_DDE_INITIATE && message <= WM_DDE_LAST) {
        self->inbox_.push_back({message, reinterpret_cast<HWND>(wParam), lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND DdeClient::initiate() {
    ATOM service = GlobalAddAtomA("Progman");
    ATOM topic = GlobalAddAtomA("Progman");
    inbox_.clear();
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_), MAKELPARAM(service, topic));
    GlobalDeleteAtom(service);
    GlobalDeleteAtom(topic);
    HWND server = nullptr;
    for (const Message& m : inbox_) {
        if (m.message != WM_DDE_ACK) continue;
        server = m.from;
        GlobalDeleteAtom(LOWORD(m.lParam));
        GlobalDeleteAtom(HIWORD(m.lParam));
    }
    inbox_.clear();
    return server;
}

std::optional<DdeClient::Message> DdeClient::await(HWND server) {
    SetTimer(window_, kGiveUpTimer, kGiveUpMilliseconds, nullptr);
    for (;;) {
        for (auto it = inbox_.begin(); it != inbox_.end(); ++it) {
            if (it->from != server) continue;
            Message found = *it;
            inbox_.erase(it);
            KillTimer(window_, kGiveUpTimer);
            return found;
        }
        MSG msg;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        if (msg.message == WM_TIMER && msg.hwnd == window_) break;
        DispatchMessageA(&msg);
    }
    KillTimer(window_, kGiveUpTimer);
    return std::nullopt;
}

std::optional<WORD> DdeClient::execute(HWND server, const std::string& commands) {
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, commands.size() + 1);
    void* bytes = GlobalLock(block);
    if (bytes == nullptr) return std::nullopt;
    std::memcpy(bytes, commands.c_str(), commands.size() + 1);
    GlobalUnlock(block);
    std::optional<WORD> status;
    if (PostMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_), reinterpret_cast<LPARAM>(block))) {
        std::optional<Message> answer = await(server);
        if (answer && answer->message == WM_DDE_ACK) {
            UINT_PTR word = 0, memory = 0;
            UnpackDDElParam(WM_DDE_ACK, answer->lParam, &word, &memory);
            FreeDDElParam(WM_DDE_ACK, answer->lParam);
            if (reinterpret_cast<HGLOBAL>(memory) == block) status = static_cast<WORD>(word);
        }
    }
    GlobalFree(block);
    return status;
}

std::optional<std::string> DdeClient::request(HWND server, const std::string& item) {
    ATOM itemAtom = GlobalAddAtomA(item.c_str());
    SendMessageA(server, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_), MAKELPARAM(CF_TEXT, itemAtom));
    GlobalDeleteAtom(itemAtom);
    std::optional<Message> answer = await(server);
    if (!answer || (answer->message != WM_DDE_DATA && answer->message != WM_DDE_ACK)) return std::nullopt;
    UINT_PTR low = 0, high = 0;
    UnpackDDElParam(answer->message, answer->lParam, &low, &high);
    FreeDDElParam(answer->message, answer->lParam);
    GlobalDeleteAtom(static_cast<ATOM>(high));
    if (answer->message != WM_DDE_DATA) return std::nullopt;
    HGLOBAL data = reinterpret_cast<HGLOBAL>(low);
    const auto* header = static_cast<const DDEDATA*>(GlobalLock(data));
    std::string text = header ? reinterpret_cast<const char*>(header->Value) : "";
    GlobalUnlock(data);
    GlobalFree(data);
    return text;
}

bool DdeClient::awaitTerminate(HWND server) {
    std::optional<Message> answer = await(server);
    return answer && answer->message == WM_DDE_TERMINATE;
}

}  // namespace progman::testing
