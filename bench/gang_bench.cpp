// quarvin-cli gang programming a 27C256 on 1, 2, 4 and 8 boxes at once: the wall
// time against one box, and the CPU each box costs the host program (and, for
// quarvin-sim boxes, the simulator processes).
// The quarvin-sim boxes run with --real-time: each answers at the pace of its
// 115200 baud line and sleeps meanwhile, as a real box leaves the host idle, so
// their figures are line-bound. The in-process virtual boxes (VBOX) keep the line
// on a model clock and run as fast as the host computes them: their wall time is
// the time to simulate the boxes on this machine's cores, not line time.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchMeasure.h"
#include "sim/SimProcess.h"

namespace {

namespace fs = std::filesystem;
using quarvin::bench::Print;

const std::string kCli = QUARVIN_BINARY_DIR "/tools/quarvin-cli";
const std::string kSim = QUARVIN_BINARY_DIR "/sim/quarvin-sim";

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }
double CpuOf(const rusage& u) { return Seconds(u.ru_utime) + Seconds(u.ru_stime); }

struct Round {
    double wall = 0, cliCpu = 0, childCpu = 0;
    int status = -1;
};

// Runs quarvin-cli with the arguments in `dir`; its wall time, its own CPU time and
// the CPU time of every child reaped meanwhile (the simulators included).
Round RunCli(const fs::path& dir, const std::vector<std::string>& args) {
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout); // else the child would write the buffered lines again
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(kCli.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::execv(kCli.c_str(), argv.data());
        ::_exit(127);
    }
    Round r;
    rusage cli{};
    int status = 0;
    ::wait4(pid, &status, 0, &cli);
    r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.cliCpu = CpuOf(cli);
    getrusage(RUSAGE_CHILDREN, &after);
    r.childCpu = CpuOf(after) - CpuOf(before);
    return r;
}

} // namespace

int main() {
    if (!fs::exists(kCli) || !fs::exists(kSim)) {
        std::fprintf(stderr, "quarvin-cli or quarvin-sim not built\n");
        return 1;
    }
    const fs::path dir = fs::temp_directory_path() / ("quarvin_gang_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(fs::path(QUARVIN_SOURCE_DIR) / "data" / "device.lst", dir / "device.lst");
    {
        std::ofstream image(dir / "fw.bin", std::ios::binary);
        for (int a = 0; a < 0x8000; ++a) image.put(static_cast<char>(a * 7 + 3));
    }
    const std::vector<std::string> common = {"--device", "Intel/27C256", "--in", "fw.bin", "--no-log", "--allow-stress"};
    for (const char* kind : {"sim", "vbox"}) {
        double oneBox = 0;
        for (const int boxes : {1, 2, 4, 8}) {
            std::vector<std::unique_ptr<quarvin::sim::SimProcess>> sims;
            std::vector<std::string> args = {"gang"};
            for (int b = 0; b < boxes; ++b) {
                args.push_back("--port");
                if (std::string(kind) == "vbox") {
                    args.push_back("VBOX");
                    continue;
                }
                sims.push_back(std::make_unique<quarvin::sim::SimProcess>(
                    kSim, std::vector<std::string>{"--chip", "27c256 12.7v", "--real-time"}));
                args.push_back(sims.back()->path());
            }
            args.insert(args.end(), common.begin(), common.end());
            args.push_back("program");
            Round r = RunCli(dir, args);
            // The simulators end when the program has closed their terminals.
            rusage before{}, after{};
            getrusage(RUSAGE_CHILDREN, &before);
            for (auto& s : sims) s->waitExit(5000);
            getrusage(RUSAGE_CHILDREN, &after);
            const double simCpu = r.childCpu - r.cliCpu + CpuOf(after) - CpuOf(before);
            if (r.status != 0) std::fprintf(stderr, "gang of %d %s boxes ended with %d\n", boxes, kind, r.status);
            if (boxes == 1) oneBox = r.wall;
            const std::string base = std::string("gang_") + kind + "_" + std::to_string(boxes) + "_boxes_27c256_program";
            Print(base + "_wall", r.wall, "s");
            Print(base + "_wall_over_one_box", r.wall / oneBox, "ratio");
            Print(base + "_host_cpu_per_box", r.cliCpu / boxes, "s");
            if (sims.empty()) continue; // a virtual box's work is in quarvin-cli's CPU
            Print(base + "_host_cpu_share_per_box", 100.0 * r.cliCpu / boxes / r.wall, "%");
            Print(base + "_sim_cpu_per_box", simCpu / boxes, "s");
        }
    }
    fs::remove_all(dir);
    return 0;
}
