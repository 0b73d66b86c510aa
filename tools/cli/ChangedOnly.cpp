#include "ChangedOnly.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "families/eeprom28c/E28Dialog.h"
#include "families/framework/ChangedPages.h"
#include "families/flash29ee/EE29Dialog.h"

namespace quarvin::cli {

namespace {
// A multiple of every page size of these parts, so that a block never splits a page.
constexpr std::uint32_t kBlock = 256;
} // namespace

bool TakesChangedOnly(const std::string& dialogClass) {
    // Their Program writes just the fields' range; the 24Cxx and 93Cxx loops write
    // the whole part whatever the fields say.
    return dialogClass == E28Dialog::kFormClass || dialogClass == EE29Dialog::kFormClass;
}

RunReport RunChangedOnlyProgram(const RunRequest& request, RunnerIo& io) {
    const AddressFields whole = request.fields;
    const std::uint32_t count = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{whole.length} + 1, kBufferSize));
    const std::vector<std::uint8_t> wanted(request.buffer.data(), request.buffer.data() + count);

    RunReport report = RunOperations(request, {"read"}, io);
    if (report.exit != ExitCode::Ok) {
        std::memcpy(request.buffer.data(), wanted.data(), count);
        return report;
    }
    const ChangedPages changed(request.buffer.data(), wanted.data(), count, kBlock);
    std::memcpy(request.buffer.data(), wanted.data(), count);

    for (const auto& [first, end] : changed.runs()) {
        RunRequest part = request;
        part.fields = {first, first, end - first - 1};
        report = RunOperations(part, {"program"}, io);
        if (report.exit != ExitCode::Ok) return report;
    }
    (io.textLines ? io.out : io.progress.stream())
        << "program: changed only: " << changed.written() << " of " << changed.pages() << " blocks of " << kBlock
        << " bytes written, " << changed.skipped() << " skipped\n"
           << std::flush;
    return RunOperations(request, {"verify"}, io);
}

} // namespace quarvin::cli
