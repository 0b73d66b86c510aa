#include "families/avr90s/Avr90sSession.h"

#include <algorithm>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"

namespace quarvin {

namespace {

const char* const kProtectModes[] = {"no-verify", "no-program", "not-used", "none"};

const Avr90sRow& RowOf(int subType) { return RowOrPlaceholder(kAvr90sRows, subType); }

std::optional<bool> OnOff(const std::string& value) {
    if (value == "on") return true;
    if (value == "off") return false;
    return std::nullopt;
}

} // namespace

std::vector<FamilyOperationInfo> Avr90sSession::operations() const {
    return {
        {"read", "read the flash into the buffer from word 0, then the fuse and lock byte"},
        {"erase", "chip erase (flash, EEPROM and lock bits), then check the first 65 words"},
        {"blank", "check that every flash word reads ffff"},
        {"program", "program every buffer word that is not ffff (refused while lock bit 1 is set)"},
        {"verify", "compare the flash with the buffer"},
        {"protect", "write the lock bits as protect-mode says (\"Protect\")"},
        {"fuses", "read the fuse and lock byte (\"Read F/S\")"},
        {"fuse", "write the fuse bits as rcen and spi say (\"Pro Fuse\")"},
        {"auto", "the auto steps in order, while each succeeds (\"Auto\")"},
    };
}

std::vector<FamilyOptionInfo> Avr90sSession::options() const {
    return {
        {"protect-mode", "no-verify, no-program, not-used, none", "none",
         "the lock bits protect writes (\"Protect Mode\")"},
        {"rcen", "on, off", "off", "fuse writes program RCEN/FSTRT (\"Internal RC(RCEN)\")"},
        {"spi", "on, off", "off", "fuse writes program SPIEN (\"On Line Load(SPI)\")"},
        {"auto", "erase,blank,program,verify,fuse,protect", "program,verify", "the steps of auto"},
    };
}

std::string Avr90sSession::setOption(const std::string& name, const std::string& value) {
    if (name == "protect-mode") {
        const auto* it = std::find(std::begin(kProtectModes), std::end(kProtectModes), value);
        if (it == std::end(kProtectModes)) return "protect-mode takes no-verify, no-program, not-used or none";
        protectMode_ = static_cast<AvrProtectMode>(it - std::begin(kProtectModes));
        return {};
    }
    if (name == "rcen" || name == "spi") {
        const std::optional<bool> on = OnOff(value);
        if (!on) return name + " takes on or off";
        (name == "rcen" ? fuses_.internalRc : fuses_.onLineLoad) = *on;
        return {};
    }
    if (name == "auto") return autoSteps_.set(value);
    return "unknown option " + name;
}

std::uint32_t Avr90sSession::lastAddress(int subType) const { return RowOf(subType).lastByteAddress; }

OperationResult Avr90sSession::runOne(const std::string& operation, const Avr90sJob& job) {
    if (operation == "read") return ReadAvr(job);
    if (operation == "erase") return EraseAvr(job);
    if (operation == "blank") return BlankAvr(job);
    if (operation == "program") return ProgramAvr(job);
    if (operation == "verify") return VerifyAvr(job);
    if (operation == "protect") {
        OperationResult r = ProtectAvr(job, protectMode_);
        if (r.ok() && r.message.empty()) r.message = "lock bits written";
        return r;
    }
    if (operation == "fuses") return ReadAvrFuses(job);
    if (operation == "fuse") return ProgramAvrFuses(job, fuses_);
    if (operation == "auto")
        return autoSteps_.run([&](const std::string& step) { return runOne(step, job); }, "OK!!!");
    return OperationResult::refused("the AT90S family has no operation " + operation);
}

OperationResult Avr90sSession::run(const std::string& operation, const SessionJob& s) {
    const Avr90sRow& row = RowOf(s.selection.subType);
    if (row.chip == nullptr) return OperationResult::refused("No device type selected");
    const Avr90sJob job{s.link, row, s.buffer, s.hooks};
    OperationResult r = RunGuarded(s.link, [&] { return runOne(operation, job); });
    // The command line names the word a check or a write failed at.
    const bool atAWord = r.message == "Bad!" || r.message == "No Blank!" || r.message == kAvrProgramFailedText;
    if (r.outcome == Outcome::Failed && atAWord) r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
