#include "families/framework/McuCodeMemory.h"

#include "forms/HexText.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr std::uint32_t kReadProgressEvery = 16;
constexpr std::uint32_t kVerifyProgressEvery = 32;
constexpr std::uint32_t kProgramProgressMask = 0x0F;
constexpr int kLockCheckReads = 129;

OperationResult StoppedPoweredOff(const McuCodeRun& run, std::uint32_t a) {
    run.powerOff();
    return OperationResult::stopped(a);
}

// Where a comparison of the code memory with what it should hold ended.
struct CodeCompare {
    enum class End { Matched, Stopped, Differs } end = End::Matched;
    std::uint32_t at = 0;
    std::uint8_t chip = 0;
};

// Reads until a byte differs from expected(a), showing how far it came.
template <typename Expected>
CodeCompare CompareCode(const McuCodeRun& run, std::uint32_t progressEvery, Expected expected) {
    std::uint8_t differing = 0;
    const McuReadRun r = run.readCode(progressEvery, [&](std::uint32_t a, std::uint8_t chip) {
        differing = chip;
        return chip == expected(a);
    });
    if (r.end == McuReadRun::End::Stopped) return {CodeCompare::End::Stopped, r.at};
    if (r.end == McuReadRun::End::Rejected) {
        run.hooks.show(r.at, run.range.rowLast);
        return {CodeCompare::End::Differs, r.at, differing};
    }
    run.hooks.show(run.range.last(), run.range.rowLast);
    return {};
}

} // namespace

OperationResult ReadMcuCode(const McuCodeRun& run) {
    StagedRead read(run.range.last());
    const McuReadRun r = run.readCode(kReadProgressEvery, [&](std::uint32_t a, std::uint8_t v) {
        read[a] = v;
        return true;
    });
    read.commit(run.buffer, r);
    if (r.end == McuReadRun::End::Stopped) return StoppedPoweredOff(run, r.at);
    run.hooks.show(run.range.last(), run.range.rowLast);
    run.powerOff();
    return OperationResult::done("OK");
}

OperationResult BlankMcuCode(const McuCodeRun& run) {
    const CodeCompare c = CompareCode(run, kReadProgressEvery, [](std::uint32_t) { return std::uint8_t{0xFF}; });
    if (c.end == CodeCompare::End::Stopped) return StoppedPoweredOff(run, c.at);
    // Off before the result, as Verify does.
    run.powerOff();
    if (c.end == CodeCompare::End::Differs) return OperationResult::failed(QV_TEXT("Error"), c.at);
    return OperationResult::done("OK!");
}

OperationResult VerifyMcuCode(const McuCodeRun& run) {
    const CodeCompare c = CompareCode(run, kVerifyProgressEvery, [&](std::uint32_t a) { return run.buffer[a]; });
    if (c.end == CodeCompare::End::Stopped) return StoppedPoweredOff(run, c.at);
    run.powerOff();
    if (c.end == CodeCompare::End::Differs)
        return OperationResult::failed(Format("%04x:Error!(File=%02x,Chip=%02x)", c.at, run.buffer[c.at], c.chip), c.at);
    return OperationResult::done("OK!");
}

std::optional<std::uint32_t> ProgramMcuCode(const McuCodeRun& run, const McuCodeAddress& address,
                                            const std::function<void(std::uint8_t v)>& writeByte) {
    const std::uint32_t last = run.range.last();
    for (std::uint32_t a = 0; a <= last; ++a) {
        if (a != 0) address.at(a);
        if ((a & kProgramProgressMask) == kProgramProgressMask) {
            run.hooks.show(a, run.range.rowLast);
            if (run.hooks.stop()) return a;
        }
        if (run.buffer[a] != 0xFF) writeByte(run.buffer[a]);
        address.next();
    }
    run.hooks.show(last, run.range.rowLast);
    return std::nullopt;
}

OperationResult CheckMcuLockReads(const McuCodeRun& run, std::uint8_t expected) {
    for (int i = 0; i < kLockCheckReads; ++i) {
        if (ReadDataByte(run.link) != expected) {
            run.powerOff();
            return OperationResult::failed(QV_TEXT("Error!"), 0);
        }
    }
    run.powerOff();
    return OperationResult::done(QV_TEXT("Protect OK!"));
}

OperationResult McuSignatureResult(const std::array<std::uint8_t, 3>& bytes) {
    OperationResult r = OperationResult::done(Format("ID = %02x,%02x,%02x", bytes[0], bytes[1], bytes[2]));
    r.value = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
    return r;
}

} // namespace quarvin
