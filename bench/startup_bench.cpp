// Start-up time: from nothing to the main window shown, with the start question
// answered at once, in soft-run mode and against the embedded virtual box. Prints
// "name value unit" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/DeviceListSource.h"
#include "platform/Platform.h"
#include "BenchPlatform.h"
#include "shell/Program.h"
#include "shell/TMainForm.h"
#include "sim/VirtualBoxTransport.h"

using namespace quarvin;

namespace {


double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Host time of one start-up, until the main window is shown.
double StartOnce(const std::string& dir, bool connect) {
    bench::BenchPlatform bp;
    bp.prompts.answer = connect;
    Platform& platform = bp.platform;
    sim::VirtualPortOpener ports;
    auto t0 = std::chrono::steady_clock::now();
    Program program(platform, ports, dir);
    program.start();
    auto t1 = std::chrono::steady_clock::now();
    if (!program.mainForm().visible()) std::fprintf(stderr, "main window not shown\n");
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

} // namespace

int main() {
    const std::string dir = std::string(QUARVIN_BINARY_DIR) + "/bench-startup/";
    std::filesystem::create_directories(dir);
    std::ifstream src(std::string(QUARVIN_SOURCE_DIR) + "/data/devices.src");
    GeneratedLists lists = GenerateDeviceLists(src);
    for (auto& [name, text] : lists.files) std::ofstream(dir + name, std::ios::binary) << text;
    std::filesystem::remove(dir + "quarvinV5EN.CFG");

    constexpr int kRuns = 9;
    std::vector<double> soft, vbox;
    for (int i = 0; i < kRuns; ++i) soft.push_back(StartOnce(dir, false));
    std::ofstream(dir + "zomexnt.con", std::ios::binary) << "VBOX";
    for (int i = 0; i < kRuns; ++i) vbox.push_back(StartOnce(dir, true));
    std::filesystem::remove(dir + "zomexnt.con");

    std::printf("startup_soft_run_median %.2f ms\n", MedianMs(soft));
    std::printf("startup_soft_run_max %.2f ms\n", *std::max_element(soft.begin(), soft.end()));
    std::printf("startup_virtual_box_median %.2f ms\n", MedianMs(vbox));
    std::printf("startup_goal 1000 ms\n");
    return 0;
}
