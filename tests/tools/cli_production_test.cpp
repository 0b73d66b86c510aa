// Production runs end to end: a gang of virtual boxes with serial numbers, the run
// log it leaves, --json read back by a JSON parser, and --repeat with chips put
// in by a script.
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

using nlohmann::json;

std::vector<json> JsonLines(const std::string& text, bool onlyObjects = false) {
    std::vector<json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (onlyObjects && line.rfind('{', 0) != 0) continue;
        const json j = json::parse(line, nullptr, false);
        EXPECT_FALSE(j.is_discarded()) << "not JSON: " << line;
        lines.push_back(j);
    }
    return lines;
}

class CliProduction : public CliDir {
protected:
    // The 16-bit number the chip in an image holds at `address`, big-endian.
    unsigned readBack(const std::string& device, const std::string& image, std::uint32_t address) {
        EXPECT_EQ(run("run --device " + device + " --port VBOX --chip-image " + image + " --no-log read --out back.bin"), 0)
            << err;
        const std::string back = Slurp(dir / "back.bin");
        if (back.size() <= address + 1) return 0xFFFFFFFF;
        return static_cast<unsigned>(static_cast<std::uint8_t>(back[address])) << 8 |
               static_cast<std::uint8_t>(back[address + 1]);
    }
};

TEST_F(CliProduction, GangProgramsTwoVirtualChipsWithTheirOwnSerialNumbersAndLogsEveryOperation) {
    writeHex("fw.hex", 0x7FF);
    ASSERT_EQ(run("gang --port VBOX --port VBOX --device AT89C2051 --in fw.hex --serial 7FC:be16:1000 "
                  "--chip-image chip.img --allow-stress program verify"),
              0)
        << out << err;
    for (const char* part : {"VBOX#1: program: OK\n", "VBOX#2: verify: Verify OK\n",
                             "1    VBOX  1000    ok      verify: Verify OK",
                             "2    VBOX  1001    ok      verify: Verify OK"})
        EXPECT_NE(out.find(part), std::string::npos) << part << "\nin:\n" << out;
    EXPECT_EQ(Slurp(dir / "serial.cnt"), "1002\n");
    EXPECT_EQ(readBack("AT89C2051", "chip-1.img", 0x7FC), 1000u);
    EXPECT_EQ(readBack("AT89C2051", "chip-2.img", 0x7FC), 1001u);

    const auto log = JsonLines(Slurp(dir / "quarvin.log"));
    ASSERT_EQ(log.size(), 4u);
    std::multiset<std::string> seen;
    for (const json& line : log) {
        EXPECT_EQ(line["result"], "ok");
        EXPECT_EQ(line["device"], "AT89C2051");
        seen.insert(line["op"].get<std::string>() + " " + line["serial"].get<std::string>());
    }
    EXPECT_EQ(seen, (std::multiset<std::string>{"program 1000", "program 1001", "verify 1000", "verify 1001"}));
}

TEST_F(CliProduction, GangOfThreeWithAStuckChipGivesItsNumberBackAndASilentBoxIsALostLink) {
    writeHex("fw.hex", 0xFFF);
    const std::string gang = "gang --port VBOX --port VBOX --port {pty} --device Intel/27C256 --in fw.hex --length fff "
                             "--serial 100:le16:1 --allow-stress ";
    struct Case { std::vector<std::string> simArgs; int status; const char *thirdRow, *counter; } cases[] = {
        // Box 3 fails: its number 3 goes back and is the next chip's.
        {{"--fault", "stuck:20:ff:00"}, 1, "3    {pty}  3       failed  program: Programe Failured! at 000020", "3\n"},
        // The next gang: 3 and 4 on the virtual boxes, 5 goes back with the lost link.
        {{"--silent-after", "3000"}, 3, "3    {pty}  5       link lost  program: Communication error!", "5\n"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.simArgs[0]);
        c.simArgs.insert(c.simArgs.begin(), {"--chip", "27c256 12.7v"});
        // The port column is as wide as the longest port name.
        checkAgainstSim(c.simArgs, {gang + "program verify", c.status, {c.thirdRow}});
        // Boxes 1 and 2: their rows end "ok  verify: Verify OK ...".
        int virtualBoxesOk = 0;
        std::istringstream rows(out);
        for (std::string row; std::getline(rows, row);)
            if ((row.rfind("1 ", 0) == 0 || row.rfind("2 ", 0) == 0) && row.find(" VBOX ") != std::string::npos &&
                row.find(" ok ") != std::string::npos && row.find("verify: Verify OK") != std::string::npos)
                ++virtualBoxesOk;
        EXPECT_EQ(virtualBoxesOk, 2) << out;
        EXPECT_EQ(Slurp(dir / "serial.cnt"), c.counter);
    }
}

