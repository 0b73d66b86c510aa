#include "buffer/formats/Jedec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "buffer/formats/FileSource.h"
#include "platform/RegularFile.h"

namespace quarvin::formats {

namespace {
constexpr int kMaxFuseDigits = 10;
constexpr std::int32_t kExtraRows = 6; // rows of the map beyond the device's fuse rows
constexpr std::string_view kAuthorLine = "Morvek";
constexpr int kMaxChecksumDigits = 4;
// Notes are kept for the reader's caller; a damaged file must not fill memory.
constexpr std::size_t kMaxNotes = 64;
constexpr std::size_t kMaxNoteLength = 256;
constexpr char kStx = '\x02', kEtx = '\x03';

// The GALs by the geometry of their fuse array. Their JEDEC files count the
// array and the fuses after it: for the V8 parts XOR (8), signature (64), AC1 (8),
// product term disable (64), SYN and AC0; for the 22V10 the S0/S1 pairs (20)
// and the signature (64).
struct DeviceWidth {
    std::int32_t fusesPerRow;
    std::int32_t fuseRows;
    std::int32_t fusesAfterArray;
    const char* name;
};
constexpr DeviceWidth kDeviceWidths[] = {
    {32, 64, 146, "GAL16V8"},
    {40, 64, 146, "GAL20V8"},
    {44, 132, 84, "GAL22V10"},
};
} // namespace

std::int64_t FuseGeometry::fuseCount() const {
    if (fusesPerRow <= 0 || fuseRows + static_cast<std::int64_t>(kExtraRows) <= 0) return 0;
    const std::int64_t count = (static_cast<std::int64_t>(fuseRows) + kExtraRows) * fusesPerRow;
    return std::min<std::int64_t>(count, kBufferSize);
}

std::string JedecLoadResult::problemText() const {
    std::string text;
    if (fusesOutside != 0)
        text = std::to_string(fusesOutside) + " fuses numbered beyond the 4 MiB buffer were not stored.";
    const auto add = [&text](const std::string& line) { text += (text.empty() ? "" : "\n") + line; };
    if (opened && !readFailed) {
        if (!fuseDataSeen) add("No fuse data in this file (no L or F field).");
        if (declaredFuses < 0 && fuseDataSeen) add("The file does not state its fuse count (no QF field).");
        if (fusesUnset > 0)
            add(std::to_string(fusesUnset) + " of the " + std::to_string(declaredFuses) +
                " fuses the QF field declares are not in the file.");
        if (fusesBeyondCount > 0)
            add(std::to_string(fusesBeyondCount) + " fuses are numbered beyond the QF field's " +
                std::to_string(declaredFuses) + ".");
        if (!endSeen) add("The file ends before its end of data (no C field and no ETX): it may be cut short.");
    }
    if (checksumMismatch()) {
        char line[64];
        std::snprintf(line, sizeof line, "JEDEC checksum %04X, file says %04X", checksum, fileChecksum);
        text += (text.empty() ? "" : "\n") + std::string(line);
    }
    return text;
}

std::uint16_t jedecChecksum(const MainBuffer& buffer, std::int64_t count) {
    return jedecChecksum(buffer.data(), std::clamp<std::int64_t>(count, 0, kBufferSize));
}

std::uint16_t jedecChecksum(const std::uint8_t* fuse, std::int64_t count) {
    std::uint32_t sum = 0;
    for (std::int64_t group = 0; group < count; group += 8) {
        std::uint32_t byte = 0;
        for (std::int64_t k = 0; k < 8 && group + k < count; ++k) byte |= (fuse[group + k] & 1u) << k;
        sum += byte;
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

JedecReader::JedecReader(MainBuffer& buffer, const FuseGeometry& geometry)
    : JedecReader(buffer.data(), kBufferSize, geometry.fuseCount()) {}

JedecReader::JedecReader(std::uint8_t* fuses, std::int64_t size, std::int64_t clearCount)
    : fuses_(fuses), size_(std::max<std::int64_t>(size, 0)), mapFuses_(std::clamp<std::int64_t>(clearCount, 0, size_)) {
    if (mapFuses_ > 0) std::memset(fuses_, kFuseClear, static_cast<std::size_t>(mapFuses_));
}

bool JedecReader::feed(std::string_view piece) {
    for (char ch : piece) {
        if (state_ == State::Done) return false;
        character(static_cast<unsigned char>(ch));
    }
    return state_ != State::Done;
}

void JedecReader::character(unsigned char c) {
    switch (state_) {
    case State::FuseNumber:
        if (c >= '0' && c <= '9') {
            fuse_ = fuse_ * 10 + (c - '0');
            if (++digits_ == kMaxFuseDigits) state_ = State::Scan;
            fieldStart_ = fuse_;
            return;
        }
        // The character that ends the digits is consumed and not examined.
        state_ = State::Scan;
        fieldStart_ = fuse_;
        return;
    case State::QLetter:
        state_ = State::Scan;
        if (c == 'F') {
            state_ = State::FuseCountDigits;
            result_.declaredFuses = 0;
            digits_ = 0;
            mark_ = c;
            return;
        }
        break;
    case State::FuseCountDigits:
        if (c >= '0' && c <= '9' && digits_ < kMaxFuseDigits) {
            result_.declaredFuses = result_.declaredFuses * 10 + (c - '0');
            ++digits_;
            return;
        }
        state_ = State::Scan;
        break;
    case State::DefaultValue:
        state_ = State::Scan;
        if (c == '0' || c == '1') {
            defaultFuse_ = c;
            mark_ = c;
            return;
        }
        break;
    case State::SecurityValue:
        state_ = State::Scan;
        if (c == '0' || c == '1') {
            result_.securityFuse = c - '0';
            mark_ = c;
            return;
        }
        break;
    case State::Note:
        if (c != '*') {
            std::string& note = result_.notes.back();
            if (note.size() < kMaxNoteLength) note += static_cast<char>(c);
            return;
        }
        state_ = State::Scan;
        break;
    case State::ChecksumDigits: {
        const int v = (c >= '0' && c <= '9') ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : -1;
        if (v >= 0 && digits_ < kMaxChecksumDigits) {
            result_.fileChecksum = (digits_ == 0 ? 0 : result_.fileChecksum) * 16 + v;
            ++digits_;
            return;
        }
        state_ = State::Done;
        return;
    }
    case State::Done:
        return;
    case State::Scan:
        break;
    }
    scan(c);
}

void JedecReader::scan(unsigned char c) {
    if (c == static_cast<unsigned char>(kEtx)) result_.endSeen = true;
    if (mark_ == '*') {
        switch (c) {
        case 'C':
            result_.checksumFieldSeen = true;
            state_ = State::ChecksumDigits;
            digits_ = 0;
            return;
        case 'L':
            state_ = State::FuseNumber;
            fuse_ = 0;
            fieldStart_ = 0;
            digits_ = 0;
            fuseData_ = true;
            mark_ = -1;
            return;
        case 'Q':
            state_ = State::QLetter;
            mark_ = c;
            return;
        case 'F':
            state_ = State::DefaultValue;
            mark_ = c;
            return;
        case 'G':
            state_ = State::SecurityValue;
            mark_ = c;
            return;
        case 'N':
            if (result_.notes.size() < kMaxNotes) {
                result_.notes.emplace_back();
                state_ = State::Note;
            }
            mark_ = c;
            return;
        default:
            break;
        }
    }
    if (c == '*' && fuseData_) {
        // The star closes the L field: digits of later fields are not fuses.
        if (fuse_ > fieldStart_) listed_.emplace_back(fieldStart_, fuse_);
        fuseData_ = false;
    }
    if ((c == '0' || c == '1') && fuseData_) {
        if (fuse_ >= 0 && fuse_ < size_) {
            fuses_[fuse_] = c;
            ++result_.fusesStored;
            result_.highestFuse = std::max(result_.highestFuse, fuse_);
        } else {
            ++result_.fusesOutside;
        }
        ++fuse_;
    }
    // Bytes 0x80..0xFF count as negative and never become the mark.
    if (c > 32 && c < 0x80) mark_ = c;
}

// Fuses that no L field listed take the F field's value, up to the fuse count the
// file declares (or the map's size).
void JedecReader::applyDefault() {
    if (fuseData_ && fuse_ > fieldStart_) listed_.emplace_back(fieldStart_, fuse_); // a file cut short
    std::sort(listed_.begin(), listed_.end());
    if (defaultFuse_ < 0) return;
    const std::int64_t limit =
        std::min<std::int64_t>(result_.declaredFuses >= 0 ? result_.declaredFuses : mapFuses_, size_);
    std::int64_t next = 0;
    for (const auto& [first, end] : listed_) {
        if (next < limit && first > next)
            std::memset(fuses_ + next, defaultFuse_, static_cast<std::size_t>(std::min(first, limit) - next));
        next = std::max(next, end);
    }
    if (next < limit) std::memset(fuses_ + next, defaultFuse_, static_cast<std::size_t>(limit - next));
}

JedecLoadResult JedecReader::finish() {
    applyDefault();
    result_.opened = true;
    result_.endSeen = result_.endSeen || result_.checksumFieldSeen;
    result_.fuseDataSeen = !listed_.empty() || defaultFuse_ >= 0 || result_.fusesStored > 0;
    if (result_.declaredFuses >= 0) {
        const std::int64_t declared = result_.declaredFuses;
        std::int64_t covered = 0, next = 0, beyond = 0;
        for (const auto& [first, end] : listed_) { // sorted by applyDefault
            beyond += std::max<std::int64_t>(0, end - std::max(first, declared));
            const std::int64_t lo = std::max(first, next), hi = std::min(end, declared);
            if (hi > lo) covered += hi - lo;
            next = std::max(next, std::min(end, declared));
        }
        result_.fusesBeyondCount = beyond;
        result_.fusesUnset = defaultFuse_ >= 0 ? 0 : declared - covered;
    }
    // Only a file that states a checksum is checked: the sum can cover the whole buffer.
    if (result_.fileChecksum >= 0) {
        const std::int64_t counted = result_.declaredFuses >= 0 ? result_.declaredFuses : result_.highestFuse + 1;
        result_.checksum = jedecChecksum(fuses_, std::clamp<std::int64_t>(counted, 0, size_));
    }
    return result_;
}

JedecLoadResult readJedec(MainBuffer& buffer, const FuseGeometry& geometry, std::string_view text) {
    JedecReader reader(buffer, geometry);
    reader.feed(text);
    return reader.finish();
}

JedecLoadResult readJedecFile(MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path) {
    // An unreadable file leaves the map as it was, so test the file before clearing.
    const FileCheck check = CheckRegularFile(path, kMaxTextDataFileBytes);
    if (check.problem == FileProblem::Missing) return {};
    if (!check.ok()) {
        JedecLoadResult unreadable; // a directory, pipe or device, or far too large
        unreadable.opened = unreadable.readFailed = true;
        return unreadable;
    }
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe) return {};
    std::fclose(probe);
    JedecReader reader(buffer, geometry);
    return readFileWith<JedecLoadResult>(
        path, [&](std::string_view p) { return reader.feed(p); }, [&] { return reader.finish(); },
        kMaxTextDataFileBytes);
}

std::string jedecDeviceName(std::int32_t fusesPerRow) {
    for (const auto& d : kDeviceWidths)
        if (d.fusesPerRow == fusesPerRow) return d.name;
    return {};
}

std::string jedecFuseText(const std::uint8_t* fuses, std::int64_t count, std::int32_t fusesPerLine,
                          const JedecListing& listing) {
    std::string out;
    if (listing.framed) out += kStx;
    out += listing.design + "*";
    for (const std::string& note : listing.notes) out += "\nN " + note + "*";
    out += "\nQF" + std::to_string(count) + "*";
    if (listing.securityFuse >= 0) out += "\nG" + std::to_string(listing.securityFuse) + "*";
    out += "\nF0*\nL0000 \n";
    out.reserve(out.size() + static_cast<std::size_t>(count + count / std::max(fusesPerLine, 1) + 32));
    for (std::int64_t first = 0; fusesPerLine > 0 && first < count; first += fusesPerLine) {
        if (first > 0) out += '\n';
        const std::int64_t end = std::min<std::int64_t>(first + fusesPerLine, count);
        for (std::int64_t n = first; n < end; ++n) out += static_cast<char>(kFuseClear + (fuses[n] & 1));
    }
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "*\nC%04X*", jedecChecksum(fuses, count));
    out += checksum;
    if (listing.framed) {
        out += "\n";
        out += kEtx;
        std::uint32_t sum = 0;
        for (char c : out) sum += static_cast<unsigned char>(c);
        std::snprintf(checksum, sizeof checksum, "%04X\n", sum & 0xFFFF);
        out += checksum;
    }
    return out;
}

std::int64_t jedecFileFuses(const FuseGeometry& geometry) {
    for (const auto& d : kDeviceWidths)
        if (d.fusesPerRow == geometry.fusesPerRow && d.fuseRows == geometry.fuseRows)
            return std::min<std::int64_t>(std::int64_t{d.fusesPerRow} * d.fuseRows + d.fusesAfterArray,
                                          geometry.fuseCount());
    // Other maps have no standard count: whole rows of the map.
    const std::int64_t perRow = geometry.fusesPerRow;
    return perRow > 0 ? geometry.fuseCount() / perRow * perRow : 0;
}

std::string jedecText(const MainBuffer& buffer, const FuseGeometry& geometry) {
    const std::string device = jedecDeviceName(geometry.fusesPerRow);
    JedecListing listing;
    listing.design = (device.empty() ? "" : device + "\n") + std::string(kAuthorLine);
    return jedecFuseText(buffer.data(), jedecFileFuses(geometry), geometry.fusesPerRow, listing);
}

bool saveJedecFile(const MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path) {
    FileSink sink(path, true);
    if (!sink.isOpen()) return false;
    sink.write(jedecText(buffer, geometry));
    return sink.close();
}

} // namespace quarvin::formats
