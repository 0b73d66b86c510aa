#include "buffer/formats/SRecord.h"

#include <algorithm>
#include <array>
#include <functional>

#include "buffer/formats/FileNames.h"
#include "buffer/formats/FileSource.h"

namespace quarvin::formats {

namespace {

// A record holds at most 255 bytes after its count: "S", type, 2 + 510 digits.
constexpr std::size_t kMaxLineLength = 4 + 2 * 255;
constexpr int kRecordBytes = 32;
constexpr std::size_t kMaxHeaderLength = 252;
constexpr std::string_view kDefaultHeader = "QUARVIN";

enum class RecordKind { Header, Data, Count, Termination, Unknown };

struct RecordType {
    RecordKind kind;
    int addressBytes;
};

RecordType typeOf(char digit) {
    switch (digit) {
    case '0': return {RecordKind::Header, 2};
    case '1': return {RecordKind::Data, 2};
    case '2': return {RecordKind::Data, 3};
    case '3': return {RecordKind::Data, 4};
    case '5': return {RecordKind::Count, 2};
    case '6': return {RecordKind::Count, 3};
    case '7': return {RecordKind::Termination, 4};
    case '8': return {RecordKind::Termination, 3};
    case '9': return {RecordKind::Termination, 2};
    default: return {RecordKind::Unknown, 0};
    }
}

// The data and termination record types of an address width.
char dataType(int addressBytes) { return static_cast<char>('1' + (addressBytes - 2)); }
char terminationType(int addressBytes) { return static_cast<char>('9' - (addressBytes - 2)); }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

constexpr char kDigits[] = "0123456789ABCDEF";

void putByte(std::string& out, unsigned v) {
    out.push_back(kDigits[(v >> 4) & 0xF]);
    out.push_back(kDigits[v & 0xF]);
}

// "S", type, count, address of addressBytes bytes, data, checksum, line break.
void putRecord(std::string& out, char type, int addressBytes, std::uint32_t address, const std::uint8_t* data,
               unsigned n) {
    const unsigned count = static_cast<unsigned>(addressBytes) + n + 1;
    unsigned sum = count;
    out.push_back('S');
    out.push_back(type);
    putByte(out, count);
    for (int k = addressBytes - 1; k >= 0; --k) {
        const unsigned byte = (address >> (8 * k)) & 0xFF;
        putByte(out, byte);
        sum += byte;
    }
    for (unsigned k = 0; k < n; ++k) {
        putByte(out, data[k]);
        sum += data[k];
    }
    putByte(out, ~sum & 0xFF);
    out.push_back('\n');
}

int bytesFor(std::uint64_t value) {
    if (value <= 0xFFFF) return 2;
    if (value <= 0xFFFFFF) return 3;
    return 4;
}

void writeSrec(const MainBuffer& buffer, std::int64_t endAddress, const SrecListing& listing,
               const std::function<void(std::string&)>& emit) {
    const std::int64_t last = std::min<std::int64_t>(endAddress, kBufferLast);
    const int width = std::clamp(std::max({listing.minimumAddressBytes, bytesFor(last < 0 ? 0 : last),
                                           bytesFor(listing.startAddress)}),
                                 2, 4);
    std::string out;
    out.reserve(1 << 18);
    const std::string header = listing.header.empty()
                                   ? std::string(kDefaultHeader)
                                   : listing.header.substr(0, std::min(listing.header.size(), kMaxHeaderLength));
    putRecord(out, '0', 2, 0, reinterpret_cast<const std::uint8_t*>(header.data()),
              static_cast<unsigned>(header.size()));
    std::uint32_t records = 0;
    for (std::int64_t a = 0; a <= last; a += kRecordBytes) {
        const auto n = static_cast<unsigned>(std::min<std::int64_t>(kRecordBytes, last - a + 1));
        putRecord(out, dataType(width), width, static_cast<std::uint32_t>(a), buffer.data() + a, n);
        ++records;
        if (out.size() >= (1 << 18) - 128) {
            emit(out);
            out.clear();
        }
    }
    if (records <= 0xFFFF)
        putRecord(out, '5', 2, records, nullptr, 0);
    else
        putRecord(out, '6', 3, records, nullptr, 0);
    putRecord(out, terminationType(width), width, listing.startAddress, nullptr, 0);
    emit(out);
}

} // namespace

std::string SrecLoadResult::problemText() const {
    std::string text;
    if (badRecords > 0) {
        text = std::to_string(badRecords) + (badRecords == 1 ? " bad record" : " bad records") +
               " in this file, not stored; the first is on line " + std::to_string(firstBadLine) + ": " +
               firstProblem + ".";
    }
    auto add = [&](const std::string& more) { text += (text.empty() ? "" : "\n") + more; };
    if (records == 0)
        add("No S-records in this file.");
    else if (!terminationSeen && !readFailed)
        add("The file ends on line " + std::to_string(lastLine) +
            " without its termination record (S7, S8 or S9): it may be cut short.");
    if (bytesOutside > 0) add(std::to_string(bytesOutside) + " bytes addressed beyond the 4 MiB buffer were not stored.");
    return text;
}

bool SrecReader::feed(std::string_view piece) {
    for (char c : piece) {
        if (done_) return false;
        if (c == '\n' || c == '\r') {
            // "\r\n" ends one line, not two.
            const bool secondHalf = c == '\n' && lastWasCr_;
            lastWasCr_ = c == '\r';
            if (!secondHalf) endLine();
            continue;
        }
        lastWasCr_ = false;
        if (line_.size() < kMaxLineLength + 8)
            line_.push_back(c);
        else
            lineTooLong_ = true;
    }
    return !done_;
}

void SrecReader::endLine() {
    ++line_number_;
    const bool tooLong = lineTooLong_;
    std::string_view text(line_);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty()) {
        ++result_.records;
        result_.lastLine = line_number_;
        if (tooLong)
            bad("the line is longer than any record");
        else
            record(text);
    }
    line_.clear();
    lineTooLong_ = false;
}

