#pragma once
// The static RAM tester's operations: read, write and verify byte by byte with
// the box advancing the low address, the whole-device sum, and the test that
// writes a running pattern over the whole device and compares the sums.
#include "families/framework/MemoryJob.h"
#include "families/framework/Operation.h"
#include "families/sram/SramRows.h"

namespace quarvin {

using SramJob = MemoryJob<SramRow>;

// From device address 0 into the buffer from 0, Length + 1 bytes at most.
OperationResult ReadSram(const SramJob& job);
// Buffer Start .. into Device Start .., reading back the first byte of every page.
OperationResult WriteSram(const SramJob& job);
OperationResult VerifySram(const SramJob& job);
// The 32-bit sum of every 256-byte page sum; the result's value holds it.
OperationResult SumSram(const SramJob& job);
// Writes 91..100, then 1..100 over and over, into the whole device and compares
// the device's sum with the pattern's. Overwrites the device.
OperationResult TestSram(const SramJob& job);

// The shared shut-down of the socket, /CE and /WE high until the supply is
// off and every line low before it and after it.
void ShutDownSram(LinkState& link, const SramRow& row);

// The pattern sum TestSram expects for a device of `size` bytes.
std::uint32_t SramTestPatternSum(std::uint32_t size);

} // namespace quarvin
