#pragma once
// The logic IC tester's libraries: one binary file per class of ICs, read whole
// into memory. A record is a 7-byte header (the device number in ASCII digits at
// offset 0, the vector count at offset 5) and 9-byte vectors; a record position
// whose first byte is "E" ends the file. The pin bytes of every vector that is
// not a loop vector are turned into the box's port layout when the file loads.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarvin {

inline constexpr int kIcHeaderSize = 7;
inline constexpr int kIcVectorSize = 9;
inline constexpr std::uint8_t kIcEndMark = 'E';

// Vector byte 0.
inline constexpr std::uint8_t kIcLoopFlag = 0x40;      // replay the two vectors before it
inline constexpr std::uint8_t kIcDriveOnlyFlag = 0x80; // drive, do not check

// The byte positions inside a vector.
enum IcVectorByte : int {
    kIcFlags = 0,
    kIcPackage1 = 1, // package bits, vector 0 only
    kIcPackage2 = 2,
    kIcDrive3 = 3,   // file: socket pins 25..32; loaded: direction register 0 (pins 26..31)
    kIcDrive2 = 4,   // file: socket pins 17..24; loaded: direction register 3 (17..19, 21..25)
    kIcDrive1 = 5,   // socket pins 9..16: direction register 1
    kIcExpect3 = 6,  // the expected levels, in the same layouts
    kIcExpect2 = 7,
    kIcExpect1 = 8,
    kIcLoopCountHigh = 4, // loop vectors: repeat count
    kIcLoopCountLow = 5,
};

// The three classes and their libraries.
struct IcClass {
    const char* item;       // RadioGroup1 item
    const char* fileName;   // library file in the program directory
    const char* typeFormat; // type name of a device number
};
const std::array<IcClass, 3>& IcClasses();
// The class a device list sub-type selects: 0..2, anything else the first.
int IcClassOfSubType(int subType);
// "74xx%02d", "40%02d", "45%02d" of the class.
std::string IcTypeName(int icClass, std::int32_t number);

// Socket pins that can receive the supply, in the order the package bits of
// vector 0 are looked at (first match wins).
struct IcPackageBit {
    int byte; // kIcPackage1 or kIcPackage2
    std::uint8_t mask;
    int vccPin;
};
const std::array<IcPackageBit, 6>& IcPackageBits();

// The pin bytes (3, 4) and (6, 7) of a vector from the file's layout into the
// box's port layout, and back (the library compiler writes the file layout).
void IcToPortLayout(std::uint8_t& pins25to32, std::uint8_t& pins17to24);
void IcToFileLayout(std::uint8_t& port3, std::uint8_t& port2);

struct IcEntry {
    int vccPin = 0;             // socket pin of the supply, 0 when the record names none
    std::uint32_t offset = 0;   // of the record in the library
    std::uint32_t count = 0;    // vectors
    std::int32_t number = 0;    // device number
};

class IcLibrary {
public:
    // Reads the records of a library file's bytes and converts them. A file
    // without the end mark, or whose last record is cut short, keeps the whole
    // records before that point.
    static IcLibrary Parse(std::vector<std::uint8_t> bytes);
    // Nothing when the file cannot be opened.
    static std::optional<IcLibrary> Load(const std::string& path);

    const std::vector<IcEntry>& entries() const { return entries_; }
    // The same library with only the entries whose supply is on `vccPin` (one
    // package); `indexes` gets the index each of them has here.
    IcLibrary package(int vccPin, std::vector<std::size_t>& indexes) const;
    std::size_t size() const { return bytes_.size(); }
    // Reading stopped at a record that is cut short or unreadable, before the end
    // mark: the types after it are missing.
    bool damaged() const { return damaged_; }
    // Vector j of an entry, in port layout.
    const std::uint8_t* vector(const IcEntry& e, std::uint32_t j) const {
        return bytes_.data() + e.offset + kIcHeaderSize + kIcVectorSize * j;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<IcEntry> entries_;
    bool damaged_ = false;
};

} // namespace quarvin
