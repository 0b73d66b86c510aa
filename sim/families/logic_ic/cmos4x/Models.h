#pragma once
// The 40 and 45 series parts that are more than independent gates, one function
// each, named after the part as marked.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

// Flip-flops and latches (FlipFlops.cpp)
void cd4013(LogicPins&, LogicState&);
void cd4027(LogicPins&, LogicState&);
void cd40174(LogicPins&, LogicState&);
void cd40175(LogicPins&, LogicState&);
void cd4042(LogicPins&, LogicState&);
void cd4043(LogicPins&, LogicState&);
void cd4044(LogicPins&, LogicState&);
void cd4076(LogicPins&, LogicState&);
void cd4099(LogicPins&, LogicState&);
void cd4095(LogicPins&, LogicState&);
void mc14508(LogicPins&, LogicState&);

// Counters (Counters.cpp)
void cd4017(LogicPins&, LogicState&);
void cd4018(LogicPins&, LogicState&);
void cd4022(LogicPins&, LogicState&);
void cd4020(LogicPins&, LogicState&);
void cd4024(LogicPins&, LogicState&);
void cd4040(LogicPins&, LogicState&);
void cd4060(LogicPins&, LogicState&);
void cd4029(LogicPins&, LogicState&);
void cd40160(LogicPins&, LogicState&);
void cd40161(LogicPins&, LogicState&);
void cd40162(LogicPins&, LogicState&);
void cd40163(LogicPins&, LogicState&);
void cd40192(LogicPins&, LogicState&);
void cd40193(LogicPins&, LogicState&);
void mc14510(LogicPins&, LogicState&);
void mc14516(LogicPins&, LogicState&);
void mc14518(LogicPins&, LogicState&);
void mc14520(LogicPins&, LogicState&);
void mc14522(LogicPins&, LogicState&);
void mc14526(LogicPins&, LogicState&);

// Shift registers (ShiftRegisters.cpp)
void cd4014(LogicPins&, LogicState&);
void cd4015(LogicPins&, LogicState&);
void cd4021(LogicPins&, LogicState&);
void cd4094(LogicPins&, LogicState&);
void cd40194(LogicPins&, LogicState&);

// Long shift registers (LongShiftRegisters.cpp) and the multiport register (MultiportRegister.cpp)
void mc14557(LogicPins&, LogicState&);
void mc14580(LogicPins&, LogicState&);

// Decoders, encoders, selectors and buffers (Decoders.cpp)
void cd4019(LogicPins&, LogicState&);
void cd4028(LogicPins&, LogicState&);
void cd40147(LogicPins&, LogicState&);
void mc14502(LogicPins&, LogicState&);
void mc14503(LogicPins&, LogicState&);
void mc14511(LogicPins&, LogicState&);
void mc14512(LogicPins&, LogicState&);
void mc14514(LogicPins&, LogicState&);
void mc14515(LogicPins&, LogicState&);
void mc14519(LogicPins&, LogicState&);
void mc14531(LogicPins&, LogicState&);
void mc14532(LogicPins&, LogicState&);
void mc14539(LogicPins&, LogicState&);
void mc14543(LogicPins&, LogicState&);
void mc14555(LogicPins&, LogicState&);
void mc14556(LogicPins&, LogicState&);

// Seven-segment decoders (SegmentDecoders.cpp) and the multiplier (Multiplier.cpp)
void mc14554(LogicPins&, LogicState&);
void mc14558(LogicPins&, LogicState&);

// Arithmetic (Arithmetic.cpp)
void cd4008(LogicPins&, LogicState&);
void cd4063(LogicPins&, LogicState&);
void cd40101(LogicPins&, LogicState&);
void mc14560(LogicPins&, LogicState&);
void mc14561(LogicPins&, LogicState&);
void mc14530(LogicPins&, LogicState&);
void mc14582(LogicPins&, LogicState&);
void mc14581(LogicPins&, LogicState&);
void mc14585(LogicPins&, LogicState&);

// Programmable timers clocked from outside (Timers.cpp)
void mc14541(LogicPins&, LogicState&);

// AND-OR-INVERT gates (AndOrInvert.cpp) and the expandable one with 3-state
// outputs (ExpandableAndOrInvert.cpp)
void cd4085(LogicPins&, LogicState&);
void cd4086(LogicPins&, LogicState&);
void mc14506(LogicPins&, LogicState&);

} // namespace quarvin::sim::cmos4x
