#pragma once
// Where every device operation is recorded when it has ended, from a dialog or
// from the command line: the run log (quarvin.log) and the command line's JSON
// output take these entries.
#include <cstdint>
#include <optional>
#include <string>

namespace quarvin {

struct OperationEntry {
    std::string port;         // the link's port name, "soft run" without a box
    std::string device;       // the selected type name
    int row = 0;              // its sub-type row
    std::string operation;    // "program", "verify", ...
    std::string result;       // "ok", "failed", "stopped", "refused", "link lost"
    std::string message;      // the operation's own text
    std::optional<std::uint32_t> failureAddress; // failed or stopped there
    // The buffer range the operation wrote to the chip or read from it, and the
    // CRC-32 of those buffer bytes afterwards (eight hex digits).
    std::optional<std::uint32_t> rangeFirst, rangeLast;
    std::string crc32;
    std::string serial;       // the serial number written into the buffer, if any
};

class OperationLog {
public:
    virtual ~OperationLog() = default;
    virtual void record(const OperationEntry& entry) = 0;
};

} // namespace quarvin
