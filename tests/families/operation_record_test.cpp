// The run log's entry of an operation: only the operations that move the
// buffer's bytes carry a range and its CRC-32.
#include <gtest/gtest.h>

#include <memory>

#include "families/framework/OperationRecord.h"

namespace quarvin::test {
namespace {

TEST(OperationRecord, OnlyOperationsThatMoveBufferBytesCarryARange) {
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    const LinkState link;
    const SelectionState selection;
    const OperationResult ok = OperationResult::done("OK");
    const struct {
        const char* operation;
        bool moves;
    } cases[] = {{"read", true},    {"program", true}, {"verify", true}, {"auto", true},
                 {"blank", false},  {"erase", false},  {"sum", false},   {"id", false}};
    for (const auto& c : cases) {
        const OperationEntry e = DescribeOperation({c.operation, ok, link, selection, *buffer, AddressFields{0x10, 0, 0xFF}, ""});
        using Address = std::optional<std::uint32_t>;
        EXPECT_EQ(e.rangeFirst, c.moves ? Address(0x10) : std::nullopt) << c.operation;
        EXPECT_EQ(e.rangeLast, c.moves ? Address(0x10F) : std::nullopt) << c.operation;
        EXPECT_EQ(!e.crc32.empty(), c.moves) << c.operation;
    }
}

} // namespace
} // namespace quarvin::test
