#include "desktop/service.h"

#include "desktop/atom_table.h"
#include "desktop/places.h"
#include "desktop/wire.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::desktop {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Client {
    int fd = -1;
    std::int64_t pid = 0;
    bool program = false;
    bool idle = false;
    bool ended = false;  // said goodbye with its exit code
    bool broken = false; // its socket failed on writing
    int exitCode = 0;
    std::string image;
    std::string commandLine;
    std::string in;
    std::string out;
};

struct PendingSend {
    int from;  // client id, -1 once the sender has gone
    std::uint64_t call;
    int to;
};

struct Waiter {
    int client;
    std::uint64_t call;
    std::int64_t pid;  // awaitIdle only
};

class Service {
public:
    explicit Service(const ServiceOptions& options) : options_(options) {}

    int run() {
        if (!listen()) return 1;
        if (options_.readyFd >= 0) {
            char ready = 1;
            (void)!::write(options_.readyFd, &ready, 1);
            ::close(options_.readyFd);
        }
        for (;;) {
            std::vector<pollfd> fds{{listener_, POLLIN, 0}};
            std::vector<int> ids;
            for (auto& [id, c] : clients_) {
                fds.push_back({c.fd, static_cast<short>(POLLIN | (c.out.empty() ? 0 : POLLOUT)), 0});
                ids.push_back(id);
            }
            int timeout = -1;
            if (clients_.empty()) {
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(emptySince_ + linger() - Clock::now());
                timeout = static_cast<int>(std::max<long long>(0, left.count()));
            }
            int ready = ::poll(fds.data(), fds.size(), timeout);
            if (ready < 0 && errno != EINTR) return 1;
            if (ready == 0 && clients_.empty() && mayEnd()) return 0;
            if (fds[0].revents & POLLIN) accept();
            for (std::size_t i = 1; i < fds.size(); ++i) {
                if (!clients_.count(ids[i - 1])) continue;
                if (fds[i].revents & POLLOUT) flush(ids[i - 1]);
                if (clients_.count(ids[i - 1]) && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) receive(ids[i - 1]);
            }
            std::vector<int> broken;
            for (const auto& [id, c] : clients_)
                if (c.broken) broken.push_back(id);
            for (int id : broken) drop(id);
        }
    }

private:
    std::chrono::milliseconds linger() const {
        // While another program is starting, it holds the start lock: the service stays and
        // tries again a little later.
        return std::chrono::milliseconds(lockBusy_ ? std::max(options_.lingerMilliseconds, 20) : options_.lingerMilliseconds);
    }

