// quarvin-cli run end to end against quarvin-sim on a pseudo-terminal: the real
// serial code, a chip image kept by quarvin-sim, and a box that goes silent.
#include "CliRun.h"
#include "sim/SimProcess.h"

namespace quarvin::cli::test {
namespace {

// One quarvin-sim per row, started with simArgs; "{pty}" in the row's command
// line is its terminal.
struct SimStep {
    std::string simArgs;
    Step step;
};

class CliRunSim : public CliDir {
protected:
    void runAgainstSim(const SimStep& row) {
        std::vector<std::string> args;
        std::istringstream words(row.simArgs);
        for (std::string w; words >> w;) args.push_back(w == "{chip}" ? "27c256 12.7v" : w == "{image}" ? path("s.img") : w);
        sim::SimProcess sim(kSimExe, args);
        ASSERT_FALSE(sim.path().empty()) << "quarvin-sim printed no terminal path";
        std::string line = row.step.args;
        line.replace(line.find("{pty}"), 5, sim.path());
        check(row.step, line);
        // It ends when the program closes the terminal, with the image written.
        EXPECT_EQ(sim.waitExit(5000), 0) << row.simArgs;
    }
};

TEST_F(CliRunSim, ChipSurvivesInTheImageAndASilentBoxKeepsTheReadData) {
    constexpr std::uint32_t kLast = 0xFFF; // 4 KiB keeps the line time short
    writeHex("in.hex", kLast);
    const std::string run = "run --device Intel/27C256 --port {pty} --length fff ";
    const SimStep rows[] = {
        {"--chip {chip} --chip-image {image}", {run + "--in in.hex blank program", 0, {"blank: Blank OK\n", "program: OK!\n"}}},
        {"--chip {chip} --chip-image {image}",
         {run + "--in in.hex verify read --out back.bin", 0, {"verify: Verify OK\n", "read: OK!\n"}}},
        {"--chip {chip} --chip-image {image} --fault stuck:20:ff:00",
         {run + "--in in.hex verify", 1, {"verify: 000020:Bad! (file=e3,Device=00)\n"}}},
        // The box stops answering in the middle of the read: exit 3, --out still written.
        {"--chip {chip} --chip-image {image} --silent-after 5000",
         {"run --device Intel/27C256 --port {pty} read sum --out lost.bin", 3, {"read: Communication error!\n"}, {"sum:"},
          "Bad COM"}},
    };
    for (const SimStep& row : rows) runAgainstSim(row);

    const std::string back = Slurp(dir / "back.bin");
    ASSERT_EQ(back.size(), kLast + 1);
    for (std::uint32_t a = 0; a <= kLast; ++a) ASSERT_EQ(static_cast<std::uint8_t>(back[a]), Pattern(a)) << std::hex << a;
    // The read got part of the way: its first bytes are the chip's, not the buffer's 0xFF.
    const std::string lost = Slurp(dir / "lost.bin");
    ASSERT_EQ(lost.size(), 0x8000u);
    EXPECT_EQ(static_cast<std::uint8_t>(lost[0]), Pattern(0));
}

} // namespace
} // namespace quarvin::cli::test
