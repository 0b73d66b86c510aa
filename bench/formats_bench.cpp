// File formats on a full 4 MiB buffer: HEX and BIN save and load, JEDEC write and
// read of a 22V10 map, the buffer checksum, and the peak memory of a HEX load.
// Prints "name value unit" lines.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "buffer/MainBuffer.h"
#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/IntelHex.h"
#include "buffer/formats/Jedec.h"

using namespace quarvin;

namespace {

// Best of a few runs, in milliseconds.
double bestMs(int runs, const std::function<void()>& fn) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

void print(const char* name, double value, const char* unit) { std::printf("%s %.3f %s\n", name, value, unit); }

long peakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    const auto dir = std::filesystem::temp_directory_path() / ("quarvin-formats-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string hex = (dir / "full.hex").string(), bin = (dir / "full.bin").string(),
                      jed = (dir / "v10.jed").string();

    auto buffer = std::make_unique<MainBuffer>();
    std::uint32_t x = 1;
    for (std::uint32_t a = 0; a < kBufferSize; ++a) (*buffer)[a] = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 16);

    // The HEX load's peak memory is measured first, in a child, so that nothing
    // else this program allocates counts towards it.
    if (!formats::saveIntelHexFile(*buffer, kBufferLast, hex)) return 1;
    std::fflush(stdout);
    if (pid_t child = fork(); child == 0) {
        auto fresh = std::make_unique<MainBuffer>();
        formats::readIntelHexFile(*fresh, hex);
        std::printf("hex_load_4mib_peak_rss %.1f MiB\n", static_cast<double>(peakKiB()) / 1024.0);
        std::fflush(stdout);
        _exit(0);
    } else if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }

    print("hex_save_4mib", bestMs(3, [&] { formats::saveIntelHexFile(*buffer, kBufferLast, hex); }), "ms");
    print("hex_load_4mib", bestMs(3, [&] { formats::readIntelHexFile(*buffer, hex); }), "ms");
    print("bin_save_4mib", bestMs(5, [&] { formats::saveBinaryFile(*buffer, kBufferLast, bin); }), "ms");
    print("bin_load_4mib", bestMs(5, [&] { formats::loadBinaryFile(*buffer, bin, 0); }), "ms");

    const formats::FuseGeometry v10{44, 132};
    print("jedec_write_22v10", bestMs(20, [&] { formats::saveJedecFile(*buffer, v10, jed); }), "ms");
    print("jedec_read_22v10", bestMs(20, [&] { formats::readJedecFile(*buffer, v10, jed); }), "ms");

    volatile std::uint32_t sink = 0;
    print("checksum_4mib", bestMs(10, [&] { sink = sink + buffer->checksum(kBufferLast); }), "ms");

    std::filesystem::remove_all(dir);
    (void)argc;
    (void)argv;
    return 0;
}
