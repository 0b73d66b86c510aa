#include "catalogue/DispatchTable.h"
#include "forms/Texts.h"

namespace quarvin {

const std::array<DispatchRow, 54> DispatchTable{{
    {"ICTEST", "TICTestx"},
    {QV_TEXT("P29"), "TP29e"},
    {"AT49F", "TAt49fx"},
    {"P89C51", "TP89c5x"},
    {"P2051", "TP2051x"},
    {"AT90S", "TAT90sx"},
    {"W7851", "TPW785x"},
    {"P97C2051", "TP97c205x"},
    {QV_TEXT("PW27"), "TPW27x"},
    {"PI28F001", "TPi28f001x"},
    {QV_TEXT("P27"), "TP27x"},
    {"PI28F", "TPi28fxxx"},
    {QV_TEXT("P29F"), "TP29fxxx"},
    {"MX29F", "TMx29fxxx1"},
    {QV_TEXT("P24"), "TP24c0x"},
    {"AT29CX", "TP29cx"},
    {"AT29C256", "TP29c256"},
    {QV_TEXT("AT28CX"), "TP28cx"},
    {"P2816", "TP2816x"},
    {"P22V10", "TP22V10x"},
    {"GAL3M", "TGALx"},
    {"PHI89C51", "TPhi89c5x"},
    {"P16C84", "TP16c8x"},
    {"P16C54", "TP16c54x"},
    {"P16C57", "TP16c57x"},
    {"P16C61", "TP16c6x"},
    {"P93", "TP93cxx"},
    {"P93X16", "TP93x16"},
    {"MDT2000", "TMdt20xx"},
    {"MDT2051", "TMdt2051x"},
    {"EMC78P", "TEm78px"},
    {"PHI87LP", "TPhi87lpx"},
    {"SST895x", "TSST89c5x"},
    {"P12C508", "TP12c508x"},
    {"EMC78P156E", "TEm78p156"},
    {"EMC78P447", "TEm78p447"},
    {"PHI8758", "TPhi875x"},
    {"DSRAM", "TDsRAM"},
    {"TESTRAM", "TDsRAM"},
    {"MSU2958", "TMsu2958x"},
    {"PSM2952", "TSm2952"},
    {"MSU2964", "TMsu2964x"},
    {"AT90S8515", "TAt90s8515x"},
    {"AT90S2333", "TAt90s2333x"},
    {"AT90S2343", "TAt90s2343x"},
    {"W78E516", "TW78e516x"},
    {"AMI22CV10", "TAmi22cv10x"},
    {"PALCEGAL", "TPalceGALx"},
    {"PHI89RX2", "TPhi89c51rx2"},
    {"P16F7X", "TP16f7x1"},
    {"P16F87X", "TP16f87x"},
    {"AT89S5X", "TAt89s5x1"},
    {"PHI89NEW", "TPhi89new"},
    {"P89C5WD", "TAt89c5xwd"},
}};

const char* DialogClassOf(const std::string& family) {
    for (const auto& row : DispatchTable)
        if (family == row.family) return row.dialog;
    return nullptr;
}

} // namespace quarvin
