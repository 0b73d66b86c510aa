#pragma once
// What the page-write memories with JEDEC software data protection (28C
// EEPROM, 29EE flash) make of the loads of one page once the load window has
// closed: AA/5555, 55/2AAA, A0/5555 first is a protected write that turns the
// protection on (also with no data after it); AA 55 80 AA 55 20 turns it off;
// AA 55 80 AA 55 10 erases the chip. Anything else is a plain write while the
// protection is off and is ignored while it is on.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace quarvin::sim {

using PageLoad = std::pair<std::uint32_t, std::uint8_t>; // address, data

enum class PageCommand { ProtectionOff, ChipErase, ProtectedWrite, PlainWrite, Ignored };

struct DecodedPage {
    PageCommand command = PageCommand::Ignored;
    std::size_t dataFrom = 0; // the first data load of a write
};

// lines: the part's address lines as a mask (the command addresses are decoded
// on the lines it has: an 8 KiB part takes 5555 as 1555).
DecodedPage DecodePageLoads(const std::vector<PageLoad>& loads, std::uint32_t lines, bool protectionOn);

// Stores the data loads from `from` on: the page is the one of the first data
// load, and loads for other pages or for cells `blocked` names are lost.
void StorePageLoads(std::vector<std::uint8_t>& cells, const std::vector<PageLoad>& loads, std::size_t from,
                    std::uint32_t pageSize, const std::function<bool(std::uint32_t)>& blocked);

} // namespace quarvin::sim
