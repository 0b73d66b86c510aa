#include "families/pic16c8x/Pic16Session.h"

#include <algorithm>
#include <cstdio>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"

namespace quarvin {

namespace {

const char* const kEraseModes[] = {"code", "data", "code+data", "all"};
constexpr std::uint32_t kFileConfigByte = 2 * kPicConfigWordAddress;

std::optional<unsigned> Hex(const std::string& text, unsigned limit) {
    unsigned v = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%x%c", &v, &extra) != 1 || v > limit) return std::nullopt;
    return v;
}

} // namespace

std::vector<FamilyOperationInfo> Pic16Session::operations() const {
    return {
        {"read", "read the program memory into the buffer from word 0"},
        {"erase", "bulk erase as erase-mode says (\"Erase\")"},
        {"blank", "check the configuration word, then every program word, for 3fff"},
        {"program", "program every word of the buffer (14 bits each)"},
        {"verify", "compare the program memory with the buffer"},
        {"id", "read the user ID and the configuration word (\"Re Config\")"},
        {"config", "write the user ID and the configuration word (\"Wr Config\")"},
        {"auto", "the auto steps in order, while each succeeds (\"Auto\")"},
    };
}

std::vector<FamilyOptionInfo> Pic16Session::options() const {
    return {
        {"pro-time", "1, 2, 4", "1", profile_.proTimeHelp},
        {"erase-mode", "code, data, code+data, all", "all", "what erase clears (\"Erase Mode\")"},
        {"config", "0..3fff", "the buffer's word 0x2007, else 3ffd",
         "the configuration word config writes"},
        {"user-id", "0..ffff", "ffff", "the four ID digits config writes"},
        {"auto", "erase,blank,program,verify,config", "program,verify", "the steps of auto"},
    };
}

std::string Pic16Session::setOption(const std::string& name, const std::string& value) {
    if (name == "pro-time") {
        if (value == "1") proTimeIndex_ = 0;
        else if (value == "2") proTimeIndex_ = 1;
        else if (value == "4") proTimeIndex_ = 2;
        else return "pro-time takes 1, 2 or 4";
        return {};
    }
    if (name == "erase-mode") {
        const auto* it = std::find(std::begin(kEraseModes), std::end(kEraseModes), value);
        if (it == std::end(kEraseModes)) return "erase-mode takes code, data, code+data or all";
        eraseMode_ = static_cast<Pic16EraseMode>(it - std::begin(kEraseModes));
        return {};
    }
    if (name == "config") {
        const auto v = Hex(value, kPicWordMask);
        if (!v) return "config takes a hexadecimal word up to 3fff";
        configWord_ = static_cast<std::uint16_t>(*v);
        return {};
    }
    if (name == "user-id") {
        const auto v = Hex(value, 0xFFFF);
        if (!v) return "user-id takes four hexadecimal digits";
        id_ = static_cast<std::uint16_t>(*v);
        return {};
    }
    if (name == "auto") return autoSteps_.set(value);
    return "unknown option " + name;
}

const Pic16Row& Pic16Session::rowOf(int subType) const { return RowOrPlaceholder(profile_.rows, subType); }

std::uint32_t Pic16Session::lastAddress(int subType) const { return rowOf(subType).lastByteAddress; }

Pic16Config Pic16Session::config(const Pic16Job& job) const {
    Pic16Config c;
    c.id = id_;
    if (configWord_) {
        c.word = *configWord_;
    } else {
        const auto fromFile =
            static_cast<std::uint16_t>(job.buffer[kFileConfigByte] | job.buffer[kFileConfigByte + 1] << 8);
        c.word = fromFile != 0xFFFF ? static_cast<std::uint16_t>(fromFile & kPicWordMask)
                                    : BuildPic16Config(job.row, 1, true, false, false);
    }
    return c;
}

OperationResult Pic16Session::runOne(const std::string& operation, const Pic16Job& job) {
    const Pic16FamilyOps& ops = profile_.ops;
    if (operation == "read") return ops.read(job);
    if (operation == "erase") return ops.erase(job, eraseMode_);
    if (operation == "blank") return ops.blank(job);
    if (operation == "program") return ops.program(job, proTimeIndex_);
    if (operation == "verify") return ops.verify(job);
    if (operation == "config") return ops.writeConfig(job, config(job));
    if (operation == "id") {
        OperationResult r = ops.readConfig(job);
        if (r.ok()) r.message += Format(", ID = %04x", r.value >> 16);
        return r;
    }
    if (operation == "auto")
        return autoSteps_.run([&](const std::string& step) { return runOne(step, job); }, "OK");
    return OperationResult::refused(std::string("the ") + profile_.familyName + " family has no operation " + operation);
}

OperationResult Pic16Session::run(const std::string& operation, const SessionJob& s) {
    const Pic16Row& row = rowOf(s.selection.subType);
    if (row.chip == nullptr) return OperationResult::refused("No device type selected");
    const Pic16Job job{s.link, row, s.buffer, s.hooks, s.prompts, true};
    OperationResult r = RunGuarded(s.link, [&] { return runOne(operation, job); });
    if (r.outcome == Outcome::Failed) r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
