#pragma once
// Port names as the link and the port file use them, mapped to device paths.
// "COMn" is the n-th serial device of this machine: first the USB adapters
// (/dev/ttyUSB*), then the modem-class USB devices (/dev/ttyACM*), each in
// numeric order, then the on-board ports /dev/ttyS0../dev/ttyS3. Any other name
// is taken as a device path (a pty path, /dev/ttyUSB0, ...).
#include <string>
#include <vector>

namespace quarvin {

// The embedded virtual box: opened by the virtual box's port opener, never a device.
inline constexpr const char* VirtualBoxPortName = "VBOX";

// The serial device paths of a device directory in COM order, from its entry names.
std::vector<std::string> orderSerialDevices(const std::string& devDir,
                                            const std::vector<std::string>& entries);

// The same, for the entries that exist in devDir now.
std::vector<std::string> listSerialDevices(const std::string& devDir = "/dev");

// The COM number of a "COMn" name (n >= 1, letters in any case), or 0.
int comNumber(const std::string& name);

// The device path for a port name; empty when a COM number has no device.
std::string resolvePortName(const std::string& name, const std::vector<std::string>& devices);

} // namespace quarvin
