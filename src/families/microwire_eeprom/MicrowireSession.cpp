#include "families/microwire_eeprom/MicrowireSession.h"

#include <sstream>

#include "families/framework/ChangedPages.h"
#include "families/framework/RowLookup.h"
#include "families/framework/WriteWait.h"
#include "forms/HexText.h"

namespace quarvin {

namespace {

const MicrowireRow& RowOf(int subType) { return RowOrPlaceholder(kMicrowireRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> MicrowireSession::operations() const {
    return {
        {"read", "read the whole device into the buffer from 0 (x16: two bytes per word, low first)"},
        {"erase", "erase the whole device"},
        {"blank", "check that the whole device is blank"},
        {"program", "write the whole device from the buffer"},
        {"verify", "compare the whole device with the buffer"},
        {"auto", "erase, blank, program and verify as the auto option says"},
    };
}

std::vector<FamilyOptionInfo> MicrowireSession::options() const {
    return {
        {"pro-time", kWriteWaitValues, "5", "\"Pro time\": the wait after each word is 100 delay ticks per unit"},
        {"auto", "steps of erase,blank,program,verify", "program,verify", "the steps auto runs"},
        ChangedOnlyOptionInfo(),
    };
}

std::string MicrowireSession::setOption(const std::string& name, const std::string& value) {
    if (name == kChangedOnlyOption) return SetChangedOnly(value, changedOnly_);
    if (name == "pro-time") {
        if (!ParseWriteWait(value, writeWaitUnits_)) return std::string("pro-time takes ") + kWriteWaitValues;
        return {};
    }
    if (name == "auto") {
        std::vector<MicrowireStep> steps;
        std::istringstream list(value);
        for (std::string step; std::getline(list, step, ',');) {
            if (step == "erase") steps.push_back(MicrowireStep::Erase);
            else if (step == "blank") steps.push_back(MicrowireStep::Blank);
            else if (step == "program") steps.push_back(MicrowireStep::Program);
            else if (step == "verify") steps.push_back(MicrowireStep::Verify);
            else return "auto takes steps of erase,blank,program,verify, not " + step;
        }
        auto_ = steps;
        return {};
    }
    return "unknown option " + name;
}

std::uint32_t MicrowireSession::lastAddress(int subType) const { return RowOf(subType).lastBufferAddress(); }

OperationResult MicrowireSession::run(const std::string& operation, const SessionJob& s) {
    const MicrowireJob job{s.link, RowOf(s.selection.subType), s.buffer, s.hooks, writeWaitUnits_, changedOnly_};
    OperationResult r = RunGuarded(s.link, [&]() -> OperationResult {
        if (operation == "read") return ReadMicrowire(job);
        if (operation == "erase") return EraseMicrowire(job);
        if (operation == "blank") return BlankMicrowire(job);
        if (operation == "program") return ProgramMicrowire(job);
        if (operation == "verify") return VerifyMicrowire(job);
        if (operation == "auto") return AutoMicrowire(job, auto_);
        return OperationResult::refused("the 93Cxx family has no operation " + operation);
    });
    // Without the dialog's address field the command line says where.
    if (r.outcome == Outcome::Failed) r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
