#include "families/p22v10/P22v10Operations.h"

#include "families/p22v10/P22v10Shifter.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

class P22v10Run : public PldRun {
public:
    explicit P22v10Run(const P22v10Job& job)
        : PldRun(job.link, job.hooks, {job.row.vppMillivolts, job.row.vppPin, job.row.vccPin}, job.row.fuseRows,
                 job.row.arrayFuses()),
          shifter_(job.link) {}

    p22v10::P22v10Shifter& shifter() { return shifter_; }

private:
    p22v10::P22v10Shifter shifter_;
};

std::optional<OperationResult> RefuseRow(const P22v10Row& row) {
    if (row.shiftable()) return std::nullopt;
    return OperationResult::refused(kPldBadRowText);
}

std::uint32_t Fuse(const P22v10Row& row, std::uint32_t address, std::uint32_t bit) {
    return PldArrayFuse(row.fusesPerRow, address, bit);
}

// Where Blank and Verify leave the progress read-out at a bad bit: R x b + a,
// not the fuse number.
std::uint32_t BadBitPosition(const P22v10Row& row, std::uint32_t address, std::uint32_t bit) {
    return row.fuseRows * bit + address;
}

std::uint32_t SignatureFuse(const P22v10Row& row, std::uint32_t bit) {
    return row.arrayFuses() + p22v10::kSignatureRowOffset + bit;
}

} // namespace

OperationResult ReadP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin("Reading...");
    FillFuseMap(job.buffer);
    const P22v10Row& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().shiftOut(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t b = 0; b < row.fuseRows; ++b) job.buffer[Fuse(row, a, b)] = static_cast<std::uint8_t>(bits[b]);
    }
    // Address F first, the architecture row last: fuses F x R .. F x R + 19 hold the architecture.
    const RowBits signature = run.shifter().shiftOut(static_cast<int>(row.fusesPerRow), static_cast<int>(row.fuseRows));
    for (std::uint32_t b = 0; b < row.fuseRows; ++b) job.buffer[SignatureFuse(row, b)] = static_cast<std::uint8_t>(signature[b]);
    const RowBits arch = run.shifter().readArchitecture();
    for (std::uint32_t b = 0; b < p22v10::kArchitectureBits; ++b)
        job.buffer[row.arrayFuses() + b] = static_cast<std::uint8_t>(arch[b]);
    run.showProgress(row.arrayFuses());
    return run.end(OperationResult::done("Finished"));
}

OperationResult EraseP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin(nullptr, true);
    job.hooks.say("Erase...", true);
    run.shifter().bulkErase();
    // Powered down at the end rather than left at the edit voltage.
    return run.end(OperationResult::done("OK"));
}

OperationResult BlankP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin("Verify...");
    const P22v10Row& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().shiftOut(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t b = 0; b < row.fuseRows; ++b) {
            if (bits[b] == '1') continue;
            run.showProgress(BadBitPosition(row, a, b));
            return run.end(OperationResult::failed("Not blank!", Fuse(row, a, b)));
        }
    }
    return run.end(OperationResult::done("OK"));
}

static OperationResult WriteP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin("Programming...", true);
    const P22v10Row& row = job.row;
    RowBits bits(row.fuseRows, '1');
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        for (std::uint32_t b = 0; b < row.fuseRows; ++b) bits[b] = static_cast<char>(job.buffer[Fuse(row, a, b)]);
        run.shifter().shiftIn(static_cast<int>(a), bits, static_cast<int>(row.fuseRows));
    }
    RowBits arch(p22v10::kArchitectureBits, '1');
    for (std::uint32_t b = 0; b < p22v10::kArchitectureBits; ++b)
        arch[b] = static_cast<char>(job.buffer[row.arrayFuses() + b]);
    run.shifter().programArchitecture(arch);
    for (std::uint32_t b = 0; b < row.fuseRows; ++b) bits[b] = static_cast<char>(job.buffer[SignatureFuse(row, b)]);
    run.shifter().shiftIn(static_cast<int>(row.fusesPerRow), bits, static_cast<int>(row.fuseRows));
    run.showProgress(row.arrayFuses());
    return run.end(OperationResult::done("OK"));
}

OperationResult VerifyP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin("Verify...");
    const P22v10Row& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopAt(a)) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().shiftOut(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t b = 0; b < row.fuseRows; ++b) {
            const std::uint32_t fuse = Fuse(row, a, b);
            if (static_cast<std::uint8_t>(bits[b]) == job.buffer[fuse]) continue;
            run.showProgress(BadBitPosition(row, a, b));
            return run.end(OperationResult::failed("Verify bad", fuse));
        }
    }
    run.showProgress(row.arrayFuses());
    return run.end(OperationResult::done("Verify OK"));
}

OperationResult SecureP22v10(const P22v10Job& job) {
    if (auto refused = RefuseRow(job.row)) return *refused;
    P22v10Run run(job);
    run.begin(nullptr);
    run.shifter().shiftIn(p22v10::kSecurityAddress, "0", 1);
    // A fresh power-up: the edit voltage off before Vcc, then on again.
    PldPowerDown(job.link);
    run.powerUp();
    const P22v10Row& row = job.row;
    for (std::uint32_t a = 0; a < row.fusesPerRow; ++a) {
        if (run.stopRequested()) return OperationResult::stopped(a);
        const RowBits bits = run.shifter().shiftOut(static_cast<int>(a), static_cast<int>(row.fuseRows));
        for (std::uint32_t b = 0; b < row.fusesPerRow && b < row.fuseRows; ++b)
            if (bits[b] != '1') return run.end(OperationResult::failed(QV_TEXT("Failured"), Fuse(row, a, b)));
    }
    return run.end(OperationResult::done(QV_TEXT("Secrity OK")));
}

OperationResult ProgramP22v10(const P22v10Job& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP22v10(job); }, [&] { return VerifyP22v10(job); });
}

} // namespace quarvin
