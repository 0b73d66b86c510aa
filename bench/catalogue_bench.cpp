// Listing a device list of 5,000 lines: the category click (manufacturers, then the
// types of the last manufacturer, as the selection dialog does it) and the bare
// reader. Goal: under 20 ms. Prints "name value unit".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "BenchPlatform.h"
#include "buffer/DocumentHost.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/TTypeDlg.h"

namespace {

using namespace quarvin;

// 5,000 lines: seven categories of 14 manufacturers with 50 types each, plus comments.
std::string MakeList() {
    const char* headers[] = {"#EPROM", "#EEPROM", "#MPU", "#Serial", "#PLD", "#RAM(Test)", "#TEST(IC)"};
    std::string text;
    int lines = 0;
    for (const char* h : headers)
        for (int m = 0; m < 14; ++m) {
            text += std::string(h) + "-Maker" + std::to_string(m) + "\n";
            text += "/ comment line\n";
            lines += 2;
            for (int t = 0; t < 49 && lines < 5000; ++t, ++lines)
                text += "Type" + std::to_string(m) + "_" + std::to_string(t) + ",P27 " + std::to_string(1 + t % 21) + "\n";
        }
    while (lines++ < 5000) text += "/ padding\n";
    return text;
}

template <class F>
double MedianMs(int runs, F f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main() {
    auto dir = std::filesystem::temp_directory_path() / ("quarvin_catalogue_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string text = MakeList();
    std::ofstream(dir / "devicea.lst", std::ios::binary) << text;

    bench::BenchPlatform bp;
    Platform& platform = bp.platform;
    LinkState link; // soft-run: the board model is 'a', "devicea.lst"
    link.prompts = &bp.prompts;
    MainBuffer buffer;
    BufferOnlyDocuments docs(buffer);
    TTypeDlg dlg(link, platform, docs, dir.string() + "/");
    dlg.selectedManufacturer = "Maker13";

    double click = MedianMs(21, [&] {
        dlg.setCategoryIndex(6);
        dlg.Radio1OnClick();
    });
    std::size_t types = dlg.control("ListBox2").items().size();

    double reader = MedianMs(21, [&] {
        std::ifstream in(dir / "devicea.lst", std::ios::binary);
        auto m = ListManufacturers(in, "#TES");
        in.clear();
        in.seekg(0);
        auto t = ListTypes(in, "#TES", m.back());
        if (t.empty()) std::fprintf(stderr, "no types listed\n");
    });

    std::printf("catalogue_category_click_5000_lines %.3f ms\n", click);
    std::printf("catalogue_reader_5000_lines %.3f ms\n", reader);
    std::printf("catalogue_types_listed %zu count\n", types);
    std::filesystem::remove_all(dir);
    return types == 0;
}
