#pragma once
// The evaluate functions of the 74 TTL chip models, one per distinct function
// and pinout; parts that differ only in output type or drive share one.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::ttl74 {

// Gates.cpp
void quadNand(LogicPins& pins, LogicState& state);
void quadNandOutputFirst(LogicPins& pins, LogicState& state);
void quadNor(LogicPins& pins, LogicState& state);
void quadAnd(LogicPins& pins, LogicState& state);
void quadOr(LogicPins& pins, LogicState& state);
void quadXor(LogicPins& pins, LogicState& state);
void quadXnor(LogicPins& pins, LogicState& state);             // '810, the '86 pins
void quadXnorOutputsInside(LogicPins& pins, LogicState& state); // '7266
void hexInverter(LogicPins& pins, LogicState& state);
void hexBuffer(LogicPins& pins, LogicState& state);
void tripleNand3(LogicPins& pins, LogicState& state);
void tripleAnd3(LogicPins& pins, LogicState& state);
void tripleNor3(LogicPins& pins, LogicState& state);
void dualNand4(LogicPins& pins, LogicState& state);
void dualAnd4(LogicPins& pins, LogicState& state);
void dualNor5(LogicPins& pins, LogicState& state);
void dualAndOrInvert(LogicPins& pins, LogicState& state);
void andOrInvert4232(LogicPins& pins, LogicState& state);
void nand8(LogicPins& pins, LogicState& state);
void nand13(LogicPins& pins, LogicState& state);

// Buffers.cpp
void quadBufferEnableLow(LogicPins& pins, LogicState& state);
void quadBufferEnableHigh(LogicPins& pins, LogicState& state);
void octalInvertingDriver(LogicPins& pins, LogicState& state);
void octalDriverMixedEnables(LogicPins& pins, LogicState& state);
void octalDriver(LogicPins& pins, LogicState& state);
void octalInvertingBufferFlowThrough(LogicPins& pins, LogicState& state);
void octalBufferFlowThrough(LogicPins& pins, LogicState& state);
void octalTransceiverAToB(LogicPins& pins, LogicState& state);
void octalTransceiverAToBInverting(LogicPins& pins, LogicState& state);
void quadTransceiverAToB(LogicPins& pins, LogicState& state);
void quadTransceiverAToBInverting(LogicPins& pins, LogicState& state);
void octalOpenCollectorTransceiverAToB(LogicPins& pins, LogicState& state);
void octalOpenCollectorTransceiverAToBInverting(LogicPins& pins, LogicState& state);
void hexBufferCommonEnable(LogicPins& pins, LogicState& state);
void hexBufferSplitEnable(LogicPins& pins, LogicState& state);
void hexInverterCommonEnable(LogicPins& pins, LogicState& state);
void hexInverterSplitEnable(LogicPins& pins, LogicState& state);

// Registers.cpp
void octalLatch(LogicPins& pins, LogicState& state);
void octalInvertingLatch(LogicPins& pins, LogicState& state);
void octalLatchFlowThrough(LogicPins& pins, LogicState& state);
void octalRegister(LogicPins& pins, LogicState& state);
void octalInvertingRegister(LogicPins& pins, LogicState& state);
void octalRegisterFlowThrough(LogicPins& pins, LogicState& state);
void octalInvertingLatchFlowThrough(LogicPins& pins, LogicState& state);
void octalInvertingRegisterFlowThrough(LogicPins& pins, LogicState& state);
void octalRegisterWithClear(LogicPins& pins, LogicState& state);
void octalRegisterWithEnable(LogicPins& pins, LogicState& state);
void hexRegisterWithClear(LogicPins& pins, LogicState& state);
void quadRegisterWithClear(LogicPins& pins, LogicState& state);
void quadRegister3State(LogicPins& pins, LogicState& state);
void addressableLatch(LogicPins& pins, LogicState& state);

// RegisterFiles.cpp
void registerFile4x4(LogicPins& pins, LogicState& state);
void registerFile4x4OpenCollector(LogicPins& pins, LogicState& state);
void ram16x4(LogicPins& pins, LogicState& state);
void ram16x4OpenCollector(LogicPins& pins, LogicState& state);

// FlipFlops.cpp
void dualDFlipFlop(LogicPins& pins, LogicState& state);
void dualJkWithClear(LogicPins& pins, LogicState& state);
void dualJkBarRising(LogicPins& pins, LogicState& state);
void dualJkFalling(LogicPins& pins, LogicState& state);
void dualJkPresetFalling(LogicPins& pins, LogicState& state);
void quadJkBarFalling(LogicPins& pins, LogicState& state);
void quadSrLatch(LogicPins& pins, LogicState& state);

