#pragma once
// Intel HEX: a streaming reader that stores data records in the main buffer, and
// the writer of bytes 0..end address.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "buffer/MainBuffer.h"

namespace quarvin::formats {

struct HexLoadResult {
    bool opened = false;
    bool readFailed = false;          // a read error ended the load; the records before it are stored
    std::int64_t highestAddress = -1; // highest buffer address written; -1 when none
    std::int64_t bytesStored = 0;
    std::int64_t bytesOutside = 0;    // data bytes addressed beyond the buffer, not stored
    int records = 0;                  // records started (":" at a line start)
    int badRecords = 0;               // bad checksum, malformed, truncated or unknown type
    int firstBadLine = 0;             // 1-based line of the first bad record; 0 when none
    bool endRecordSeen = false;

    // The warning to show after the load, empty when the file was sound.
    std::string problemText() const;
};

// Reads characters as they come. A ":" opens a record only after a control
// character (a line break) or at the start of the input. Type 00 stores data,
// 01 ends the file, 02 and 04 set the base address, 03 and 05 are ignored.
// A record whose data is complete is applied even when its checksum is wrong or
// missing; a record cut short in its header or data is dropped.
class IntelHexReader {
public:
    explicit IntelHexReader(MainBuffer& buffer) : buffer_(buffer) {}
    // Returns false once the end of the data has been read.
    bool feed(std::string_view piece);
    // Ends the input (a record still open is truncated) and returns the result.
    HexLoadResult finish();

private:
    enum class State { Text, Record, Checksum, Done };
    void character(unsigned char c);
    void startRecord();
    void recordDigit(int value);
    void dataComplete();
    void endRecord(bool checksumComplete);
    void markBad();

    MainBuffer& buffer_;
    HexLoadResult result_;
    State state_ = State::Text;
    unsigned char previous_ = 0;
    int line_ = 1;
    int recordLine_ = 0;
    std::int64_t base_ = 0;
    // The record being read: bytes 0 count, 1-2 address, 3 type, then data.
    std::array<std::uint8_t, 4 + 255> bytes_{};
    int byteCount_ = 0;   // complete bytes read so far
    int highNibble_ = -1; // first digit of the byte being read
    int checksum_ = 0;
    bool endPending_ = false;
    bool applied_ = false;
    bool recordBad_ = false;
};

HexLoadResult readIntelHex(MainBuffer& buffer, std::string_view text);
HexLoadResult readIntelHexFile(MainBuffer& buffer, const std::string& path);

// Records of 16 bytes for 0..endAddress (clipped to the buffer) and the end record
// ":00000001FF" with no line break after it. Above 0xFFFF a type 04 record is
// written wherever the upper 16 address bits change.
std::string intelHexText(const MainBuffer& buffer, std::int64_t endAddress);
bool saveIntelHexFile(const MainBuffer& buffer, std::int64_t endAddress, const std::string& path);

} // namespace quarvin::formats
