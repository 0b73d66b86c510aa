// quarvin-cli socket: the placement picture of a device as text (golden files in
// tests/tools/golden/socket_*.txt; QUARVIN_UPDATE_GOLDEN=1 rewrites them) and as
// an SVG file; a row without placement data says so.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliSocketTest : public CliDir {};

TEST_F(CliSocketTest, PicturesMatchTheGoldenText) {
    for (const auto& [device, file] :
         {std::pair{"Intel/27C256", "socket_27c256.txt"}, std::pair{"AT89C2051", "socket_89c2051.txt"},
          std::pair{"Atmel/AT24C02", "socket_24c02.txt"}, std::pair{"Lattice/GAL22V10", "socket_gal22v10.txt"}}) {
        SCOPED_TRACE(device);
        ASSERT_EQ(run(std::string("socket --device ") + device), 0) << err;
        const fs::path golden = fs::path(QUARVIN_SOURCE_DIR) / "tests" / "tools" / "golden" / file;
        if (std::getenv("QUARVIN_UPDATE_GOLDEN")) {
            std::ofstream(golden, std::ios::binary) << out;
            continue;
        }
        ASSERT_TRUE(fs::exists(golden)) << golden;
        EXPECT_EQ(out, Slurp(golden));
    }
}

TEST_F(CliSocketTest, WritesSvgAndRefusesWhatItCannotDraw) {
    checkAll({
        {"socket --device Intel/27C256 --svg {dir}/p.svg", 0, {"28 pins, pin 1 in socket pin 7"}},
        // The logic IC tester's row is a class of parts of several packages.
        {"socket --dialog TICTestx --sub-type 1", 1, {"placement not known"}, {"lever"}},
        {"socket --device Intel/27C256 --svg {dir}/no/such/dir/p.svg", 1, {}, {}, "Can't write this file"},
        {"socket", 2, {}, {}, "socket needs either --device or --dialog"},
    });
    const std::string svg = Slurp(dir / "p.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("socket pin 7: pin 1 VPP (Vpp)"), std::string::npos);
}

// run ... check, and --check before other operations: a failed check ends the
// run with status 1 and nothing else runs; the families without a check say why.
TEST_F(CliSocketTest, SocketCheckAndCheckFirst) {
    const std::string eprom = "run --device Am27C256 --port VBOX --no-log ";
    checkAll({
        {eprom + "check", 0, {"check: Socket OK\n"}},
        {eprom + "--fault nocontact:22 check", 1, {"check: Bad contact on pin 22\n"}},
        {eprom + "--fault reversed check", 1, {"check: The chip sits reversed\n"}},
        {eprom + "--fault offset:2 check", 1, {"check: The chip sits 2 rows too high\n"}},
        {eprom + "--fault empty check", 1, {"check: No chip in the socket\n"}},
        {eprom + "--fault nocontact:22 --check read", 1, {"check: Bad contact on pin 22\n"}, {"read:"}},
        {eprom + "--check blank", 0, {"check: Socket OK\n", "blank: "}},
        {eprom + "--fault offset:7 check", 2, {}, {"check:"}, "sits at most 6 rows higher"},
        {"run --dialog TTestLedx --sub-type 1 --port VBOX --no-log check", 1, {"no socket check for this family: "}},
        {"sum --check x.hex", 1, {}, {}, "--check works with run and gang"},
    });
}

} // namespace
} // namespace quarvin::cli::test