// Counters.cpp
void decadeCounterAsyncClear(LogicPins& pins, LogicState& state);
void binaryCounterAsyncClear(LogicPins& pins, LogicState& state);
void decadeCounterSyncClear(LogicPins& pins, LogicState& state);
void binaryCounterSyncClear(LogicPins& pins, LogicState& state);
void decadeSynchronousUpDownCounter(LogicPins& pins, LogicState& state);
void binarySynchronousUpDownCounter(LogicPins& pins, LogicState& state);
void decadeUpDownCounter(LogicPins& pins, LogicState& state);
void binaryUpDownCounter(LogicPins& pins, LogicState& state);
void decadeDualClockCounter(LogicPins& pins, LogicState& state);
void binaryDualClockCounter(LogicPins& pins, LogicState& state);
void decadeRippleCounter(LogicPins& pins, LogicState& state);
void binaryRippleCounter(LogicPins& pins, LogicState& state);
void presettableDecadeRippleCounter(LogicPins& pins, LogicState& state);
void presettableBinaryRippleCounter(LogicPins& pins, LogicState& state);
void dualDecadeRippleCounter(LogicPins& pins, LogicState& state);
void dualBinaryRippleCounter(LogicPins& pins, LogicState& state);
void binaryCounterWithOutputRegister(LogicPins& pins, LogicState& state);

// ShiftRegisters.cpp
void serialInParallelOut(LogicPins& pins, LogicState& state);
void parallelInSerialOut(LogicPins& pins, LogicState& state);
void parallelInSerialOutClear(LogicPins& pins, LogicState& state);
void parallelAccessShiftRegister(LogicPins& pins, LogicState& state);
void universalShiftRegister(LogicPins& pins, LogicState& state);
void universalShiftRegister8(LogicPins& pins, LogicState& state);
void universalShiftRegisterBus(LogicPins& pins, LogicState& state);
void jkShiftRegister(LogicPins& pins, LogicState& state);
void jkShiftRegister8(LogicPins& pins, LogicState& state);
void shiftRegisterWithOutputLatch(LogicPins& pins, LogicState& state);
void shiftRegisterWithInputLatch(LogicPins& pins, LogicState& state);

// Decoders.cpp
void bcdToDecimal(LogicPins& pins, LogicState& state);
void decoder3To8(LogicPins& pins, LogicState& state);
void decoder3To8ActiveHigh(LogicPins& pins, LogicState& state);
void latchedDecoder3To8ActiveHigh(LogicPins& pins, LogicState& state);
void latchedDecoder3To8(LogicPins& pins, LogicState& state);
void registeredDecoder3To8(LogicPins& pins, LogicState& state);
void dualDecoder2To4(LogicPins& pins, LogicState& state);
void dualDecoderSharedAddress(LogicPins& pins, LogicState& state);
void decoder4To16(LogicPins& pins, LogicState& state);

// Encoders.cpp
void decimalPriorityEncoder(LogicPins& pins, LogicState& state);
void octalPriorityEncoder(LogicPins& pins, LogicState& state);

// Multiplexers.cpp
void selector8To1(LogicPins& pins, LogicState& state);
void selector8To1ThreeState(LogicPins& pins, LogicState& state);
void dualSelector4To1(LogicPins& pins, LogicState& state);
void dualSelector4To1ThreeState(LogicPins& pins, LogicState& state);
void dualSelector4To1Inverting(LogicPins& pins, LogicState& state);
void dualSelector4To1InvertingThreeState(LogicPins& pins, LogicState& state);
void quadSelector2To1(LogicPins& pins, LogicState& state);
void quadSelector2To1Inverting(LogicPins& pins, LogicState& state);
void quadSelector2To1ThreeState(LogicPins& pins, LogicState& state);
void quadSelector2To1InvertingThreeState(LogicPins& pins, LogicState& state);

// Arithmetic.cpp
void fullAdder4(LogicPins& pins, LogicState& state);
void magnitudeComparator4(LogicPins& pins, LogicState& state);
void identityComparator8(LogicPins& pins, LogicState& state);
void parityGenerator9(LogicPins& pins, LogicState& state);

// ArithmeticLogicUnits.cpp
void aluFunctionGenerator(LogicPins& pins, LogicState& state);
void lookAheadCarryGenerator(LogicPins& pins, LogicState& state);

// MagnitudeComparators.cpp
void magnitudeComparator8(LogicPins& pins, LogicState& state);

// TwoPortRegisters.cpp
void quadTwoPortRegisterComplement(LogicPins& pins, LogicState& state);
void quadTwoPortRegister(LogicPins& pins, LogicState& state);
void quadTwoPortRegisterFallingEdge(LogicPins& pins, LogicState& state);

} // namespace quarvin::sim::ttl74
