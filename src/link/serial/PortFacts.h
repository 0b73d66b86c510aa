#pragma once
// What the machine says about a serial port, for the bring-up report and the
// loopback test: the device behind a link name, its kernel driver and a USB
// adapter's latency timer as found.
#include <optional>
#include <string>

namespace quarvin {

inline constexpr const char* SysTtyDir = "/sys/class/tty";

// "ttyUSB0" for /dev/ttyUSB0 and for links to it (/dev/serial/by-id/...).
std::string TtyNameOf(const std::string& path);

struct PortFacts {
    std::string device;             // the device path the name resolves to
    std::string driver;             // "ftdi_sio", "pl2303", "serial8250"; empty when unknown
    std::optional<int> latencyMs;   // a USB adapter's latency timer; none for other ports
};

// `name` is a link port name ("COM1", a device path).
PortFacts FactsOfPort(const std::string& name, const std::string& devDir = "/dev",
                      const std::string& sysTtyDir = SysTtyDir);

// "port: COM1 (/dev/ttyUSB0), driver ftdi_sio, latency timer 16 ms"
std::string DescribePort(const std::string& name, const PortFacts& facts);

} // namespace quarvin
