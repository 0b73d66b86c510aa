#include "PlainWords.h"

#include <cctype>
#include <string_view>

#include "families/i2c_eeprom/I2cOperations.h"
#include "link/commands/LinkOps.h"

namespace quarvin::cli {

namespace {

bool LowerHex(std::string_view s) {
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'a' || c > 'f')) return false;
    return true;
}

} // namespace

std::string PlainWords(const std::string& message) {
    // The page-write flash verify: "AAAAAA:Bad =FF,器件=DD)" (address, file byte, device byte).
    constexpr std::string_view kBad = ":Bad =", kDevice = ",器件=";
    const std::string_view m(message);
    const std::size_t fileAt = 6 + kBad.size(), deviceAt = fileAt + 2 + kDevice.size();
    if (m.size() == deviceAt + 3 && m.substr(6, kBad.size()) == kBad && m.substr(fileAt + 2, kDevice.size()) == kDevice &&
        m.back() == ')' && LowerHex(m.substr(0, 6)) && LowerHex(m.substr(fileAt, 2)) && LowerHex(m.substr(deviceAt, 2)))
        return "at " + message.substr(0, 6) + " the file has " + message.substr(fileAt, 2) + ", the device " +
               message.substr(deviceAt, 2);
    if (message == "OK,空") return "blank";
    if (message == kI2cVerifyBad) return "the device differs from the buffer (this check does not say where)";
    if (message == LostLinkMessage) return "the box stopped answering: check its cable and its power";
    return {};
}

} // namespace quarvin::cli
