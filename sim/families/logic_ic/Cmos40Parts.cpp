// The CMOS 40xx parts of the logic IC tester's library, each modelled from its
// data sheet's logic diagram or function table.
#include "sim/families/logic_ic/LogicPart.h"
#include "sim/families/logic_ic/cmos4x/Gates.h"
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/MoreCmos40.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim {
namespace {

using namespace cmos4x;
using enum GateOp;

// Pin letters of the standard packages (VSS on 7 or 8, VDD on 14 or 16).
constexpr const char* kQuad2Pins = "IIOOIIGIIOOIIV";
constexpr const char* kTriple3Pins = "IIIIIOGIOOIIIV";
constexpr const char* kDual4Pins = "OIIIINGNIIIIOV";
constexpr const char* kHex14Pins = "IOIOIOGOIOIOIV";

constexpr std::array<Gate, 3> k4000{{{Nor, 6, {3, 4, 5}}, {Invert, 9, {8}}, {Nor, 10, {11, 12, 13}}}};
constexpr auto kQuadNor = quad2(Nor);
constexpr auto kQuadNand = quad2(Nand);
constexpr auto kQuadXor = quad2(Xor);
constexpr auto kQuadXnor = quad2(Xnor);
constexpr auto kQuadOr = quad2(Or);
constexpr auto kQuadAnd = quad2(And);
constexpr auto kTripleNand = triple3(Nand);
constexpr auto kTripleNor = triple3(Nor);
constexpr auto kTripleAnd = triple3(And);
constexpr auto kTripleOr = triple3(Or);
constexpr auto kDualNor = dual4(Nor);
constexpr auto kDualNand = dual4(Nand);
constexpr auto kDualOr = dual4(Or);
constexpr auto kDualAnd = dual4(And);
constexpr auto kEightNand = eight(Nand, And);
constexpr auto kEightNor = eight(Nor, Or);
constexpr auto kHexInverter = hex14(Invert);

constexpr LogicClass C40 = LogicClass::Cmos40;

} // namespace

const std::vector<LogicPart>& Cmos40Parts() {
    static const std::vector<LogicPart> parts = {
        // Gates
        {"CD4000B", 0, C40, "NNIIIOGIOOIIIV", evaluateGates<k4000>},
        {"CD4001B", 1, C40, kQuad2Pins, evaluateGates<kQuadNor>},
        {"CD4002B", 2, C40, kDual4Pins, evaluateGates<kDualNor>},
        {"CD4011B", 11, C40, kQuad2Pins, evaluateGates<kQuadNand>},
        {"CD4012B", 12, C40, kDual4Pins, evaluateGates<kDualNand>},
        {"CD4023B", 23, C40, kTriple3Pins, evaluateGates<kTripleNand>},
        {"CD4025B", 25, C40, kTriple3Pins, evaluateGates<kTripleNor>},
        {"CD4030B", 30, C40, kQuad2Pins, evaluateGates<kQuadXor>},
        {"CD4068B", 68, C40, kDual4Pins, evaluateGates<kEightNand>},
        {"CD4069UB", 69, C40, kHex14Pins, evaluateGates<kHexInverter>},
        {"CD4070B", 70, C40, kQuad2Pins, evaluateGates<kQuadXor>},
        {"CD4071B", 71, C40, kQuad2Pins, evaluateGates<kQuadOr>},
        {"CD4072B", 72, C40, kDual4Pins, evaluateGates<kDualOr>},
        {"CD4073B", 73, C40, kTriple3Pins, evaluateGates<kTripleAnd>},
        {"CD4075B", 75, C40, kTriple3Pins, evaluateGates<kTripleOr>},
        {"CD4077B", 77, C40, kQuad2Pins, evaluateGates<kQuadXnor>},
        {"CD4078B", 78, C40, kDual4Pins, evaluateGates<kEightNor>},
        {"CD4081B", 81, C40, kQuad2Pins, evaluateGates<kQuadAnd>},
        {"CD4082B", 82, C40, kDual4Pins, evaluateGates<kDualAnd>},
        // Schmitt-trigger inputs: the same logic as the plain gates at static levels
        {"CD4093B", 93, C40, kQuad2Pins, evaluateGates<kQuadNand>},
        {"CD40106B", 106, C40, kHex14Pins, evaluateGates<kHexInverter>},
        {"CD4085B", 85, C40, "IIOOIIGIIIIIIV", cd4085},
        {"CD4086B", 86, C40, "IIONIIGIIIIIIV", cd4086},
        // Flip-flops and latches
        {"CD4013B", 13, C40, "OOIIIIGIIIIOOV", cd4013},
        {"CD4027B", 27, C40, "OOIIIIIGIIIIIOOV", cd4027},
        {"CD4042B", 42, C40, "OOOIIIIGOOOOIIOV", cd4042},
        {"CD4043B", 43, C40, "TTIIIIIGTTIINIIV", cd4043},
        {"CD4044B", 44, C40, "TNIIIIIGTTIITIIV", cd4044},
        {"CD4076B", 76, C40, "IITTTTIGIIIIIIIV", cd4076},
        {"CD4099B", 99, C40, "OIIIIIIGOOOOOOOV", cd4099},
        {"CD4095B", 95, C40, "NIIIIOGOIIIIIV", cd4095},
        {"CD40174B", 174, C40, "IOIIOIOGIOIOIIOV", cd40174},
        {"CD40175B", 175, C40, "IOOIIOOGIOOIIOOV", cd40175},
        // Counters
        {"CD4017B", 17, C40, "OOOOOOOGOOOOIIIV", cd4017},
        {"CD4018B", 18, C40, "IIIOOOIGIIOIOIIV", cd4018},
        {"CD4020B", 20, C40, "OOOOOOOGOIIOOOOV", cd4020},
        {"CD4022B", 22, C40, "OOOOONOGNOOOIIIV", cd4022},
        {"CD4024B", 24, C40, "IIOOOOGNONOONV", cd4024},
        {"CD4029B", 29, C40, "IOIIIOOGIIOIIOIV", cd4029},
        {"CD4040B", 40, C40, "OOOOOOOGOIIOOOOV", cd4040},
        {"CD4060B", 60, C40, "OOOOOOOGOOIIOOOV", cd4060},
        {"CD40160B", 160, C40, "IIIIIIIGIIOOOOOV", cd40160},
        {"CD40161B", 161, C40, "IIIIIIIGIIOOOOOV", cd40161},
        {"CD40162B", 162, C40, "IIIIIIIGIIOOOOOV", cd40162},
        {"CD40163B", 163, C40, "IIIIIIIGIIOOOOOV", cd40163},
        {"CD40192B", 192, C40, "IOOIIOOGIIIOOIIV", cd40192},
        {"CD40193B", 193, C40, "IOOIIOOGIIIOOIIV", cd40193},
        // Shift registers
        {"CD4014B", 14, C40, "IOOIIIIGIIIOIIIV", cd4014},
        {"CD4015B", 15, C40, "IOOOOIIGIOOOOIIV", cd4015},
        {"CD4021B", 21, C40, "IOOIIIIGIIIOIIIV", cd4021},
        {"CD4094B", 94, C40, "IIITTTTGOOTTTTIV", cd4094},
        {"CD40194B", 194, C40, "IIIIIIIGIIIOOOOV", cd40194},
        // Decoders and arithmetic
        {"CD4008B", 8, C40, "IIIIIIIGIOOOOOIV", cd4008},
        {"CD4019B", 19, C40, "IIIIIIIGIOOOOIIV", cd4019},
        {"CD4028B", 28, C40, "OOOOOOOGOIIIIOOV", cd4028},
        {"CD4063B", 63, C40, "IIIIOOOGIIIIIIIV", cd4063},
        {"CD40101B", 101, C40, "IIIIIOGIOIIIIV", cd40101},
        {"CD40147B", 147, C40, "IIIIIOOGOIIIIOIV", cd40147},
        // Octal 3-state buffers and transceiver with the TTL '240/'244/'245 pins and
        // function (their data sheets say so): the same models serve
        {"HEF40240B", 240, C40, "IITITITITGITITITITIV", ttl74::octalInvertingDriver},
        {"HEF40244B", 244, C40, "IITITITITGITITITITIV", ttl74::octalDriver},
        {"HEF40245B", 245, C40, "IIIIIIIIIGTTTTTTTTIV", ttl74::octalTransceiverAToB},
        // Hex inverting 3-state buffer: NXP HEF40098B (Rev. 05, 2008) gives the
        // pins 1OE 1, 1A0-1A3/1Y0-1Y3 on 2/3 4/5 6/7 10/9, 2A0/2Y0 14/13,
        // 2A1/2Y1 12/11, 2OE 15 (1OE over four buffers, 2OE over two, active
        // LOW, outputs inverted), the arrangement of the TTL '368 model
        {"HEF40098B", 98, C40, "IITITITGTITITIIV", ttl74::hexInverterSplitEnable},
        // Quad true/complement buffer, presettable down counters, universal
        // shift register with 3-state outputs (MoreCmos40.cpp)
        {"CD4041UB", 41, C40, "OOIOOIGOOIOOIV", cd4041},
        {"CD40102B", 102, C40, "IIIIIIIGIIIIIOIV", cd40102},
        {"CD40103B", 103, C40, "IIIIIIIGIIIIIOIV", cd40103},
        {"CD40104B", 104, C40, "IIIIIIIGIIITTTTV", cd40104},
        {"CD4006B", 6, C40, "IOIIIIGOOOOOOV", cd4006},
        {"CD4031B", 31, C40, "IINNNOOGOINNNNIV", cd4031},
        // The ALU and look-ahead carry generator are the 4581's and 4582's pinout
        // and function (their data sheets name those types as equivalents); the
        // quad 2-to-1 selector has the TTL '257's pins and function, its OUTPUT
        // DISABLE the '257's active-low enable
        {"CD40181B", 181, C40, "IIIIIIIIOOOGOOOOOIIIIIIV", mc14581},
        {"CD40182B", 182, C40, "IIIIIIOGOOOOIIIV", mc14582},
        {"CD40257B", 257, C40, "IIITIITGTIITIIIV", ttl74::quadSelector2To1ThreeState},
    };
    return parts;
}

} // namespace quarvin::sim
