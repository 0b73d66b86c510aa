#pragma once
// The command line's "speed=1..3" of the page- and byte-write families (the
// dialogs' "Programe time" or "Pro time"): the wait after each write, once,
// twice or three times the family's own.
#include <string>
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/framework/MemorySession.h"

namespace quarvin {

class SpeedOption {
public:
    explicit SpeedOption(std::string help) : help_(std::move(help)) {}

    std::vector<FamilyOptionInfo> info() const { return {{"speed", "1..3", "1", help_}}; }
    // An error text, empty when taken.
    std::string set(const std::string& name, const std::string& value) {
        if (name != "speed") return "unknown option " + name;
        if (value.size() != 1 || value[0] < '1' || value[0] > '3') return "speed takes 1..3";
        index_ = value[0] - '1';
        return {};
    }
    // 0..2, the index of the dialog's radio item.
    int index() const { return index_; }

private:
    std::string help_;
    int index_ = 0;
};

// A memory family whose one option of its own is the speed.
class SpeedOptionSession : public MemorySession {
public:
    // speedHelp: what the wait is, as the command line's option list says it; the
    // rest as for MemorySession.
    SpeedOptionSession(std::string speedHelp, std::string family, std::vector<Step> steps,
                       std::vector<MemoryStep> autoSteps, std::vector<MemoryStep> autoAllowed)
        : MemorySession(std::move(family), std::move(steps), std::move(autoSteps), std::move(autoAllowed)),
          speed_(std::move(speedHelp)) {}

protected:
    std::vector<FamilyOptionInfo> familyOptions() const override { return speed_.info(); }
    std::string setFamilyOption(const std::string& name, const std::string& value) override {
        return speed_.set(name, value);
    }
    // 0..2: once, twice or three times the family's own wait.
    int speedIndex() const { return speed_.index(); }

private:
    SpeedOption speed_;
};

} // namespace quarvin
