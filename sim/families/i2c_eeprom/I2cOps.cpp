#include "sim/families/i2c_eeprom/I2cOps.h"

#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {
constexpr int kDataPin = 21;
constexpr int kClockPin = 22;
} // namespace

void installI2cOps(OpcodeTable& t) {
    // The bits go out as the argument arrives: the command costs no line time
    // beyond its two characters. The pins keep their direction latches, so a
    // released SDA is not driven; SDA stays at the last bit, SCL low.
    t.add(op::I2cCommand, OpcodeSpec::make("serial EEPROM byte", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              SocketBus bus(box);
              for (int bit = 7; bit >= 0; --bit) {
                  bus.setPin(kDataPin, (a[0] >> bit) & 1);
                  bus.setPin(kClockPin, true);
                  bus.setPin(kClockPin, false);
              }
          }));
}

} // namespace quarvin::sim