    bool listen() {
        std::error_code ec;
        fs::create_directories(options_.runFolder, ec);
        fs::path path = socketPath(options_.runFolder);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.native().size() >= sizeof(address.sun_path)) {
            std::fprintf(stderr, "desktop: socket path too long: %s\n", path.c_str());
            return false;
        }
        std::strcpy(address.sun_path, path.c_str());
        ::unlink(path.c_str());
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 64) != 0) {
            std::fprintf(stderr, "desktop: cannot listen on %s: %s\n", path.c_str(), std::strerror(errno));
            return false;
        }
        lockFd_ = ::open(lockPath(options_.runFolder).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        emptySince_ = Clock::now();
        return lockFd_ >= 0;
    }

    // The service may end when nobody is starting a program and nobody waits to be accepted.
    bool mayEnd() {
        if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
            lockBusy_ = true;
            return false;
        }
        lockBusy_ = false;
        pollfd pending{listener_, POLLIN, 0};
        if (::poll(&pending, 1, 0) > 0) {
            ::flock(lockFd_, LOCK_UN);
            return false;
        }
        ::unlink(socketPath(options_.runFolder).c_str());
        std::error_code ec;
        fs::remove_all(sharedMemoryFolder(options_.runFolder), ec);
        return true;  // the lock goes with the process
    }

    void accept() {
        for (;;) {
            int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) return;
            clients_[nextClient_++].fd = fd;
        }
    }

    void receive(int id) {
        Client& c = clients_[id];
        char buffer[65536];
        for (;;) {
            ssize_t got = ::read(c.fd, buffer, sizeof buffer);
            if (got > 0) {
                c.in.append(buffer, static_cast<std::size_t>(got));
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) break;
            drop(id);
            return;
        }
        try {
            while (clients_.count(id)) {
                std::optional<Frame> frame = takeFrame(clients_[id].in);
                if (!frame) break;
                handle(id, *frame);
            }
        } catch (const WireError& e) {
            std::fprintf(stderr, "desktop: dropping program %lld: %s\n", static_cast<long long>(clients_[id].pid), e.what());
            drop(id);
        }
    }

    void flush(int id) {
        Client& c = clients_[id];
        while (!c.out.empty()) {
            ssize_t put = ::send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL);
            if (put > 0) {
                c.out.erase(0, static_cast<std::size_t>(put));
                continue;
            }
            if (put < 0 && (errno == EAGAIN || errno == EINTR)) return;
            // Dropped by the loop, never from inside a handler that is walking the tables.
            c.out.clear();
            c.broken = true;
            return;
        }
    }

    void queue(int id, Kind kind, std::uint64_t call, const Writer& payload) {
        auto it = clients_.find(id);
        if (it == clients_.end()) return;
        it->second.out += payload.frame(kind, call);
        flush(id);
    }
    void answer(int id, std::uint64_t call, const Writer& payload = {}) { queue(id, Kind::reply, call, payload); }

    void log(const std::string& line) {
        std::ofstream out(options_.eventLog, std::ios::app | std::ios::binary);
        out << line << "\n";
    }

    void handle(int id, Frame& f) {
        Client& c = clients_[id];
        Reader& r = f.payload;
        switch (f.kind) {
        case Kind::hello: {
            c.pid = r.i64();
            c.program = r.u8() != 0;
            c.image = r.text();
            c.commandLine = r.text();
            endedPids_.erase(c.pid);
            if (c.program) log("start " + std::to_string(c.pid) + " " + c.commandLine);
            answer(id, f.id);
            break;
        }
        case Kind::createWindow: {
            WindowRecord rec = WindowRecord::read(r);
            rec.handle = nextHandle_;
            nextHandle_ += 4;
            rec.pid = c.pid;
            windows_[rec.handle] = {rec, id};
            if (rec.parent == 0) zOrder_.insert(zOrder_.begin(), rec.handle);
            answer(id, f.id, Writer().u64(rec.handle));
            break;
        }
        case Kind::windowChanged: {
            WindowRecord rec = WindowRecord::read(r);
            auto it = windows_.find(rec.handle);
            if (it != windows_.end() && it->second.client == id) {
                rec.pid = c.pid;
                it->second.record = rec;
            }
            break;
        }
        case Kind::windowRaised:
        case Kind::foreground:
            raise(r.u64());
            break;
        case Kind::windowDestroyed:
            forget(r.u64(), id);
            break;
        case Kind::queryWindow: {
            auto it = windows_.find(r.u64());
            Writer w;
            w.u8(it != windows_.end());
            if (it != windows_.end()) it->second.record.write(w);
            answer(id, f.id, w);
            break;
        }
        case Kind::findWindow: {
            bool byClass = r.u8() != 0;
            std::string className = r.text();
            bool byTitle = r.u8() != 0;
            std::string title = r.text();
            std::uint64_t found = 0;
            for (std::uint64_t h : zOrder_) {
                const WindowRecord& rec = windows_[h].record;
                if ((!byClass || sameText(rec.className, className)) && (!byTitle || sameText(rec.title, title))) {
                    found = h;
                    break;
                }
            }
            answer(id, f.id, Writer().u64(found));
            break;
        }
        case Kind::listWindows: {
            Writer w;
            w.u32(static_cast<std::uint32_t>(zOrder_.size()));
            for (std::uint64_t h : zOrder_) windows_[h].record.write(w);
            answer(id, f.id, w);
            break;
        }
        case Kind::post: {
            std::uint64_t target = r.u64();
            std::uint32_t message = r.u32();
            std::uint64_t wParam = r.u64();
            std::int64_t lParam = r.i64();
            auto it = windows_.find(target);
            if (it != windows_.end())
                queue(it->second.client, Kind::deliver, 0, Writer().u64(0).u64(target).u32(message).u64(wParam).i64(lParam));
            answer(id, f.id, Writer().u8(it != windows_.end()));
            break;
        }
        case Kind::send: {
            std::uint64_t target = r.u64();
            std::uint32_t message = r.u32();
            std::uint64_t wParam = r.u64();
            std::int64_t lParam = r.i64();
            auto it = windows_.find(target);
            if (it == windows_.end()) {
                answer(id, f.id, Writer().u8(0).i64(0));
                break;
            }
            std::uint64_t delivery = nextDelivery_++;
            sends_[delivery] = {id, f.id, it->second.client};
            queue(it->second.client, Kind::deliver, 0,
                  Writer().u64(delivery).u64(target).u32(message).u64(wParam).i64(lParam));
            break;
        }
        case Kind::sendReply: {
            std::uint64_t delivery = r.u64();
            std::int64_t result = r.i64();
            auto it = sends_.find(delivery);
            if (it == sends_.end()) break;
            if (it->second.from >= 0) answer(it->second.from, it->second.call, Writer().u8(1).i64(result));
            sends_.erase(it);
            break;
        }
        case Kind::atomAdd:
            answer(id, f.id, Writer().u16(atoms_.add(r.text())));
            break;
        case Kind::atomFind:
            answer(id, f.id, Writer().u16(atoms_.find(r.text())));
            break;
        case Kind::atomName: {
            std::optional<std::string> name = atoms_.name(r.u16());
            answer(id, f.id, Writer().u8(name.has_value()).text(name.value_or("")));
            break;
        }
        case Kind::atomDelete:
            answer(id, f.id, Writer().u8(atoms_.release(r.u16())));
            break;
        case Kind::idle:
            c.idle = true;
            wakeIdleWaiters(c.pid, 1);
            break;
        case Kind::awaitIdle: {
            std::int64_t pid = r.i64();
            const Client* target = byPid(pid);
            if (target && target->idle) {
                answer(id, f.id, Writer().u8(1));
            } else if (!target && endedPids_.count(pid)) {
                answer(id, f.id, Writer().u8(0));
            } else {
                idleWaiters_.push_back({id, f.id, pid});
            }
            break;
        }
        case Kind::awaitNoPrograms:
            programWaiters_.push_back({id, f.id, 0});
            wakeProgramWaiters();
            break;
        case Kind::runningImage: {
            std::string image = r.text();
            bool running = std::any_of(clients_.begin(), clients_.end(),
                                       [&](const auto& e) { return e.second.program && e.second.image == image; });
            answer(id, f.id, Writer().u8(running));
            break;
        }
        case Kind::programEnd:
            c.ended = true;
            c.exitCode = static_cast<int>(r.i64());
            break;
        case Kind::exitWindows: {
            std::uint32_t flags = r.u32();
            std::uint32_t reserved = r.u32();
            char line[96];
            std::snprintf(line, sizeof line, "exitwindows %lld flags 0x%08X reserved 0x%08X",
                          static_cast<long long>(c.pid), flags, reserved);
            log(line);
            answer(id, f.id);
            // The other programs end now; the one that asked goes on from the call and ends
            // by itself.
            for (auto& [other, client] : clients_)
                if (other != id && client.program) queue(other, Kind::endSession, 0, Writer());
            break;
        }
        default:
            throw WireError("unknown desktop frame " + std::to_string(static_cast<int>(f.kind)));
        }
    }

    static bool sameText(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   auto lower = [](char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; };
                   return lower(x) == lower(y);
               });
    }

    const Client* byPid(std::int64_t pid) const {
        for (const auto& [id, c] : clients_)
            if (c.pid == pid) return &c;
        return nullptr;
    }

    void raise(std::uint64_t handle) {
        auto it = std::find(zOrder_.begin(), zOrder_.end(), handle);
        if (it == zOrder_.end()) return;
        zOrder_.erase(it);
        zOrder_.insert(zOrder_.begin(), handle);
    }

    void forget(std::uint64_t handle, int owner) {
        auto it = windows_.find(handle);
        if (it == windows_.end() || it->second.client != owner) return;
        windows_.erase(it);
        std::erase(zOrder_, handle);
    }

    void wakeIdleWaiters(std::int64_t pid, std::uint8_t state) {
        std::vector<Waiter> still;
        for (const Waiter& w : idleWaiters_) {
            if (w.pid == pid) answer(w.client, w.call, Writer().u8(state));
            else still.push_back(w);
        }
        idleWaiters_ = std::move(still);
    }

    void wakeProgramWaiters() {
        std::vector<Waiter> still;
        for (const Waiter& w : programWaiters_) {
            bool running = std::any_of(clients_.begin(), clients_.end(),
                                       [&](const auto& e) { return e.first != w.client && e.second.program; });
            if (running) still.push_back(w);
            else answer(w.client, w.call);
        }
        programWaiters_ = std::move(still);
    }

    // A program that has gone loses its windows at once; whoever waits on it is answered.
    void drop(int id) {
        auto node = clients_.extract(id);
        if (node.empty()) return;
        Client& c = node.mapped();
        ::close(c.fd);
        for (auto it = windows_.begin(); it != windows_.end();) {
            if (it->second.client == id) {
                std::erase(zOrder_, it->first);
                it = windows_.erase(it);
            } else {
                ++it;
            }
        }
        for (auto it = sends_.begin(); it != sends_.end();) {
            if (it->second.to == id) {
                if (it->second.from >= 0) answer(it->second.from, it->second.call, Writer().u8(0).i64(0));
                it = sends_.erase(it);
            } else {
                if (it->second.from == id) it->second.from = -1;
                ++it;
            }
        }
        std::erase_if(idleWaiters_, [&](const Waiter& w) { return w.client == id; });
        std::erase_if(programWaiters_, [&](const Waiter& w) { return w.client == id; });
        if (c.pid) {
            endedPids_.insert(c.pid);
            wakeIdleWaiters(c.pid, 0);
        }
        if (c.program)
            log("end " + std::to_string(c.pid) + (c.ended ? " exit " + std::to_string(c.exitCode) : std::string(" killed")));
        wakeProgramWaiters();
        if (clients_.empty()) emptySince_ = Clock::now();
    }

    struct Window {
        WindowRecord record;
        int client = -1;
    };

    ServiceOptions options_;
    int listener_ = -1;
    int lockFd_ = -1;
    bool lockBusy_ = false;
    Clock::time_point emptySince_;
    std::map<int, Client> clients_;
    int nextClient_ = 1;
    std::map<std::uint64_t, Window> windows_;
    std::vector<std::uint64_t> zOrder_;  // top-level windows, topmost first
    std::uint64_t nextHandle_ = 0x10020;
    std::map<std::uint64_t, PendingSend> sends_;
    std::uint64_t nextDelivery_ = 1;
    AtomTable atoms_;
    std::vector<Waiter> idleWaiters_;
    std::vector<Waiter> programWaiters_;
    std::set<std::int64_t> endedPids_;
};

}  // namespace

int runService(const ServiceOptions& options) {
    return Service(options).run();
}

}  // namespace platform::desktop
