#include "desktop/connection.h"

#include "desktop/places.h"
#include "desktop/service.h"
#include "desktop/spawn.h"
#include "kernel/pc.h"
#include "time/clock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace platform::desktop {
namespace {

namespace fs = std::filesystem;

struct Shared {
    std::mutex lock;
    std::unique_ptr<Connection> current;
    fs::path root;
    // Connections to PCs that this process has left; their reader threads may still run.
    std::vector<std::unique_ptr<Connection>> retired;
    Identity identity;
    Inbox* inbox = nullptr;
    std::function<void()> answerHook;
};

Shared& shared() {
    static auto* instance = new Shared;  // lives to the end: the reader thread may outlast main
    return *instance;
}

// A program image started with KIT_DESKTOP_SERVICE set is the desktop service of that run folder.
// It serves and ends before the program's own start-up is reached.
struct ServiceMode {
    ServiceMode() {
        const char* runFolder = std::getenv("KIT_DESKTOP_SERVICE");
        if (!runFolder) return;
        ServiceOptions options;
        options.runFolder = runFolder;
        if (const char* log = std::getenv("KIT_DESKTOP_EVENTS")) options.eventLog = log;
        if (const char* linger = std::getenv("KIT_DESKTOP_LINGER")) options.lingerMilliseconds = std::atoi(linger);
        options.readyFd = 3;
        std::_Exit(runService(options));
    }
} serviceMode;

class FileLock {
public:
    explicit FileLock(const fs::path& file) : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ < 0) throw std::runtime_error("cannot open the desktop lock " + file.string() + ": " + std::strerror(errno));
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

int connectTo(const fs::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socket.native().size() >= sizeof(address.sun_path))
        throw std::runtime_error("desktop socket path too long: " + socket.string());
    std::strcpy(address.sun_path, socket.c_str());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void startService(const fs::path& runFolder, const fs::path& eventLog) {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    SpawnRequest request;
    request.program = self.string();
    request.arguments = {"pc-desktop"};
    request.environment = {{"KIT_DESKTOP_SERVICE", runFolder.string()},
                           {"KIT_DESKTOP_EVENTS", eventLog.string()},
                           {"KIT_DESKTOP_LINGER", clock::mode() == clock::Mode::real ? "1000" : "0"}};
    request.inheritFd = ready[1];
    pid_t pid = spawnProcess(request);
    int spawnError = errno;
    ::close(ready[1]);
    char byte = 0;
    ssize_t got = pid > 0 ? ::read(ready[0], &byte, 1) : -1;
    ::close(ready[0]);
    if (pid < 0) throw std::runtime_error("cannot start the desktop service: " + std::string(std::strerror(spawnError)));
    if (got != 1) throw std::runtime_error("the desktop service of " + runFolder.string() + " did not start");
}

bool sendAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::optional<Frame> readFrame(int fd, std::string& buffer) {
    for (;;) {
        if (std::optional<Frame> frame = takeFrame(buffer)) return frame;
        char chunk[65536];
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

std::unique_ptr<Connection> Connection::open(const fs::path& root, bool start) {
    Pc& pc = Pc::current();
    fs::path runFolder = pc.runFolder();
    if (!start && !fs::exists(socketPath(runFolder))) return nullptr;
    std::error_code ec;
    fs::create_directories(runFolder, ec);
    FileLock startLock(lockPath(runFolder));
    int fd = connectTo(socketPath(runFolder));
    if (fd < 0) {
        if (!start) return nullptr;
        startService(runFolder, pc.eventLog());
        fd = connectTo(socketPath(runFolder));
        if (fd < 0) throw std::runtime_error("cannot reach the desktop service of " + root.string());
    }
    Identity identity;
    {
        std::lock_guard guard(shared().lock);
        identity = shared().identity;
    }
    if (identity.imageHost.empty()) identity.imageHost = fs::read_symlink("/proc/self/exe", ec).string();
    Writer hello;
    hello.i64(::getpid()).u8(identity.program).text(identity.imageHost).text(identity.commandLine);
    std::string buffer;
    if (!sendAll(fd, hello.frame(Kind::hello, 1)) || !readFrame(fd, buffer)) {
        ::close(fd);
        throw std::runtime_error("the desktop service of " + root.string() + " did not answer");
    }
    std::unique_ptr<Connection> connection(new Connection(runFolder, fd));
    std::thread([c = connection.get()] { c->readLoop(); }).detach();
    return connection;
}

Connection::Connection(fs::path runFolder, int fd) : runFolder_(std::move(runFolder)), fd_(fd) {}

Connection& Connection::get() {
    Shared& s = shared();
    std::unique_lock guard(s.lock);
    fs::path root = Pc::current().root();
    if (s.current && s.root == root && s.current->alive()) return *s.current;
    guard.unlock();  // open() reads the identity
    std::unique_ptr<Connection> made = open(root, true);
    guard.lock();
    if (s.current) {
        ::shutdown(s.current->fd_, SHUT_RDWR);
        s.retired.push_back(std::move(s.current));
    }
    s.current = std::move(made);
    s.root = root;
    return *s.current;
}

Connection* Connection::existing() {
    Shared& s = shared();
    {
        std::lock_guard guard(s.lock);
        if (!Pc::hasCurrent()) return nullptr;
        if (s.current && s.root == Pc::current().root() && s.current->alive()) return s.current.get();
    }
    fs::path root = Pc::current().root();
    std::unique_ptr<Connection> made = open(root, false);
    if (!made) return nullptr;
    std::lock_guard guard(s.lock);
    if (s.current) {
        ::shutdown(s.current->fd_, SHUT_RDWR);
        s.retired.push_back(std::move(s.current));
    }
    s.current = std::move(made);
    s.root = root;
    return s.current.get();
}

void Connection::setIdentity(Identity identity) {
    std::lock_guard guard(shared().lock);
    shared().identity = std::move(identity);
}

void Connection::setInbox(Inbox* inbox) {
    std::lock_guard guard(shared().lock);
    shared().inbox = inbox;
}

void Connection::setAnswerHook(std::function<void()> hook) {
    std::lock_guard guard(shared().lock);
    shared().answerHook = std::move(hook);
}

void Connection::wakeWaiters() {
    Shared& s = shared();
    std::function<void()> hook;
    {
        std::lock_guard guard(s.lock);
        hook = s.answerHook;
        if (s.current) {
            std::lock_guard inner(s.current->lock_);
            s.current->answered_.notify_all();
        }
    }
    if (hook) hook();
}

bool Connection::alive() const {
    std::lock_guard guard(lock_);
    return !gone_;
}

void Connection::write(const std::string& bytes) {
    bool ok;
    {
        std::lock_guard guard(writeLock_);
        ok = sendAll(fd_, bytes);
    }
    if (!ok) {
        std::lock_guard guard(lock_);
        gone_ = true;
        answered_.notify_all();
    }
}

void Connection::notify(Kind kind, const Writer& payload) {
    write(payload.frame(kind, 0));
}

std::uint64_t Connection::startCall(Kind kind, const Writer& payload) {
    std::uint64_t call;
    {
        std::lock_guard guard(lock_);
        call = ++nextCall_;
        answers_[call] = std::nullopt;
    }
    write(payload.frame(kind, call));
    return call;
}

Connection::State Connection::answer(std::uint64_t call, std::optional<Reader>& out) {
    std::lock_guard guard(lock_);
    auto it = answers_.find(call);
    if (it != answers_.end() && it->second) {
        out = std::move(it->second);
        answers_.erase(it);
        return State::answered;
    }
    if (gone_) {
        answers_.erase(call);
        return State::failed;
    }
    return State::waiting;
}

Connection::State Connection::waitAnswer(std::uint64_t call, std::chrono::steady_clock::time_point deadline,
                                         const std::function<bool()>& stop, std::optional<Reader>& out) {
    for (;;) {
        State state = answer(call, out);
        if (state != State::waiting) return state;
        if ((stop && stop()) || std::chrono::steady_clock::now() >= deadline) return State::waiting;
        std::unique_lock held(lock_);
        auto it = answers_.find(call);
        if (gone_ || (it != answers_.end() && it->second)) continue;
        answered_.wait_until(held, deadline);
    }
}

void Connection::abandon(std::uint64_t call) {
    std::lock_guard guard(lock_);
    answers_.erase(call);
}

Reader Connection::call(Kind kind, const Writer& payload) {
    std::uint64_t id = startCall(kind, payload);
    std::optional<Reader> out;
    if (waitAnswer(id, std::chrono::steady_clock::time_point::max(), nullptr, out) != State::answered)
        throw DesktopGone("the desktop service has gone");
    return std::move(*out);
}

void Connection::readLoop() {
    std::string buffer;
    try {
        while (std::optional<Frame> frame = readFrame(fd_, buffer)) dispatch(*frame);
    } catch (const WireError&) {
        // A broken stream ends the connection like a closed one.
    }
    std::function<void()> hook;
    {
        std::lock_guard guard(shared().lock);
        hook = shared().answerHook;
    }
    {
        std::lock_guard guard(lock_);
        gone_ = true;
        answered_.notify_all();
    }
    if (hook) hook();
}

void Connection::dispatch(Frame& frame) {
    Reader& r = frame.payload;
    switch (frame.kind) {
    case Kind::reply: {
        {
            std::lock_guard guard(lock_);
            auto it = answers_.find(frame.id);
            if (it == answers_.end()) return;  // abandoned
            it->second = std::move(r);
            answered_.notify_all();
        }
        std::function<void()> hook;
        {
            std::lock_guard guard(shared().lock);
            hook = shared().answerHook;
        }
        if (hook) hook();
        return;
    }
    case Kind::deliver: {
        std::uint64_t delivery = r.u64();
        std::uint64_t window = r.u64();
        std::uint32_t message = r.u32();
        std::uint64_t wParam = r.u64();
        std::int64_t lParam = r.i64();
        Inbox* inbox;
        {
            std::lock_guard guard(shared().lock);
            inbox = shared().inbox;
        }
        if (inbox) inbox->deliver(delivery, window, message, wParam, lParam);
        else if (delivery) notify(Kind::sendReply, Writer().u64(delivery).i64(0));
        return;
    }
    case Kind::endSession: {
        Inbox* inbox;
        {
            std::lock_guard guard(shared().lock);
            inbox = shared().inbox;
        }
        if (inbox) inbox->endSession();
        else std::_Exit(0);
        return;
    }
    default:
        throw WireError("unexpected desktop frame " + std::to_string(static_cast<int>(frame.kind)));
    }
}

}  // namespace platform::desktop
