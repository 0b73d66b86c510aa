// S-record reader and writer: damaged files, and the widths and count records
// the writer picks.
#include <cstring>

#include "buffer/formats/SRecord.h"
#include "testutil.h"

namespace quarvin {
namespace {

using formats::readSrec;
using formats::SrecListing;
using formats::srecText;
using test::bufferBytes;

// One record with its checksum, for building damaged files line by line.
std::string record(char type, const std::string& hexBody) {
    unsigned sum = 0;
    for (std::size_t k = 0; k + 1 < hexBody.size(); k += 2) sum += std::stoul(hexBody.substr(k, 2), nullptr, 16);
    char tail[4];
    std::snprintf(tail, sizeof tail, "%02X", ~sum & 0xFF);
    return std::string("S") + type + hexBody + tail + "\n";
}

// The files another tool wrote (narrow, wide and long addresses) save back byte
// exact through quarvin-cli convert and the Load and Save commands.
TEST(SrecFiles, DamagedRecordsAreNamedByLineAndNotStored) {
    // The first line ends in a carriage return too.
    const std::string good = "S0030000FC\r\n" + record('1', "05001011AA") + record('1', "04002022");
    const std::string end = record('9', "030000");
    const std::string line4 = "1 bad record in this file, not stored; the first is on line 4: ";
    struct Case { const char* name; std::string text; std::string problem; };
    const Case cases[] = {
        {"bad checksum", good + "S1050030334400\nS5030002FA\nS9030000FC\n", line4 + "bad checksum."},
        {"wrong count", good + record('5', "030004") + end,
         line4 + "the count record says 4 data records, 2 were read."},
        {"record cut short", good + "S1070030334455\n" + end,
         line4 + "the record is cut short (count 7, 5 bytes follow)."},
        {"file cut after a line", good,
         "The file ends on line 3 without its termination record (S7, S8 or S9): it may be cut short."},
        {"file cut inside a line", good + "S10500303",
         line4 + "an odd number of hex digits.\nThe file ends on line 4 without its termination record (S7, S8 or S9): "
                 "it may be cut short."},
        {"not hex", good + "S1050030G34400\n" + end, line4 + "a character that is not a hex digit."},
        {"reserved type", good + record('4', "050030334400") + end, line4 + "unknown record type S4."},
        {"text line", good + "; a comment\n" + end, line4 + "not an S-record."},
        {"beyond the buffer", good + record('2', "0840000001020304") + end,
         "4 bytes addressed beyond the 4 MiB buffer were not stored."},
        {"no records", "\n\n", "No S-records in this file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = test::startBuffer();
        const auto r = readSrec(*b, c.text);
        EXPECT_EQ(r.problemText(), c.problem);
        if (c.text.size() > good.size()) {
            EXPECT_EQ(bufferBytes(*b, 0x10, 2), "\x11\xAA");
            EXPECT_EQ(bufferBytes(*b, 0x30, 2), "\xFF\xFF"); // the damaged record's data is not stored
        }
    }
}

TEST(SrecWriter, WidthAndCountRecordFollowTheRange) {
    struct Case { std::int64_t end; int minimum; std::uint32_t start; const char* first; const char* last; };
    // The first data record's type and the count and termination records.
    for (const Case c : {Case{0xFF, 2, 0, "S123", "S5030008F4\nS9030000FC\n"},
                         Case{0xFFFF, 2, 0, "S123", "S5030800F4\nS9030000FC\n"},
                         Case{0x10000, 2, 0, "S224", "S5030801F3\nS804000000FB\n"},
                         Case{0xFF, 4, 0, "S325", "S5030008F4\nS70500000000FA\n"},
                         Case{0xFF, 2, 0x123456, "S224", "S5030008F4\nS8041234565F\n"},
                         Case{kBufferLast, 2, 0, "S224", "S604020000F9\nS804000000FB\n"},
                         Case{-1, 2, 0, "S503", "S5030000FC\nS9030000FC\n"}}) {
        SCOPED_TRACE(c.end);
        auto b = std::make_unique<MainBuffer>();
        const std::string p = test::pattern(static_cast<std::size_t>(c.end + 1), 3);
        std::copy(p.begin(), p.end(), b->data());
        const std::string text = srecText(*b, c.end, {"", c.start, c.minimum});
        EXPECT_EQ(text.rfind("S00A00005155415256494ECF\n", 0), 0u); // "QUARVIN"
        EXPECT_EQ(text.substr(25, 4), c.first);
        EXPECT_EQ(text.substr(text.size() - std::strlen(c.last)), c.last);
        auto back = std::make_unique<MainBuffer>();
        const auto r = readSrec(*back, text);
        EXPECT_EQ(r.problemText(), "");
        EXPECT_EQ(r.highestAddress, c.end);
        EXPECT_EQ(bufferBytes(*back, 0, static_cast<std::uint32_t>(c.end + 1)), p);
    }
}

} // namespace
} // namespace quarvin
