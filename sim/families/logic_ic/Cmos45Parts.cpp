// The 45 CMOS parts of the logic IC tester's library, each modelled from its
// data sheet's logic diagram or function table.
#include "sim/families/logic_ic/LogicPart.h"
#include "sim/families/logic_ic/cmos4x/Gates.h"
#include "sim/families/logic_ic/cmos4x/Models.h"

namespace quarvin::sim {
namespace {

using namespace cmos4x;

constexpr auto kQuadXor = quad2(GateOp::Xor);
constexpr auto kHexInverter = hex14(GateOp::Invert);
// Four inverters, a NOR and a NAND, each NOR/NAND output beside an inverter input.
constexpr std::array<Gate, 6> k4572{{{GateOp::Invert, 1, {2}},
                                     {GateOp::Invert, 3, {4}},
                                     {GateOp::Nor, 5, {6, 7}},
                                     {GateOp::Invert, 9, {10}},
                                     {GateOp::Invert, 11, {12}},
                                     {GateOp::Nand, 13, {14, 15}}}};

// Two 4-input NANDs and a 2-input gate with NOR and OR outputs (wiring the NAND
// outputs to it makes an 8-input AND/NAND).
constexpr std::array<Gate, 4> k4501{{{GateOp::Nand, 13, {1, 2, 3, 4}},
                                     {GateOp::Nand, 10, {5, 6, 7, 9}},
                                     {GateOp::Nor, 14, {11, 12}},
                                     {GateOp::Or, 15, {11, 12}}}};

constexpr LogicClass C45 = LogicClass::Cmos45;

} // namespace

const std::vector<LogicPart>& Cmos45Parts() {
    static const std::vector<LogicPart> parts = {
        {"MC14501UB", 1, C45, "IIIIIIIGIOIIOOOV", evaluateGates<k4501>},
        {"MC14502B", 2, C45, "ITIITITGTITIITIV", mc14502},
        {"MC14503B", 3, C45, "IITITITGTITITIIV", mc14503},
        {"MC14506UB", 6, C45, "IIIIIITGIIIIIITV", mc14506},
        {"MC14507B", 7, C45, "IIOOIIGIIOOIIV", evaluateGates<kQuadXor>},
        {"CD4508B", 8, C45, "IIIITITITITGIIIITITITITV", mc14508},
        {"MC14510B", 10, C45, "IOIIIOOGIIOIIOIV", mc14510},
        {"MC14511B", 11, C45, "IIIIIIIGOOOOOOOV", mc14511},
        {"MC14512B", 12, C45, "IIIIIIIGIIIIITIV", mc14512},
        {"MC14514B", 14, C45, "IIIOOOOOOOOGOOOOOOOOIIIV", mc14514},
        {"MC14515B", 15, C45, "IIIOOOOOOOOGOOOOOOOOIIIV", mc14515},
        {"MC14516B", 16, C45, "IOIIIOOGIIOIIOIV", mc14516},
        {"MC14518B", 18, C45, "IIOOOOIGIIOOOOIV", mc14518},
        {"MC14519B", 19, C45, "IIIIIIIGIOOOOIIV", mc14519},
        {"MC14520B", 20, C45, "IIOOOOIGIIOOOOIV", mc14520},
        {"MC14522B", 22, C45, "OIIIIIOGOIIOIIOV", mc14522},
        {"MC14526B", 26, C45, "OIIIIIOGOIIOIIOV", mc14526},
        {"MC14530B", 30, C45, "IIIIIIOGIIIIIIOV", mc14530},
        {"MC14531B", 31, C45, "IIIIIIIGOIIIIIIV", mc14531},
        {"CD4532B", 32, C45, "IIIIIOOGOIIIIOOV", mc14532},
        {"MC14539B", 39, C45, "IIIIIIOGOIIIIIIV", mc14539},
        {"MC14541B", 41, C45, "NNINIIGOIINIIV", mc14541},
        {"MC14543B", 43, C45, "IIIIIIIGOOOOOOOV", mc14543},
        {"MC14554B", 54, C45, "IIIOIOOGOIOIIIIV", mc14554},
        {"MC14555B", 55, C45, "IIIOOOOGOOOOIIIV", mc14555},
        {"MC14556B", 56, C45, "IIIOOOOGOOOOIIIV", mc14556},
        {"MC14557B", 57, C45, "IIIIIIIGIOOIIIIV", mc14557},
        {"MC14558B", 58, C45, "IIIOIIIGOOOOOOOV", mc14558},
        {"MC14560B", 60, C45, "IIIIIIIGOOOOOIIV", mc14560},
        {"MC14561B", 61, C45, "IIIIIIGNIOOOOV", mc14561},
        {"MC14572UB", 72, C45, "OIOIOIIGOIOIOIIV", evaluateGates<k4572>},
        {"MC14580B", 80, C45, "TTITTTTIIIIGIIIIIIIIITTV", mc14580},
        {"MC14582B", 82, C45, "IIIIIIOGOOOOIIIV", mc14582},
        {"MC14581B", 81, C45, "IIIIIIIIOOOGOOOOOIIIIIIV", mc14581},
        {"CD4585B", 85, C45, "IIOIIIIGIIIOOIIV", mc14585},
        // Schmitt-trigger hex inverter: plain inverter logic at static levels
        {"MC14584B", 84, C45, "IOIOIOGOIOIOIV", evaluateGates<kHexInverter>},
    };
    return parts;
}

} // namespace quarvin::sim
