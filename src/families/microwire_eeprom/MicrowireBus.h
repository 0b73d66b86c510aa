#pragma once
// The three-wire bus driven bit by bit from the PC. Data in, chip select and the
// organisation pin are driven through output port 2, from one byte image; the
// clock and the data out are single pins.
#include <cstdint>

#include "families/microwire_eeprom/MicrowireRows.h"
#include "link/commands/LinkState.h"
#include "link/commands/ReadAhead.h"

namespace quarvin::microwire {

inline constexpr int kSettleTicks = 100;
// Delay ticks per "Pro time" unit after each word written.
inline constexpr int kTicksPerWaitUnit = 100;

// The instructions sent with the start bit and opcode 0 0.
enum class Special : std::uint16_t { WriteDisable = 0, EraseAll = 2, WriteEnable = 3 };

class MicrowirePort {
public:
    MicrowirePort(LinkState& link, const MicrowireRow& row) : link_(link), row_(row) {}

    void powerUp();
    void shiftOut(std::uint32_t value, int bits);
    std::uint16_t readWord(std::uint32_t a);
    // The same bytes on the wire, but the data bit reads (MSB first) go to
    // `reads`, whose replies may come after the next words' reads were sent.
    void readWordAhead(std::uint32_t a, PinReadsAhead& reads);
    void writeWord(std::uint32_t a, std::uint16_t d, int waitUnits);
    void special(Special m);
    // Chip select low: ends the instruction and starts a pending self-timed cycle.
    void deselect();

private:
    std::uint8_t base() const;

    LinkState& link_;
    const MicrowireRow& row_;
    std::uint8_t image_ = 0;
};

} // namespace quarvin::microwire
