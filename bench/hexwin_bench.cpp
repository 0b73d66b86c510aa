// Hex window costs: one page refresh, and the checksum over the whole buffer.
#include <chrono>
#include <cstdio>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "platform/Platform.h"

namespace {

class NoWindows : public quarvin::WindowHost {
public:
    void formCreated(quarvin::Form&) override {}
    void formDestroyed(quarvin::Form&) override {}
    int runModal(quarvin::Form&) override { return quarvin::Form::ModalCancel; }
};

template <class F> double microsecondsPerRun(int runs, F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) f(i);
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(t1 - t0).count() / runs;
}

} // namespace

int main() {
    quarvin::MainBuffer buffer;
    buffer.initialise();
    NoWindows windows;
    quarvin::Platform platform;
    platform.windows = &windows;
    quarvin::Documents docs(buffer, platform);
    docs.New();
    quarvin::TFileWin& w = *docs.hexWindow();
    w.setEndAddress(0x3FFFFF);

    // A refresh includes the checksum up to the end address; measure it with a
    // one-page end address and with the whole buffer in use.
    w.setEndAddress(0xFF);
    const double refreshPage = microsecondsPerRun(2000, [&](int i) {
        w.setViewStartAddress((i * 0x100) & 0xFFFF);
        w.Refresh();
    });
    w.setEndAddress(0x3FFFFF);
    const double refreshFull = microsecondsPerRun(100, [&](int i) {
        w.setViewStartAddress(i * 0x100);
        w.Refresh();
    });
    volatile std::uint32_t sink = 0;
    const double sum = microsecondsPerRun(100, [&](int i) {
        buffer[static_cast<std::uint32_t>(i)] ^= 1;
        sink = sink + buffer.checksum(0x3FFFFF);
    });
    std::printf("hexwin_refresh_page %.1f us\n", refreshPage);
    std::printf("hexwin_refresh_4mib_end %.3f ms\n", refreshFull / 1000.0);
    std::printf("checksum_4mib %.3f ms\n", sum / 1000.0);
    return 0;
}
