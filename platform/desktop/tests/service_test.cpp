// The desktop service against raw clients: a broken client is dropped, the others go on.
#include "desktop/connection.h"
#include "desktop/places.h"
#include "desktop/wire.h"
#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace platform::desktop {
namespace {

int rawClient() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socketPath(Pc::current().runFolder()).c_str());
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    return fd;
}

TEST(DesktopService, AClientSendingABrokenFrameIsDroppedWithItsWindows) {
    platform::testing::TestPc pc;
    Connection& mine = Connection::get();
    int broken = rawClient();
    WindowRecord rec;
    rec.className = "Broken";
    Writer create;
    rec.write(create);
    std::string frames = Writer().i64(1).u8(0).text("").text("").frame(Kind::hello, 1) +
                         create.frame(Kind::createWindow, 2);
    ASSERT_EQ(::write(broken, frames.data(), frames.size()), static_cast<ssize_t>(frames.size()));
    // Wait for both answers: the window exists now.
    std::string buffer;
    int answers = 0;
    while (answers < 2) {
        char chunk[256];
        ssize_t got = ::read(broken, chunk, sizeof chunk);
        ASSERT_GT(got, 0);
        buffer.append(chunk, static_cast<std::size_t>(got));
        while (takeFrame(buffer)) ++answers;
    }
    Writer find;
    find.u8(1).text("Broken").u8(0).text("");
    EXPECT_NE(mine.call(Kind::findWindow, find).u64(), 0u);

    const char garbage[] = "\xff\xff\xff\xff" "rest";  // a length beyond any frame
    ASSERT_EQ(::write(broken, garbage, sizeof garbage - 1), static_cast<ssize_t>(sizeof garbage - 1));
    char byte;
    EXPECT_EQ(::read(broken, &byte, 1), 0);  // the service closed it
    ::close(broken);
    EXPECT_EQ(mine.call(Kind::findWindow, find).u64(), 0u);
    EXPECT_TRUE(mine.alive());
}

TEST(DesktopService, AnUnknownAtomHasNoName) {
    platform::testing::TestPc pc;
    Reader r = Connection::get().call(Kind::atomName, Writer().u16(0xC123));
    EXPECT_EQ(r.u8(), 0);
}

}  // namespace
}  // namespace platform::desktop
