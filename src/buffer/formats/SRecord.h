#pragma once
// Motorola S-record: a line reader that stores S1/S2/S3 data in the main buffer
// and checks every record, and the writer of bytes 0..end address.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "buffer/MainBuffer.h"

namespace quarvin::formats {

struct SrecLoadResult {
    bool opened = false;
    bool readFailed = false;          // a read error ended the load; the records before it are stored
    std::int64_t highestAddress = -1; // highest buffer address written; -1 when none
    std::int64_t bytesStored = 0;
    std::int64_t bytesOutside = 0;    // data bytes addressed beyond the buffer, not stored
    int records = 0;                  // lines read as records (blank lines aside)
    int dataRecords = 0;              // sound S1/S2/S3 records
    int badRecords = 0;               // bad checksum, malformed, cut short, wrong count
    int firstBadLine = 0;             // 1-based line of the first bad record; 0 when none
    std::string firstProblem;         // what was wrong with it
    int lastLine = 0;                 // the last line read
    bool terminationSeen = false;     // an S7, S8 or S9 record ended the file
    std::string header;               // the S0 record's text, unprintable bytes as "."
    std::optional<std::uint32_t> startAddress; // of the termination record
    int addressBytes = 0;             // widest data record read: 2 (S1), 3 (S2), 4 (S3); 0 none

    // The warning to show after the load, empty when the file was sound.
    std::string problemText() const;
};

// Reads lines as they come ("\n", "\r" or both end a line). A data record is
// stored only when it is complete and its checksum is right; a bad record is
// counted with its line and the rest of the file is still read. An S5/S6 count
// record must equal the data records before it. Reading ends at the
// termination record.
class SrecReader {
public:
    explicit SrecReader(MainBuffer& buffer) : buffer_(buffer) {}
    // Returns false once the termination record has been read.
    bool feed(std::string_view piece);
    // Ends the input (a line still open is read as the last one) and returns the result.
    SrecLoadResult finish();

private:
    void endLine();
    void record(std::string_view line);
    void bad(const std::string& why);

    MainBuffer& buffer_;
    SrecLoadResult result_;
    std::string line_;
    bool lineTooLong_ = false;
    bool lastWasCr_ = false;
    int line_number_ = 0;
    bool done_ = false;
};

SrecLoadResult readSrec(MainBuffer& buffer, std::string_view text);
SrecLoadResult readSrecFile(MainBuffer& buffer, const std::string& path);

// What an S-record file says besides its data.
struct SrecListing {
    std::string header;              // S0 text; empty gives "QUARVIN"
    std::uint32_t startAddress = 0;  // of the termination record
    int minimumAddressBytes = 2;     // 2 (S1/S9), 3 (S2/S8) or 4 (S3/S7); widened as the range needs
};

// The address width a file name asks for: 3 for ".S28", 4 for ".S37", else 2.
int srecAddressBytesOfName(const std::string& path);

// S0 header, records of 32 bytes for 0..endAddress (clipped to the buffer) in
// the smallest width that covers the range and the start address, the count
// record (S5, or S6 above 65535 records) and the matching termination record.
std::string srecText(const MainBuffer& buffer, std::int64_t endAddress, const SrecListing& listing);
// The file takes at least the width its name asks for.
bool saveSrecFile(const MainBuffer& buffer, std::int64_t endAddress, const SrecListing& listing,
                  const std::string& path);

} // namespace quarvin::formats
