#pragma once
// Small logic parts and their vectors for the tester's own tests, independent of
// the shipped libraries: a quad NAND with push-pull and with open-collector
// outputs, a quad 3-state buffer, a D flip-flop whose clock and data lie in
// different direction registers, and a 4-bit counter cleared and clocked by the
// tester (loop vectors).
#include <string>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::test::icparts {

inline void QuadNand(sim::LogicPins& p, sim::LogicState&) {
    static const int gates[4][3] = {{1, 2, 3}, {4, 5, 6}, {9, 10, 8}, {12, 13, 11}};
    for (const auto& g : gates) p.out(g[2], !(p.in(g[0]) && p.in(g[1])));
}

inline void QuadBuffer3State(sim::LogicPins& p, sim::LogicState&) {
    static const int gates[4][3] = {{1, 2, 3}, {4, 5, 6}, {10, 9, 8}, {13, 12, 11}}; // /OE, A, Y
    for (const auto& g : gates) {
        if (p.in(g[0])) p.release(g[2]);
        else p.out(g[2], p.in(g[1]));
    }
}

// D on pin 1, Q on pin 2, the rising clock on pin 8.
inline void DFlipFlop(sim::LogicPins& p, sim::LogicState& s) {
    if (p.rose(8)) s.bits = p.in(1) ? 1 : 0;
    p.out(2, (s.bits & 1) != 0);
}

// /CLR pin 1 (low clears), rising clock pin 2, QD..QA on pins 11..14.
inline void Counter4(sim::LogicPins& p, sim::LogicState& s) {
    if (!p.in(1)) s.regs[0] = 0;
    else if (p.rose(2)) s.regs[0] = (s.regs[0] + 1) & 15;
    for (int b = 0; b < 4; ++b) p.out(14 - b, (s.regs[0] >> b) & 1);
}

inline const sim::LogicPart kNand{"TNAND00", 0, sim::LogicClass::Ttl74, "IIOIIOGOIIOIIV", QuadNand};
inline const sim::LogicPart kNandOc{"TNAND03", 3, sim::LogicClass::Ttl74, "IICIICGCIICIIV", QuadNand};
inline const sim::LogicPart kBuffer{"TBUF125", 125, sim::LogicClass::Ttl74, "IITIITGTIITIIV", QuadBuffer3State};
inline const sim::LogicPart kFlipFlop{"TDFF74", 74, sim::LogicClass::Ttl74, "IONNNNGINNNNNV", DFlipFlop};
inline const sim::LogicPart kCounter{"TCNT93", 93, sim::LogicClass::Ttl74, "IINNNNNGNNOOOONV", Counter4};

inline const std::string kNandVec = R"(
ic 0 TNAND00 14
pins IIOIIOGOIIOIIV
t 00H 01H - H10 L11 -
t 11L 10H - L11 H00 -
t 01H 11L - H01 H10 -
t 10H 00H - H00 H01 -
end
)";
inline const std::string kNandOcVec = R"(
ic 3 TNAND03 14
pins IICIICGCIICIIV
t 00H 01H - H10 L11 -
t 11L 10H - L11 H00 -
end
)";
inline const std::string kBufferVec = R"(
ic 125 TBUF125 14
pins IITIITGTIITIIV
t 00L 01H - L00 H10 -
t 10Z 10Z - Z01 Z01 -
t 01H 00L - H10 L00 -
end
)";
inline const std::string kFlipFlopVec = R"(
ic 74 TDFF74 14
pins IONNNNGINNNNNV
s 0X ---- - 0 ----- -
t 1H ---- - 1 ----- -
s 1X ---- - 0 ----- -
t 0L ---- - 1 ----- -
end
)";
inline const std::string kCounterVec = R"(
ic 93 TCNT93 16
pins IINNNNNGNNOOOONV
s 00 ----- - -- XXXX - -
t 10 ----- - -- LLLL - -
s 11 ----- - -- XXXX - -
s 10 ----- - -- XXXX - -
repeat 9
t 10 ----- - -- HLHL - -
end
)";

inline std::string AllVec() { return kNandVec + kNandOcVec + kFlipFlopVec + kCounterVec + kBufferVec; }

} // namespace quarvin::test::icparts
