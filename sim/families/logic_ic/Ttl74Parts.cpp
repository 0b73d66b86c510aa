// The 74 TTL parts of the logic IC tester's library, each modelled from its
// data sheet's logic diagram or function table.
#include "sim/families/logic_ic/LogicPart.h"
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim {

const std::vector<LogicPart>& Ttl74Parts() {
    using namespace ttl74;
    constexpr auto T = LogicClass::Ttl74;
    static const std::vector<LogicPart> parts = {
        // Gates (14 pins)
        {"74LS00", 0, T, "IIOIIOGOIIOIIV", quadNand},
        {"74LS01", 1, T, "CIICIIGIICIICV", quadNandOutputFirst},
        {"74LS02", 2, T, "OIIOIIGIIOIIOV", quadNor},
        {"74LS03", 3, T, "IICIICGCIICIIV", quadNand},
        {"74LS04", 4, T, "IOIOIOGOIOIOIV", hexInverter},
        {"74LS05", 5, T, "ICICICGCICICIV", hexInverter},
        {"7406", 6, T, "ICICICGCICICIV", hexInverter},
        {"7407", 7, T, "ICICICGCICICIV", hexBuffer},
        {"74LS08", 8, T, "IIOIIOGOIIOIIV", quadAnd},
        {"74LS09", 9, T, "IICIICGCIICIIV", quadAnd},
        {"74LS10", 10, T, "IIIIIOGOIIIOIV", tripleNand3},
        {"74LS11", 11, T, "IIIIIOGOIIIOIV", tripleAnd3},
        {"74LS12", 12, T, "IIIIICGCIIICIV", tripleNand3},
        {"74LS14", 14, T, "IOIOIOGOIOIOIV", hexInverter},
        {"74LS15", 15, T, "IIIIICGCIIICIV", tripleAnd3},
        {"7416", 16, T, "ICICICGCICICIV", hexInverter},
        {"7417", 17, T, "ICICICGCICICIV", hexBuffer},
        {"74LS20", 20, T, "IINIIOGOIINIIV", dualNand4},
        {"74LS21", 21, T, "IINIIOGOIINIIV", dualAnd4},
        {"74LS22", 22, T, "IINIICGCIINIIV", dualNand4},
        {"74LS26", 26, T, "IICIICGCIICIIV", quadNand},
        {"74LS27", 27, T, "IIIIIOGOIIIOIV", tripleNor3},
        {"74LS28", 28, T, "OIIOIIGIIOIIOV", quadNor},
        {"74LS30", 30, T, "IIIIIIGONNIINV", nand8},
        {"74LS32", 32, T, "IIOIIOGOIIOIIV", quadOr},
        {"74LS33", 33, T, "CIICIIGIICIICV", quadNor},
        {"74LS37", 37, T, "IIOIIOGOIIOIIV", quadNand},
        {"74LS38", 38, T, "IICIICGCIICIIV", quadNand},
        {"74LS40", 40, T, "IINIIOGOIINIIV", dualNand4},
        {"74LS51", 51, T, "IIIIIOGOIIIIIV", dualAndOrInvert},
        {"74S64", 64, T, "IIIIIIGOIIIIIV", andOrInvert4232},
        {"74S65", 65, T, "IIIIIIGCIIIIIV", andOrInvert4232},
        {"74LS86", 86, T, "IIOIIOGOIIOIIV", quadXor},
        {"74LS132", 132, T, "IIOIIOGOIIOIIV", quadNand},
        {"74LS136", 136, T, "IICIICGCIICIIV", quadXor},
        {"74LS133", 133, T, "IIIIIIIGOIIIIIIV", nand13},
        {"74LS260", 260, T, "IIIIOOGIIIIIIV", dualNor5},
        // Buffers
        {"74LS125", 125, T, "IITIITGTIITIIV", quadBufferEnableLow},
        {"74LS126", 126, T, "IITIITGTIITIIV", quadBufferEnableHigh},
        {"74LS240", 240, T, "IITITITITGITITITITIV", octalInvertingDriver},
        {"74LS241", 241, T, "IITITITITGITITITITIV", octalDriverMixedEnables},
        {"74LS244", 244, T, "IITITITITGITITITITIV", octalDriver},
        {"74LS540", 540, T, "IIIIIIIIIGTTTTTTTTIV", octalInvertingBufferFlowThrough},
        {"74LS541", 541, T, "IIIIIIIIIGTTTTTTTTIV", octalBufferFlowThrough},
        {"74LS365", 365, T, "IITITITGTITITIIV", hexBufferCommonEnable},
        {"74LS367", 367, T, "IITITITGTITITIIV", hexBufferSplitEnable},
        // Latches and registers
        {"74LS373", 373, T, "ITIITTIITGITIITTIITV", octalLatch},
        {"74LS533", 533, T, "ITIITTIITGITIITTIITV", octalInvertingLatch},
        {"74LS573", 573, T, "IIIIIIIIIGITTTTTTTTV", octalLatchFlowThrough},
        {"74LS374", 374, T, "ITIITTIITGITIITTIITV", octalRegister},
        {"74LS574", 574, T, "IIIIIIIIIGITTTTTTTTV", octalRegisterFlowThrough},
        {"74LS273", 273, T, "IOIIOOIIOGIOIIOOIIOV", octalRegisterWithClear},
        {"74LS377", 377, T, "IOIIOOIIOGIOIIOOIIOV", octalRegisterWithEnable},
        {"74LS174", 174, T, "IOIIOIOGIOIOIIOV", hexRegisterWithClear},
        {"74LS175", 175, T, "IOOIIOOGIOOIIOOV", quadRegisterWithClear},
        {"74LS173", 173, T, "IITTTTIGIIIIIIIV", quadRegister3State},
        {"74LS259", 259, T, "IIIOOOOGOOOOIIIV", addressableLatch},
        {"74LS189", 189, T, "IIIITITGTITIIIIV", ram16x4},
        {"74LS670", 670, T, "IIIIITTGTTIIIIIV", registerFile4x4},
        // Flip-flops
        {"74LS74", 74, T, "IIIIOOGOOIIIIV", dualDFlipFlop},
        {"74LS107", 107, T, "IOOIOOGIIIIIIV", dualJkWithClear},
        {"74LS109", 109, T, "IIIIIOOGOOIIIIIV", dualJkBarRising},
        {"74LS112", 112, T, "IIIIOOOGOIIIIIIV", dualJkFalling},
        {"74276", 276, T, "IIIIOOIIIGIIIIOOIIIV", quadJkBarFalling},
        {"74LS279", 279, T, "IIIOIIOGOIIIOIIV", quadSrLatch},
        // Counters
        {"74LS160", 160, T, "IIIIIIIGIIOOOOOV", decadeCounterAsyncClear},
        {"74LS161", 161, T, "IIIIIIIGIIOOOOOV", binaryCounterAsyncClear},
        {"74LS162", 162, T, "IIIIIIIGIIOOOOOV", decadeCounterSyncClear},
        {"74LS163", 163, T, "IIIIIIIGIIOOOOOV", binaryCounterSyncClear},
        {"74LS169", 169, T, "IIIIIIIGIIOOOOOV", binarySynchronousUpDownCounter},
        {"74LS668", 668, T, "IIIIIIIGIIOOOOOV", decadeSynchronousUpDownCounter},
        {"74LS669", 669, T, "IIIIIIIGIIOOOOOV", binarySynchronousUpDownCounter},
        {"74LS190", 190, T, "IOOIIOOGIIIOOIIV", decadeUpDownCounter},
        {"74LS191", 191, T, "IOOIIOOGIIIOOIIV", binaryUpDownCounter},
        {"74LS192", 192, T, "IOOIIOOGIIIOOIIV", decadeDualClockCounter},
        {"74LS193", 193, T, "IOOIIOOGIIIOOIIV", binaryDualClockCounter},
        {"74LS196", 196, T, "IOIIOIGIOIIOIV", presettableDecadeRippleCounter},
        {"74LS197", 197, T, "IOIIOIGIOIIOIV", presettableBinaryRippleCounter},
        {"74LS290", 290, T, "INIOONGOOIIIIV", decadeRippleCounter},
        {"74LS293", 293, T, "NNNOONGOOIIIIV", binaryRippleCounter},
        {"74LS390", 390, T, "IIOIOOOGOOOIOIIV", dualDecadeRippleCounter},
        {"74LS393", 393, T, "IIOOOOGOOOOIIV", dualBinaryRippleCounter},
        {"74HC590", 590, T, "TTTTTTTGOIIIIITV", binaryCounterWithOutputRegister},
        // Shift registers
        {"74LS95", 95, T, "IIIIIIGIIOOOOV", parallelAccessShiftRegister},
        {"74LS164", 164, T, "IIOOOOGIIOOOOV", serialInParallelOut},
        {"74LS165", 165, T, "IIIIIIOGOIIIIIIV", parallelInSerialOut},
        {"74LS166", 166, T, "IIIIIIIGIIIIOIIV", parallelInSerialOutClear},
        {"74LS194", 194, T, "IIIIIIIGIIIOOOOV", universalShiftRegister},
        {"74LS195", 195, T, "IIIIIIIGIIOOOOOV", jkShiftRegister},
        {"74198", 198, T, "IIIOIOIOIOIGIOIOIOIOIIIV", universalShiftRegister8},
        {"74199", 199, T, "IIIOIOIOIOIGIIOIOIOIOIIV", jkShiftRegister8},
        {"74LS595", 595, T, "TTTTTTTGOIIIIITV", shiftRegisterWithOutputLatch},
        {"74HC597", 597, T, "IIIIIIIGOIIIIIIV", shiftRegisterWithInputLatch},
        // Decoders
        {"74LS42", 42, T, "OOOOOOOGOOOIIIIV", bcdToDecimal},
        {"74LS145", 145, T, "CCCCCCCGCCCIIIIV", bcdToDecimal},
        {"74LS138", 138, T, "IIIIIIOGOOOOOOOV", decoder3To8},
        {"74HC238", 238, T, "IIIIIIOGOOOOOOOV", decoder3To8ActiveHigh},
        {"74HC237", 237, T, "IIIIIIOGOOOOOOOV", latchedDecoder3To8ActiveHigh},
        {"74LS139", 139, T, "IIIOOOOGOOOOIIIV", dualDecoder2To4},
        {"74LS155", 155, T, "IIIOOOOGOOOOIIIV", dualDecoderSharedAddress},
        {"74LS156", 156, T, "IIICCCCGCCCCIIIV", dualDecoderSharedAddress},
        {"74LS154", 154, T, "OOOOOOOOOOOGOOOOOIIIIIIV", decoder4To16},
        // Priority encoders
        {"74LS147", 147, T, "IIIIIOOGOIIIIONV", decimalPriorityEncoder},
        {"74LS148", 148, T, "IIIIIOOGOIIIIOOV", octalPriorityEncoder},
        // Data selectors
        {"74LS151", 151, T, "IIIIOOIGIIIIIIIV", selector8To1},
        {"74LS251", 251, T, "IIIITTIGIIIIIIIV", selector8To1ThreeState},
        {"74LS153", 153, T, "IIIIIIOGOIIIIIIV", dualSelector4To1},
        {"74LS253", 253, T, "IIIIIITGTIIIIIIV", dualSelector4To1ThreeState},
        {"74LS157", 157, T, "IIIOIIOGOIIOIIIV", quadSelector2To1},
        {"74LS158", 158, T, "IIIOIIOGOIIOIIIV", quadSelector2To1Inverting},
        {"74LS257", 257, T, "IIITIITGTIITIIIV", quadSelector2To1ThreeState},
        {"74LS258", 258, T, "IIITIITGTIITIIIV", quadSelector2To1InvertingThreeState},
        // Arithmetic and comparison
        {"74LS283", 283, T, "OIIOIIIGOOIIOIIV", fullAdder4},
        {"74LS85", 85, T, "IIIIOOOGIIIIIIIV", magnitudeComparator4},
        {"74LS688", 688, T, "IIIIIIIIIGIIIIIIIIOV", identityComparator8},
        {"74LS280", 280, T, "IINIOOGIIIIIIV", parityGenerator9},
        {"74S182", 182, T, "IIIIIIOGOOOOIIIV", lookAheadCarryGenerator},
        {"74LS181", 181, T, "IIIIIIIIOOOGOCOOOIIIIIIV", aluFunctionGenerator},
        // The 74HC4017 and 74HC4511 have the CD4017B's and MC14511B's pins and
        // functions (their data sheets give both), so they share those models.
        {"74HC4017", 4017, T, "OOOOOOOGOOOOIIIV", cmos4x::cd4017},
        {"74HC4511", 4511, T, "IIIIIIIGOOOOOOOV", cmos4x::mc14511},
    };
    return parts;
}

} // namespace quarvin::sim
