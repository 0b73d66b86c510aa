#pragma once
// Reads a link trace back: the bytes each way, the largest gap between two
// lines, the time-outs, the port events and the operations seen, and the lines
// it could not read.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace quarvin {

struct TraceSummary {
    std::vector<std::uint8_t> sent, received; // every byte of the trace, in order
    std::int64_t firstUs = -1, lastUs = -1;
    std::int64_t largestGapUs = 0;            // between two consecutive lines
    std::int64_t largestGapAtUs = 0;          // time stamp of the line after the gap
    int timeouts = 0, opens = 0, failedOpens = 0, closes = 0, lost = 0, writeFailures = 0;
    std::uint64_t droppedBytes = 0;           // older trace dropped by the size limit
    std::vector<std::string> operations;      // each name once, in the order first seen
    int lines = 0;
    int badLines = 0;
    int firstBadLine = 0;                     // 1-based; 0 when every line was read
    bool headerSeen = false;
};

TraceSummary ReadTrace(std::istream& in);
// The summary as trace-check prints it.
std::string DescribeTrace(const TraceSummary& s);
// "000012.345678" for a time in microseconds.
std::string TraceTime(std::int64_t us);

} // namespace quarvin
