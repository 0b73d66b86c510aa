#pragma once
// The virtual box as a Transport, in-process, and a PortOpener that opens the
// reserved name "VBOX" as it and passes every other name on.
#include <memory>
#include <string>

#include "link/serial/PacedLine.h"
#include "link/serial/Transport.h"
#include "sim/Box.h"

namespace quarvin::sim {

constexpr const char* VirtualPortName = "VBOX";

class VirtualBoxTransport : public Transport, public PacedLine {
public:
    explicit VirtualBoxTransport(std::shared_ptr<Box> box);

    // Feeds the bytes to the box, which executes them at once.
    bool write(const std::uint8_t* data, std::size_t n) override;
    // A queued reply byte, or -1 at once when none is queued (the box answers
    // synchronously, so waiting would change nothing).
    int readByte(int timeoutMs) override;
    // Moves the host's side of the line clock on: nothing leaves meanwhile.
    bool quiet(double microseconds) override;
    void purge() override;
    void close() override { closed_ = true; }
    LineKind lineKind() const override { return LineKind::VirtualBox; }

    bool closed() const { return closed_; }
    Box& box() { return *box_; }
    const std::shared_ptr<Box>& sharedBox() const { return box_; }

private:
    std::shared_ptr<Box> box_;
    bool closed_ = false;
};

class VirtualPortOpener : public PortOpener {
public:
    // `next` opens every other name; without it they cannot be opened.
    explicit VirtualPortOpener(std::unique_ptr<PortOpener> next = nullptr,
                               std::shared_ptr<Box> box = nullptr);

    OpenedPort open(const std::string& name) override;

    // The embedded box; every "VBOX" transport talks to this one.
    const std::shared_ptr<Box>& box() const { return box_; }

private:
    std::unique_ptr<PortOpener> next_;
    std::shared_ptr<Box> box_;
};

} // namespace quarvin::sim
