#pragma once
// Running a library's vectors on the IC in the socket: one step per vector
// (drive the socket pins, read them back, compare), the test of one entry with
// its loop vectors, "Founction" on the selected entry and "Search" over all.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "families/framework/Operation.h"
#include "families/logic_ic/IcLibrary.h"
#include "forms/Texts.h"

namespace quarvin {

class CommandsAhead;

inline constexpr const char* kIcNoLibrary = QV_TEXT("No librrary file");
// Beside the tester's own texts: why a test cannot be trusted.
inline constexpr const char* kIcDamagedLibrary = "the IC library is damaged: only the types before the damage were read";
inline constexpr const char* kIcPass = "OK!";
inline constexpr const char* kIcFail = QV_TEXT("Bad!!!");
inline constexpr const char* kIcNoFind = QV_TEXT("No find!");
inline constexpr const char* kIcNoDevice = QV_TEXT("No device in socket!");
inline constexpr const char* kIcStopped = QV_TEXT("Stopped");

// The ground and first supply pin of the socket for the tester.
inline constexpr int kIcGroundPin = 20;
inline constexpr int kIcFirstVccPin = 27;

enum class IcVerdict { Pass, Fail, Stopped };

// What the runs count and learn as they go.
struct IcRunCounters {
    std::uint32_t steps = 0;       // of the entry under test; shown every 16 steps
    bool releasedPinReadLow = false; // some undriven pin read low: something is in the socket
};

// What the vector steps left on the socket's drivers: the three vector ports
// low, and the value of each direction register they write. Steps given it send
// only what changes; every pin then goes through the same levels in the same
// order as with every write sent, only sooner. Anything else sent to the box
// in between makes it unknown again (a default one knows nothing).
struct IcDriversInForce {
    bool portsLow = false;
    std::array<std::optional<std::uint8_t>, 4> direction{}; // by direction register
};

// One vector: ports to 0, the three direction registers (3, 1, 0), then, for a
// checked vector, ports 3, 2, 1 read and compared. True when it passes.
bool IcStep(LinkState& link, const std::uint8_t* vector, IcRunCounters& counters, const OperationHooks& hooks);

// How many vectors of an entry's run may await their reads' replies: `first`
// at the start (0: as many as the link's window lets go), 2^shiftPerVerdict
// times as many after each verdict taken, at most first << 7.
struct IcStepsAhead {
    std::uint32_t first = 0;
    std::uint32_t shiftPerVerdict = 2;
};

// All vectors of an entry; a loop vector replays the two before it (those before
// vector 0 are skipped). The hooks' stop request ends it between steps. With
// inForce the steps leave out the writes it shows already done. afterVectors,
// when given, sends what follows the run whatever its verdict (a power-down)
// before the replies still on their way are taken.
IcVerdict IcTestEntry(LinkState& link, const IcLibrary& lib, const IcEntry& entry, IcRunCounters& counters,
                      const OperationHooks& hooks, IcDriversInForce* inForce = nullptr, IcStepsAhead stepsAhead = {},
                      const std::function<void(CommandsAhead&)>& afterVectors = {});

// "Founction": the selected entry with its supply; "OK!", "Bad!!!", or
// "No librrary file" without sending anything when the library has no entries.
OperationResult IcFounction(LinkState& link, const IcLibrary& lib, std::size_t selected, const OperationHooks& hooks);

struct IcSearchResult {
    OperationResult result;
    std::vector<std::size_t> found; // entry indexes that passed, in library order
};

// "Search": every entry, switching the supply pin whenever an entry needs
// another; its steps send only the port and direction writes that change.
// "Find 1", "Find %d same device", "No find!", or "No device in socket!" when
// no undriven pin ever read low.
IcSearchResult IcSearch(LinkState& link, const IcLibrary& lib, const OperationHooks& hooks);

} // namespace quarvin
