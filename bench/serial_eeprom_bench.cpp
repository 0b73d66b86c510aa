// 24Cxx and 93Cxx operations through the in-process virtual box: line time,
// host CPU time and its share of the line time, and the command stream's own
// cost. Prints "name value unit" lines; the operations' messages go to stderr.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "families/i2c_eeprom/I2cDialog.h"
#include "families/i2c_eeprom/I2cOperations.h"
#include "families/microwire_eeprom/MicrowireDialog.h"
#include "families/microwire_eeprom/MicrowireOperations.h"
#include "link/FastLinkSettings.h"
#include "link/commands/LinkOps.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

// A random image in the buffer, the size of the part; the link reads ahead as
// the program's link to the virtual box does.
struct Bench : bench::ChipBench {
    Bench(const char* dialogClass, int subType) : ChipBench(dialogClass, subType) {
        link.readAheadWindow = ReadAheadWindowFor(link.port->lineKind(), {});
        std::mt19937 gen(7);
        std::generate(buffer->data(), buffer->data() + chip->memory().size(), [&] { return static_cast<std::uint8_t>(gen()); });
    }
};

void I2c(int subType, const char* label) {
    Bench b(I2cDialog::kFormClass, subType);
    const I2cJob job{b.link, kI2cRows[static_cast<std::size_t>(subType)], *b.buffer, b.hooks};
    bench::MeasureAll(*b.box, label,
           {{"programe", [&] { return ProgramI2c(job); }},
            {"verify", [&] { return VerifyI2c(job); }},
            {"read", [&] { return ReadI2c(job); }}});
}

void Microwire(int subType, const char* label) {
    Bench b(MicrowireDialog::kFormClass, subType);
    const MicrowireJob job{b.link, kMicrowireRows[static_cast<std::size_t>(subType)], *b.buffer, b.hooks};
    bench::MeasureAll(*b.box, label,
           {{"erase", [&] { return EraseMicrowire(job); }},
            {"blank", [&] { return BlankMicrowire(job); }},
            {"programe", [&] { return ProgramMicrowire(job); }},
            {"verify", [&] { return VerifyMicrowire(job); }},
            {"read", [&] { return ReadMicrowire(job); }}});
}

} // namespace

int main() {
    I2c(9, "24c256");
    I2c(10, "24c512");
    Microwire(6, "93c66_x16");
    Microwire(8, "93c86_x8");
    Microwire(9, "93c86_x16");
    return 0;
}
