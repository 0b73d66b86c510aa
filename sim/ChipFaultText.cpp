#include "sim/ChipFaultText.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace quarvin::sim {

namespace {

bool Hex(const std::string& text, std::uint32_t largest, std::uint32_t& out) {
    std::uint32_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v > largest) return false;
    out = v;
    return true;
}

bool Decimal(const std::string& text, int smallest, int largest, int& out) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < smallest || v > largest) return false;
    out = v;
    return true;
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ':');) parts.push_back(part);
    return parts;
}

} // namespace

std::string AddChipFault(ChipFaults& faults, const std::string& text) {
    const auto parts = Fields(text);
    const std::string bad = "bad fault '" + text + "': use " + kChipFaultForms;
    if (text == "empty") {
        faults.missing = true;
        return {};
    }
    if (text == "busy") {
        faults.busyForever = true;
        return {};
    }
    if (text == "dead") {
        faults.dead = true;
        return {};
    }
    if (text == "reversed") {
        faults.seating.reversed = true;
        return {};
    }
    if (parts.size() == 2 && parts[0] == "nocontact") {
        int pin = 0;
        if (!Decimal(parts[1], 1, 40, pin)) return bad;
        faults.seating.openContacts |= pinBit(pin);
        return {};
    }
    if (parts.size() == 2 && parts[0] == "offset") {
        int rows = 0;
        if (!Decimal(parts[1], 1, 19, rows)) return bad;
        faults.seating.rowsHigher = rows;
        return {};
    }
    std::uint32_t address = 0, mask = 0, value = 0;
    if (parts.size() == 3 && parts[0] == "short") {
        int a = 0, b = 0;
        if (!Decimal(parts[1], 0, 31, a) || !Decimal(parts[2], 0, 31, b) || a == b) return bad;
        faults.shorts.push_back({a, b});
        return {};
    }
    if (parts.size() == 3 && parts[0] == "leak") {
        int us = 0;
        if (!Hex(parts[1], 0xFFFFFFFFu, address) || !Decimal(parts[2], 1, 100'000'000, us)) return bad;
        faults.leaky.push_back({address, static_cast<double>(us)});
        return {};
    }
    if (parts.size() == 3 && parts[0] == "pin") {
        int pin = 0;
        if (!Decimal(parts[1], 1, 40, pin) || (parts[2] != "0" && parts[2] != "1")) return bad;
        faults.stuckPins.push_back({pin, parts[2] == "1"});
        return {};
    }
    if (parts.size() == 3 && parts[0] == "opto") {
        int channel = 0;
        if (!Decimal(parts[1], 1, 4, channel)) return bad;
        OptoFault::Kind kind{};
        if (parts[2] == "open") kind = OptoFault::Kind::Open;
        else if (parts[2] == "short") kind = OptoFault::Kind::Short;
        else if (parts[2] == "dead") kind = OptoFault::Kind::Dead;
        else return bad;
        faults.opto.push_back({channel, kind});
        return {};
    }
    if (parts.size() == 4 && parts[0] == "stuck") {
        if (!Hex(parts[1], 0xFFFFFFFFu, address) || !Hex(parts[2], 0xFF, mask) || !Hex(parts[3], 0xFF, value))
            return bad;
        faults.stuck.push_back({address, address, static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(value)});
        return {};
    }
    if (parts.size() == 3 && parts[0] == "protect") {
        std::uint32_t last = 0;
        if (!Hex(parts[1], 0xFFFFFFFFu, address) || !Hex(parts[2], 0xFFFFFFFFu, last) || last < address) return bad;
        faults.protect.push_back({address, last});
        return {};
    }
    if (parts.size() == 2 && parts[0] == "slow") {
        char* end = nullptr;
        const double factor = std::strtod(parts[1].c_str(), &end);
        if (parts[1].empty() || *end != '\0' || !(factor >= 1.0) || factor > 1000.0) return bad;
        faults.eraseTimeFactor = factor;
        return {};
    }
    if (parts.size() == 2 && parts[0] == "noprogram") {
        if (!Hex(parts[1], 0xFFFFFFFFu, address)) return bad;
        faults.noProgram.push_back({address, address});
        return {};
    }
    return bad;
}

std::string FaultOutsideChip(const Chip& chip) {
    const ChipFaults& f = chip.faults();
    const int pins = chip.pinCount();
    if (f.seating.openContacts >> pins)
        return "nocontact: " + chip.label() + " has " + std::to_string(pins) + " pins";
    if (f.seating.rowsHigher > (40 - pins) / 2)
        return "offset: " + chip.label() + " sits at most " + std::to_string((40 - pins) / 2) +
               " rows higher in a 40-pin socket";
    const std::size_t cells = chip.memory().size();
    if (cells == 0) return {};
    std::optional<std::uint32_t> outside;
    const auto check = [&](std::uint32_t address) {
        if (address >= cells && !outside) outside = address;
    };
    for (const StuckBits& s : f.stuck) check(s.first);
    for (const AddressRange& r : f.noProgram) check(r.first);
    for (const AddressRange& r : f.protect) check(r.first);
    for (const LeakyCell& l : f.leaky) check(l.address);
    if (!outside) return {};
    char text[160];
    std::snprintf(text, sizeof text, "fault address %X is beyond %s's last cell %zX", *outside, chip.label().c_str(),
                  cells - 1);
    return text;
}

} // namespace quarvin::sim
