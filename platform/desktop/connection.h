// This process's link to the desktop service of its PC.
//
// The connection is made on first use: the first program of a PC starts the service (a copy of
// its own image in service mode) under the PC's start lock, so two programs starting at once
// still share one desktop. A reader thread takes the service's frames: answers to calls go to
// the caller, messages for this process's windows go to the inbox that the window layer set.
#pragma once

#include "desktop/wire.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>

namespace platform::desktop {

// What the service hands to this process; called on the reader thread.
class Inbox {
public:
    virtual ~Inbox() = default;
    // DELIVERY is 0 for a posted message, else the id that the answer (sendReply) must carry.
    virtual void deliver(std::uint64_t delivery, std::uint64_t window, std::uint32_t message, std::uint64_t wParam,
                         std::int64_t lParam) = 0;
    virtual void endSession() = 0;
};

// How this process introduces itself to the service.
struct Identity {
    bool program = false;      // a program of the PC (counted by `pc wait`, logged)
    std::string imageHost;     // host path of the running image
    std::string commandLine;   // as the program received it
};

class DesktopGone : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Connection {
public:
    // The connection to the current PC's desktop; starts the service when none runs.
    // Throws std::runtime_error when neither is possible.
    static Connection& get();
    // The connection when the desktop of the current PC runs; never starts one.
    static Connection* existing();

    static void setIdentity(Identity identity);
    static void setInbox(Inbox* inbox);
    // Called on the reader thread after every answer and when the service goes away.
    static void setAnswerHook(std::function<void()> hook);
    // Wakes every wait for an answer and runs the answer hook (a started process ended).
    static void wakeWaiters();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void notify(Kind kind, const Writer& payload = {});
    // A call that waits for its answer. Throws DesktopGone when the service has gone.
    Reader call(Kind kind, const Writer& payload = {});

    // A call answered later: start it, then look for the answer.
    std::uint64_t startCall(Kind kind, const Writer& payload = {});
    enum class State { waiting, answered, failed };
    State answer(std::uint64_t call, std::optional<Reader>& out);
    // Waits in real time until CALL is answered, STOP() holds or DEADLINE passes.
    State waitAnswer(std::uint64_t call, std::chrono::steady_clock::time_point deadline,
                     const std::function<bool()>& stop, std::optional<Reader>& out);
    void abandon(std::uint64_t call);

    bool alive() const;
    const std::filesystem::path& runFolder() const { return runFolder_; }

private:
    Connection(std::filesystem::path runFolder, int fd);
    static std::unique_ptr<Connection> open(const std::filesystem::path& root, bool start);
    void readLoop();
    void dispatch(Frame& frame);
    void write(const std::string& bytes);

    std::filesystem::path runFolder_;
    int fd_;
    std::mutex writeLock_;
    mutable std::mutex lock_;
    std::condition_variable answered_;
    bool gone_ = false;
    std::uint64_t nextCall_ = 1;
    std::map<std::uint64_t, std::optional<Reader>> answers_;  // nullopt: not yet answered
};

}  // namespace platform::desktop
