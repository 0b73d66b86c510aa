#pragma once
// The link operations: every device algorithm is written with these and nothing
// else (apart from family opcodes sent with SendByte and blocks with WriteBlock).
// In soft-run mode (connected == 0) sends do nothing and every read returns 255.
// A lost link (byte not written, or no reply in time) shows the lost-link message,
// closes the port, falls back to soft-run mode and throws LinkLost so that the
// running operation ends.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "forms/Form.h"
#include "link/commands/LinkState.h"

namespace quarvin {

class LinkLost : public OperationAborted {
public:
    LinkLost() : OperationAborted("link lost") {}
};

// Transport level.
void SendByte(LinkState& link, std::uint8_t b);
std::uint8_t ReceiveByte(LinkState& link);
void WriteBlock(LinkState& link, const std::uint8_t* bytes, std::size_t n);
void Delay(LinkState& link, int count);
// Confirms that the box took every byte sent since its last reply, with one
// reply-bearing command that changes nothing on the socket; a box that is gone
// throws LinkLost. Sends nothing when nothing is unconfirmed, in soft-run mode
// and while reads sent ahead are on their way.
void ConfirmLink(LinkState& link);
// The same once a long stretch has gone out without a reply: a loop that only
// sends would otherwise run on to its end after the box has gone.
void ConfirmLinkIfLongQuiet(LinkState& link);
inline constexpr std::uint32_t LongQuietBytes = 4096; // about 0.4 s of line time
inline constexpr int ConfirmPort = 0;

// Ports and pins.
std::uint8_t ReadPort(LinkState& link, int n);
void WritePort(LinkState& link, int n, std::uint8_t v);
void WriteAllPorts(LinkState& link, std::uint8_t v);
void PinHigh(LinkState& link, int p);
void PinLow(LinkState& link, int p);
void SetPin(LinkState& link, int level, int p);
int ReadPin(LinkState& link, int p);
void SetPinLatch(LinkState& link, int p, int dir);
// The pin's direction as SetPinLatch last set it (1 input, 0 driven), from the
// image; 0 for pins without a direction bit. Sends nothing.
int PinLatch(const LinkState& link, int p);
void WriteDirectionRegister(LinkState& link, int n, std::uint8_t v);
void WriteControlRegister(LinkState& link, int n, std::uint8_t v);
void SetDataWidth(LinkState& link, int mode);
void ReadPortsPage(LinkState& link, std::uint8_t* dest);

// Voltages.
void SetVppLevel(LinkState& link, int millivolts);
std::uint8_t VppCode(int millivolts);
void WriteVppCode(LinkState& link, std::uint8_t code);
void ConnectVpp(LinkState& link, int p);
void ReleaseVpp(LinkState& link, int p);
void ConnectVcc(LinkState& link, int p);
// The socket pins the Vcc switches hold now, as the link last set them.
std::vector<int> SwitchedVccPins(const LinkState& link);
// Every port low but the bits of the pins a Vcc switch holds (a low port would
// drive against the closed switch) and of `fedPin` (0 for none), a logic pin
// that feeds a part with no switch on its supply.
void PortsLowButSwitchedVcc(LinkState& link, int fedPin = 0);
// The same, keeping every pin of `kept` high.
void PortsLowButSwitchedVcc(LinkState& link, const std::vector<int>& kept);
void ConnectGround(LinkState& link, int p);
void SetVccLevel(LinkState& link, int level);
void ConnectVccSwitched(LinkState& link, int p);

// Clock.
void SetClockMode(LinkState& link, int mode);
void ConnectClock(LinkState& link, int p);

// Algorithm commands.
std::uint8_t ReadNextByte(LinkState& link);
// Sees each reply of ReadNextBytes in order (index from 0); true ends the run there.
using StopAtReply = std::function<bool(std::size_t index, std::uint8_t value)>;
// n ReadNextByte results into dest: the same bytes on the wire as n calls of
// ReadNextByte, but up to the link's read-ahead window of commands go out before
// their replies are taken. Every reply is taken before it returns, so whatever
// the caller sends next finds the box idle. With stopAt the run ends at the first
// reply it accepts; returns how many bytes were stored.
std::size_t ReadNextBytes(LinkState& link, std::uint8_t* dest, std::size_t n, const StopAtReply& stopAt = {});
int BlankCheckPage(LinkState& link);
std::uint16_t SumPage(LinkState& link);
std::uint8_t ProgramByte(LinkState& link, std::uint8_t opcode, std::uint8_t v);
void SetBlockLength(LinkState& link, std::uint8_t length);
void SetPulseCount(LinkState& link, std::uint8_t count);
void SendDeviceCommand(LinkState& link, std::uint8_t a, std::uint8_t b);
void SetBusMode(LinkState& link, std::uint8_t mode);
std::uint8_t ReadDataByte(LinkState& link);
void WriteDataByte(LinkState& link, std::uint8_t v);

// Sequences.
void BuildBitReverseTable(LinkState& link);
void ResetSocket(LinkState& link);
void ShutDownSocket(LinkState& link);
void PowerDown(LinkState& link);
int CheckDeviceInSocket(LinkState& link, int a, int b);
int ProbeGroundSwitch(LinkState& link);
char GetBoardModel(LinkState& link);
// Loop-back test through socket pin 1: 1 after 101 good passes, 0 at the first fault.
int TestLinkLoop(LinkState& link);

// Shown once when the link is lost.
inline constexpr const char* LostLinkMessage = "Bad COM ！\nPlease off power at one!";

} // namespace quarvin
