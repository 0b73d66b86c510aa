#include "buffer/formats/Jedec.h"

#include <algorithm>
#include <cstring>

#include "buffer/formats/FileSource.h"

namespace quarvin::formats {

namespace {
constexpr int kMaxFuseDigits = 10;
constexpr std::int32_t kExtraRows = 6; // rows of the map beyond the device's fuse rows
constexpr std::string_view kAuthorLine = "Morvek*";
constexpr std::string_view kChecksumField = "C0BE6*";

struct DeviceWidth {
    std::int32_t fusesPerRow;
    const char* name;
};
constexpr DeviceWidth kDeviceWidths[] = {
    {32, "GAL16V8"},
    {40, "GAL20V8"},
    {44, "GAL22V10"},
};
} // namespace

std::int64_t FuseGeometry::fuseCount() const {
    if (fusesPerRow <= 0 || fuseRows + static_cast<std::int64_t>(kExtraRows) <= 0) return 0;
    const std::int64_t count = (static_cast<std::int64_t>(fuseRows) + kExtraRows) * fusesPerRow;
    return std::min<std::int64_t>(count, kBufferSize);
}

std::string JedecLoadResult::problemText() const {
    if (fusesOutside == 0) return {};
    return std::to_string(fusesOutside) + " fuses numbered beyond the 4 MiB buffer were not stored.";
}

JedecReader::JedecReader(MainBuffer& buffer, const FuseGeometry& geometry) : buffer_(buffer) {
    std::memset(buffer.data(), kFuseClear, static_cast<std::size_t>(geometry.fuseCount()));
}

bool JedecReader::feed(std::string_view piece) {
    for (char ch : piece) {
        if (state_ == State::Done) return false;
        character(static_cast<unsigned char>(ch));
    }
    return state_ != State::Done;
}

void JedecReader::character(unsigned char c) {
    if (state_ == State::FuseNumber) {
        if (c >= '0' && c <= '9') {
            fuse_ = fuse_ * 10 + (c - '0');
            if (++digits_ == kMaxFuseDigits) state_ = State::Scan;
            return;
        }
        // The character that ends the digits is consumed and not examined.
        state_ = State::Scan;
        return;
    }
    if (mark_ == '*' && c == 'C') {
        result_.checksumFieldSeen = true;
        state_ = State::Done;
        return;
    }
    if (mark_ == '*' && c == 'L') {
        state_ = State::FuseNumber;
        fuse_ = 0;
        digits_ = 0;
        fuseData_ = true;
        mark_ = -1;
        return;
    }
    if ((c == '0' || c == '1') && fuseData_) {
        if (MainBuffer::contains(fuse_)) {
            buffer_[static_cast<std::uint32_t>(fuse_)] = c;
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

JedecLoadResult JedecReader::finish() {
    result_.opened = true;
    return result_;
}

JedecLoadResult readJedec(MainBuffer& buffer, const FuseGeometry& geometry, std::string_view text) {
    JedecReader reader(buffer, geometry);
    reader.feed(text);
    return reader.finish();
}

JedecLoadResult readJedecFile(MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path) {
    // An unreadable file leaves the map as it was, so test the file before clearing.
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe) return {};
    std::fclose(probe);
    JedecReader reader(buffer, geometry);
    return readFileWith<JedecLoadResult>(
        path, [&](std::string_view p) { return reader.feed(p); }, [&] { return reader.finish(); });
}

std::string jedecDeviceName(std::int32_t fusesPerRow) {
    for (const auto& d : kDeviceWidths)
        if (d.fusesPerRow == fusesPerRow) return d.name;
    return {};
}

std::string jedecText(const MainBuffer& buffer, const FuseGeometry& geometry) {
    std::string out;
    const std::string device = jedecDeviceName(geometry.fusesPerRow);
    if (!device.empty()) out += device + "\n";
    out.append(kAuthorLine);
    out += "\nL0000 \n";
    const std::int64_t count = geometry.fuseCount();
    const std::int64_t perRow = geometry.fusesPerRow;
    const std::int64_t rows = perRow > 0 ? count / perRow : 0;
    out.reserve(out.size() + static_cast<std::size_t>(count + rows + 16));
    for (std::int64_t r = 0; r < rows; ++r) {
        if (r > 0) out += '\n';
        const std::uint8_t* row = buffer.data() + r * perRow;
        for (std::int64_t k = 0; k < perRow; ++k) out += static_cast<char>(kFuseClear + (row[k] & 1));
    }
    out += "*\n";
    out.append(kChecksumField);
    return out;
}

bool saveJedecFile(const MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path) {
    FileSink sink(path, true);
    if (!sink.isOpen()) return false;
    sink.write(jedecText(buffer, geometry));
    return sink.close();
}

} // namespace quarvin::formats
