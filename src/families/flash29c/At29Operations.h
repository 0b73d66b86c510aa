#pragma once
// The AT29C page-write flash operations: whole pages loaded through the box's
// block writes, the software data protection turned off by the box's six-byte
// command and block write (opcode 148) and on by its protected block write
// (146), each rewriting page 0 with its own contents, the erase as pages of FF
// over every block that is not blank, and the reads.
#include <string>

#include "families/framework/Operation.h"
#include "families/framework/PageWriteFamily.h"
#include "families/flash29c/At29Rows.h"

namespace quarvin {

// The wait after a page write, in delay ticks (95.486 us): at least tWC, the
// 10 ms program cycle of the AT29C256 and AT29C040A data sheets ("Program Cycle
// Characteristics"), before the next page's loads.
struct At29Timing {
    int pageWriteTicks = 105; // 10.03 ms
};
inline constexpr At29Timing kAt29Timing{};

struct At29Job {
    LinkState& link;
    const At29Row& row;
    MainBuffer& buffer;
    AddressFields fields;
    const OperationHooks& hooks;
    At29Timing timing = kAt29Timing;
};

void SetAt29Address(LinkState& link, const At29Row& row, std::uint32_t a);

OperationResult ReadAt29(const At29Job& job);
OperationResult BlankCheckAt29(const At29Job& job);
// speedIndex: "Pro time" 0..2, the wait after each page (1, 2 or 3 times tWC).
OperationResult ProgramAt29(const At29Job& job, int speedIndex);
OperationResult VerifyAt29(const At29Job& job);
OperationResult SumAt29(const At29Job& job);
OperationResult UnprotectAt29(const At29Job& job);
OperationResult ProtectAt29(const At29Job& job);
OperationResult EraseAt29(const At29Job& job);
// The maker and device codes as "%02x,%02x", read with 12 V on A9 (socket pin 30
// in both packages) and the part powered on its own supply pin.
std::string ReadAt29Codes(LinkState& link, const At29Row& row);

inline constexpr PageWriteOperations<At29Job> kAt29Operations{ReadAt29,   BlankCheckAt29, ProgramAt29,
                                                               VerifyAt29, SumAt29,        EraseAt29,
                                                               ProtectAt29, UnprotectAt29};

} // namespace quarvin
