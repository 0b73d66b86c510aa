#pragma once
// The serial port of this machine: a terminal device opened exclusively in raw
// mode at 115200 baud, 8 data bits, no parity, 2 stop bits, no flow control.
// Works the same on a pseudo-terminal, which the end-to-end tests use.
#include <cstdint>
#include <string>

#include "link/serial/LatencyTimer.h"
#include "link/serial/PacedLine.h"
#include "link/serial/Transport.h"

namespace quarvin {

class PosixSerialTransport : public Transport, public PacedLine {
public:
    explicit PosixSerialTransport(int fd, LineKind kind = LineKind::SerialPort, LatencyTimer latency = {})
        : fd_(fd), kind_(kind), latency_(latency) {}
    ~PosixSerialTransport() override;
    PosixSerialTransport(const PosixSerialTransport&) = delete;
    PosixSerialTransport& operator=(const PosixSerialTransport&) = delete;

    bool write(const std::uint8_t* data, std::size_t n) override;
    int readByte(int timeoutMs) override;
    bool byteReady() const override { return inPos_ < inLen_; }
    void repliesComing(std::size_t n) override { repliesComing_ = n; }
    bool quiet(double microseconds) override;
    // Only a real line is kept quiet: behind a pseudo-terminal a sleep would not
    // reach whatever answers, so commands that need it wait for their replies.
    bool canPace() const override { return kind_ == LineKind::SerialPort; }
    void purge() override;
    void close() override;
    LineKind lineKind() const override { return kind_; }
    std::string portAdvice() const override { return latency_.advice(); }

    int fd() const { return fd_; }

private:
    int fd_;
    LineKind kind_;
    LatencyTimer latency_;          // lowered while open, restored on close
    std::size_t unpaced_ = 0;       // bytes written since the last quiet()
    // Sets VMIN and VTIME on the line unless they are set already.
    bool setReadWait(int vmin, int vtenths);
    // Fills inBuf_ with what one read brings; false on time-out or a failed line.
    bool fill();
    // Reads a group of `group` replies, the first awaited for `timeoutMs`: when
    // the group is whole, or a tenth of a second after the last byte; false when
    // none came.
    bool readGroup(int group, int timeoutMs);

    int vmin_ = -1, vtime_ = -1;    // VMIN and VTIME now set on the line (VTIME in tenths)
    std::size_t repliesComing_ = 0; // told by the caller for the next readByte
    double byteInterval_ = 0;       // microseconds between replies when paced, else 0
    int groupsSinceLook_ = 0;       // groups read since the pace was last seen
    std::uint8_t inBuf_[64] = {};   // bytes read ahead of the caller
    int inPos_ = 0, inLen_ = 0;
};

// Opens a device path with the line settings above.
OpenedPort openSerialDevice(const std::string& path);

// Opens ports by link name: "COM1".."COM4" (and further COM numbers) through the
// machine's serial device list, anything else as a device path. "VBOX" belongs
// to the virtual box's opener and cannot be opened here.
class PosixPortOpener : public PortOpener {
public:
    explicit PosixPortOpener(std::string devDir = "/dev") : devDir_(std::move(devDir)) {}
    OpenedPort open(const std::string& name) override;

private:
    std::string devDir_;
};

} // namespace quarvin
