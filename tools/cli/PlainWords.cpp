#include "PlainWords.h"

#include <regex>

#include "families/i2c_eeprom/I2cOperations.h"
#include "link/commands/LinkOps.h"

namespace quarvin::cli {

std::string PlainWords(const std::string& message) {
    // The page-write flash verify: address, file byte, device byte.
    static const std::regex kFlashVerifyBad("([0-9a-f]{6}):Bad =([0-9a-f]{2}),器件=([0-9a-f]{2})\\)");
    std::smatch m;
    if (std::regex_match(message, m, kFlashVerifyBad))
        return "at " + m[1].str() + " the file has " + m[2].str() + ", the device " + m[3].str();
    if (message == "OK,空") return "blank";
    if (message == kI2cVerifyBad) return "the device differs from the buffer (this check does not say where)";
    if (message == LostLinkMessage) return "the box stopped answering: check its cable and its power";
    return {};
}

} // namespace quarvin::cli
