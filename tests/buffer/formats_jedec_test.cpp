#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "buffer/formats/FileNames.h"
#include "buffer/formats/Jedec.h"
#include "formats_testutil.h"

namespace quarvin {
namespace {

using formats::FuseGeometry;
using formats::readJedec;
using test::bufferBytes;
using test::startBuffer;

const FuseGeometry k16V8{32, 64};
const FuseGeometry k20V8{40, 64};
const FuseGeometry k22V10{44, 132};

TEST(JedecReader, FuseFields) {
    struct Case {
        const char* name;
        std::string text;
        std::string first8; // fuses 0..7 after the load
    };
    const std::vector<Case> cases = {
        {"data part after a header", "GAL16V8\nQF2194*\n*L0000 0101*C0000*", "01010000"},
        {"fields in any order", "*L0004 11*L0000 1*C*", "10001100"},
        {"L not after a star is text", "N note L0002 1111*C*", "00000000"},
        {"blanks and line breaks between star and L", "*\n \r\nL0001 1*C*", "01000000"},
        {"fuse data stays on in later fields", "*L0000 1*N 1 0 1*C*", "11010000"},
        {"C after star ends the data", "*L0000 1*C 1111", "10000000"},
        {"no digits give fuse 0", "*L 11*C*", "11000000"},
        {"high bytes are passed over like blanks", "*L0000 1* \xE9 L0001 1*C*", "11000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        readJedec(*b, k16V8, c.text);
        EXPECT_EQ(bufferBytes(*b, 0, 8), c.first8);
        // The whole map is cleared to "0" first; beyond it the buffer is untouched.
        EXPECT_EQ(bufferBytes(*b, 8, 2240 - 8), std::string(2240 - 8, '0'));
        EXPECT_EQ((*b)[2240], 0xFF);
    }
}

TEST(JedecReader, FuseNumbersBeyondTheBufferAreNotStored) {
    auto b = startBuffer();
    const auto r = readJedec(*b, k16V8, "*L4194302 1111*L9999999999 1*C*");
    EXPECT_EQ((*b)[0x3FFFFE], '1');
    EXPECT_EQ((*b)[0x3FFFFF], '1');
    EXPECT_EQ(r.fusesStored, 2);
    EXPECT_EQ(r.fusesOutside, 3);
    EXPECT_EQ(r.highestFuse, 0x3FFFFF);
    EXPECT_NE(r.problemText().find("3 fuses"), std::string::npos);
}

TEST(JedecReader, GeometryOutsideTheBufferClearsOnlyTheBuffer) {
    auto b = startBuffer();
    readJedec(*b, FuseGeometry{44, 200000}, "*L0000 1*C*");
    EXPECT_EQ((*b)[0], '1');
    EXPECT_EQ((*b)[0x3FFFFF], '0');
    readJedec(*b, FuseGeometry{-3, 64}, "*L0001 1*C*");
    EXPECT_EQ((*b)[0], '1'); // nothing was cleared
    EXPECT_EQ((*b)[1], '1');
}

TEST(JedecWriter, SixteenV8MapAsTheProgramAlwaysWroteIt) {
    auto b = startBuffer();
    std::fill(b->data(), b->data() + 2240, '0');
    (*b)[1] = '1';
    (*b)[2239] = 0x31;
    const std::string text = formats::jedecText(*b, k16V8);
    std::string expect = "GAL16V8\nMorvek*\nL0000 \n";
    for (int r = 0; r < 70; ++r) {
        std::string row(32, '0');
        if (r == 0) row[1] = '1';
        if (r == 69) row[31] = '1';
        expect += row + (r == 69 ? "*\n" : "\n");
    }
    expect += "C0BE6*";
    EXPECT_EQ(text, expect);
}

TEST(JedecWriter, EveryRowIsWrittenAndTheDeviceIsNamedByItsWidth) {
    struct Case {
        FuseGeometry g;
        const char* device;
        int rows;
    };
    for (const Case c : {Case{k16V8, "GAL16V8\n", 70}, Case{k20V8, "GAL20V8\n", 70},
                         Case{k22V10, "GAL22V10\n", 138}, Case{FuseGeometry{36, 10}, "", 16}}) {
        SCOPED_TRACE(c.device);
        auto b = startBuffer();
        const std::string text = formats::jedecText(*b, c.g);
        EXPECT_EQ(text.rfind(std::string(c.device) + "Morvek*\nL0000 \n", 0), 0u);
        const std::string rows = text.substr(text.find("L0000 \n"));
        const std::size_t fuses = std::count(rows.begin(), rows.end(), '1'); // 0xFF bytes show as "1"
        EXPECT_EQ(fuses, static_cast<std::size_t>(c.rows) * static_cast<std::size_t>(c.g.fusesPerRow));
        const std::string tail = "*\nC0BE6*";
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    }
}

TEST(JedecFormat, SaveThenLoadGivesTheSameFuses) {
    for (const FuseGeometry g : {k16V8, k20V8, k22V10, FuseGeometry{1, -5}, FuseGeometry{1, -6}}) {
        SCOPED_TRACE(g.fusesPerRow);
        auto src = startBuffer();
        const std::string p = test::pattern(static_cast<std::size_t>(g.fuseCount()), g.fusesPerRow);
        for (std::size_t i = 0; i < p.size(); ++i) (*src)[static_cast<std::uint32_t>(i)] = '0' + (p[i] & 1);
        test::ScratchDir dir;
        const std::string path = dir.file("logic.jed");
        ASSERT_TRUE(formats::saveJedecFile(*src, g, path));
        auto dst = startBuffer();
        const auto r = formats::readJedecFile(*dst, g, path);
        EXPECT_TRUE(r.checksumFieldSeen);
        EXPECT_EQ(r.fusesStored, g.fuseCount());
        const auto n = static_cast<std::uint32_t>(g.fuseCount());
        EXPECT_EQ(bufferBytes(*dst, 0, n), bufferBytes(*src, 0, n));
    }
}

TEST(JedecFormat, UnreadableFileLeavesTheMapAlone) {
    auto b = startBuffer();
    EXPECT_FALSE(formats::readJedecFile(*b, k16V8, "/nonexistent/x.jed").opened);
    EXPECT_EQ((*b)[0], 0xFF);
    EXPECT_FALSE(formats::saveJedecFile(*b, k16V8, "/nonexistent/x.jed"));
}

TEST(FileNames, ExtensionsComeFromTheBaseName) {
    struct Case {
        const char* path;
        const char* key;
        const char* jedec;
    };
    for (const Case c : {Case{"data.hex", ".HEX", "data.JED"}, Case{"/a/b.c/logic", "", "/a/b.c/logic.JED"},
                         Case{"logic.jed", ".JED", "logic.jed"}, Case{"logic.txt", ".TXT", "logic.JED"},
                         Case{"x.binary", ".BIN", "x.JED"}, Case{"dir.v2/fuse.Jed", ".JED", "dir.v2/fuse.Jed"},
                         Case{".hidden", ".HID", ".JED"}}) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(formats::formatKeyOf(c.path), c.key);
        EXPECT_EQ(formats::jedecSaveName(c.path), c.jedec);
    }
}

} // namespace
} // namespace quarvin
