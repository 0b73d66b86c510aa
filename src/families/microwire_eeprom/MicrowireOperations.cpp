#include "families/microwire_eeprom/MicrowireOperations.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "families/framework/ChangedPages.h"
#include "families/framework/MemorySteps.h"
#include "families/microwire_eeprom/MicrowireBus.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using microwire::MicrowirePort;
using microwire::Special;

constexpr int kEraseSettleTicks = 10000;
// The longest erase-all cycle of the parts (10 ms) in delay ticks, rounded up.
constexpr int kEraseAllCycleTicks = 110;

bool Placeholder(const MicrowireRow& row) { return row.chip == nullptr; }
OperationResult NoTypeSelected() { return OperationResult::refused("No device type selected"); }

std::uint16_t Erased(const MicrowireRow& row) { return row.wordWide() ? 0xFFFF : 0xFF; }

// The buffer's value of location a in the row's layout.
std::uint16_t BufferValue(const MicrowireJob& job, std::uint32_t a) {
    if (!job.row.wordWide()) return job.buffer[a];
    return static_cast<std::uint16_t>(job.buffer[2 * a] | (job.buffer[2 * a + 1] << 8));
}

void Store(const MicrowireJob& job, std::uint32_t a, std::uint16_t v) {
    if (!job.row.wordWide()) {
        job.buffer[a] = static_cast<std::uint8_t>(v);
        return;
    }
    job.buffer[2 * a] = static_cast<std::uint8_t>(v & 0xFF);
    job.buffer[2 * a + 1] = static_cast<std::uint8_t>(v >> 8);
}

bool ProgressStops(const MicrowireJob& job, std::uint32_t a) {
    job.hooks.show(a, job.row.lastAddress);
    return job.hooks.stop();
}

// How a comparison of the words with what they should hold ended.
struct WordCheck {
    enum class End { Matched, Stopped, Differs };
    End end = End::Matched;
    std::uint32_t at = 0;
};

// Reads the words from address 0 until one differs from expected(a), with
// progress and the stop poll before each. The reads go out ahead of their
// replies and each word is compared once its last bit is in; reads already sent
// past a difference only read the part.
template <class Expected>
WordCheck CheckWords(const MicrowireJob& job, MicrowirePort& port, Expected expected) {
    const MicrowireRow& row = job.row;
    std::uint32_t compared = 0;
    std::optional<std::uint32_t> differs;
    std::uint16_t value = 0;
    int bits = 0;
    PinReadsAhead reads(job.link, [&](int level) {
        value = static_cast<std::uint16_t>((value << 1) | level);
        if (++bits < row.dataBits) return;
        if (!differs && value != expected(compared)) differs = compared;
        ++compared;
        value = 0;
        bits = 0;
    });
    for (std::uint32_t a = 0; a <= row.lastAddress && !differs; ++a) {
        if (ProgressStops(job, a)) {
            reads.drain();
            if (differs) break;
            return {WordCheck::End::Stopped, a};
        }
        port.readWordAhead(a, reads);
    }
    reads.drain();
    if (differs) return {WordCheck::End::Differs, *differs};
    return {};
}

} // namespace

OperationResult ReadMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    MicrowirePort port(job.link, row);
    port.powerUp();
    job.hooks.say("Read...", true);
    Delay(job.link, microwire::kSettleTicks);
    // The words' reads go out ahead of their replies; each word is stored when
    // its last bit has come back, so a lost link keeps the words complete by then.
    std::uint32_t stored = 0;
    std::uint16_t value = 0;
    int bits = 0;
    PinReadsAhead reads(job.link, [&](int level) {
        value = static_cast<std::uint16_t>((value << 1) | level);
        if (++bits < row.dataBits) return;
        Store(job, stored++, value);
        value = 0;
        bits = 0;
    });
    for (std::uint32_t a = 0; a <= row.lastAddress; ++a) {
        if (ProgressStops(job, a)) {
            reads.drain();
            PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
            return OperationResult::stopped(a);
        }
        port.readWordAhead(a, reads);
    }
    reads.drain();
    job.hooks.show(row.lastAddress, row.lastAddress);
    PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    return OperationResult::done("Finished");
}