TEST_F(CliProduction, JsonOutputIsOneObjectPerOperationAndTheExitStatus) {
    writeHex("fw.hex", 0x7FFF);
    ASSERT_EQ(run("run --device Intel/27C256 --port VBOX --in fw.hex --json --no-log --serial 10:ascii4:7 "
                  "--fault stuck:21:01:01 blank program verify"),
              1)
        << err;
    const auto objects = JsonLines(out);
    ASSERT_EQ(objects.size(), 3u) << out;
    EXPECT_EQ(objects[0]["op"], "blank");
    EXPECT_EQ(objects[0]["result"], "ok");
    EXPECT_EQ(objects[1]["op"], "program");
    EXPECT_EQ(objects[1]["result"], "failed");
    EXPECT_EQ(objects[1]["serial"], "7");
    EXPECT_EQ(objects[1]["failure_address"], 0x21);
    EXPECT_EQ(objects[1]["buffer_last"], 0x7FFF);
    EXPECT_EQ(objects[2], json({{"exit", 1}}));
    // Progress on stderr, as JSON too: never past the total.
    const auto progress = JsonLines(err, true);
    ASSERT_FALSE(progress.empty()) << err;
    for (const json& p : progress) {
        EXPECT_TRUE(p["op"] == "blank" || p["op"] == "program") << p;
        EXPECT_LE(p["done"].get<long>(), p["total"].get<long>());
    }
    EXPECT_FALSE(fs::exists(dir / "quarvin.log"));
    // A failed chip kept its number: the counter still says 7.
    EXPECT_EQ(Slurp(dir / "serial.cnt"), "7\n");
}

TEST_F(CliProduction, RepeatRunsChipAfterChipWithATallyAndTheNextSerialNumber) {
    writeHex("fw.hex", 0x7FFF);
    // Three chips: the first as it is, the second with a stuck bit, then the end
    // of the input after the third.
    std::ofstream(dir / "chips.txt") << "stuck:20:ff:00\n\n";
    EXPECT_EQ(run("run --device Intel/27C256 --port VBOX --in fw.hex --serial 0:be16:500 --log run.log --repeat "
                  "program verify <chips.txt"),
              1)
        << err;
    for (const char* part : {"tally: 1 chips, 1 done, 0 failed\n", "program: Programe Failured! at 000020\n",
                             "tally: 2 chips, 1 done, 1 failed\n", "tally: 3 chips, 2 done, 1 failed\n"})
        EXPECT_NE(out.find(part), std::string::npos) << part << "\nin:\n" << out;
    EXPECT_NE(err.find("put the next one in and press Enter"), std::string::npos) << err;
    // The failed chip's number went to the third chip.
    EXPECT_EQ(Slurp(dir / "serial.cnt"), "502\n");
    std::vector<std::string> serials;
    for (const json& line : JsonLines(Slurp(dir / "run.log")))
        serials.push_back(line["op"].get<std::string>() + " " + line["serial"].get<std::string>() + " " +
                          line["result"].get<std::string>());
    EXPECT_EQ(serials, (std::vector<std::string>{"program 500 ok", "verify 500 ok", "program 501 failed",
                                                 "program 501 ok", "verify 501 ok"}));
    EXPECT_FALSE(fs::exists(dir / "quarvin.log"));
}

} // namespace
} // namespace quarvin::cli::test
