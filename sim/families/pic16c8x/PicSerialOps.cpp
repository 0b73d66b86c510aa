#include "sim/families/pic16c8x/PicSerialOps.h"

#include "families/pic16c8x/Pic16Rows.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {

constexpr int kCommandBits = 6;
constexpr int kFrameBits = 16;

Pic16SerialPins PinsOfBox(Box& box) {
    const PinMask vcc = box.socket().vccPins();
    for (int p : {25, 26, 32})
        if (vcc & socketBit(p)) return SerialPinsOf(PackageOfVccPin(p));
    return {};
}

// The engine drives clock and data for the length of one opcode and hands the
// pins back with the directions they had.
class SerialEngine {
public:
    explicit SerialEngine(Box& box) : bus_(box), pins_(PinsOfBox(box)) {
        if (!valid()) return;
        clockWasInput_ = bus_.setPinInput(pins_.clock, false);
        dataWasInput_ = bus_.setPinInput(pins_.data, false);
        bus_.setPin(pins_.clock, false);
    }
    ~SerialEngine() {
        if (!valid()) return;
        bus_.setPinInput(pins_.clock, clockWasInput_);
        bus_.setPinInput(pins_.data, dataWasInput_);
    }
    SerialEngine(const SerialEngine&) = delete;
    SerialEngine& operator=(const SerialEngine&) = delete;

    bool valid() const { return pins_.clock != 0; }

    void writeBits(unsigned value, int count) {
        bus_.setPinInput(pins_.data, false);
        for (int bit = 0; bit < count; ++bit) {
            bus_.setPin(pins_.clock, true);
            bus_.setPin(pins_.data, (value >> bit & 1) != 0);
            bus_.waitMicroseconds(kPicClockHalfMicroseconds);
            bus_.setPin(pins_.clock, false);
            bus_.waitMicroseconds(kPicClockHalfMicroseconds);
        }
        bus_.setPin(pins_.data, false);
    }

    unsigned readFrame() {
        bus_.setPinInput(pins_.data, true);
        unsigned value = 0;
        for (int bit = 0; bit < kFrameBits; ++bit) {
            bus_.setPin(pins_.clock, true);
            bus_.waitMicroseconds(kPicClockHalfMicroseconds);
            if (bus_.pin(pins_.data)) value |= 1u << bit;
            bus_.setPin(pins_.clock, false);
            bus_.waitMicroseconds(kPicClockHalfMicroseconds);
        }
        bus_.setPinInput(pins_.data, false);
        bus_.setPin(pins_.data, false);
        return value;
    }

    void pause() { bus_.waitMicroseconds(kPicCommandToDataMicroseconds); }

private:
    SocketBus bus_;
    Pic16SerialPins pins_;
    bool clockWasInput_ = false;
    bool dataWasInput_ = false;
};

} // namespace

void installPicSerialOps(OpcodeTable& table) {
    table.add(op::PicCommand, OpcodeSpec::make("serial command", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
                  SerialEngine engine(box);
                  if (engine.valid()) engine.writeBits(a[0], kCommandBits);
              }));
    table.add(op::PicReadWord, OpcodeSpec::make("serial read word", 1, 2, [](Box& box, std::uint8_t, OpArgs a) {
                  unsigned frame = 0xFFFF;
                  {
                      SerialEngine engine(box);
                      if (engine.valid()) {
                          engine.writeBits(a[0], kCommandBits);
                          engine.pause();
                          frame = engine.readFrame();
                      }
                  }
                  box.reply(static_cast<std::uint8_t>(frame & 0xFF));
                  box.reply(static_cast<std::uint8_t>(frame >> 8));
              }));
    table.add(op::PicWriteWord, OpcodeSpec::make("serial write word", 3, 0, [](Box& box, std::uint8_t, OpArgs a) {
                  SerialEngine engine(box);
                  if (!engine.valid()) return;
                  engine.writeBits(a[0], kCommandBits);
                  engine.pause();
                  engine.writeBits(static_cast<unsigned>(a[1] | a[2] << 8), kFrameBits);
              }));
}

} // namespace quarvin::sim
