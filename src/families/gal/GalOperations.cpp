#include "families/gal/GalOperations.h"

#include "families/gal/GalShifter.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

// The bulk erase takes about 480 ms after its pulse.
constexpr int kBulkEraseTicks = 5000;

PldSupply SupplyOf(const GalRow& row) { return {row.vppMillivolts, row.vppPin, row.vccPin}; }

std::uint32_t ArrayFuse(const GalRow& row, std::uint32_t address, std::uint32_t bit) {
    return PldArrayFuse(row.fusesPerRow, address, bit);
}

// The shared operation frame with the row's shifter.
class GalRun : public PldRun {
public:
    explicit GalRun(const GalJob& job)
        : PldRun(job.link, job.hooks, SupplyOf(job.row), job.row.fuseRows, job.row.arrayFuses()),
          base_(job.row.arrayFuses()), shifter_(job.link, job.row) {}

    gal::GalShifter& shifter() { return shifter_; }
    std::uint32_t base() const { return base_; }

private:
    std::uint32_t base_;
    gal::GalShifter shifter_;
};

std::optional<OperationResult> RefuseRow(const GalRow& row) {
    if (row.shiftable()) return std::nullopt;
    return OperationResult::refused(kPldBadRowText);
}

} // namespace

OperationResult ReadGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin("Reading...");
    FillFuseMap(job.buffer);
    const GalRow& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().readRow(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t k = 0; k < row.fuseRows; ++k) job.buffer[ArrayFuse(row, a, k)] = static_cast<std::uint8_t>(bits[k]);
    }
    const RowBits arch = run.shifter().readRow(gal_address::Architecture, kGalArchitectureBits);
    for (const auto& [bit, offset] : kGalArchitectureMap)
        job.buffer[run.base() + static_cast<std::uint32_t>(offset)] = static_cast<std::uint8_t>(arch[static_cast<std::size_t>(bit)]);
    const RowBits signature = run.shifter().readRow(static_cast<int>(row.fusesPerRow), static_cast<int>(row.fuseRows));
    for (std::uint32_t k = 0; k < row.fuseRows; ++k)
        job.buffer[run.base() + kGalSignatureOffset + k] = static_cast<std::uint8_t>(signature[k]);
    job.hooks.show(row.arrayFuses(), row.arrayFuses());
    return run.end(OperationResult::done("Finished"));
}

OperationResult EraseGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin("Erase...", true);
    run.shifter().writeRow(gal_address::BulkErase, "1", 1);
    Delay(job.link, kBulkEraseTicks);
    return run.end(OperationResult::done("OK"));
}

OperationResult BlankGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin("Blanking...");
    const GalRow& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().readRow(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t k = 0; k < row.fuseRows; ++k)
            if (bits[k] != '1') return run.end(OperationResult::failed("Not blank!", ArrayFuse(row, a, k)));
    }
    return run.end(OperationResult::done("OK"));
}

static OperationResult WriteGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin("Programme...", true);
    const GalRow& row = job.row;
    RowBits bits(row.fuseRows, '1');
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        for (std::uint32_t k = 0; k < row.fuseRows; ++k) bits[k] = static_cast<char>(job.buffer[ArrayFuse(row, a, k)]);
        run.shifter().writeRow(static_cast<int>(a), bits, static_cast<int>(row.fuseRows));
    }
    RowBits arch(kGalArchitectureBits, '1');
    for (const auto& [bit, offset] : kGalArchitectureMap)
        arch[static_cast<std::size_t>(bit)] = static_cast<char>(job.buffer[run.base() + static_cast<std::uint32_t>(offset)]);
    run.shifter().writeRow(gal_address::Architecture, arch, kGalArchitectureBits);
    for (std::uint32_t k = 0; k < row.fuseRows; ++k)
        bits[k] = static_cast<char>(job.buffer[run.base() + kGalSignatureOffset + k]);
    run.shifter().writeRow(static_cast<int>(row.fusesPerRow), bits, static_cast<int>(row.fuseRows));
    job.hooks.show(row.arrayFuses(), row.arrayFuses());
    return run.end(OperationResult::done("OK"));
}

OperationResult VerifyGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin("Verify...");
    const GalRow& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().readRow(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t k = 0; k < row.fuseRows; ++k) {
            const std::uint32_t fuse = ArrayFuse(row, a, k);
            if (static_cast<std::uint8_t>(bits[k]) != job.buffer[fuse])
                return run.end(OperationResult::failed("Bad!", fuse));
        }
    }
    const RowBits arch = run.shifter().readRow(gal_address::Architecture, kGalArchitectureBits);
    for (const auto& [bit, offset] : kGalArchitectureMap) {
        const std::uint32_t fuse = run.base() + static_cast<std::uint32_t>(offset);
        if (static_cast<std::uint8_t>(arch[static_cast<std::size_t>(bit)]) != job.buffer[fuse])
            return run.end(OperationResult::failed("Bad!", fuse));
    }
    job.hooks.show(row.arrayFuses(), row.arrayFuses());
    return run.end(OperationResult::done("Verify OK"));
}

OperationResult SecureGal(const GalJob& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    GalRun run(job);
    run.begin(nullptr, true);
    run.shifter().writeRow(gal_address::Security, "0", 1);
    return run.end(OperationResult::done("Finished"));
}

OperationResult ProgramGal(const GalJob& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteGal(job); }, [&] { return VerifyGal(job); });
}

} // namespace quarvin
