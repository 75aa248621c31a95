// The frames exchanged between the programs of a PC and its desktop service.
//
// A frame on the Unix stream socket is: u32 length of the rest, u8 kind, u64 call id, payload.
// A call (id != 0) is answered by a Reply frame with the same id; notices (id 0) get no answer.
// Numbers are little-endian; a text is a u32 length and its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform::desktop {

enum class Kind : std::uint8_t {
    // program -> service
    hello = 1,          // call: pid, is program, image host path, command line
    createWindow,       // call: WindowRecord without handle -> handle
    windowChanged,      // notice: WindowRecord
    windowRaised,       // notice: handle (top of the z-order)
    windowDestroyed,    // notice: handle
    queryWindow,        // call: handle -> found, WindowRecord
    findWindow,         // call: has class, class, has title, title -> handle or 0
    listWindows,        // call: -> count, WindowRecord...
    post,               // call: handle, message, wParam, lParam -> delivered
    send,               // call: handle, message, wParam, lParam -> answered, result
    sendReply,          // notice: delivery id, result
    atomAdd,            // call: name -> atom
    atomFind,           // call: name -> atom
    atomName,           // call: atom -> found, name
    atomDelete,         // call: atom -> was there
    idle,               // notice: this program waits for input for the first time
    awaitIdle,          // call: pid -> 1 idle, 0 gone
    awaitNoPrograms,    // call: -> (answered when no program runs)
    runningImage,       // call: host path -> running
    programEnd,         // notice: exit code
    exitWindows,        // call: flags, reserved -> done
    foreground,         // notice: handle
    // service -> program
    reply = 100,        // the answer to a call
    deliver,            // delivery id (0: posted), handle, message, wParam, lParam
    endSession,         // the PC shuts down: end now
};

constexpr std::size_t kMaxFrame = 1 << 20;

class WireError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Writer {
public:
    Writer& u8(std::uint8_t v) { return raw(&v, 1); }
    Writer& u16(std::uint16_t v) { return little(v, 2); }
    Writer& u32(std::uint32_t v) { return little(v, 4); }
    Writer& u64(std::uint64_t v) { return little(v, 8); }
    Writer& i64(std::int64_t v) { return u64(static_cast<std::uint64_t>(v)); }
    Writer& text(std::string_view s) {
        u32(static_cast<std::uint32_t>(s.size()));
        return raw(s.data(), s.size());
    }
    const std::string& bytes() const { return bytes_; }

    // The whole frame: length, kind, id, this payload.
    std::string frame(Kind kind, std::uint64_t id) const {
        Writer head;
        head.u32(static_cast<std::uint32_t>(1 + 8 + bytes_.size())).u8(static_cast<std::uint8_t>(kind)).u64(id);
        return head.bytes_ + bytes_;
    }

private:
    Writer& raw(const void* data, std::size_t size) {
        bytes_.append(static_cast<const char*>(data), size);
        return *this;
    }
    Writer& little(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
        return *this;
    }
    std::string bytes_;
};

class Reader {
public:
    explicit Reader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(little(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(little(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(little(4)); }
    std::uint64_t u64() { return little(8); }
    std::int64_t i64() { return static_cast<std::int64_t>(u64()); }
    std::string text() {
        std::uint32_t size = u32();
        need(size);
        std::string s = bytes_.substr(at_, size);
        at_ += size;
        return s;
    }

private:
    void need(std::size_t size) const {
        if (bytes_.size() - at_ < size) throw WireError("desktop frame ends early");
    }
    std::uint64_t little(int size) {
        need(static_cast<std::size_t>(size));
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= std::uint64_t(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += static_cast<std::size_t>(size);
        return v;
    }
    std::string bytes_;
    std::size_t at_ = 0;
};

// One frame split from the stream.
struct Frame {
    Kind kind;
    std::uint64_t id;
    Reader payload;
};

// Takes the first whole frame off BUFFER, if there is one. Throws WireError on a bad length.
inline std::optional<Frame> takeFrame(std::string& buffer) {
    if (buffer.size() < 4) return std::nullopt;
    Reader head(buffer.substr(0, 4));
    std::size_t length = head.u32();
    if (length < 9 || length > kMaxFrame) throw WireError("desktop frame has a bad length");
    if (buffer.size() < 4 + length) return std::nullopt;
    Reader body(buffer.substr(4, length));
    buffer.erase(0, 4 + length);
    auto kind = static_cast<Kind>(body.u8());
    std::uint64_t id = body.u64();
    return Frame{kind, id, std::move(body)};
}

// Window data the service keeps for every window of the PC.
struct WindowRecord {
    std::uint64_t handle = 0;
    std::uint64_t parent = 0;
    std::uint64_t owner = 0;
    std::int64_t pid = 0;
    std::string className;
    std::string title;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // screen coordinates
    bool visible = false;

    void write(Writer& w) const {
        w.u64(handle).u64(parent).u64(owner).i64(pid).text(className).text(title).u32(style).u32(exStyle);
        w.u32(static_cast<std::uint32_t>(left)).u32(static_cast<std::uint32_t>(top));
        w.u32(static_cast<std::uint32_t>(right)).u32(static_cast<std::uint32_t>(bottom)).u8(visible);
    }
    static WindowRecord read(Reader& r) {
        WindowRecord rec;
        rec.handle = r.u64();
        rec.parent = r.u64();
        rec.owner = r.u64();
        rec.pid = r.i64();
        rec.className = r.text();
        rec.title = r.text();
        rec.style = r.u32();
        rec.exStyle = r.u32();
        rec.left = static_cast<std::int32_t>(r.u32());
        rec.top = static_cast<std::int32_t>(r.u32());
        rec.right = static_cast<std::int32_t>(r.u32());
        rec.bottom = static_cast<std::int32_t>(r.u32());
        rec.visible = r.u8() != 0;
        return rec;
    }
};

}  // namespace platform::desktop
