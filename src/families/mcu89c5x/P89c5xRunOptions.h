#pragma once
// The command-line options of the 40-pin 8051 sessions (the AT89C5x and the
// AT89S5x have the same form): "Speed", "Protect mode" and the "Run item"s, and
// the operations both offer.
#include <string>
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/mcu89c5x/P89c5xOperations.h"

namespace quarvin {

struct P89c5xRunOptions {
    ProgramSpeed speed = ProgramSpeed::OneMs;
    ProtectMode protect = ProtectMode::NoRead;
    std::vector<std::string> runItems = {"erase", "blank", "program", "verify", "protect"};

    static std::vector<FamilyOperationInfo> operations(const char* eraseText);
    static std::vector<FamilyOptionInfo> options();
    // Empty when taken, else what is wrong.
    std::string set(const std::string& name, const std::string& value);
    // The ticked run items in the form's order.
    std::vector<std::string> chain() const;
};

} // namespace quarvin
