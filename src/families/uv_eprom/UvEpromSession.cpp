#include "families/uv_eprom/UvEpromSession.h"

#include <sstream>

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const EpromRow& RowOf(int subType) { return RowOrPlaceholder(kEpromRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> UvEpromSession::operations() const {
    return {
        {"read", "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
        {"blank", "check that the whole device is blank"},
        {"program", "program Length + 1 bytes from Buffer Start to Device Start"},
        {"verify", "compare Length + 1 bytes of the device with the buffer"},
        {"sum", "sum of the whole device"},
        {"id", "read the manufacturer and type codes"},
        {"auto", "blank, program and verify as the auto option says"},
    };
}

std::vector<FamilyOptionInfo> UvEpromSession::options() const {
    return {
        {"pro-time", "1..5", "1", "multiplier of the program pulse count (\"Pro time\")"},
        {"verify-mode", "each|after-all", "each", "check every byte while programming, or only with verify"},
        {"auto", "steps of blank,program,verify", "blank,program", "the steps auto runs"},
    };
}

std::string UvEpromSession::setOption(const std::string& name, const std::string& value) {
    if (name == "pro-time") {
        if (value.size() != 1 || value[0] < '1' || value[0] > '5') return "pro-time takes 1..5";
        program_.proTimeIndex = value[0] - '1';
        return {};
    }
    if (name == "verify-mode") {
        if (value != "each" && value != "after-all") return "verify-mode takes each or after-all";
        program_.checkEachByte = value == "each";
        return {};
    }
    if (name == "auto") {
        AutoSteps steps{false, false, false};
        std::istringstream list(value);
        for (std::string step; std::getline(list, step, ',');) {
            if (step == "blank") steps.blank = true;
            else if (step == "program") steps.program = true;
            else if (step == "verify") steps.verify = true;
            else return "auto takes steps of blank,program,verify, not " + step;
        }
        auto_ = steps;
        return {};
    }
    return "unknown option " + name;
}

void UvEpromSession::start(LinkState& link) {
    ResetSocket(link);
    if (link.connected) SetVppLevel(link, 0);
}

std::uint32_t UvEpromSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

OperationResult UvEpromSession::run(const std::string& operation, const SessionJob& s) {
    const EpromJob job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    const auto step = [&](MemoryStep which) {
        switch (which) {
        case MemoryStep::Read: return WithPortsLow(job, ReadEprom);
        case MemoryStep::Blank: return WithPortsLow(job, BlankCheckEprom);
        case MemoryStep::Program:
            return WithPortsLow(job, [this](const EpromJob& j) { return ProgramEprom(j, program_); });
        case MemoryStep::Verify: return WithPortsLow(job, VerifyEprom);
        case MemoryStep::Sum: return WithPortsLow(job, SumEprom);
        default: return OperationResult::refused("unknown step");
        }
    };
    return RunGuarded(s.link, [&]() -> OperationResult {
        if (operation == "read") return step(MemoryStep::Read);
        if (operation == "blank") return step(MemoryStep::Blank);
        if (operation == "program") return step(MemoryStep::Program);
        if (operation == "verify") return step(MemoryStep::Verify);
        if (operation == "sum") return step(MemoryStep::Sum);
        if (operation == "auto") return RunAutoChain(auto_, step);
        if (operation == "id") {
            if (!s.readIds) return OperationResult::refused("id: no detection available");
            return OperationResult::done(s.readIds());
        }
        return OperationResult::refused("the UV EPROM family has no operation " + operation);
    });
}

} // namespace quarvin
