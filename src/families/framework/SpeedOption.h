#pragma once
// The command line's "speed=1..3" of the page- and byte-write families (the
// dialogs' "Programe time" or "Pro time"): the wait after each write, once,
// twice or three times the family's own.
#include <string>
#include <vector>

#include "families/framework/FamilySession.h"

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

} // namespace quarvin
