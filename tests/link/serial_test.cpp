// Port name mapping and the POSIX serial transport over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "link/serial/PortNames.h"
#include "support/FakePlatform.h"
#include "link/serial/PosixSerial.h"

namespace quarvin::test {
namespace {

TEST(PortNames, DevicesAreOrderedUsbThenAcmThenFourOnBoardPorts) {
    const std::vector<std::string> entries = {
        "ttyS10", "ttyS1", "ttyACM0", "ttyUSB10", "ttyUSB2", "tty0", "ttyS0",
        "ttyS3", "ttyS4", "ttyUSB", "ttyUSBx1", "null", "ttyACM1", "ttyS2",
    };
    const std::vector<std::string> expected = {
        "/d/ttyUSB2", "/d/ttyUSB10", "/d/ttyACM0", "/d/ttyACM1",
        "/d/ttyS0", "/d/ttyS1", "/d/ttyS2", "/d/ttyS3",
    };
    EXPECT_EQ(orderSerialDevices("/d", entries), expected);
}

TEST(PortNames, ComNumbersAndPaths) {
    const std::vector<std::string> devices = {"/dev/ttyUSB0", "/dev/ttyS0"};
    struct Row { std::string name; int com; std::string path; };
    const Row rows[] = {
        {"COM1", 1, "/dev/ttyUSB0"},
        {"com2", 2, "/dev/ttyS0"},
        {"COM3", 3, ""},          // no third device
        {"COM10", 10, ""},
        {"COM0", 0, "COM0"},      // not a COM number: taken as a path
        {"COM", 0, "COM"},
        {"COMx", 0, "COMx"},
        {"/dev/pts/7", 0, "/dev/pts/7"},
        {"", 0, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(comNumber(r.name), r.com);
        EXPECT_EQ(resolvePortName(r.name, devices), r.path);
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
    void TearDown() override {
        if (master >= 0) close(master);
    }
    int master = -1;
    std::string path;
};

TEST_F(Pty, OpensWithLineSettingsAndExchangesBytes) {
    PosixPortOpener opener;
    OpenedPort port = opener.open(path);
    ASSERT_EQ(port.status, OpenStatus::Opened);
    ASSERT_TRUE(port.transport);
    auto* serial = static_cast<PosixSerialTransport*>(port.transport.get());

    termios tio{};
    ASSERT_EQ(tcgetattr(serial->fd(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_lflag & ICANON);

    const std::uint8_t out[] = {15, 0, 0xFF, '\n', 3};
    ASSERT_TRUE(port.transport->write(out, sizeof out));
    std::uint8_t got[8] = {};
    std::size_t n = 0;
    while (n < sizeof out) {
        pollfd p{master, POLLIN, 0};
        ASSERT_GT(poll(&p, 1, 2000), 0);
        ssize_t r = read(master, got + n, sizeof got - n);
        ASSERT_GT(r, 0);
        n += static_cast<std::size_t>(r);
    }
    EXPECT_EQ(std::vector<std::uint8_t>(got, got + n), std::vector<std::uint8_t>(out, out + sizeof out));

    const std::uint8_t reply[] = {'q', 0, 0xFF};
    ASSERT_EQ(write(master, reply, sizeof reply), 3);
    EXPECT_EQ(port.transport->readByte(1000), 'q');
    EXPECT_EQ(port.transport->readByte(1000), 0);
    EXPECT_EQ(port.transport->readByte(1000), 0xFF);
    EXPECT_EQ(port.transport->readByte(50), -1); // nothing more: time-out

    port.transport->close();
    EXPECT_FALSE(port.transport->write(out, 1));
    EXPECT_EQ(port.transport->readByte(10), -1);
}

TEST_F(Pty, SecondOpenOfAnOpenPortFails) {
    PosixPortOpener opener;
    OpenedPort first = opener.open(path);
    ASSERT_EQ(first.status, OpenStatus::Opened);
    OpenedPort second = opener.open(path);
    EXPECT_EQ(second.status, OpenStatus::CannotOpen);
    EXPECT_FALSE(second.transport);
    first.transport->close();
    EXPECT_EQ(opener.open(path).status, OpenStatus::Opened);
}

// Reads from the box's end until n bytes came or nothing arrives for a while.
std::vector<std::uint8_t> drain(int fd, std::size_t n) {
    std::vector<std::uint8_t> got;
    std::uint8_t buf[512];
    while (got.size() < n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) break;
        ssize_t r = read(fd, buf, sizeof buf);
        if (r <= 0) break;
        got.insert(got.end(), buf, buf + r);
    }
    return got;
}

TEST_F(Pty, StartUpFindsABoxOnTheSavedDevicePath) {
    char templ[] = "/tmp/quarvin-pty-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string dir = templ;
    std::ofstream(dir + "/zomexnt.con", std::ios::binary) << path << "\n";

    // The box: answer the identify command, then take the idle sequence.
    std::vector<std::uint8_t> first, rest;
    std::thread box([&] {
        first = drain(master, 1);
        const char reply[] = "quarvinc\x07";
        if (write(master, reply, 9) != 9) return;
        rest = drain(master, 4096);
    });

    FakePlatform fake;
    PosixPortOpener opener("/nonexistent-dev-dir");
    LinkEnvironment env{&fake.prompts, &fake.system, &opener, dir, {}};
    LinkState link;
    RunLinkStartup(link, env);
    EXPECT_EQ(link.connected, 1);
    EXPECT_EQ(link.identification, "quarvinc from " + path);
    PowerDown(link); // gives the box thread a last batch, then silence ends it
    box.join();

    EXPECT_EQ(first, std::vector<std::uint8_t>{15});
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest.back(), 0); // the power-down's last byte
    std::ifstream saved(dir + "/zomexnt.con", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, path);
    EXPECT_EQ(fake.prompts.texts().size(), 1u); // only the start question
    std::filesystem::remove_all(dir);
}

TEST(PosixOpener, NamesThatCannotBeOpened) {
    PosixPortOpener opener("/nonexistent-dev-dir");
    EXPECT_EQ(opener.open("VBOX").status, OpenStatus::CannotOpen);
    EXPECT_EQ(opener.open("COM1").status, OpenStatus::CannotOpen);
    EXPECT_EQ(opener.open("/nonexistent/ttyX").status, OpenStatus::CannotOpen);
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