void SrecReader::bad(const std::string& why) {
    if (result_.badRecords++ == 0) {
        result_.firstBadLine = line_number_;
        result_.firstProblem = why;
    }
}

void SrecReader::record(std::string_view line) {
    if (line.size() < 2 || (line[0] != 'S' && line[0] != 's')) return bad("not an S-record");
    const RecordType type = typeOf(line[1]);
    if (type.kind == RecordKind::Unknown) return bad("unknown record type S" + std::string(1, line[1]));
    const std::string_view digits = line.substr(2);
    if (digits.size() % 2 != 0) return bad("an odd number of hex digits");
    std::array<std::uint8_t, 256> bytes{};
    const std::size_t n = digits.size() / 2;
    if (n > bytes.size()) return bad("the line is longer than any record");
    for (std::size_t k = 0; k < n; ++k) {
        const int hi = hexValue(digits[2 * k]), lo = hexValue(digits[2 * k + 1]);
        if (hi < 0 || lo < 0) return bad("a character that is not a hex digit");
        bytes[k] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    if (n == 0) return bad("the record is cut short");
    const std::size_t count = bytes[0];
    if (n - 1 < count) return bad("the record is cut short (count " + std::to_string(count) + ", " +
                                  std::to_string(n - 1) + " bytes follow)");
    if (n - 1 > count) return bad("the record is longer than its count " + std::to_string(count));
    const auto addressBytes = static_cast<std::size_t>(type.addressBytes);
    if (count < addressBytes + 1) return bad("the count is too small for the address");
    unsigned sum = 0;
    for (std::size_t k = 0; k < n - 1; ++k) sum += bytes[k];
    if (((sum + bytes[n - 1]) & 0xFF) != 0xFF) return bad("bad checksum");

    std::uint32_t address = 0;
    for (std::size_t k = 1; k <= addressBytes; ++k) address = address << 8 | bytes[k];
    const std::uint8_t* data = bytes.data() + 1 + addressBytes;
    const std::size_t dataLength = count - addressBytes - 1;
    switch (type.kind) {
    case RecordKind::Header:
        result_.header.clear();
        for (std::size_t k = 0; k < dataLength; ++k)
            result_.header.push_back(data[k] >= 32 && data[k] < 127 ? static_cast<char>(data[k]) : '.');
        break;
    case RecordKind::Data: {
        ++result_.dataRecords;
        result_.addressBytes = std::max(result_.addressBytes, type.addressBytes);
        std::uint8_t* out = buffer_.data();
        for (std::size_t k = 0; k < dataLength; ++k) {
            const std::int64_t a = static_cast<std::int64_t>(address) + static_cast<std::int64_t>(k);
            if (!MainBuffer::contains(a)) {
                ++result_.bytesOutside;
                continue;
            }
            out[a] = data[k];
            ++result_.bytesStored;
            result_.highestAddress = std::max(result_.highestAddress, a);
        }
        break;
    }
    case RecordKind::Count:
        if (dataLength != 0) return bad("a count record with data");
        if (address != static_cast<std::uint32_t>(result_.dataRecords))
            return bad("the count record says " + std::to_string(address) + " data records, " +
                       std::to_string(result_.dataRecords) + " were read");
        break;
    case RecordKind::Termination:
        result_.startAddress = address;
        result_.terminationSeen = true;
        done_ = true;
        break;
    case RecordKind::Unknown:
        break;
    }
}

SrecLoadResult SrecReader::finish() {
    if (!done_ && (!line_.empty() || lineTooLong_)) endLine();
    result_.opened = true;
    return result_;
}

SrecLoadResult readSrec(MainBuffer& buffer, std::string_view text) {
    SrecReader reader(buffer);
    reader.feed(text);
    return reader.finish();
}

SrecLoadResult readSrecFile(MainBuffer& buffer, const std::string& path) {
    SrecReader reader(buffer);
    return readFileWith<SrecLoadResult>(
        path, [&](std::string_view p) { return reader.feed(p); }, [&] { return reader.finish(); });
}

int srecAddressBytesOfName(const std::string& path) {
    const std::string key = formatKeyOf(path);
    if (key == ".S28") return 3;
    if (key == ".S37") return 4;
    return 2;
}

std::string srecText(const MainBuffer& buffer, std::int64_t endAddress, const SrecListing& listing) {
    std::string text;
    writeSrec(buffer, endAddress, listing, [&](std::string& piece) { text += piece; });
    return text;
}

bool saveSrecFile(const MainBuffer& buffer, std::int64_t endAddress, const SrecListing& listing,
                  const std::string& path) {
    FileSink sink(path, true);
    if (!sink.isOpen()) return false;
    SrecListing named = listing;
    named.minimumAddressBytes = std::max(listing.minimumAddressBytes, srecAddressBytesOfName(path));
    writeSrec(buffer, endAddress, named, [&](std::string& piece) { sink.write(piece); });
    return sink.close();
}

} // namespace quarvin::formats