namespace {

// Powers the part up and writes the locations `writes` picks, with progress and
// the stop poll before each; the part is left write-protected. A stop powers it
// down and gives the result.
std::optional<OperationResult> WriteLocations(const MicrowireJob& job, MicrowirePort& port,
                                              const std::function<bool(std::uint32_t)>& writes) {
    job.hooks.say("Programming...", true);
    port.powerUp();
    port.special(Special::WriteEnable);
    for (std::uint32_t a = 0; a <= job.row.lastAddress; ++a) {
        if (ProgressStops(job, a)) {
            // Leave the part write-protected.
            port.special(Special::WriteDisable);
            PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
            return OperationResult::stopped(a);
        }
        if (writes(a)) port.writeWord(a, BufferValue(job, a), job.writeWaitUnits);
    }
    port.special(Special::WriteDisable);
    return std::nullopt;
}

// Program with changedOnly: the part read into a scratch image, the differing
// pages written, then the whole part verified.
OperationResult ProgramChangedMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    auto chip = std::make_unique<MainBuffer>();
    const OperationResult read = ReadMicrowire({job.link, row, *chip, job.hooks, job.writeWaitUnits});
    if (!read.ok()) return read;
    const std::uint32_t bytesPerLocation = row.wordWide() ? 2 : 1;
    const ChangedPages changed(chip->data(), job.buffer.data(), row.lastBufferAddress() + 1,
                               kMicrowireChangedPageLocations * bytesPerLocation);
    if (changed.written() > 0) {
        MicrowirePort port(job.link, row);
        const auto stopped =
            WriteLocations(job, port, [&](std::uint32_t a) { return changed.differs(a * bytesPerLocation); });
        if (stopped) return *stopped;
        PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    }
    const OperationResult verified = VerifyMicrowire(job);
    // The pages skipped were asked to be skipped: part of the success text, not a
    // note of a run cut short.
    return verified.ok() ? OperationResult::done(verified.message + " " + changed.note()) : verified;
}

// Every location written, then the first one read back (a part that did not
// take the writes fails there).
OperationResult WriteMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    MicrowirePort port(job.link, row);
    if (const auto stopped = WriteLocations(job, port, [](std::uint32_t) { return true; })) return *stopped;
    port.powerUp();
    const bool firstTook = port.readWord(0) == BufferValue(job, 0);
    job.hooks.show(row.lastAddress, row.lastAddress);
    PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    // Only location 0 is looked at here; Verify checks the rest.
    return firstTook ? OperationResult::done("OK") : OperationResult::failed("Programe Failured!", 0);
}

} // namespace

OperationResult ProgramMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    // Programe of the changed pages reads the whole part back already.
    if (job.changedOnly) return ProgramChangedMicrowire(job);
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteMicrowire(job); }, [&] { return VerifyMicrowire(job); });
}

OperationResult EraseMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    MicrowirePort port(job.link, row);
    job.hooks.say("Erase...", true);
    port.powerUp();
    port.special(Special::WriteEnable);
    port.special(Special::EraseAll);
    // The erase runs once chip select falls. It must end before the write
    // disable, which a busy part ignores, and before the power-up, whose
    // all-ports-high step lifts the ground pin and would cut the erase short.
    port.deselect();
    Delay(job.link, kEraseAllCycleTicks);
    port.special(Special::WriteDisable);
    port.powerUp();
    const bool erased = port.readWord(0) == Erased(row);
    PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    Delay(job.link, kEraseSettleTicks);
    return erased ? OperationResult::done("OK") : OperationResult::failed(QV_TEXT("Not blank!"), 0);
}

OperationResult BlankMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    MicrowirePort port(job.link, row);
    job.hooks.say(QV_TEXT("Blanking..."), true);
    port.powerUp();
    const WordCheck check = CheckWords(job, port, [&row](std::uint32_t) { return Erased(row); });
    if (check.end == WordCheck::End::Stopped) {
        PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
        return OperationResult::stopped(check.at);
    }
    // Switched off as Verify does on a difference: left on, pin 24 kept feeding
    // the part with the lines high.
    if (check.end == WordCheck::End::Differs) {
        PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
        return OperationResult::failed("Not blank!", check.at);
    }
    job.hooks.show(row.lastAddress, row.lastAddress);
    PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    return OperationResult::done(QV_TEXT("OK,空"));
}

OperationResult VerifyMicrowire(const MicrowireJob& job) {
    const MicrowireRow& row = job.row;
    if (Placeholder(row)) return NoTypeSelected();
    MicrowirePort port(job.link, row);
    job.hooks.say("Verify...", true);
    port.powerUp();
    const WordCheck check = CheckWords(job, port, [&job](std::uint32_t a) { return BufferValue(job, a); });
    if (check.end == WordCheck::End::Stopped) {
        PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
        return OperationResult::stopped(check.at);
    }
    if (check.end == WordCheck::End::Differs) {
        job.hooks.show(check.at, row.lastAddress);
        PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
        return OperationResult::failed(QV_TEXT("Verify bad"), check.at);
    }
    job.hooks.show(row.lastAddress, row.lastAddress);
    PortsLowThenPinFedOff(job.link, pin::microwire::Supply);
    return OperationResult::done("Verify OK");
}

OperationResult AutoMicrowire(const MicrowireJob& job, const std::vector<MicrowireStep>& steps) {
    for (MicrowireStep step : {MicrowireStep::Erase, MicrowireStep::Blank, MicrowireStep::Program, MicrowireStep::Verify}) {
        if (std::find(steps.begin(), steps.end(), step) == steps.end()) continue;
        OperationResult r;
        switch (step) {
        case MicrowireStep::Erase: r = EraseMicrowire(job); break;
        case MicrowireStep::Blank: r = BlankMicrowire(job); break;
        case MicrowireStep::Program: r = ProgramMicrowire(job); break;
        case MicrowireStep::Verify: r = VerifyMicrowire(job); break;
        }
        if (!r.ok()) return r;
    }
    return OperationResult::done("OK");
}

} // namespace quarvin
