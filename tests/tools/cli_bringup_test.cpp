// The bring-up tools and the serial code end to end: quarvin-cli loopback over
// quarvin-sim's looped terminal (with and without lost bytes), runs against
// quarvin-sim keeping its chip image, a run traced to a file and read back by
// trace-check, and the report written for the virtual box and for a missing port.
#include "CliRun.h"
#include "link/trace/TraceSummary.h"

namespace quarvin::cli::test {
namespace {

class CliBringUp : public CliDir {};

TEST_F(CliBringUp, LoopbackPassesAGoodLineAndCountsWhatALossyOneDrops) {
    checkAgainstSim({"--loopback"},
               {"loopback --port {pty}",
                0,
                {"all 256 byte values: sent 256, came back 256, lost 0, changed 0, extra 0\n",
                 "bursts of 1..4096 bytes with pauses: sent 8191, came back 8191, lost 0, changed 0, extra 0\n",
                 "bursts of 1..4096 bytes back to back: sent 8191, came back 8191, lost 0, changed 0, extra 0\n",
                 "(32 samples)", "verdict: the adapter passes every byte"}});
    // Every 100th byte of the whole run is lost: bytes 100 and 200 of the first
    // phase (loopback_test counts the burst phases' drops).
    checkAgainstSim({"--loopback", "--drop", "100"},
               {"loopback --port {pty}",
                1,
                {"all 256 byte values: sent 256, came back 254, lost 2, changed 0, extra 0\n",
                 "verdict: the adapter loses, changes or adds bytes"}});
}

// Ctrl+C once the test has begun (its port line is out): it ends with
// "stopped", not a verdict on the adapter, and a failing exit status.
TEST_F(CliBringUp, CtrlCStopsTheLoopback) {
    sim::SimProcess sim(kSimExe, {"--loopback"});
    ASSERT_FALSE(sim.path().empty()) << "quarvin-sim printed no terminal path";
    const std::string script = "cd '" + dir.string() + "' && { '" + kCliExe + "' loopback --port '" + sim.path() +
                               "' >stdout 2>stderr & pid=$!; until [ -s stdout ]; do sleep 0.05; done; "
                               "kill -INT $pid; wait $pid; echo $? >status; }";
    ASSERT_EQ(std::system(script.c_str()), 0);
    const std::string output = Slurp(dir / "stdout");
    EXPECT_EQ(Slurp(dir / "status"), "1\n") << output;
    EXPECT_NE(output.find("verdict: stopped"), std::string::npos) << output;
    EXPECT_EQ(output.find("passes"), std::string::npos) << output;
    EXPECT_EQ(sim.waitExit(5000), 0);
}

TEST_F(CliBringUp, ReportIsWrittenForABoxAndForNone) {
    checkAll({
        {"report --port VBOX --out vbox.txt", 0, {"report written to vbox.txt\n"}},
        {"report --port {dir}/no-such-port --out none.txt", 3, {"report written to none.txt\n"}, {}, "no box answered"},
        {"report --port VBOX --trace {dir}/no/such/dir/r.trace", 2, {}, {}, "cannot write the trace file"},
    });
    const std::string vbox = Slurp(dir / "vbox.txt");
    EXPECT_NE(vbox.find("identification: quarvinc from VBOX\n"), std::string::npos) << vbox;
    const std::string none = Slurp(dir / "none.txt");
    EXPECT_NE(none.find("no box answered on"), std::string::npos) << none;
}

// A chip kept in quarvin-sim's image across runs over the real serial code, and a
// box that goes silent in the middle of a traced read.
TEST_F(CliBringUp, ChipSurvivesInTheSimsImageAndASilentBoxKeepsTheReadDataAndTheTrace) {
    constexpr std::uint32_t kLast = 0xFFF; // 4 KiB keeps the line time short
    writeHex("in.hex", kLast);
    std::vector<std::string> sim = {"--chip", "27c256 12.7v", "--chip-image", path("s.img")};
    const std::string run = "run --device Intel/27C256 --port {pty} --length fff ";
    checkAgainstSim(sim, {run + "--in in.hex blank program", 0, {"blank: Blank OK\n", "program: OK!\n"}});
    checkAgainstSim(sim, {run + "--in in.hex verify read --out back.bin", 0, {"verify: Verify OK\n", "read: OK!\n"}});
    // The box stops answering in the middle of the read: exit 3, --out still
    // written, and the trace read back.
    sim.insert(sim.end(), {"--silent-after", "5000"});
    checkAgainstSim(sim, {"run --device Intel/27C256 --port {pty} read sum --out lost.bin --trace run.trace", 3,
                          {"read: Communication error!\n"}, {"sum:"}, "Bad COM"});
    checkAll({
        {"trace-check run.trace", 0,
         {"time-outs: 1\n", "ports opened: 1, failed: 0, closed: 1\n", "links lost: 1\n",
          "operations: connect start read power down\n"}},
        {"trace-check missing.trace", 1, {}, {}, "cannot read"},
        {"trace-check device.lst", 2, {"warning: no trace header", "unreadable lines:"}},
    });
    // The bytes the silent box took before it stopped are all in the trace.
    std::ifstream in(path("run.trace"));
    EXPECT_GE(ReadTrace(in).sent.size(), 5000u);

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
