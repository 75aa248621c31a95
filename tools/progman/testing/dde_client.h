// A DDE client window in the test process that talks to Program Manager in a process of its own,
// with the raw messages, atoms and shared memory, waiting for each answer in its message loop.
#pragma once

#include "win/types.h"

#include <optional>
#include <string>
#include <vector>

namespace progman::testing {

class DdeClient {
public:
    DdeClient();
    ~DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    // Broadcasts an initiation for service and topic "Progman"; the answering server or null.
    HWND initiate();
    // Sends the commands in an execute and waits for the acknowledgement: its status word;
    // nullopt when none came or it did not give the command memory back.
    std::optional<WORD> execute(HWND server, const std::string& commands);
    // Requests ITEM as text and waits for the answer: the data, or nullopt for a negative one.
    std::optional<std::string> request(HWND server, const std::string& item);
    // Waits for the server's terminate; false when something else or nothing came.
    bool awaitTerminate(HWND server);

private:
    struct Message {
        UINT message;
        HWND from;
        LPARAM lParam;
    };
    // Runs the message loop until a DDE message from SERVER arrives (nullopt after 30 seconds
    // without one, so that a server that never answers cannot hold the caller).
    std::optional<Message> await(HWND server);
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<Message> inbox_;
};

}  // namespace progman::testing
