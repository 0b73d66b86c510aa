#include "families/logic_ic/IcLibrary.h"
#include "platform/RegularFile.h"

#include <fstream>
#include <iterator>

#include "forms/HexText.h"
#include "forms/Texts.h"

namespace quarvin {

const std::array<IcClass, 3>& IcClasses() {
    static const std::array<IcClass, 3> classes{{
        {QV_TEXT("74xxx"), "TTL74.LIB", "74xx%02d"},
        {QV_TEXT("40xxx"), "CMOS40.LIB", "40%02d"},
        {QV_TEXT("45xxx"), "CMOS45.LIB", "45%02d"},
    }};
    return classes;
}

int IcClassOfSubType(int subType) { return subType >= 0 && subType < 3 ? subType : 0; }

std::string IcTypeName(int icClass, std::int32_t number) {
    return Format(IcClasses()[static_cast<std::size_t>(IcClassOfSubType(icClass))].typeFormat, number);
}

const std::array<IcPackageBit, 6>& IcPackageBits() {
    // 28-, 24-, 20-, 18-, 16- and 14-pin parts: their last pin in the socket.
    static const std::array<IcPackageBit, 6> bits{{
        {kIcPackage1, 0x08, 34},
        {kIcPackage1, 0x04, 32},
        {kIcPackage1, 0x02, 30},
        {kIcPackage1, 0x01, 29},
        {kIcPackage2, 0x80, 28},
        {kIcPackage2, 0x40, 27},
    }};
    return bits;
}

// File layout: the first byte holds pins 25..32 (pin 25 in bit 0), the second
// pins 17..24 (pin 20 in bit 3, which no port carries). Port layout: port 3
// (pins 26..32 from bit 0) and port 2 (pins 17..19, 21..25).
void IcToPortLayout(std::uint8_t& high, std::uint8_t& low) {
    const std::uint8_t port2 =
        static_cast<std::uint8_t>((low & 0x07) | ((low >> 4) << 3) | ((high & 0x01) << 7));
    high = static_cast<std::uint8_t>(high >> 1);
    low = port2;
}

void IcToFileLayout(std::uint8_t& port3, std::uint8_t& port2) {
    const std::uint8_t pins17to24 = static_cast<std::uint8_t>((port2 & 0x07) | (((port2 >> 3) & 0x0F) << 4));
    port3 = static_cast<std::uint8_t>((port3 << 1) | (port2 >> 7));
    port2 = pins17to24;
}

namespace {

bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// The device number as "%d" reads it: blanks, a sign, digits. Nothing when the
// header does not start with a number.
std::optional<std::int32_t> ReadNumber(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::size_t i = at;
    while (i < b.size() && (b[i] == ' ' || b[i] == '\t' || b[i] == '\n' || b[i] == '\r' || b[i] == '\v' || b[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < b.size() && (b[i] == '+' || b[i] == '-')) negative = b[i++] == '-';
    if (i >= b.size() || !IsDigit(b[i])) return std::nullopt;
    std::int64_t v = 0;
    for (; i < b.size() && IsDigit(b[i]); ++i)
        if (v < 0x7FFFFFFF) v = v * 10 + (b[i] - '0');
    if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
    return static_cast<std::int32_t>(negative ? -v : v);
}

int VccPinOf(const std::uint8_t* vector0) {
    for (const IcPackageBit& bit : IcPackageBits())
        if (vector0[bit.byte] & bit.mask) return bit.vccPin;
    return 0;
}

} // namespace

IcLibrary IcLibrary::Parse(std::vector<std::uint8_t> bytes) {
    IcLibrary lib;
    lib.bytes_ = std::move(bytes);
    const auto& b = lib.bytes_;
    std::size_t at = 0;
    lib.damaged_ = b.empty(); // not even the end mark
    // A record counts only when its header and all its vectors are in the file.
    while (at < b.size() && b[at] != kIcEndMark) {
        lib.damaged_ = true; // until the record is read whole
        if (at + kIcHeaderSize > b.size()) break;
        const std::uint32_t n = b[at + 5];
        const std::size_t length = kIcHeaderSize + std::size_t{kIcVectorSize} * n;
        if (at + length > b.size()) break;
        const auto number = ReadNumber(b, at);
        if (!number) break;
        lib.damaged_ = false;
        IcEntry e;
        e.number = *number;
        e.offset = static_cast<std::uint32_t>(at);
        e.count = n;
        e.vccPin = n > 0 ? VccPinOf(b.data() + at + kIcHeaderSize) : 0;
        lib.entries_.push_back(e);
        at += length;
    }
    // An empty record works with the vectors and supply of the record after it
    // (its own count of 0 still fails its test); the last keeps its own.
    for (std::size_t i = lib.entries_.size(); i-- > 1;) {
        IcEntry& e = lib.entries_[i - 1];
        if (e.count != 0) continue;
        e.offset = lib.entries_[i].offset;
        e.vccPin = lib.entries_[i].vccPin;
    }
    // Only the records read are converted, each once (an empty record shares the
    // next one's vectors).
    for (const IcEntry& e : lib.entries_) {
        if (e.count == 0) continue;
        for (std::uint32_t j = 0; j < e.count; ++j) {
            std::uint8_t* v = lib.bytes_.data() + e.offset + kIcHeaderSize + kIcVectorSize * j;
            if (v[kIcFlags] & kIcLoopFlag) continue;
            IcToPortLayout(v[kIcDrive3], v[kIcDrive2]);
            IcToPortLayout(v[kIcExpect3], v[kIcExpect2]);
        }
    }
    return lib;
}

IcLibrary IcLibrary::package(int vccPin, std::vector<std::size_t>& indexes) const {
    IcLibrary lib;
    lib.bytes_ = bytes_;
    lib.damaged_ = damaged_;
    indexes.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].vccPin != vccPin) continue;
        lib.entries_.push_back(entries_[i]);
        indexes.push_back(i);
    }
    return lib;
}

std::optional<IcLibrary> IcLibrary::Load(const std::string& path) {
    // A directory, pipe or device of the library's name is no library.
    const auto content = ReadRegularFile(path, kMaxListFileBytes);
    if (!content) return std::nullopt;
    return Parse(std::vector<std::uint8_t>(content->begin(), content->end()));
}

} // namespace quarvin
