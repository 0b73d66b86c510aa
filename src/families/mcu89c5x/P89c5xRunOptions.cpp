#include "families/mcu89c5x/P89c5xRunOptions.h"

#include <algorithm>
#include <sstream>

namespace quarvin {

namespace {

const char* const kRunOrder[] = {"erase", "blank", "program", "verify", "protect"};

// "1".."3" to 0..2; -1 for anything else.
int ItemOf(const std::string& value) {
    return value.size() == 1 && value[0] >= '1' && value[0] <= '3' ? value[0] - '1' : -1;
}

} // namespace

std::vector<FamilyOperationInfo> P89c5xRunOptions::operations(const char* eraseText) {
    return {
        {"read", "read the code memory into the buffer from 0"},
        {"erase", eraseText},
        {"blank", "check that every byte reads 0xFF"},
        {"program", "check the signature, then program every byte that is not 0xFF"},
        {"verify", "compare the code memory with the buffer"},
        {"protect", "write the lock bits of protect-mode and check them"},
        {"id", "read the three signature bytes"},
        {"run", "the run items in order, while each succeeds (\"Run\")"},
    };
}

std::vector<FamilyOptionInfo> P89c5xRunOptions::options() {
    return {
        {"speed", "1..3", "1", "milliseconds waited after each programmed byte (\"Speed\")"},
        {"protect-mode", "1..3", "2", "1 no MOVC, 2 also no read, 3 also no external code (\"Protect mode\")"},
        {"run", "erase,blank,program,verify,protect", "all", "the run items (\"Run item\")"},
    };
}

std::string P89c5xRunOptions::set(const std::string& name, const std::string& value) {
    if (name == "speed" || name == "protect-mode") {
        const int item = ItemOf(value);
        if (item < 0) return name + " takes 1..3";
        if (name == "speed") speed = static_cast<ProgramSpeed>(item);
        else protect = static_cast<ProtectMode>(item);
        return {};
    }
    if (name != "run") return "unknown option " + name;
    std::vector<std::string> items;
    std::istringstream in(value);
    for (std::string item; std::getline(in, item, ',');) {
        if (item.empty()) continue;
        if (std::find(std::begin(kRunOrder), std::end(kRunOrder), item) == std::end(kRunOrder))
            return "run takes erase, blank, program, verify and protect";
        items.push_back(item);
    }
    runItems = items;
    return {};
}

std::vector<std::string> P89c5xRunOptions::chain() const {
    std::vector<std::string> chain;
    for (const char* item : kRunOrder)
        if (std::find(runItems.begin(), runItems.end(), item) != runItems.end()) chain.push_back(item);
    return chain;
}

} // namespace quarvin
