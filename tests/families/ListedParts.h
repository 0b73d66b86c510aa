#pragma once
// The device list as the family tests read it, and the "ID" button of a family
// dialog run through the selection dialog's code read.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/ParameterField.h"
#include "catalogue/TTypeDlg.h"

namespace quarvin::test {

// One line of data/devices.src: the type's name, its parameter field and the
// identification codes after '#' in lower case ("1f,d5"; empty without).
struct ListedPart {
    std::string type;
    ParameterField field;
    std::string codes;
};

inline std::vector<ListedPart> ListedParts() {
    std::ifstream source(std::filesystem::path(QUARVIN_SOURCE_DIR) / "data/devices.src");
    EXPECT_TRUE(source) << "data/devices.src";
    std::vector<ListedPart> parts;
    for (std::string line; std::getline(source, line);) {
        const auto comma = line.find(',');
        if (line.empty() || line[0] == ';' || line[0] == '#' || comma == std::string::npos) continue;
        ListedPart p{line.substr(0, comma), ParseParameterField(line.substr(comma + 1)), ""};
        if (const auto hash = line.find('#'); hash != std::string::npos) p.codes = line.substr(hash + 1, 5);
        std::transform(p.codes.begin(), p.codes.end(), p.codes.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        parts.push_back(std::move(p));
    }
    return parts;
}

// What the dialog's "ID" button shows when the selection dialog reads the codes
// of the part in the rig's box.
template <class Rig>
std::string IdButtonCodes(Rig& rig) {
    TTypeDlg selection(rig.link, rig.fp.platform, rig.docs, std::string(QUARVIN_SOURCE_DIR) + "/data/");
    const auto before = rig.ctx.readMfg;
    rig.ctx.readMfg = [&] {
        selection.MFRClick();
        return selection.control("Edit1").text();
    };
    rig.dlg.click("MFG");
    rig.ctx.readMfg = before;
    return rig.dlg.control("Edit4").text();
}

} // namespace quarvin::test
