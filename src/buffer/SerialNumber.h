#pragma once
// A serial number written into the buffer before each chip is programmed: where,
// in which byte layout, and the numbers a fresh counter hands out.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "buffer/MainBuffer.h"

namespace quarvin {

enum class SerialLayout {
    Le16, Be16, Le32, Be32, // binary, least or most significant byte first
    Bcd,                    // packed decimal, two digits a byte, most significant first
    Ascii,                  // decimal digits as text, leading zeros
    Hex,                    // hexadecimal digits as text (upper case), leading zeros
};

struct SerialFormat {
    SerialLayout layout = SerialLayout::Le16;
    int digits = 0; // Bcd, Ascii, Hex: the digit count

    // Bytes the number takes in the buffer.
    std::uint32_t byteCount() const;
    // The largest number the layout holds.
    std::uint64_t largest() const;
    // "le16", "bcd6", "ascii8", "hex4".
    std::string name() const;
    // The bytes of a number; nothing when it does not fit.
    std::optional<std::vector<std::uint8_t>> encode(std::uint64_t number) const;
};

struct SerialSpec {
    std::uint32_t address = 0; // buffer address of the first byte
    SerialFormat format;
    std::uint64_t start = 0;   // the first number of a new counter
    std::uint64_t step = 1;    // the distance between two numbers

    // The number as printed and logged: decimal, or hexadecimal digits for Hex.
    std::string text(std::uint64_t number) const;
};

struct SerialSpecParse {
    std::optional<SerialSpec> spec;
    std::string error;
};

// "ADDR:FORMAT[:START[:STEP]]": ADDR hexadecimal, START and STEP decimal (or 0x
// hexadecimal); FORMAT le16, be16, le32, be32, or bcdN, asciiN, hexN with N digits.
SerialSpecParse ParseSerialSpec(const std::string& text);

// Writes the number at the serial setting's address; the refusal text when it does not fit
// the format or the buffer, empty when written.
std::string WriteSerialNumber(MainBuffer& buffer, const SerialSpec& spec, std::uint64_t number);

} // namespace quarvin
