// Port name mapping and the POSIX serial transport over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/serial/PortNames.h"
#include "link/serial/PosixSerial.h"

namespace quarvin::test {
namespace {

TEST(PortNames, DevicesAreOrderedUsbThenAcmThenFourOnBoardPorts) {
    const std::vector<std::string> entries = {"ttyS10", "ttyS1", "ttyACM0", "ttyUSB10", "ttyUSB2", "tty0", "ttyS0",
                                              "ttyS3", "ttyS4", "ttyUSB", "ttyUSBx1", "null", "ttyACM1", "ttyS2"};
    const std::vector<std::string> expected = {"/d/ttyUSB2", "/d/ttyUSB10", "/d/ttyACM0", "/d/ttyACM1",
                                               "/d/ttyS0",   "/d/ttyS1",    "/d/ttyS2",   "/d/ttyS3"};
    EXPECT_EQ(orderSerialDevices("/d", entries), expected);
}

TEST(PortNames, ComNumbersAndPaths) {
    const std::vector<std::string> devices = {"/dev/ttyUSB0", "/dev/ttyS0"};
    struct Row { std::string name; int com; std::string path; };
    const Row rows[] = {
        {"COM1", 1, "/dev/ttyUSB0"}, {"com2", 2, "/dev/ttyS0"}, {"COM3", 3, ""}, {"COM10", 10, ""},
        {"COM0", 0, "COM0"}, {"COMx", 0, "COMx"}, {"/dev/pts/7", 0, "/dev/pts/7"}, {"", 0, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(comNumber(r.name), r.com) << r.name;
        EXPECT_EQ(resolvePortName(r.name, devices), r.path) << r.name;
    }
}

// A pseudo-terminal pair: the far end plays the box.
class Pty : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        path = ptsname(master);
        termios tio{};
        tcgetattr(master, &tio);
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
    }
    void TearDown() override { close(master); }
    int master = -1;
    std::string path;
};

TEST_F(Pty, OpensExclusivelyWithLineSettingsAndExchangesBytes) {
    PosixPortOpener opener;
    OpenedPort port = opener.open(path);
    ASSERT_EQ(port.status, OpenStatus::Opened);
    EXPECT_EQ(opener.open(path).status, OpenStatus::CannotOpen) << "a second open of an open port";

    termios tio{};
    ASSERT_EQ(tcgetattr(static_cast<PosixSerialTransport*>(port.transport.get())->fd(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_lflag & ICANON);

    // Bytes both ways are exchanged end to end in tests/sim/pty_test.cpp.
    const std::uint8_t out[] = {15};
    EXPECT_EQ(port.transport->readByte(50), -1); // nothing sent by the far end: time-out

    port.transport->close();
    EXPECT_FALSE(port.transport->write(out, 1));
    EXPECT_EQ(port.transport->readByte(10), -1);
    EXPECT_EQ(opener.open(path).status, OpenStatus::Opened) << "free again after close";
}

TEST_F(Pty, RepliesAwaitedInAGroupComeInOrderAndAGroupCutShortStillEnds) {
    PosixPortOpener opener;
    OpenedPort port = opener.open(path);
    ASSERT_EQ(port.status, OpenStatus::Opened);
    Transport& t = *port.transport;
    // 40 replies coming: the port waits for ten at once. The far end sends only
    // three and falls silent: they still come, in order, and then a time-out.
    const std::uint8_t replies[] = {7, 8, 9};
    ASSERT_EQ(::write(master, replies, sizeof replies), 3);
    for (std::uint8_t want : replies) {
        t.repliesComing(40);
        EXPECT_EQ(t.readByte(500), want);
    }
    EXPECT_FALSE(t.byteReady());
    t.repliesComing(37);
    EXPECT_EQ(t.readByte(100), -1) << "nothing more came";
    // A group that does come whole is handed over, the rest kept ready.
    std::vector<std::uint8_t> many(20);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint8_t>(100 + i);
    ASSERT_EQ(::write(master, many.data(), many.size()), 20);
    for (std::uint8_t want : many) {
        t.repliesComing(80);
        EXPECT_EQ(t.readByte(500), want);
    }
    EXPECT_FALSE(t.byteReady());
}

TEST_F(Pty, RepliesAtTheLinesPaceComeWholeAndASilentBoxStillShows) {
    PosixPortOpener opener;
    OpenedPort port = opener.open(path);
    ASSERT_EQ(port.status, OpenStatus::Opened);
    Transport& t = *port.transport;
    // The far end answers as a box on a 115200 baud line does: a few bytes a
    // millisecond, so the port learns the pace and sleeps for its groups. It
    // sends fewer replies than were promised and falls silent.
    constexpr int kPromised = 400, kSent = 305, kPerMillisecond = 10;
    std::thread box([&] {
        for (int sent = 0; sent < kSent; sent += kPerMillisecond) {
            std::uint8_t slice[kPerMillisecond];
            const int n = std::min(kPerMillisecond, kSent - sent);
            for (int i = 0; i < n; ++i) slice[i] = static_cast<std::uint8_t>(sent + i);
            if (::write(master, slice, static_cast<std::size_t>(n)) != n) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    int got = 0;
    for (; got < kPromised; ++got) {
        t.repliesComing(static_cast<std::size_t>(kPromised - got));
        const int byte = t.readByte(300);
        if (byte < 0) break;
        ASSERT_EQ(byte, got % 256) << "reply " << got;
    }
    box.join();
    EXPECT_EQ(got, kSent) << "every reply sent came, and the silence then showed";
}

TEST(PosixOpener, NamesThatCannotBeOpened) {
    PosixPortOpener opener("/nonexistent-dev-dir");
    for (const char* name : {"VBOX", "COM1", "/nonexistent/ttyX"}) EXPECT_EQ(opener.open(name).status, OpenStatus::CannotOpen) << name;
    // A regular file opens but is no terminal.
    char name[] = "/tmp/quarvin-link-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    OpenedPort r = opener.open(name);
    EXPECT_EQ(r.status, OpenStatus::SettingsRefused);
    EXPECT_FALSE(r.transport);
    unlink(name);
}

} // namespace
} // namespace quarvin::test
