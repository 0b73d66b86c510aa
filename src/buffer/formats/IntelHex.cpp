#include "buffer/formats/IntelHex.h"

#include <algorithm>
#include <functional>

#include "buffer/formats/FileSource.h"

namespace quarvin::formats {

namespace {

constexpr std::uint8_t kTypeData = 0x00;
constexpr std::uint8_t kTypeEnd = 0x01;
constexpr std::uint8_t kTypeSegment = 0x02;
constexpr std::uint8_t kTypeStartSegment = 0x03;
constexpr std::uint8_t kTypeLinear = 0x04;
constexpr std::uint8_t kTypeStartLinear = 0x05;
constexpr int kHeaderBytes = 4;
constexpr int kRecordBytes = 16;

int hexValue(unsigned char c) {
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

// One record: ":" count address type data checksum, and a line break.
void putRecord(std::string& out, unsigned address, std::uint8_t type, const std::uint8_t* data, unsigned n) {
    unsigned sum = n + ((address >> 8) & 0xFF) + (address & 0xFF) + type;
    out.push_back(':');
    putByte(out, n);
    putByte(out, address >> 8);
    putByte(out, address);
    putByte(out, type);
    for (unsigned k = 0; k < n; ++k) {
        putByte(out, data[k]);
        sum += data[k];
    }
    putByte(out, (0x100 - (sum & 0xFF)) & 0xFF);
    out.push_back('\n');
}

constexpr std::string_view kEndRecord = ":00000001FF";

// Writes the records of 0..endAddress piece by piece to `emit`.
void writeHex(const MainBuffer& buffer, std::int64_t endAddress, const std::function<void(std::string&)>& emit) {
    std::string out;
    out.reserve(1 << 18);
    const std::int64_t last = std::min<std::int64_t>(endAddress, kBufferLast);
    std::uint32_t upper = 0;
    for (std::int64_t a = 0; a <= last; a += kRecordBytes) {
        const auto address = static_cast<std::uint32_t>(a);
        if ((address >> 16) != upper) {
            upper = address >> 16;
            const std::uint8_t ext[2] = {static_cast<std::uint8_t>(upper >> 8), static_cast<std::uint8_t>(upper)};
            putRecord(out, 0, kTypeLinear, ext, 2);
        }
        const auto n = static_cast<unsigned>(std::min<std::int64_t>(kRecordBytes, last - a + 1));
        putRecord(out, address & 0xFFFF, kTypeData, buffer.data() + address, n);
        if (out.size() >= (1 << 18) - 64) {
            emit(out);
            out.clear();
        }
    }
    out.append(kEndRecord);
    emit(out);
}

} // namespace

std::string HexLoadResult::problemText() const {
    std::string text;
    if (badRecords > 0) {
        text = std::to_string(badRecords) + (badRecords == 1 ? " bad record" : " bad records") +
               " in this file (bad checksum or malformed); the first is on line " + std::to_string(firstBadLine) +
               ".";
    }
    if (bytesOutside > 0) {
        if (!text.empty()) text += "\n";
        text += std::to_string(bytesOutside) + " bytes addressed beyond the 4 MiB buffer were not stored.";
    }
    return text;
}

bool IntelHexReader::feed(std::string_view piece) {
    for (char ch : piece) {
        if (state_ == State::Done) return false;
        character(static_cast<unsigned char>(ch));
    }
    return state_ != State::Done;
}

void IntelHexReader::character(unsigned char c) {
    if (state_ == State::Record || state_ == State::Checksum) {
        const int v = hexValue(c);
        if (v >= 0) {
            recordDigit(v);
            previous_ = c;
            return;
        }
        // A record cut short: the character that cut it is read as ordinary text.
        endRecord(false);
        if (state_ == State::Done) return;
    }
    if (c == ':' && previous_ < 32) {
        startRecord();
        return;
    }
    if (c == '\n') ++line_;
    previous_ = c;
}

void IntelHexReader::startRecord() {
    state_ = State::Record;
    previous_ = ':';
    recordLine_ = line_;
    byteCount_ = 0;
    highNibble_ = -1;
    checksum_ = 0;
    endPending_ = false;
    applied_ = false;
    recordBad_ = false;
    ++result_.records;
}

void IntelHexReader::recordDigit(int value) {
    if (highNibble_ < 0) {
        highNibble_ = value;
        return;
    }
    const auto byte = static_cast<std::uint8_t>(highNibble_ * 16 + value);
    highNibble_ = -1;
    if (state_ == State::Checksum) {
        checksum_ += byte;
        endRecord(true);
        return;
    }
    bytes_[static_cast<std::size_t>(byteCount_++)] = byte;
    checksum_ += byte;
    // A count of 0 ends the data, as the end record ":00000001FF" does.
    if (byteCount_ == 1 && byte == 0) {
        endPending_ = true;
        endRecord(true);
        return;
    }
    if (byteCount_ == kHeaderBytes + bytes_[0]) {
        dataComplete();
        state_ = State::Checksum;
    }
}

void IntelHexReader::dataComplete() {
    const int n = bytes_[0];
    const std::uint8_t type = bytes_[3];
    const std::uint8_t* data = bytes_.data() + kHeaderBytes;
    applied_ = true;
    switch (type) {
    case kTypeData: {
        const std::int64_t address = base_ + (bytes_[1] << 8 | bytes_[2]);
        std::uint8_t* out = buffer_.data();
        for (int k = 0; k < n; ++k) {
            const std::int64_t a = address + k;
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
    case kTypeEnd:
        endPending_ = true;
        break;
    case kTypeSegment:
    case kTypeLinear:
        if (n != 2) {
            recordBad_ = true;
            break;
        }
        base_ = static_cast<std::int64_t>(data[0] << 8 | data[1]) << (type == kTypeSegment ? 4 : 16);
        break;
    case kTypeStartSegment:
    case kTypeStartLinear:
        break;
    default:
        recordBad_ = true;
        break;
    }
}

void IntelHexReader::endRecord(bool checksumComplete) {
    if (!applied_ && !endPending_) recordBad_ = true; // cut short in its header or data
    if (!checksumComplete || (checksum_ & 0xFF) != 0) recordBad_ = true;
    if (recordBad_) markBad();
    state_ = endPending_ ? State::Done : State::Text;
    if (endPending_) result_.endRecordSeen = true;
}

void IntelHexReader::markBad() {
    if (result_.badRecords++ == 0) result_.firstBadLine = recordLine_;
}

HexLoadResult IntelHexReader::finish() {
    if (state_ == State::Record || state_ == State::Checksum) endRecord(false);
    result_.opened = true;
    return result_;
}

HexLoadResult readIntelHex(MainBuffer& buffer, std::string_view text) {
    IntelHexReader reader(buffer);
    reader.feed(text);
    return reader.finish();
}

HexLoadResult readIntelHexFile(MainBuffer& buffer, const std::string& path) {
    IntelHexReader reader(buffer);
    return readFileWith<HexLoadResult>(
        path, [&](std::string_view p) { return reader.feed(p); }, [&] { return reader.finish(); },
        kMaxTextDataFileBytes);
}

std::string intelHexText(const MainBuffer& buffer, std::int64_t endAddress) {
    std::string text;
    writeHex(buffer, endAddress, [&](std::string& piece) { text += piece; });
    return text;
}

bool saveIntelHexFile(const MainBuffer& buffer, std::int64_t endAddress, const std::string& path) {
    FileSink sink(path, true);
    if (!sink.isOpen()) return false;
    writeHex(buffer, endAddress, [&](std::string& piece) { sink.write(piece); });
    return sink.close();
}

} // namespace quarvin::formats
