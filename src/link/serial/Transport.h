#pragma once
// The byte pipe to the programmer box: a serial port, the embedded virtual box, or a
// test double. Blocking calls only; the link decides what a failure means.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace quarvin {

// What stands behind a transport. Read-ahead is on by default only where no real
// box can be overrun: the virtual box and pseudo-terminals.
enum class LineKind { SerialPort, PseudoTerminal, VirtualBox, Unknown };

class Transport {
public:
    virtual ~Transport() = default;
    virtual LineKind lineKind() const { return LineKind::Unknown; }
    // Something about the port the user can fix, for the link diagnostics
    // (empty: nothing).
    virtual std::string portAdvice() const { return {}; }
    // Writes all n bytes; false when not every byte could be written.
    virtual bool write(const std::uint8_t* data, std::size_t n) = 0;
    // One byte, or -1 when none arrived within timeoutMs.
    virtual int readByte(int timeoutMs) = 0;
    // Whether readByte would hand over a byte already received, without waiting
    // on the line: a writer may then hold its bytes back a little longer.
    virtual bool byteReady() const { return false; }
    // The next n bytes to be read are replies to commands already given to this
    // transport: it may wait for several of them at once instead of waking for
    // each. Holds for the next readByte only.
    virtual void repliesComing(std::size_t /*n*/) {}
    // Drops pending input and output.
    virtual void purge() {}
    virtual void close() = 0;
    // The link gave up on this transport (no reply in time, a write that
    // failed); close() follows. Only a trace takes note.
    virtual void linkLost() {}
    // The program is now running this operation ("" when none): a trace labels
    // the bytes that follow with it; nothing else takes note.
    virtual void operationChanged(const std::string& /*operation*/) {}
};

// Result of opening a port by name.
enum class OpenStatus {
    Opened,           // ready
    CannotOpen,       // no such port, busy, or no permission: silently try the next
    SettingsRefused,  // line settings refused: "set Com bad"
    TimeoutsRefused,  // opened, but the time-outs could not be set: "SetCommTimeouts failed"
};

struct OpenedPort {
    OpenStatus status = OpenStatus::CannotOpen;
    std::unique_ptr<Transport> transport; // set for Opened and TimeoutsRefused
};

// Opens ports by the names the link uses ("COM1".."COM4", device paths, "VBOX").
class PortOpener {
public:
    virtual ~PortOpener() = default;
    virtual OpenedPort open(const std::string& name) = 0;
};

} // namespace quarvin
