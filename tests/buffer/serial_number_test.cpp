// Serial numbers in the buffer: every layout at its limits, and the refusals of
// numbers and specs that do not fit.
#include <gtest/gtest.h>

#include "buffer/SerialNumber.h"

using namespace quarvin;

namespace {

SerialSpec Spec(const std::string& text) {
    const SerialSpecParse p = ParseSerialSpec(text);
    EXPECT_TRUE(p.spec) << text << ": " << p.error;
    return p.spec.value_or(SerialSpec{});
}

TEST(SerialNumber, EachLayoutWritesItsBytesUpToItsLargestAndRefusesOneMore) {
    struct Case { const char* format; std::uint64_t number; std::vector<std::uint8_t> bytes; }; // no bytes: refused
    const Case cases[] = {
        {"le16", 0x1234, {0x34, 0x12}}, {"le16", 65535, {0xFF, 0xFF}}, {"le16", 65536, {}},
        {"be16", 1000, {0x03, 0xE8}}, {"be16", 65536, {}}, {"le32", 0x12345678, {0x78, 0x56, 0x34, 0x12}},
        {"be32", 4294967295u, {0xFF, 0xFF, 0xFF, 0xFF}}, {"be32", 4294967296u, {}},
        {"bcd4", 1234, {0x12, 0x34}}, {"bcd4", 9999, {0x99, 0x99}}, {"bcd4", 10000, {}},
        {"bcd3", 987, {0x09, 0x87}}, {"bcd3", 1000, {}}, {"bcd1", 9, {0x09}}, // odd counts: a high nibble of 0
        {"ascii5", 42, {'0', '0', '0', '4', '2'}}, {"ascii5", 99999, {'9', '9', '9', '9', '9'}}, {"ascii5", 100000, {}},
        {"ascii19", 9999999999999999999u, std::vector<std::uint8_t>(19, '9')}, {"hex4", 0xBEEF, {'B', 'E', 'E', 'F'}},
        {"hex4", 0x10000, {}}, {"hex16", UINT64_MAX, std::vector<std::uint8_t>(16, 'F')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.number));
        const SerialSpec spec = Spec(std::string("100:") + c.format);
        auto buffer = std::make_unique<MainBuffer>();
        buffer->initialise();
        const std::string refusal = WriteSerialNumber(*buffer, spec, c.number);
        if (c.bytes.empty()) {
            EXPECT_NE(refusal.find("does not fit " + std::string(c.format)), std::string::npos) << refusal;
            EXPECT_EQ((*buffer)[0x100], 0xFF); // nothing written
            continue;
        }
        ASSERT_EQ(refusal, "");
        EXPECT_EQ(spec.format.byteCount(), c.bytes.size());
        for (std::uint32_t i = 0; i < c.bytes.size(); ++i) EXPECT_EQ((*buffer)[0x100 + i], c.bytes[i]) << i;
        EXPECT_EQ((*buffer)[0x100 + static_cast<std::uint32_t>(c.bytes.size())], 0xFF); // and no byte more
    }
}

TEST(SerialNumber, SpecsTakeStartAndStepAndRefuseWhatCannotWork) {
    const SerialSpec spec = Spec("7FC:be16:1000:5");
    EXPECT_EQ(spec.address, 0x7FCu);
    EXPECT_EQ(spec.start, 1000u);
    EXPECT_EQ(spec.step, 5u);
    EXPECT_EQ(Spec("0:hex4:0x1F").start, 0x1Fu);
    EXPECT_EQ(Spec("0:hex4:31").text(31), "001F");
    EXPECT_EQ(Spec("0:ascii6").text(31), "31");

    const std::pair<const char*, const char*> refused[] = {
        {"7FC", "needs ADDR:FORMAT"}, {"7FC:be16:1:2:3", "needs ADDR:FORMAT"}, {"xyz:be16", "no buffer address"},
        {"400000:be16", "no buffer address"}, {"3FFFFF:be16", "reach past the buffer's end"},
        {"0:le24", "unknown serial format 'le24'"}, {"0:bcd", "needs a digit count from 1 to 19"},
        {"0:bcd20", "needs a digit count from 1 to 19"}, {"0:ascii0", "needs a digit count from 1 to 19"},
        {"0:hex17", "needs a digit count from 1 to 16"}, {"0:be16:abc", "is no number"},
        {"0:be16:1:0", "must be a number from 1"}, {"0:be16:65536", "does not fit be16 (largest 65535)"},
        {"0:bcd2:100", "does not fit bcd2 (largest 99)"},
    };
    for (const auto& [text, why] : refused) {
        const SerialSpecParse p = ParseSerialSpec(text);
        EXPECT_FALSE(p.spec) << text;
        EXPECT_NE(p.error.find(why), std::string::npos) << text << ": " << p.error;
    }
}

} // namespace
