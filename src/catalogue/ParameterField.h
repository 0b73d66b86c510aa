#pragma once
// The parameter field of a type line: "<family> <sub-type>[ ... #mm,dd,xx]".
#include <array>
#include <cstdint>
#include <string>

namespace quarvin {

struct ParameterField {
    std::string family;      // empty when the field has no blank: such entries open nothing
    std::int32_t subType = 0;
    std::array<std::uint8_t, 3> signature{0, 0, 0};
};

ParameterField ParseParameterField(const std::string& field);

} // namespace quarvin
