#include <gtest/gtest.h>

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
        {"high bytes are passed over like blanks", "*L0000 1* \xE9 L0001 1*C*", "11000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        readJedec(*b, k16V8, c.text);
        // The whole map is cleared to "0" first; beyond it the buffer is untouched.
        EXPECT_EQ(bufferBytes(*b, 0, 2241), c.first8 + std::string(2240 - 8, '0') + "\xFF");
    }
}

TEST(JedecReader, NothingIsWrittenOutsideTheBuffer) {
    auto b = startBuffer();
    const auto r = readJedec(*b, k16V8, "*L4194302 1111*L9999999999 1*C*");
    EXPECT_EQ(bufferBytes(*b, 0x3FFFFE, 2), "11");
    EXPECT_EQ(r.fusesStored, 2);
    EXPECT_EQ(r.fusesOutside, 3);
    EXPECT_EQ(r.highestFuse, 0x3FFFFF);
    EXPECT_NE(r.problemText().find("3 fuses"), std::string::npos);

    // A map larger than the buffer is cleared up to its end; a negative one not at all.
    b = startBuffer();
    readJedec(*b, FuseGeometry{44, 200000}, "*L0000 1*C*");
    EXPECT_EQ((*b)[0x3FFFFF], '0');
    readJedec(*b, FuseGeometry{-3, 64}, "*L0001 1*C*");
    EXPECT_EQ(bufferBytes(*b, 0, 2), "11");
}

TEST(JedecWriter, EveryRowAndTheDeviceNamedByItsWidth) {
    struct Case {
        FuseGeometry g;
        const char* device;
        int rows;
    };
    for (const Case c : {Case{k16V8, "GAL16V8\n", 70}, Case{FuseGeometry{40, 64}, "GAL20V8\n", 70},
                         Case{FuseGeometry{44, 132}, "GAL22V10\n", 138}, Case{FuseGeometry{36, 10}, "", 16}}) {
        SCOPED_TRACE(c.device);
        auto b = startBuffer();
        (*b)[1] = '0';
        (*b)[static_cast<std::uint32_t>(c.g.fusesPerRow)] = 0x30; // first fuse of row 1
        std::string expect = std::string(c.device) + "Morvek*\nL0000 \n";
        for (int r = 0; r < c.rows; ++r) {
            std::string row(static_cast<std::size_t>(c.g.fusesPerRow), '1'); // 0xFF bytes show as "1"
            if (r < 2) row[static_cast<std::size_t>(1 - r)] = '0';
            expect += row + (r + 1 == c.rows ? "*\n" : "\n");
        }
        EXPECT_EQ(formats::jedecText(*b, c.g), expect + "C0BE6*");
    }
}

TEST(FileNames, ExtensionsComeFromTheBaseName) {
    struct Case {
        const char *path, *key, *jedec;
    };
    for (const Case c : {Case{"data.hex", ".HEX", "data.JED"}, Case{"/a/b.c/logic", "", "/a/b.c/logic.JED"},
                         Case{"logic.jed", ".JED", "logic.jed"}, Case{"x.binary", ".BIN", "x.JED"},
                         Case{"dir.v2/fuse.Jed", ".JED", "dir.v2/fuse.Jed"}, Case{".hidden", ".HID", ".JED"}}) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(formats::formatKeyOf(c.path), c.key);
        EXPECT_EQ(formats::jedecSaveName(c.path), c.jedec);
    }
}

} // namespace
} // namespace quarvin
