#include "buffer/SerialNumber.h"

#include <charconv>

#include "buffer/TFileFormat.h"

namespace quarvin {

namespace {

// Digit counts that a 64-bit counter can fill.
constexpr int kMaxDecimalDigits = 19;
constexpr int kMaxHexDigits = 16;

std::uint64_t PowerOf(std::uint64_t base, int exponent) {
    std::uint64_t p = 1;
    for (int i = 0; i < exponent; ++i) p *= base;
    return p;
}

bool IsBinary(SerialLayout l) {
    return l == SerialLayout::Le16 || l == SerialLayout::Be16 || l == SerialLayout::Le32 || l == SerialLayout::Be32;
}

std::optional<std::uint64_t> Number(const std::string& s) {
    const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    const char* first = s.data() + (hex ? 2 : 0);
    std::uint64_t v = 0;
    auto [p, ec] = std::from_chars(first, s.data() + s.size(), v, hex ? 16 : 10);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<SerialFormat> FormatNamed(const std::string& s, std::string& error) {
    static const std::pair<const char*, SerialLayout> kFixed[] = {
        {"le16", SerialLayout::Le16}, {"be16", SerialLayout::Be16}, {"le32", SerialLayout::Le32}, {"be32", SerialLayout::Be32}};
    for (const auto& [name, layout] : kFixed)
        if (s == name) return SerialFormat{layout, 0};
    static const std::tuple<const char*, SerialLayout, int> kCounted[] = {
        {"bcd", SerialLayout::Bcd, kMaxDecimalDigits},
        {"ascii", SerialLayout::Ascii, kMaxDecimalDigits},
        {"hex", SerialLayout::Hex, kMaxHexDigits}};
    for (const auto& [name, layout, most] : kCounted) {
        const std::string prefix = name;
        if (s.rfind(prefix, 0) != 0) continue;
        const auto digits = Number(s.substr(prefix.size()));
        if (!digits || s.size() == prefix.size() || *digits < 1 || *digits > static_cast<std::uint64_t>(most)) {
            error = "serial format " + prefix + " needs a digit count from 1 to " + std::to_string(most) + " (" +
                    prefix + "6), not '" + s + "'";
            return std::nullopt;
        }
        return SerialFormat{layout, static_cast<int>(*digits)};
    }
    error = "unknown serial format '" + s + "' (le16, be16, le32, be32, bcdN, asciiN or hexN)";
    return std::nullopt;
}

} // namespace

std::uint32_t SerialFormat::byteCount() const {
    switch (layout) {
    case SerialLayout::Le16:
    case SerialLayout::Be16: return 2;
    case SerialLayout::Le32:
    case SerialLayout::Be32: return 4;
    case SerialLayout::Bcd: return static_cast<std::uint32_t>(digits + 1) / 2;
    case SerialLayout::Ascii:
    case SerialLayout::Hex: break;
    }
    return static_cast<std::uint32_t>(digits);
}

std::uint64_t SerialFormat::largest() const {
    switch (layout) {
    case SerialLayout::Le16:
    case SerialLayout::Be16: return 0xFFFF;
    case SerialLayout::Le32:
    case SerialLayout::Be32: return 0xFFFFFFFF;
    case SerialLayout::Bcd:
    case SerialLayout::Ascii: return PowerOf(10, digits) - 1;
    case SerialLayout::Hex: break;
    }
    return digits >= kMaxHexDigits ? UINT64_MAX : PowerOf(16, digits) - 1;
}

std::string SerialFormat::name() const {
    switch (layout) {
    case SerialLayout::Le16: return "le16";
    case SerialLayout::Be16: return "be16";
    case SerialLayout::Le32: return "le32";
    case SerialLayout::Be32: return "be32";
    case SerialLayout::Bcd: return "bcd" + std::to_string(digits);
    case SerialLayout::Ascii: return "ascii" + std::to_string(digits);
    case SerialLayout::Hex: break;
    }
    return "hex" + std::to_string(digits);
}

std::optional<std::vector<std::uint8_t>> SerialFormat::encode(std::uint64_t number) const {
    if (number > largest()) return std::nullopt;
    const std::uint32_t count = byteCount();
    std::vector<std::uint8_t> bytes(count);
    if (IsBinary(layout)) {
        const bool littleEndian = layout == SerialLayout::Le16 || layout == SerialLayout::Le32;
        for (std::uint32_t i = 0; i < count; ++i)
            bytes[littleEndian ? i : count - 1 - i] = static_cast<std::uint8_t>(number >> (8 * i));
        return bytes;
    }
    // Digits from the least significant, filling the bytes from the end.
    const std::uint64_t base = layout == SerialLayout::Hex ? 16 : 10;
    for (int d = 0; d < digits; ++d) {
        const auto digit = static_cast<std::uint8_t>(number % base);
        number /= base;
        if (layout == SerialLayout::Bcd) {
            // An odd count leaves the first byte's high nibble 0.
            const std::uint32_t byte = count - 1 - static_cast<std::uint32_t>(d) / 2;
            bytes[byte] |= static_cast<std::uint8_t>(d % 2 ? digit << 4 : digit);
        } else {
            bytes[count - 1 - static_cast<std::uint32_t>(d)] = static_cast<std::uint8_t>("0123456789ABCDEF"[digit]);
        }
    }
    return bytes;
}

std::string SerialSpec::text(std::uint64_t number) const {
    if (format.layout != SerialLayout::Hex) return std::to_string(number);
    const auto bytes = format.encode(number);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::to_string(number);
}

SerialSpecParse ParseSerialSpec(const std::string& text) {
    SerialSpecParse r;
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string::npos) break;
        from = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 4) {
        r.error = "--serial needs ADDR:FORMAT[:START[:STEP]], not '" + text + "'";
        return r;
    }
    SerialSpec spec;
    const auto address = TFileFormat::scanHex(parts[0]);
    if (parts[0].empty() || !address || !MainBuffer::contains(*address)) {
        r.error = "--serial: '" + parts[0] + "' is no buffer address (hexadecimal, 0 to 3fffff)";
        return r;
    }
    spec.address = static_cast<std::uint32_t>(*address);
    const auto format = FormatNamed(parts[1], r.error);
    if (!format) return r;
    spec.format = *format;
    if (parts.size() > 2) {
        const auto start = Number(parts[2]);
        if (!start) {
            r.error = "--serial: the start number '" + parts[2] + "' is no number";
            return r;
        }
        spec.start = *start;
    }
    if (parts.size() > 3) {
        const auto step = Number(parts[3]);
        if (!step || *step == 0) {
            r.error = "--serial: the step '" + parts[3] + "' must be a number from 1";
            return r;
        }
        spec.step = *step;
    }
    if (std::uint64_t{spec.address} + spec.format.byteCount() > kBufferSize) {
        r.error = "--serial: " + std::to_string(spec.format.byteCount()) + " bytes at " + parts[0] +
                  " reach past the buffer's end";
        return r;
    }
    if (spec.start > spec.format.largest()) {
        r.error = "--serial: the start number " + std::to_string(spec.start) + " does not fit " +
                  spec.format.name() + " (largest " + std::to_string(spec.format.largest()) + ")";
        return r;
    }
    r.spec = spec;
    return r;
}

std::string WriteSerialNumber(MainBuffer& buffer, const SerialSpec& spec, std::uint64_t number) {
    const auto bytes = spec.format.encode(number);
    if (!bytes)
        return "serial number " + std::to_string(number) + " does not fit " + spec.format.name() + " (largest " +
               std::to_string(spec.format.largest()) + ")";
    if (std::uint64_t{spec.address} + bytes->size() > kBufferSize) return "serial number reaches past the buffer's end";
    for (std::size_t i = 0; i < bytes->size(); ++i) buffer[spec.address + static_cast<std::uint32_t>(i)] = (*bytes)[i];
    return {};
}

} // namespace quarvin
