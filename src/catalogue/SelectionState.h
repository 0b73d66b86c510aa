#pragma once
// The confirmed device: written by the selection dialog (or the configuration
// reload), read by every family dialog at each use.
#include <array>
#include <cstdint>
#include <string>

namespace quarvin {

struct SelectionState {
    std::int32_t subType = 0;
    std::string typeName;
    std::string description;   // manufacturer + ": " + type name
    std::string family;        // dispatch key
    std::array<std::uint8_t, 3> expectedSignature{0, 0, 0};
};

} // namespace quarvin
