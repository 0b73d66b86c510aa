#include "families/i2c_eeprom/I2cOperations.h"

#include <memory>
#include <optional>

#include "families/framework/ChangedPages.h"
#include "families/framework/MemorySteps.h"
#include "families/i2c_eeprom/I2cBus.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int kPinReleased = 1;
constexpr std::uint32_t kReadProgress = 16;
constexpr std::uint32_t kWriteProgress = 16;
constexpr std::uint32_t kVerifyProgress = 32;
constexpr int kBitsPerByte = 8;

bool Placeholder(const I2cRow& row) { return row.chip == nullptr; }
OperationResult NoTypeSelected() { return OperationResult::refused(QV_TEXT("No device type selected")); }

// The part takes its supply from a logic pin, and SDA and SCL go low before it
// does: the 24LC02B and 24LC256 rate every pin "-0.6 V to VCC + 1.0 V".
void SwitchOff(LinkState& link, const I2cRow& row) { PortsLowThenPinFedOff(link, row.vcc); }

// Reports progress at a and answers whether the user asked to stop.
bool ProgressStops(const I2cJob& job, std::uint32_t a) {
    job.hooks.show(a, job.row.lastAddress);
    return job.hooks.stop();
}

} // namespace

OperationResult ReadI2c(const I2cJob& job) {
    const I2cRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    i2c::PowerUp(job.link, row);
    SetPinLatch(job.link, row.sda, kPinReleased);
    job.hooks.say(QV_TEXT("Read..."), true);
    Delay(job.link, i2c::kSettleTicks);
    // The bytes' reads go out ahead of their replies; each byte is stored when
    // its eighth bit has come back, so a lost link keeps the bytes complete by then.
    std::uint32_t stored = 0;
    std::uint8_t value = 0;
    int bits = 0;
    PinReadsAhead reads(job.link, [&](int level) {
        value = static_cast<std::uint8_t>((value << 1) | level);
        if (++bits < kBitsPerByte) return;
        job.buffer[stored++] = value;
        value = 0;
        bits = 0;
    });
    for (std::uint32_t a = 0; a <= row.lastAddress; ++a) {
        if (a % kReadProgress == 0 && ProgressStops(job, a)) {
            reads.drain();
            SwitchOff(job.link, row);
            return OperationResult::stopped(a);
        }
        i2c::RandomReadAhead(job.link, row, a, reads);
    }
    reads.drain();
    job.hooks.show(row.lastAddress, row.lastAddress);
    // Powered down as Programe does: left on, the supply pin stayed driven high.
    SwitchOff(job.link, row);
    return OperationResult::done(QV_TEXT("Finished"));
}

OperationResult VerifyI2c(const I2cJob& job) {
    const I2cRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    job.hooks.say(QV_TEXT("Verify..."), true);
    i2c::PowerUp(job.link, row);
    SetPinLatch(job.link, row.sda, kPinReleased);
    Delay(job.link, i2c::kSettleTicks);
    // The bytes' reads go out ahead of their replies and each byte is compared
    // when its eighth bit has come back; the first that differs ends the run.
    // Reads already sent past it only read the part.
    std::uint32_t compared = 0;
    std::optional<std::uint32_t> differs;
    std::uint8_t value = 0;
    int bits = 0;
    PinReadsAhead reads(job.link, [&](int level) {
        value = static_cast<std::uint8_t>((value << 1) | level);
        if (++bits < kBitsPerByte) return;
        if (!differs && value != job.buffer[compared]) differs = compared;
        ++compared;
        value = 0;
        bits = 0;
    });
    for (std::uint32_t a = 0; a <= row.lastAddress && !differs; ++a) {
        if (a % kVerifyProgress == 0 && ProgressStops(job, a)) {
            reads.drain();
            if (differs) break;
            SwitchOff(job.link, row);
            return OperationResult::stopped(a);
        }
        i2c::RandomReadAhead(job.link, row, a, reads);
    }
    reads.drain();
    if (differs) {
        job.hooks.show(*differs, row.lastAddress);
        SwitchOff(job.link, row);
        return OperationResult::failed(kI2cVerifyBad, *differs);
    }
    job.hooks.show(row.lastAddress, row.lastAddress);
    SwitchOff(job.link, row);
    return OperationResult::done(QV_TEXT("Verify OK"));
}

OperationResult ProgramI2c(const I2cJob& job) {
    const I2cRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    std::optional<ChangedPages> changed;
    if (job.changedOnly) {
        auto chip = std::make_unique<MainBuffer>();
        const OperationResult read = ReadI2c({job.link, row, *chip, job.hooks, job.writeWaitMilliseconds});
        if (!read.ok()) return read;
        changed.emplace(chip->data(), job.buffer.data(), row.lastAddress + 1, kI2cChangedPageBytes);
    }
    if (!changed || changed->written() > 0) {
        job.hooks.say(QV_TEXT("Programming..."), true);
        i2c::PowerUp(job.link, row);
        for (std::uint32_t a = 0; a <= row.lastAddress; ++a) {
            if (a % kWriteProgress == 0 && ProgressStops(job, a)) {
                SwitchOff(job.link, row);
                return OperationResult::stopped(a);
            }
            if (changed && !changed->differs(a)) continue;
            i2c::ByteWrite(job.link, row, a, job.buffer[a], job.writeWaitMilliseconds);
        }
        SwitchOff(job.link, row);
    }
    // The writes are not acknowledged one by one: the verify is the check.
    const OperationResult verified = VerifyI2c(job);
    if (verified.outcome == Outcome::Stopped) return verified;
    // After a failed verify the progress keeps the address that failed.
    if (verified.ok()) job.hooks.show(row.lastAddress, row.lastAddress);
    SwitchOff(job.link, row);
    // The pages skipped were asked to be skipped: the run is whole, so this is no
    // end-of-range note but part of the success text.
    if (verified.ok() && changed) return OperationResult::done(verified.message + " " + changed->note());
    return verified;
}

} // namespace quarvin
