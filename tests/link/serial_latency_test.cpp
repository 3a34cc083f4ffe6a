#include "link/serial_latency.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace velmar;

namespace {

// A pseudo-terminal has no serial driver: the request is refused, and the
// line is exactly as it was and still carries bytes both ways.
TEST(RequestLowLatency, IsHarmlessOnAPseudoTerminal) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int port = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(port, 0);
    termios line{};
    ASSERT_EQ(tcgetattr(port, &line), 0);
    cfmakeraw(&line);
    ASSERT_EQ(tcsetattr(port, TCSANOW, &line), 0);
    termios before{};
    ASSERT_EQ(tcgetattr(port, &before), 0);

    EXPECT_FALSE(RequestLowLatency(port));

    termios after{};
    ASSERT_EQ(tcgetattr(port, &after), 0);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    const auto carries = [](int from, int to) {
        if (write(from, "ZR\x06", 3) != 3)
            return std::string("write failed");
        pollfd wait{to, POLLIN, 0};
        if (poll(&wait, 1, 2000) != 1)
            return std::string("nothing came");
        char got[8] = {};
        const ssize_t n = read(to, got, sizeof got);
        return std::string(got, n > 0 ? static_cast<std::size_t>(n) : 0);
    };
    EXPECT_EQ(carries(port, master), "ZR\x06");
    EXPECT_EQ(carries(master, port), "ZR\x06");
    close(port);
    close(master);
}

TEST(RequestLowLatency, RefusesWhatIsNoPort) {
    EXPECT_FALSE(RequestLowLatency(-1));
    const int file = open("/dev/null", O_RDWR);
    ASSERT_GE(file, 0);
    EXPECT_FALSE(RequestLowLatency(file));
    close(file);
}

} // namespace
